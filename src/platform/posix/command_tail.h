// The command tail of the native program, built from argv the way Windows
// hands a tail to WinMain.

#ifndef QDBUPD_PLATFORM_POSIX_COMMAND_TAIL_H_
#define QDBUPD_PLATFORM_POSIX_COMMAND_TAIL_H_

#include <string>

namespace qdbupd::platform {

// argv[1] .. argv[argc - 1] joined by one space; an argument that is empty
// or holds a space or a tab is wrapped in double quotes, nothing else is
// escaped.  Null entries are passed over.  Empty for argc < 2.
std::string BuildCommandTail(int argc, char** argv);

}  // namespace qdbupd::platform

#endif  // QDBUPD_PLATFORM_POSIX_COMMAND_TAIL_H_
