#include <dlfcn.h>

#include <cerrno>
#include <new>
#include <string>

#include "platform/platform.h"
#include "platform/posix/last_error.h"
#include "platform/posix/path.h"

namespace qdbupd::platform {

namespace {

constexpr uint32_t kErrorAccessDenied = 5;
constexpr uint32_t kErrorBadCommand = 22;
constexpr uint32_t kErrorGenFailure = 31;
constexpr uint32_t kErrorSharingViolation = 32;
constexpr uint32_t kErrorFileExists = 80;
constexpr uint32_t kErrorDiskFull = 112;
constexpr uint32_t kErrorDirNotEmpty = 145;
constexpr uint32_t kErrorFilenameTooLong = 206;

uint32_t lastError = kErrorSuccess;

}  // namespace

uint32_t LastErrorFromErrno(int errnoValue) {
  switch (errnoValue) {
    case 0:
      return kErrorSuccess;
    case ENOENT:
    case ENOTDIR:
      return kErrorFileNotFound;
    case EACCES:
    case EPERM:
    case EISDIR:
    case EROFS:
      return kErrorAccessDenied;
    case EBADF:
      return kErrorInvalidHandle;
    case ENOMEM:
      return kErrorNotEnoughMemory;
    case EINVAL:
      return kErrorInvalidParameter;
    case EEXIST:
      return kErrorFileExists;
    case ENOSPC:
    case EDQUOT:
      return kErrorDiskFull;
    case ENOTEMPTY:
      return kErrorDirNotEmpty;
    case ENAMETOOLONG:
      return kErrorFilenameTooLong;
    case EBUSY:
    case ETXTBSY:
      return kErrorSharingViolation;
    case ENOEXEC:
      return kErrorBadCommand;
    default:
      return kErrorGenFailure;
  }
}

void SetLastErrorCode(uint32_t code) { lastError = code; }

uint32_t LastErrorCode() { return lastError; }

LibraryHandle OpenLibrary(const char* path) {
  if (path == nullptr) {
    SetLastErrorCode(kErrorInvalidParameter);
    return nullptr;
  }
  try {
    void* handle = dlopen(ToPosixPath(path).c_str(), RTLD_NOW | RTLD_LOCAL);
    // Whatever dlopen disliked (missing file, not a library, a missing
    // dependency) is what LoadLibraryEx reports as a module not found.
    if (handle == nullptr) SetLastErrorCode(kErrorModNotFound);
    return static_cast<LibraryHandle>(handle);
  } catch (const std::bad_alloc&) {
    SetLastErrorCode(kErrorNotEnoughMemory);
    return nullptr;
  }
}

void* FindEntryPoint(LibraryHandle library, const char* name) {
  if (library == nullptr || name == nullptr) {
    SetLastErrorCode(library == nullptr ? kErrorInvalidHandle
                                        : kErrorInvalidParameter);
    return nullptr;
  }
  dlerror();
  void* entry = dlsym(static_cast<void*>(library), name);
  if (entry == nullptr) SetLastErrorCode(kErrorProcNotFound);
  return entry;
}

void CloseLibrary(LibraryHandle library) {
  if (library != nullptr) dlclose(static_cast<void*>(library));
}

}  // namespace qdbupd::platform
