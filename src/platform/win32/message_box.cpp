// The one window of the program: a modal message box without an owner.

#include <windows.h>

#include "platform/platform.h"

namespace qdbupd::platform {

void ShowMessageBox(const char* text, const char* title, uint32_t flags) {
  MessageBoxA(nullptr, text, title, flags);
}

}  // namespace qdbupd::platform
