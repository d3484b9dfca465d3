// The message box of the native program is the terminal: nothing waits for
// an answer, so a run in a script never hangs on its report.

#include <cstdio>
#include <cstring>

#include "platform/platform.h"

namespace qdbupd::platform {

void ShowMessageBox(const char* text, const char* title, uint32_t flags) {
  std::FILE* stream =
      (flags & kMessageBoxIconError) == kMessageBoxIconError ? stderr : stdout;
  const char* body = text != nullptr ? text : "";
  std::fputs(title != nullptr ? title : "", stream);
  std::fputc('\n', stream);
  std::fputs(body, stream);
  const size_t length = std::strlen(body);
  if (length == 0 || body[length - 1] != '\n') std::fputc('\n', stream);
  std::fflush(stream);
}

}  // namespace qdbupd::platform
