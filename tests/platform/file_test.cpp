// The C runtime's low-level file calls and the file copy.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/platform.h"
#include "support/test_files.h"

namespace {

namespace platform = qdbupd::platform;
using qdbupd::testing::ReadFile;
using qdbupd::testing::TempDir;
using qdbupd::testing::WriteFile;

constexpr int kNoEntry = 2;        // ENOENT, the same number in both runtimes
constexpr int kAccessDenied = 13;  // EACCES

std::string Backslashed(std::string path) {
  for (char& c : path) {
    if (c == '/') c = '\\';
  }
  return path;
}

TEST(File, ReadsAndSeeksAFileNamedWithBackslashes) {
  TempDir dir;
  WriteFile(dir.File("data.bin"), "0123456789");
  const int fd =
      platform::FileOpenReadOnly(Backslashed(dir.File("data.bin")).c_str());
  ASSERT_GE(fd, 0);
  char buffer[32] = {};
  EXPECT_EQ(platform::FileSeek(fd, 0, platform::kSeekEnd), 10);
  EXPECT_EQ(platform::FileSeek(fd, 3, platform::kSeekSet), 3);
  EXPECT_EQ(platform::FileRead(fd, buffer, 4), 4);
  EXPECT_EQ(std::string(buffer, 4), "3456");
  EXPECT_EQ(platform::FileSeek(fd, -2, platform::kSeekCur), 5);
  EXPECT_EQ(platform::FileRead(fd, buffer, sizeof buffer), 5);
  EXPECT_EQ(std::string(buffer, 5), "56789");
  EXPECT_EQ(platform::FileRead(fd, buffer, sizeof buffer), 0);
  EXPECT_EQ(platform::FileWrite(fd, "x", 1), -1);  // opened read only
  EXPECT_EQ(platform::FileClose(fd), 0);
}

TEST(File, OpenFailuresTellWhy) {
  TempDir dir;
  EXPECT_EQ(platform::FileOpenReadOnly(dir.File("missing.bin").c_str()), -1);
  EXPECT_EQ(platform::ErrorNumber(), kNoEntry);
  EXPECT_EQ(platform::FileOpenReadOnly(dir.path().c_str()), -1);  // a folder
  EXPECT_EQ(platform::ErrorNumber(), kAccessDenied);
}

TEST(File, UnlinkRemovesTheFile) {
  TempDir dir;
  WriteFile(dir.File("gone.bin"), "x");
  EXPECT_EQ(platform::FileUnlink(Backslashed(dir.File("gone.bin")).c_str()), 0);
  EXPECT_FALSE(std::filesystem::exists(dir.File("gone.bin")));
  EXPECT_EQ(platform::FileUnlink(dir.File("gone.bin").c_str()), -1);
  EXPECT_EQ(platform::ErrorNumber(), kNoEntry);
}

TEST(File, CopyReplacesTheTargetAndLeavesNothingElse) {
  TempDir dir;
  std::string content;
  for (int i = 0; i < 200000; ++i) content += static_cast<char>(i % 251);
  WriteFile(dir.File("new.qdb"), content);
  WriteFile(dir.File("part.qdb"), "old");
  EXPECT_TRUE(
      platform::CopyFileOver(Backslashed(dir.File("new.qdb")).c_str(),
                             Backslashed(dir.File("part.qdb")).c_str()));
  EXPECT_EQ(ReadFile(dir.File("part.qdb")), content);
  EXPECT_EQ(ReadFile(dir.File("new.qdb")), content);
  int files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
    (void)entry;
    ++files;
  }
  EXPECT_EQ(files, 2);
}

TEST(File, CopyOfAMissingFileFails) {
  TempDir dir;
  WriteFile(dir.File("part.qdb"), "old");
  EXPECT_FALSE(platform::CopyFileOver(dir.File("missing.qdb").c_str(),
                                      dir.File("part.qdb").c_str()));
  EXPECT_EQ(platform::LastErrorCode(), platform::kErrorFileNotFound);
  EXPECT_EQ(ReadFile(dir.File("part.qdb")), "old");
}

}  // namespace
