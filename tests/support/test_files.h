// Temporary folders and fixture files for tests.

#ifndef QDBUPD_TESTS_SUPPORT_TEST_FILES_H_
#define QDBUPD_TESTS_SUPPORT_TEST_FILES_H_

#include <string>

namespace qdbupd::testing {

// A fresh, empty folder below the system's temporary folder, removed with
// everything in it when the object goes.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  // The folder, with forward slashes on POSIX and backslashes on Windows,
  // without a trailing separator.
  const std::string& path() const { return path_; }

  // path() joined with a relative name ('/' in name is fine on both).
  std::string File(const std::string& name) const;

 private:
  std::string path_;
};

// Writes bytes to path, creating missing parent folders.  Fails the current
// test when the file cannot be written.
void WriteFile(const std::string& path, const std::string& bytes);

// The whole content of a file; empty when it cannot be read.
std::string ReadFile(const std::string& path);

}  // namespace qdbupd::testing

#endif  // QDBUPD_TESTS_SUPPORT_TEST_FILES_H_
