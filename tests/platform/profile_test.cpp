// GetPrivateProfileStringA reading rules on a "setup.ini"-like file.

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <string>

#include "platform/platform.h"
#include "support/test_files.h"

namespace {

namespace platform = qdbupd::platform;
using qdbupd::testing::TempDir;
using qdbupd::testing::WriteFile;

// The lines of the file; joined with the line end under test.
const char* const kLines[] = {
    "; setup.ini of a test installation",
    "[Parts]",
    "part.qdb=x-12ab3401",
    "  Part.Setup  =   y-0457  ",
    "quoted=\"hello world\"",
    "single='it'",
    "lonequote=\"abc",
    "inner=a \"b\" c",
    "empty=",
    "nokey",
    "dup=first",
    "dup=second",
    "long=0123456789abcdef",
    ";part.news=commented out",
    "[Other]",
    "part.qdb=other",
    "[parts]",
    "late=1",
};

struct ProfileCase {
  const char* section;
  const char* key;
  const char* defaultValue;
  uint32_t size;
  const char* expected;
};

const ProfileCase kCases[] = {
    {"Parts", "part.qdb", "D", 100, "x-12ab3401"},
    {"PARTS", "PART.QDB", "D", 100, "x-12ab3401"},  // case of names
    {"Parts", "part.setup", "D", 100, "y-0457"},    // white space trimmed
    {"Parts", "quoted", "D", 100, "hello world"},   // one pair of quotes
    {"Parts", "single", "D", 100, "it"},
    {"Parts", "lonequote", "D", 100, "\"abc"},
    {"Parts", "inner", "D", 100, "a \"b\" c"},
    {"Parts", "empty", "D", 100, ""},     // present, empty
    {"Parts", "nokey", "D", 100, "D"},    // no '=': no value
    {"Parts", "dup", "D", 100, "first"},  // first key wins
    {"parts", "late", "D", 100, "D"},     // first section wins
    {"Other", "part.qdb", "D", 100, "other"},
    {"Parts", "part.news", "D", 100, "D"},  // comment line
    {"Parts", "missing", "D", 100, "D"},
    {"Missing", "part.qdb", "D", 100, "D"},
    {"Parts", "long", "D", 5, "0123"},  // cut to the buffer
    {"Parts", "missing", "abcdef", 4, "abc"},
    {"Parts", "missing", "dflt  ", 100, "dflt"},  // default's blanks dropped
};

class ProfileTest : public ::testing::TestWithParam<const char*> {};

TEST_P(ProfileTest, ReadsByTheWindowsRules) {
  TempDir dir;
  std::string text;
  for (const char* line : kLines) text += std::string(line) + GetParam();
  const std::string file = dir.File("setup.ini");
  WriteFile(file, text);
  for (const ProfileCase& c : kCases) {
    SCOPED_TRACE(std::string(c.section) + " / " + c.key);
    char buffer[128];
    std::fill(std::begin(buffer), std::end(buffer), '#');
    const uint32_t length = platform::ReadProfileString(
        c.section, c.key, c.defaultValue, buffer, c.size, file.c_str());
    EXPECT_STREQ(buffer, c.expected);
    EXPECT_EQ(length, std::string(c.expected).size());
  }
}

INSTANTIATE_TEST_SUITE_P(
    LineEnds, ProfileTest, ::testing::Values("\r\n", "\n"),
    [](const ::testing::TestParamInfo<const char*>& param) {
      return std::string(param.param) == "\n" ? "Lf" : "CrLf";
    });

TEST(Profile, MissingFileGivesTheDefault) {
  TempDir dir;
  char buffer[16];
  EXPECT_EQ(
      platform::ReadProfileString("Parts", "part.qdb", "none", buffer,
                                  sizeof buffer, dir.File("setup.ini").c_str()),
      4u);
  EXPECT_STREQ(buffer, "none");
  EXPECT_EQ(
      platform::ReadProfileString("Parts", "part.qdb", "", buffer,
                                  sizeof buffer, dir.File("setup.ini").c_str()),
      0u);
  EXPECT_STREQ(buffer, "");
}

TEST(Profile, PathWithBackslashesReachesTheFile) {
  TempDir dir;
  const std::string file = dir.File("setup/setup.ini");
  WriteFile(file, "[Parts]\r\npart.qdb=x-1\r\n");
  std::string backslashed = file;
  for (char& c : backslashed) {
    if (c == '/') c = '\\';
  }
  char buffer[16];
  EXPECT_EQ(platform::ReadProfileString("Parts", "part.qdb", "", buffer,
                                        sizeof buffer, backslashed.c_str()),
            3u);
  EXPECT_STREQ(buffer, "x-1");
}

}  // namespace
