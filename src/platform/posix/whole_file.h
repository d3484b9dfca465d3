// Reading a whole file, for the readers of the registry file and of
// profiles.

#ifndef QDBUPD_PLATFORM_POSIX_WHOLE_FILE_H_
#define QDBUPD_PLATFORM_POSIX_WHOLE_FILE_H_

#include <string>

namespace qdbupd::platform {

// The content of the regular file at path (a POSIX path).  False, with
// *bytes emptied, when it is missing, not a regular file (so that a FIFO
// never blocks) or cannot be read.  May throw std::bad_alloc.
bool ReadWholeFile(const std::string& path, std::string* bytes);

}  // namespace qdbupd::platform

#endif  // QDBUPD_PLATFORM_POSIX_WHOLE_FILE_H_
