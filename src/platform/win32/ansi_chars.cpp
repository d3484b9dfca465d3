#include <windows.h>

#include "platform/platform.h"

namespace qdbupd::platform {

int AnsiCharLength(const char* text, uint32_t available) {
  if (available >= 2 && IsDBCSLeadByte(static_cast<BYTE>(text[0]))) return 2;
  return 1;
}

}  // namespace qdbupd::platform
