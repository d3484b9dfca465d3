// Paths of the POSIX layer: the program builds them with backslashes
// (JoinPath), the file system wants slashes.

#ifndef QDBUPD_PLATFORM_POSIX_PATH_H_
#define QDBUPD_PLATFORM_POSIX_PATH_H_

#include <string>

namespace qdbupd::platform {

// path with each backslash turned into a slash; nothing else is rewritten.
// A null path gives the empty text.  May throw std::bad_alloc.
std::string ToPosixPath(const char* path);

}  // namespace qdbupd::platform

#endif  // QDBUPD_PLATFORM_POSIX_PATH_H_
