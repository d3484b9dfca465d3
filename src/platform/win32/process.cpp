// The running executable's name and the user's language.

#include <windows.h>

#include "platform/platform.h"

namespace qdbupd::platform {

uint32_t OwnModuleFileName(char* buffer, uint32_t size) {
  if (size == 0) return 0;
  DWORD length = GetModuleFileNameA(nullptr, buffer, size);
  // Windows before Vista leaves a cut name without its NUL.
  buffer[length < size ? length : size - 1] = '\0';
  return length;
}

uint16_t UserDefaultLanguage() { return GetUserDefaultLangID(); }

}  // namespace qdbupd::platform
