#include <cstdlib>

#include "platform/platform.h"

namespace qdbupd::platform {

int AnsiCharLength(const char* text, uint32_t available) {
  if (available <= 1) return 1;
  std::mblen(nullptr, 0);  // a fresh shift state for every character
  int length = std::mblen(text, available);
  return length > 0 ? length : 1;
}

}  // namespace qdbupd::platform
