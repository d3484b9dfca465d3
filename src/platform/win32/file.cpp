// The C runtime's low-level file calls.

#include <errno.h>
#include <fcntl.h>
#include <io.h>
#include <stdio.h>

#include "platform/platform.h"

namespace qdbupd::platform {

int FileOpenReadOnly(const char* path) {
  // _open shares the file with everybody (_SH_DENYNO).
  return _open(path, _O_RDONLY | _O_BINARY);
}

int FileRead(int descriptor, void* buffer, uint32_t count) {
  return _read(descriptor, buffer, count);
}

int FileWrite(int descriptor, const void* buffer, uint32_t count) {
  return _write(descriptor, buffer, count);
}

int32_t FileSeek(int descriptor, int32_t offset, int origin) {
  return _lseek(descriptor, offset, origin);
}

int FileCommit(int descriptor) { return _commit(descriptor); }

int FileClose(int descriptor) { return _close(descriptor); }

int FileUnlink(const char* path) { return _unlink(path); }

int ErrorNumber() { return errno; }

}  // namespace qdbupd::platform
