#include "support/reg_writer.h"

#include <cstdio>

#include "support/test_files.h"

namespace qdbupd::testing {

namespace {

constexpr char kLineEnd[] = "\r\n";
// reg export breaks hex data before a line would pass this many characters.
constexpr size_t kHexLineWidth = 80;

std::string Quoted(const std::string& text) {
  std::string result = "\"";
  for (char c : text) {
    if (c == '\\' || c == '"') result += '\\';
    result += c;
  }
  return result + "\"";
}

std::string ValueName(const std::string& name) {
  return name.empty() ? "@" : Quoted(name);
}

}  // namespace

RegWriter& RegWriter::Key(const std::string& path) {
  lines_.push_back("");
  lines_.push_back("[" + path + "]");
  return *this;
}

RegWriter& RegWriter::String(const std::string& name,
                             const std::string& value) {
  lines_.push_back(ValueName(name) + "=" + Quoted(value));
  return *this;
}

RegWriter& RegWriter::Dword(const std::string& name, uint32_t value) {
  char digits[9];
  std::snprintf(digits, sizeof digits, "%08x", static_cast<unsigned>(value));
  lines_.push_back(ValueName(name) + "=dword:" + digits);
  return *this;
}

RegWriter& RegWriter::Hex(const std::string& name, const std::string& bytes,
                          uint32_t type) {
  std::string line = ValueName(name) + "=";
  if (type == 3) {
    line += "hex:";
  } else {
    char tag[16];
    std::snprintf(tag, sizeof tag, "hex(%x):", static_cast<unsigned>(type));
    line += tag;
  }
  for (size_t i = 0; i < bytes.size(); ++i) {
    char byte[3];
    std::snprintf(byte, sizeof byte, "%02x",
                  static_cast<unsigned>(static_cast<unsigned char>(bytes[i])));
    const bool last = i + 1 == bytes.size();
    // Room for "xx," and the continuation's backslash.
    if (line.size() + 4 > kHexLineWidth) {
      lines_.push_back(line + "\\");
      line = "  ";
    }
    line += byte;
    if (!last) line += ",";
  }
  lines_.push_back(line);
  return *this;
}

RegWriter& RegWriter::Raw(const std::string& line) {
  lines_.push_back(line);
  return *this;
}

RegWriter& RegWriter::Header(const std::string& line) {
  header_ = line;
  return *this;
}

std::string RegWriter::Text() const {
  std::string text = header_ + kLineEnd;
  for (const std::string& line : lines_) text += line + kLineEnd;
  return text + kLineEnd;  // reg export ends the file with an empty line
}

void RegWriter::Save(const std::string& path, Encoding encoding) const {
  if (encoding == Encoding::kUtf8) {
    WriteFile(path, Text());
  } else {
    WriteFile(path, std::string("\xFF\xFE", 2) + Utf8ToUtf16Le(Text()));
  }
}

std::string Utf8ToUtf16Le(const std::string& text) {
  std::string result;
  auto put = [&result](uint32_t unit) {
    result += static_cast<char>(unit & 0xFF);
    result += static_cast<char>(unit >> 8 & 0xFF);
  };
  for (size_t i = 0; i < text.size();) {
    const unsigned char lead = static_cast<unsigned char>(text[i]);
    size_t extra = lead < 0x80             ? 0
                   : (lead & 0xE0) == 0xC0 ? 1
                   : (lead & 0xF0) == 0xE0 ? 2
                   : (lead & 0xF8) == 0xF0 ? 3
                                           : 4;
    uint32_t codePoint = extra == 0 ? lead : lead & (0x3Fu >> extra);
    bool valid = extra < 4 && i + extra < text.size();
    for (size_t k = 1; valid && k <= extra; ++k) {
      const unsigned char next = static_cast<unsigned char>(text[i + k]);
      valid = (next & 0xC0) == 0x80;
      codePoint = codePoint << 6 | (next & 0x3Fu);
    }
    if (!valid) {
      put(0xFFFD);  // a malformed byte, as a replacement character
      ++i;
      continue;
    }
    if (codePoint >= 0x10000) {
      codePoint -= 0x10000;
      put(0xD800 + (codePoint >> 10));
      put(0xDC00 + (codePoint & 0x3FF));
    } else {
      put(codePoint);
    }
    i += extra + 1;
  }
  return result;
}

}  // namespace qdbupd::testing
