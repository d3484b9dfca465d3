// The POSIX layer's GetLastError: one value, set by the failing calls of the
// seam, and the one place that turns an errno into a Windows error code.

#ifndef QDBUPD_PLATFORM_POSIX_LAST_ERROR_H_
#define QDBUPD_PLATFORM_POSIX_LAST_ERROR_H_

#include <cstdint>

namespace qdbupd::platform {

// The Windows error code that stands for errnoValue (ENOENT gives 2, EACCES
// 5, ENOMEM 8, ...); 31 (ERROR_GEN_FAILURE) for an errno without one.
uint32_t LastErrorFromErrno(int errnoValue);

// What LastErrorCode() answers from now on.
void SetLastErrorCode(uint32_t code);

}  // namespace qdbupd::platform

#endif  // QDBUPD_PLATFORM_POSIX_LAST_ERROR_H_
