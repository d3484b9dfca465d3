#include "platform/posix/code_page.h"

#include <iconv.h>
#include <langinfo.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <new>
#include <optional>
#include <string_view>

#include "platform/ascii.h"
#include "platform/platform.h"

namespace qdbupd::platform {

namespace {

constexpr char16_t kReplacementChar = 0xFFFD;
constexpr char kDefaultChar = '?';

// Owns one iconv conversion descriptor.
class IconvHolder {
 public:
  IconvHolder() = default;
  IconvHolder(const std::string& to, const std::string& from)
      : cd_(iconv_open(to.c_str(), from.c_str())) {}
  ~IconvHolder() {
    if (ok()) iconv_close(cd_);
  }
  IconvHolder(const IconvHolder&) = delete;
  IconvHolder& operator=(const IconvHolder&) = delete;

  bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
  iconv_t get() const { return cd_; }

 private:
  iconv_t cd_ = reinterpret_cast<iconv_t>(-1);
};

bool StartsWithIgnoringCase(const char* text, const char* prefix,
                            const char** rest) {
  size_t length = std::strlen(prefix);
  if (std::strlen(text) < length) return false;
  if (!EqualsIgnoringAsciiCase(std::string_view(text, length), prefix)) {
    return false;
  }
  *rest = text + length;
  return true;
}

// A decimal number of 1 to 5 digits and nothing after it, or 0.
uint32_t SmallNumber(const char* digits) {
  uint32_t value = 0;
  int count = 0;
  for (; *digits != '\0'; ++digits, ++count) {
    if (*digits < '0' || *digits > '9' || count == 5) return 0;
    value = value * 10 + static_cast<uint32_t>(*digits - '0');
  }
  return value <= 0xFFFF ? value : 0;
}

size_t EncodeUtf8(uint32_t codePoint, char* out) {
  if (codePoint < 0x80) {
    out[0] = static_cast<char>(codePoint);
    return 1;
  }
  if (codePoint < 0x800) {
    out[0] = static_cast<char>(0xC0 | (codePoint >> 6));
    out[1] = static_cast<char>(0x80 | (codePoint & 0x3F));
    return 2;
  }
  if (codePoint < 0x10000) {
    out[0] = static_cast<char>(0xE0 | (codePoint >> 12));
    out[1] = static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
    out[2] = static_cast<char>(0x80 | (codePoint & 0x3F));
    return 3;
  }
  out[0] = static_cast<char>(0xF0 | (codePoint >> 18));
  out[1] = static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F));
  out[2] = static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
  out[3] = static_cast<char>(0x80 | (codePoint & 0x3F));
  return 4;
}

bool IsHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

// One character (one unit, or a surrogate pair) in code page terms.
// Returns the byte count written to out (at most 16).
size_t EncodeCharacter(uint32_t codePage, iconv_t cd, const char16_t* units,
                       size_t unitCount, char* out) {
  const bool paired = unitCount == 2;
  const bool lone =
      !paired && (IsHighSurrogate(units[0]) || IsLowSurrogate(units[0]));
  if (codePage == kCodePageUtf8) {
    // WideCharToMultiByte writes U+FFFD for a lone surrogate in UTF-8.
    if (lone) return EncodeUtf8(kReplacementChar, out);
    uint32_t codePoint =
        paired ? 0x10000 + ((static_cast<uint32_t>(units[0]) - 0xD800) << 10) +
                     (static_cast<uint32_t>(units[1]) - 0xDC00)
               : units[0];
    return EncodeUtf8(codePoint, out);
  }
  // Windows gives the default character for each unit of a character that
  // the code page cannot hold, so a surrogate pair becomes "??".
  auto unrepresentable = [out, unitCount]() {
    for (size_t i = 0; i < unitCount; ++i) out[i] = kDefaultChar;
    return unitCount;
  };
  if (lone || codePage == kCodePageAscii) {
    if (!lone && !paired && units[0] < 0x80) {
      out[0] = static_cast<char>(units[0]);
      return 1;
    }
    return unrepresentable();
  }
  char in[4];
  for (size_t i = 0; i < unitCount; ++i) {
    in[2 * i] = static_cast<char>(units[i] & 0xFF);
    in[2 * i + 1] = static_cast<char>(units[i] >> 8);
  }
  char* inPtr = in;
  size_t inLeft = unitCount * 2;
  char* outPtr = out;
  size_t outLeft = 16;
  iconv(cd, nullptr, nullptr, nullptr, nullptr);
  if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) ==
          static_cast<size_t>(-1) ||
      iconv(cd, nullptr, nullptr, &outPtr, &outLeft) ==
          static_cast<size_t>(-1)) {
    return unrepresentable();
  }
  return 16 - outLeft;
}

}  // namespace

uint32_t CodePageFromCodeset(const char* codeset) {
  if (codeset == nullptr) return kCodePageAscii;
  if (EqualsIgnoringAsciiCase(codeset, "UTF-8") ||
      EqualsIgnoringAsciiCase(codeset, "UTF8")) {
    return kCodePageUtf8;
  }
  const char* rest = nullptr;
  for (const char* prefix : {"ISO-8859-", "ISO8859-", "ISO_8859-"}) {
    if (StartsWithIgnoringCase(codeset, prefix, &rest)) {
      uint32_t part = SmallNumber(rest);
      return part >= 1 && part <= 16 ? kCodePageIso8859Base + part
                                     : kCodePageAscii;
    }
  }
  if (StartsWithIgnoringCase(codeset, "CP", &rest)) {
    uint32_t number = SmallNumber(rest);
    return number != 0 ? number : kCodePageAscii;
  }
  return kCodePageAscii;  // also ANSI_X3.4-1968, the C locale's name
}

std::string IconvNameOfCodePage(uint32_t codePage) {
  if (codePage == kCodePageUtf8) return "UTF-8";
  if (codePage == kCodePageAscii) return "ASCII";
  if (codePage > kCodePageIso8859Base &&
      codePage <= kCodePageIso8859Base + 16) {
    return "ISO-8859-" + std::to_string(codePage - kCodePageIso8859Base);
  }
  return "CP" + std::to_string(codePage);
}

uint32_t AnsiCodePage() { return CodePageFromCodeset(nl_langinfo(CODESET)); }

int ConvertFromUtf16(uint32_t codePage, const char16_t* units, int count,
                     char* out, int capacity) {
  if (units == nullptr || count == 0 || capacity < 0 ||
      (capacity > 0 && out == nullptr)) {
    return 0;
  }
  size_t unitCount = 0;
  if (count < 0) {
    while (units[unitCount] != 0) ++unitCount;
    ++unitCount;  // -1 converts the terminating NUL too
  } else {
    unitCount = static_cast<size_t>(count);
  }
  try {
    std::optional<IconvHolder> converter;
    if (codePage != kCodePageUtf8 && codePage != kCodePageAscii) {
      converter.emplace(IconvNameOfCodePage(codePage), "UTF-16LE");
      if (!converter->ok()) return 0;
    }
    size_t total = 0;
    for (size_t i = 0; i < unitCount;) {
      size_t step = i + 1 < unitCount && IsHighSurrogate(units[i]) &&
                            IsLowSurrogate(units[i + 1])
                        ? 2
                        : 1;
      char bytes[16];
      size_t length =
          EncodeCharacter(codePage, converter ? converter->get() : nullptr,
                          units + i, step, bytes);
      i += step;
      if (capacity > 0) {
        if (total + length > static_cast<size_t>(capacity)) return 0;
        std::memcpy(out + total, bytes, length);
      }
      total += length;
      if (total > static_cast<size_t>(INT_MAX)) return 0;
    }
    return static_cast<int>(total);
  } catch (const std::bad_alloc&) {
    return 0;
  }
}

std::u16string DecodeUtf8(std::string_view bytes) {
  std::u16string result;
  result.reserve(bytes.size());
  for (size_t i = 0; i < bytes.size();) {
    const unsigned char lead = static_cast<unsigned char>(bytes[i]);
    uint32_t codePoint = 0;
    size_t extra = 0;
    if (lead < 0x80) {
      result.push_back(lead);
      ++i;
      continue;
    } else if ((lead & 0xE0) == 0xC0) {
      codePoint = lead & 0x1Fu;
      extra = 1;
    } else if ((lead & 0xF0) == 0xE0) {
      codePoint = lead & 0x0Fu;
      extra = 2;
    } else if ((lead & 0xF8) == 0xF0) {
      codePoint = lead & 0x07u;
      extra = 3;
    } else {
      result.push_back(kReplacementChar);
      ++i;
      continue;
    }
    bool valid = i + extra < bytes.size();
    for (size_t k = 1; valid && k <= extra; ++k) {
      const unsigned char next = static_cast<unsigned char>(bytes[i + k]);
      valid = (next & 0xC0) == 0x80;
      codePoint = codePoint << 6 | (next & 0x3Fu);
    }
    static const uint32_t kSmallest[] = {0, 0x80, 0x800, 0x10000};
    if (!valid || codePoint < kSmallest[extra] || codePoint > 0x10FFFF ||
        (codePoint >= 0xD800 && codePoint <= 0xDFFF)) {
      result.push_back(kReplacementChar);
      ++i;
      continue;
    }
    if (codePoint >= 0x10000) {
      codePoint -= 0x10000;
      result.push_back(static_cast<char16_t>(0xD800 + (codePoint >> 10)));
      result.push_back(static_cast<char16_t>(0xDC00 + (codePoint & 0x3FF)));
    } else {
      result.push_back(static_cast<char16_t>(codePoint));
    }
    i += extra + 1;
  }
  return result;
}

std::u16string ConvertToUtf16(uint32_t codePage, std::string_view bytes) {
  if (codePage == kCodePageUtf8) return DecodeUtf8(bytes);
  std::u16string result;
  std::optional<IconvHolder> converter;
  if (codePage != kCodePageAscii) {
    converter.emplace("UTF-16LE", IconvNameOfCodePage(codePage));
  }
  if (!converter || !converter->ok()) {
    for (char c : bytes) {
      unsigned char b = static_cast<unsigned char>(c);
      result.push_back(b < 0x80 ? b : kReplacementChar);
    }
    return result;
  }
  // iconv's input is not const in its interface; it only reads it.
  char* in = const_cast<char*>(bytes.data());
  size_t inLeft = bytes.size();
  char chunk[256];
  while (inLeft > 0) {
    char* outPtr = chunk;
    size_t outLeft = sizeof chunk;
    size_t done = iconv(converter->get(), &in, &inLeft, &outPtr, &outLeft);
    const int error = errno;
    for (char* p = chunk; p + 1 < outPtr; p += 2) {
      result.push_back(
          static_cast<char16_t>(static_cast<unsigned char>(p[0]) |
                                static_cast<unsigned char>(p[1]) << 8));
    }
    if (done == static_cast<size_t>(-1) && error != E2BIG) {
      // A byte that does not decode, or a character cut off at the end.
      result.push_back(kReplacementChar);
      ++in;
      --inLeft;
      iconv(converter->get(), nullptr, nullptr, nullptr, nullptr);
    }
  }
  return result;
}

std::string ConvertToAnsi(std::u16string_view units) {
  if (units.empty() || units.size() > static_cast<size_t>(INT_MAX)) return {};
  const int count = static_cast<int>(units.size());
  uint32_t codePage = AnsiCodePage();
  int needed = ConvertFromUtf16(codePage, units.data(), count, nullptr, 0);
  if (needed == 0) {
    codePage = kCodePageAscii;
    needed = ConvertFromUtf16(codePage, units.data(), count, nullptr, 0);
  }
  std::string result(static_cast<size_t>(needed), '\0');
  int written =
      ConvertFromUtf16(codePage, units.data(), count, result.data(), needed);
  result.resize(static_cast<size_t>(written));
  return result;
}

}  // namespace qdbupd::platform
