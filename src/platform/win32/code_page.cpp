// UTF-16 to the ANSI code page (or any other) with the system's converter.

#include <windows.h>

#include "platform/platform.h"

namespace qdbupd::platform {

namespace {

// WideCharToMultiByte fails with ERROR_INVALID_FLAGS for these code pages
// unless the flags are 0.
bool RefusesConversionFlags(uint32_t codePage) {
  return codePage == 42 || (codePage >= 50220 && codePage <= 50229) ||
         codePage == 52936 || codePage == 54936 ||
         (codePage >= 57002 && codePage <= 57011) || codePage == 65000 ||
         codePage == 65001;
}

}  // namespace

uint32_t AnsiCodePage() { return GetACP(); }

int ConvertFromUtf16(uint32_t codePage, const char16_t* units, int count,
                     char* out, int capacity) {
  DWORD flags =
      RefusesConversionFlags(codePage) ? 0 : WC_COMPOSITECHECK | WC_SEPCHARS;
  return WideCharToMultiByte(codePage, flags,
                             reinterpret_cast<const wchar_t*>(units), count,
                             out, capacity, nullptr, nullptr);
}

}  // namespace qdbupd::platform
