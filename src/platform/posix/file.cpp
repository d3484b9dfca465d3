// The C runtime's low-level file calls, on POSIX descriptors, and the
// whole-file reads and the file copy built on them.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <new>
#include <string>

#include "platform/platform.h"
#include "platform/posix/last_error.h"
#include "platform/posix/path.h"
#include "platform/posix/whole_file.h"

namespace qdbupd::platform {

namespace {

// Closes a descriptor when it goes; Release() hands it over.
class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) close(fd_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;

  int get() const { return fd_; }
  int Release() {
    int fd = fd_;
    fd_ = -1;
    return fd;
  }

 private:
  int fd_;
};

// read() of up to count bytes, repeated when a signal interrupts it.
ssize_t ReadSome(int fd, void* buffer, size_t count) {
  ssize_t done;
  do {
    done = read(fd, buffer, count);
  } while (done < 0 && errno == EINTR);
  return done;
}

bool WriteAll(int fd, const char* data, size_t count) {
  while (count > 0) {
    ssize_t done = write(fd, data, count);
    if (done < 0 && errno == EINTR) continue;
    if (done <= 0) return false;
    data += done;
    count -= static_cast<size_t>(done);
  }
  return true;
}

// An open regular file; -1 with errno for anything else.  O_NONBLOCK keeps
// the open of a FIFO from waiting for a writer.
int OpenRegularFile(const std::string& path, struct stat* status) {
  Descriptor fd(open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
  if (fd.get() < 0) return -1;
  if (fstat(fd.get(), status) != 0) return -1;
  if (!S_ISREG(status->st_mode)) {
    errno = S_ISDIR(status->st_mode) ? EACCES : EINVAL;
    return -1;
  }
  int flags = fcntl(fd.get(), F_GETFL);
  if (flags >= 0) fcntl(fd.get(), F_SETFL, flags & ~O_NONBLOCK);
  return fd.Release();
}

}  // namespace

bool ReadWholeFile(const std::string& path, std::string* bytes) {
  bytes->clear();
  struct stat status {};
  Descriptor fd(OpenRegularFile(path, &status));
  if (fd.get() < 0) return false;
  if (status.st_size > 0) bytes->reserve(static_cast<size_t>(status.st_size));
  char chunk[65536];
  for (;;) {
    ssize_t done = ReadSome(fd.get(), chunk, sizeof chunk);
    if (done < 0) {
      bytes->clear();
      return false;
    }
    if (done == 0) return true;
    bytes->append(chunk, static_cast<size_t>(done));
  }
}

bool CopyFileOver(const char* from, const char* to) {
  if (from == nullptr || to == nullptr) {
    SetLastErrorCode(kErrorInvalidParameter);
    return false;
  }
  try {
    const std::string source = ToPosixPath(from);
    const std::string target = ToPosixPath(to);
    struct stat status {};
    Descriptor in(OpenRegularFile(source, &status));
    if (in.get() < 0) {
      SetLastErrorCode(LastErrorFromErrno(errno));
      return false;
    }
    // The copy is written beside the target and renamed over it, so the
    // target is always either the old or the whole new file.
    std::string temp = target + ".qdbupd-XXXXXX";
    Descriptor out(mkostemp(temp.data(), O_CLOEXEC));
    if (out.get() < 0) {
      SetLastErrorCode(LastErrorFromErrno(errno));
      return false;
    }
    char chunk[65536];
    bool ok = fchmod(out.get(), status.st_mode & 07777) == 0;
    for (ssize_t done = 1; ok && done > 0;) {
      done = ReadSome(in.get(), chunk, sizeof chunk);
      ok = done >= 0 &&
           WriteAll(out.get(), chunk, static_cast<size_t>(done > 0 ? done : 0));
    }
    ok = ok && fsync(out.get()) == 0;
    ok = close(out.Release()) == 0 && ok;
    ok = ok && rename(temp.c_str(), target.c_str()) == 0;
    if (!ok) {
      const int error = errno;
      unlink(temp.c_str());
      SetLastErrorCode(LastErrorFromErrno(error));
      return false;
    }
    return true;
  } catch (const std::bad_alloc&) {
    SetLastErrorCode(kErrorNotEnoughMemory);
    return false;
  }
}

int FileOpenReadOnly(const char* path) {
  if (path == nullptr) {
    errno = EINVAL;
    return -1;
  }
  try {
    Descriptor fd(open(ToPosixPath(path).c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0) return -1;
    // _open refuses a folder with EACCES; open() would take it.
    struct stat status {};
    if (fstat(fd.get(), &status) == 0 && S_ISDIR(status.st_mode)) {
      errno = EACCES;
      return -1;
    }
    return fd.Release();
  } catch (const std::bad_alloc&) {
    errno = ENOMEM;
    return -1;
  }
}

int FileRead(int descriptor, void* buffer, uint32_t count) {
  if (count > static_cast<uint32_t>(INT_MAX)) {
    errno = EINVAL;
    return -1;
  }
  return static_cast<int>(ReadSome(descriptor, buffer, count));
}

int FileWrite(int descriptor, const void* buffer, uint32_t count) {
  if (count > static_cast<uint32_t>(INT_MAX)) {
    errno = EINVAL;
    return -1;
  }
  ssize_t done;
  do {
    done = write(descriptor, buffer, count);
  } while (done < 0 && errno == EINTR);
  return static_cast<int>(done);
}

int32_t FileSeek(int descriptor, int32_t offset, int origin) {
  int whence;
  switch (origin) {
    case kSeekSet:
      whence = SEEK_SET;
      break;
    case kSeekCur:
      whence = SEEK_CUR;
      break;
    case kSeekEnd:
      whence = SEEK_END;
      break;
    default:
      errno = EINVAL;
      return -1;
  }
  const off_t before = lseek(descriptor, 0, SEEK_CUR);
  if (before < 0) return -1;
  const off_t position = lseek(descriptor, offset, whence);
  if (position < 0) return -1;
  if (position > INT32_MAX) {
    // _lseek's 32-bit answer cannot hold it: fail and stay where it was.
    lseek(descriptor, before, SEEK_SET);
    errno = EINVAL;
    return -1;
  }
  return static_cast<int32_t>(position);
}

int FileCommit(int descriptor) { return fsync(descriptor); }

int FileClose(int descriptor) { return close(descriptor); }

int FileUnlink(const char* path) {
  if (path == nullptr) {
    errno = EINVAL;
    return -1;
  }
  try {
    return unlink(ToPosixPath(path).c_str());
  } catch (const std::bad_alloc&) {
    errno = ENOMEM;
    return -1;
  }
}

int ErrorNumber() { return errno; }

}  // namespace qdbupd::platform
