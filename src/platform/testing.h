// Test support of the platform seam: the few operating-system services that
// the tests need and the program never uses.  Linked only into tests
// (library qdbupd_platform_testing).

#ifndef QDBUPD_PLATFORM_TESTING_H_
#define QDBUPD_PLATFORM_TESTING_H_

#include <string>

namespace qdbupd::platform::testing {

// Makes HKEY_LOCAL_MACHINE of this process read the registry fixture
// regFile (a "reg export" file whose keys sit below HKEY_LOCAL_MACHINE).
// POSIX: points QDBUPD_REGISTRY at it.  Win32: imports it below a test key of
// the current user and redirects HKEY_LOCAL_MACHINE there with
// RegOverridePredefKey.  An empty regFile makes the registry empty.  Returns
// false when the fixture could not be put in place.
bool UseRegistryFixture(const std::string& regFile);

// Makes HKEY_LOCAL_MACHINE of child processes started afterwards hold the
// keys of regFile.  POSIX: points QDBUPD_REGISTRY at it.  Win32: deletes the
// product's key below the real HKEY_LOCAL_MACHINE and imports regFile there.
bool UseRegistryForChildren(const std::string& regFile);

// Sets (or, with a null value, removes) an environment variable of this
// process, inherited by child processes.
void SetEnvironment(const std::string& name, const char* value);

// Runs commandLine (program path first, then the command tail as written)
// with standard output and standard error sent to the given files, waits for
// it and returns its exit code; -1 when it could not be started.
int RunProcess(const std::string& commandLine, const std::string& outFile,
               const std::string& errFile);

}  // namespace qdbupd::platform::testing

#endif  // QDBUPD_PLATFORM_TESTING_H_
