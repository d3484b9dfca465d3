// The own module's file name and the library calls, against a real library
// (platform_probe.dll, built beside this test).

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/platform.h"
#include "platform/testing.h"
#include "support/test_files.h"

namespace {

namespace platform = qdbupd::platform;
using qdbupd::testing::ReadFile;
using qdbupd::testing::TempDir;
using qdbupd::testing::WriteFile;

std::string OwnFileName() {
  char buffer[4096];
  const uint32_t length = platform::OwnModuleFileName(buffer, sizeof buffer);
  return std::string(buffer, length < sizeof buffer ? length : 0);
}

std::string OwnFolder() {
  const std::string name = OwnFileName();
  return name.substr(0, name.find_last_of("/\\") + 1);
}

TEST(Module, OwnFileNameIsThisTestExecutable) {
  const std::string name = OwnFileName();
  const std::string base = name.substr(name.find_last_of("/\\") + 1);
  EXPECT_TRUE(base == "platform_test" || base == "platform_test.exe") << name;
}

TEST(Module, OwnFileNameIsCutToTheBuffer) {
  const std::string name = OwnFileName();
  ASSERT_GT(name.size(), 5u);
  char buffer[8] = "#######";
  EXPECT_EQ(platform::OwnModuleFileName(buffer, 5), 5u);
  EXPECT_EQ(std::string(buffer), name.substr(0, 4));
  EXPECT_EQ(platform::LastErrorCode(), platform::kErrorInsufficientBuffer);
}

TEST(Library, EntryPointsOfARealLibrary) {
  platform::LibraryHandle library =
      platform::OpenLibrary((OwnFolder() + "platform_probe.dll").c_str());
  ASSERT_NE(library, nullptr) << "error " << platform::LastErrorCode();
  void* entry = platform::FindEntryPoint(library, "qdbupdProbe");
  ASSERT_NE(entry, nullptr);
  EXPECT_EQ(reinterpret_cast<int (*)()>(entry)(), 42);

  EXPECT_EQ(platform::FindEntryPoint(library, "instcoreUpdatePackages"),
            nullptr);
  EXPECT_EQ(platform::LastErrorCode(), platform::kErrorProcNotFound);
  platform::CloseLibrary(library);
}

TEST(Library, MissingOrBrokenLibraryIsNotLoaded) {
  TempDir dir;
  EXPECT_EQ(platform::OpenLibrary(dir.File("instcore.dll").c_str()), nullptr);
  EXPECT_EQ(platform::LastErrorCode(), platform::kErrorModNotFound);

  WriteFile(dir.File("text.dll"), "not a library");
  EXPECT_EQ(platform::OpenLibrary(dir.File("text.dll").c_str()), nullptr);
  platform::CloseLibrary(nullptr);  // ignored
}

// Run by ChildProcess.RunsWithEnvironmentAndRedirectedOutput as a child of
// this executable; skipped otherwise.
TEST(ChildProcess, ExitsWithTheCodeItIsTold) {
  const char* code = std::getenv("QDBUPD_TEST_CHILD_EXIT");
  if (code == nullptr) GTEST_SKIP() << "only run as a child";
  std::fputs("to standard output\n", stdout);
  std::fputs("to standard error\n", stderr);
  std::fflush(nullptr);
  std::exit(std::atoi(code));
}

TEST(ChildProcess, RunsWithEnvironmentAndRedirectedOutput) {
  TempDir dir;
  platform::testing::SetEnvironment("QDBUPD_TEST_CHILD_EXIT", "7");
  const int code = platform::testing::RunProcess(
      "\"" + OwnFileName() +
          "\" --gtest_filter=ChildProcess.ExitsWithTheCodeItIsTold",
      dir.File("out.txt"), dir.File("err.txt"));
  platform::testing::SetEnvironment("QDBUPD_TEST_CHILD_EXIT", nullptr);
  EXPECT_EQ(code, 7);
  EXPECT_NE(ReadFile(dir.File("out.txt")).find("to standard output"),
            std::string::npos);
  EXPECT_NE(ReadFile(dir.File("err.txt")).find("to standard error"),
            std::string::npos);
  EXPECT_EQ(ReadFile(dir.File("err.txt")).find("to standard output"),
            std::string::npos);
}

}  // namespace
