// Character-set helpers of the POSIX layer behind GetACP and
// WideCharToMultiByte, and the conversions the registry and profile readers
// need in the other direction.

#ifndef QDBUPD_PLATFORM_POSIX_CODE_PAGE_H_
#define QDBUPD_PLATFORM_POSIX_CODE_PAGE_H_

#include <cstdint>
#include <string>
#include <string_view>

namespace qdbupd::platform {

constexpr uint32_t kCodePageUtf8 = 65001;
constexpr uint32_t kCodePageAscii = 20127;
constexpr uint32_t kCodePageIso8859Base = 28590;  // + n for ISO-8859-n

// The Windows code page of a character set name as nl_langinfo(CODESET)
// gives it: UTF-8 65001, ANSI_X3.4-1968 or ASCII 20127, ISO-8859-n
// 28590 + n, CPn n; 20127 for any other name (also a null one).
uint32_t CodePageFromCodeset(const char* codeset);

// The iconv name of a code page: UTF-8, ASCII, ISO-8859-n, else CPn.
std::string IconvNameOfCodePage(uint32_t codePage);

// UTF-8 to UTF-16; each byte of a malformed sequence becomes U+FFFD.  May
// throw std::bad_alloc.
std::u16string DecodeUtf8(std::string_view bytes);

// Text in codePage to UTF-16; a byte that does not decode becomes U+FFFD.
// An unknown code page is read as ASCII.  May throw std::bad_alloc.
std::u16string ConvertToUtf16(uint32_t codePage, std::string_view bytes);

// UTF-16 to the ANSI code page (AnsiCodePage()), as ConvertFromUtf16 does it,
// falling back to ASCII when iconv does not know the code page.  May throw
// std::bad_alloc.
std::string ConvertToAnsi(std::u16string_view units);

}  // namespace qdbupd::platform

#endif  // QDBUPD_PLATFORM_POSIX_CODE_PAGE_H_
