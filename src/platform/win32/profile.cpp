// Private-profile reading: the system's own ".ini" reader.

#include <windows.h>

#include "platform/platform.h"

namespace qdbupd::platform {

uint32_t ReadProfileString(const char* section, const char* key,
                           const char* defaultValue, char* buffer,
                           uint32_t size, const char* fileName) {
  return GetPrivateProfileStringA(section, key, defaultValue, buffer, size,
                                  fileName);
}

}  // namespace qdbupd::platform
