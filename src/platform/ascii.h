// Letter case of ASCII text, the only case folding that names of options,
// part kinds, profile keys and code sets get.  Plain code, no OS service:
// the seam and the core both use it.

#ifndef QDBUPD_PLATFORM_ASCII_H_
#define QDBUPD_PLATFORM_ASCII_H_

#include <string_view>

namespace qdbupd {

inline char AsciiLower(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// True when a and b are equal but for the case of ASCII letters.
inline bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
  }
  return true;
}

}  // namespace qdbupd

#endif  // QDBUPD_PLATFORM_ASCII_H_
