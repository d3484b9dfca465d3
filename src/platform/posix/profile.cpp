// GetPrivateProfileStringA of the POSIX layer.  The file is read whole on
// every call; its text is taken in the ANSI code page, unless it starts with
// a byte order mark (UTF-16LE, UTF-16BE or UTF-8), when it is converted to
// the ANSI code page first, as Windows reads such a file.
//
// Lines end at any CR or LF.  A line is trimmed of white space; an empty one
// or one starting with ';' says nothing.  "[name]" (up to the last ']')
// starts a section; lines before the first section belong to the section
// with the empty name.  Any other line is a key: the name before the first
// '=' and the value after it, both trimmed; a line without '=' is a key
// without a value (its reader gets the default).  Only the first section of
// a name is searched, and the first key of a name in it wins.

#include <cstring>
#include <new>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "platform/ascii.h"
#include "platform/platform.h"
#include "platform/posix/code_page.h"
#include "platform/posix/path.h"
#include "platform/posix/whole_file.h"

namespace qdbupd::platform {

namespace {

bool IsProfileSpace(char c) {
  // ^Z counts as white space: old editors ended text files with it.
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' ||
         c == '\r' || c == '\x1A';
}

std::string_view Trim(std::string_view text) {
  while (!text.empty() && IsProfileSpace(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsProfileSpace(text.back())) text.remove_suffix(1);
  return text;
}

std::u16string Utf16Units(std::string_view bytes, bool bigEndian) {
  std::u16string units;
  units.reserve(bytes.size() / 2);
  for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
    const unsigned char first = static_cast<unsigned char>(bytes[i]);
    const unsigned char second = static_cast<unsigned char>(bytes[i + 1]);
    units.push_back(static_cast<char16_t>(bigEndian ? first << 8 | second
                                                    : second << 8 | first));
  }
  return units;
}

// The file's text in the ANSI code page.
std::string AnsiText(std::string bytes) {
  std::string_view view(bytes);
  if (view.substr(0, 2) == "\xFF\xFE") {
    return ConvertToAnsi(Utf16Units(view.substr(2), false));
  }
  if (view.substr(0, 2) == "\xFE\xFF") {
    return ConvertToAnsi(Utf16Units(view.substr(2), true));
  }
  if (view.substr(0, 3) == "\xEF\xBB\xBF") {
    if (AnsiCodePage() != kCodePageUtf8) {
      return ConvertToAnsi(DecodeUtf8(view.substr(3)));
    }
    bytes.erase(0, 3);
  }
  return bytes;
}

// The value of key in the first section called section; nullopt when the
// section or key is missing or the key has no value.
std::optional<std::string_view> FindValue(std::string_view text,
                                          std::string_view section,
                                          std::string_view key) {
  bool inSection = section.empty();  // the unnamed section comes first
  size_t pos = 0;
  while (pos < text.size()) {
    size_t end = text.find_first_of("\r\n", pos);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = Trim(text.substr(pos, end - pos));
    pos = end + 1;
    if (line.empty() || line.front() == ';') continue;
    const size_t close = line.rfind(']');
    if (line.front() == '[' && close != std::string_view::npos) {
      if (inSection) return std::nullopt;  // the first such section is over
      inSection = EqualsIgnoringAsciiCase(Trim(line.substr(1, close - 1)), section);
      continue;
    }
    if (!inSection) continue;
    const size_t equals = line.find('=');
    if (!EqualsIgnoringAsciiCase(Trim(line.substr(0, equals)), key)) continue;
    if (equals == std::string_view::npos) return std::nullopt;
    return Trim(line.substr(equals + 1));
  }
  return std::nullopt;
}

uint32_t CopyOut(std::string_view value, bool stripQuotes, char* buffer,
                 uint32_t size) {
  value = value.substr(0, value.find('\0'));
  if (stripQuotes && value.size() >= 2 &&
      (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front()) {
    value = value.substr(1, value.size() - 2);
  }
  const size_t length = value.size() < size - 1 ? value.size() : size - 1;
  std::memcpy(buffer, value.data(), length);
  buffer[length] = '\0';
  return static_cast<uint32_t>(length);
}

}  // namespace

uint32_t ReadProfileString(const char* section, const char* key,
                           const char* defaultValue, char* buffer,
                           uint32_t size, const char* fileName) {
  if (buffer == nullptr || size == 0) return 0;
  // Trailing blanks of the default are dropped, as Windows documents.
  std::string_view fallback = defaultValue != nullptr ? defaultValue : "";
  while (!fallback.empty() && fallback.back() == ' ') fallback.remove_suffix(1);
  try {
    std::string bytes;
    if (fileName == nullptr || !ReadWholeFile(ToPosixPath(fileName), &bytes)) {
      return CopyOut(fallback, false, buffer, size);
    }
    const std::string text = AnsiText(std::move(bytes));
    std::optional<std::string_view> value;
    if (section != nullptr && key != nullptr && !Trim(key).empty()) {
      value = FindValue(text, Trim(section), Trim(key));
    }
    // Windows takes the quotes off a default as well, once the file is read.
    return CopyOut(value ? *value : fallback, true, buffer, size);
  } catch (const std::bad_alloc&) {
    return CopyOut(fallback, false, buffer, size);
  }
}

}  // namespace qdbupd::platform
