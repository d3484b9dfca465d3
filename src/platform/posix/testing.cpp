// Test support of the POSIX layer: the registry is the file named by
// QDBUPD_REGISTRY, for this process and the children it starts alike.

#include "platform/testing.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

extern char** environ;

namespace qdbupd::platform::testing {

namespace {

constexpr char kRegistryVariable[] = "QDBUPD_REGISTRY";
// Below a file that is not a folder, so it can never exist.
constexpr char kNoRegistryFile[] = "/dev/null/qdbupd-empty-registry.reg";

bool PointRegistryAt(const std::string& regFile) {
  if (!regFile.empty() && access(regFile.c_str(), R_OK) != 0) return false;
  const char* file = regFile.empty() ? kNoRegistryFile : regFile.c_str();
  return setenv(kRegistryVariable, file, 1) == 0;
}

// Owns posix_spawn's file actions.
class FileActions {
 public:
  FileActions() { ok_ = posix_spawn_file_actions_init(&actions_) == 0; }
  ~FileActions() {
    if (ok_) posix_spawn_file_actions_destroy(&actions_);
  }
  FileActions(const FileActions&) = delete;
  FileActions& operator=(const FileActions&) = delete;

  bool Open(int fd, const std::string& path, int flags) {
    const char* name = path.empty() ? "/dev/null" : path.c_str();
    return ok_ && posix_spawn_file_actions_addopen(&actions_, fd, name, flags,
                                                   0644) == 0;
  }
  const posix_spawn_file_actions_t* get() const { return &actions_; }

 private:
  posix_spawn_file_actions_t actions_{};
  bool ok_ = false;
};

}  // namespace

bool UseRegistryFixture(const std::string& regFile) {
  return PointRegistryAt(regFile);
}

bool UseRegistryForChildren(const std::string& regFile) {
  return PointRegistryAt(regFile);
}

void SetEnvironment(const std::string& name, const char* value) {
  if (value != nullptr) {
    setenv(name.c_str(), value, 1);
  } else {
    unsetenv(name.c_str());
  }
}

int RunProcess(const std::string& commandLine, const std::string& outFile,
               const std::string& errFile) {
  FileActions actions;
  const int outputFlags = O_WRONLY | O_CREAT | O_TRUNC;
  if (!actions.Open(STDIN_FILENO, "/dev/null", O_RDONLY) ||
      !actions.Open(STDOUT_FILENO, outFile, outputFlags) ||
      !actions.Open(STDERR_FILENO, errFile, outputFlags)) {
    return -1;
  }
  char shell[] = "/bin/sh";
  char dashC[] = "-c";
  std::string command = commandLine;
  char* argv[] = {shell, dashC, command.data(), nullptr};
  pid_t child = 0;
  if (posix_spawn(&child, shell, actions.get(), nullptr, argv, environ) != 0) {
    return -1;
  }
  int status = 0;
  while (waitpid(child, &status, 0) < 0) {
    if (errno != EINTR) return -1;
  }
  if (WIFEXITED(status)) return WEXITSTATUS(status);
  // Killed by a signal: the shell's way of telling it.
  return WIFSIGNALED(status) ? 128 + WTERMSIG(status) : -1;
}

}  // namespace qdbupd::platform::testing
