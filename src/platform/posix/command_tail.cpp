#include "platform/posix/command_tail.h"

#include <cstring>

namespace qdbupd::platform {

std::string BuildCommandTail(int argc, char** argv) {
  std::string tail;
  bool first = true;
  for (int i = 1; i < argc && argv != nullptr; ++i) {
    const char* argument = argv[i];
    if (argument == nullptr) continue;
    if (!first) tail += ' ';
    first = false;
    // Quoting only what would otherwise split or vanish keeps the tail byte
    // for byte what a Windows shell hands over for the same arguments.
    const bool quote = *argument == '\0' || std::strpbrk(argument, " \t");
    if (quote) tail += '"';
    tail += argument;
    if (quote) tail += '"';
  }
  return tail;
}

}  // namespace qdbupd::platform
