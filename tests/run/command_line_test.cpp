#include "run/command_line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/testing.h"

namespace qdbupd {
namespace {

using Tokens = std::vector<std::string>;

TEST(SplitCommandLineTest, Tokens) {
  const struct {
    std::string tail;
    Tokens tokens;
  } kCases[] = {
      {"", {}},
      {"   \t ", {}},
      {"/silent", {"/silent"}},
      {"  /sfxstorage  C:\\upd  ", {"/sfxstorage", "C:\\upd"}},
      {"/sfxstorage \"C:\\My Update\\\" /silent",
       {"/sfxstorage", "C:\\My Update\\", "/silent"}},
      // No closing quote needed; an opening quote at the end is an empty token.
      {"a \"b c", {"a", "b c"}},
      {"a \"", {"a", ""}},
      {"\"\"", {""}},
      // Text glued to a closing quote starts a new token; a quote inside a
      // plain token stays in it.
      {"\"a b\"cd", {"a b", "cd"}},
      {"ab\"cd", {"ab\"cd"}},
      {"ab\"c d\"", {"ab\"c", "d\""}},
      // Bytes of 0x80 and above and control bytes end a plain token but
      // belong to a quoted one.
      {"C:\\Upd\xE1te", {"C:\\Upd", "te"}},
      {"a\x01" "b", {"a", "b"}},
      {"\"C:\\Upd\xE1te x\"", {"C:\\Upd\xE1te x"}},
  };
  for (const auto& c : kCases) {
    EXPECT_EQ(SplitCommandLine(c.tail), c.tokens) << "tail [" << c.tail << "]";
  }
}

TEST(LanguageTest, CodesAndHexadecimalIdentifiers) {
  const struct {
    const char* code;
    uint16_t language;
    uint16_t message;
  } kCases[] = {
      {"cze", 1029, 1029},  {"sk", 1051, 1029},    {"405", 0x405, 1029},
      {"41b", 0x41B, 1029}, {"0x41B", 0x41B, 1029}, {" +41b", 0x41B, 1029},
      {"eng", 1033, 1033},  {"ger", 1031, 1033},    {"deu", 1031, 1033},
      {"esp", 3082, 1033},  {"ita", 1040, 1033},    {"fre", 1036, 1033},
      {"dut", 1043, 1033},  {"por", 2070, 1033},    {"pol", 1045, 1033},
      // Codes are matched with case; anything else is read as hexadecimal.
      {"CZE", 0xC, 1033},   {"SK", 0, 1033},        {"xyz", 0, 1033},
      {"1029", 0x1029, 1033}, {"", 0, 1033},        {"10405", 0x405, 1029},
  };
  for (const auto& c : kCases) {
    EXPECT_EQ(LanguageFromCode(c.code), c.language) << c.code;
    EXPECT_EQ(MessageLanguageFor(LanguageFromCode(c.code)), c.message) << c.code;
  }
}

struct Expected {
  bool silent;
  const char* storage;
  const char* oem;
  uint16_t language;
};

TEST(ParseCommandLineTest, Options) {
  const struct {
    const char* tail;
    Expected expected;
  } kCases[] = {
      {"", {false, "", "", 1033}},
      {"/silent", {true, "", "", 1033}},
      {"-SILENT", {true, "", "", 1033}},
      {"/silent:1", {false, "", "", 1033}},
      {"/silen", {false, "", "", 1033}},
      {"/sfxstorage \"C:\\My Update\"", {false, "C:\\My Update", "", 1033}},
      {"-SFXSTORAGE C:\\u /SfxStorage D:\\v", {false, "D:\\v", "", 1033}},
      {"/oem /silent", {false, "", "/silent", 1033}},
      {"/oem \"\"", {false, "", "", 1033}},
      {"/oem xyz /lang cze", {false, "", "xyz", 1029}},
      {"/lang", {false, "", "", 1033}},
      {"/lang cze /lang eng", {false, "", "", 1033}},
      {"/LANG sk", {false, "", "", 1029}},
      // Other options and stray words are passed over; the token after an
      // unknown option is looked at on its own.
      {"word /x /silent", {true, "", "", 1033}},
      {"/sfxstorage", {false, "", "", 1033}},
      {"/silent /sfxstorage /oem", {true, "/oem", "", 1033}},
  };
  for (const auto& c : kCases) {
    RunOptions options;
    ParseCommandLine(c.tail, &options);
    EXPECT_EQ(options.silent, c.expected.silent) << c.tail;
    EXPECT_EQ(options.storageFolder, c.expected.storage) << c.tail;
    EXPECT_EQ(options.oemName, c.expected.oem) << c.tail;
    EXPECT_EQ(options.messageLanguage, c.expected.language) << c.tail;
  }
}

TEST(ParseCommandLineTest, LastTokenLangKeepsTheDefaultLanguage) {
  RunOptions options;
  options.messageLanguage = kLanguageCzech;
  ParseCommandLine("/silent /lang", &options);
  EXPECT_EQ(options.messageLanguage, kLanguageCzech);
  EXPECT_TRUE(options.silent);
}

#if !defined(_WIN32)
// Natively the user's language comes from the locale variables.
TEST(DefaultMessageLanguageTest, CzechForCzechAndSlovakUsersOnly) {
  const struct {
    const char* lcAll;
    uint16_t language;
  } kCases[] = {
      {"cs_CZ.UTF-8", 1029}, {"sk_SK", 1029}, {"de_DE.UTF-8", 1033},
      {"pl_PL", 1033},       {"en_US", 1033}, {"C", 1033},
  };
  for (const auto& c : kCases) {
    platform::testing::SetEnvironment("LC_ALL", c.lcAll);
    EXPECT_EQ(DefaultMessageLanguage(), c.language) << c.lcAll;
  }
  platform::testing::SetEnvironment("LC_ALL", nullptr);
}
#endif

}  // namespace
}  // namespace qdbupd
