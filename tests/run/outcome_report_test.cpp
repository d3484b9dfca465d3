#include "run/outcome_report.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "platform/platform.h"

namespace qdbupd {
namespace {

const char kText260[] =
    "Pelnor 4 is probably not yet installed or the installation is broken.\n"
    "Download full install package and reinstall, please.";

TEST(FormatTest, QdbVersions) {
  const struct {
    int32_t version;
    const char* text;
  } kCases[] = {
      {0x12AB3401, "12AB34-01"}, {0x12AB3501, "12AB35-01"}, {-1, "FFFFFF-FF"},
      {0, "000000-00"},          {INT32_MIN, "800000-00"},  {0x7FFFFFFF, "7FFFFF-FF"},
  };
  for (const auto& c : kCases) EXPECT_EQ(FormatQdbVersion(c.version), c.text);
}

TEST(FormatTest, ProgramVersionThresholds) {
  const struct {
    int32_t build;
    const char* text;
  } kCases[] = {
      {1110, "4.8.1110"}, {1109, "4.7.1109"}, {797, "4.7.797"}, {796, "4.6.796"},
      {581, "4.6.581"},   {580, "4.5.580"},   {502, "4.5.502"}, {501, "4.1.501"},
      {-1, "4.1.-1"},     {INT32_MIN, "4.1.-2147483648"},
  };
  for (const auto& c : kCases) EXPECT_EQ(ProgramVersionText(c.build), c.text);
}

TEST(ReplaceAllTest, EveryOccurrenceLeftToRightWithoutRescanningValues) {
  const struct {
    const char* text;
    const char* placeholder;
    const char* value;
    const char* result;
  } kCases[] = {
      {"a %X% b %X%", "%X%", "1", "a 1 b 1"},
      {"%X%%X%", "%X%", "%X%", "%X%%X%"},
      {"%X%", "%X%", "%X%%X%", "%X%%X%"},
      {"no placeholder", "%X%", "1", "no placeholder"},
      {"%x%", "%X%", "1", "%x%"},
      {"", "%X%", "1", ""},
      {"%%X%%", "%X%", "", "%%"},
  };
  for (const auto& c : kCases) {
    std::string text = c.text;
    ReplaceAll(&text, c.placeholder, c.value);
    EXPECT_EQ(text, c.result) << c.text;
  }
}

TEST(LoadMessageTextTest, EnglishTextsAndTitles) {
  char buffer[512];
  EXPECT_EQ(LoadMessageText(nullptr, 128, buffer, sizeof buffer, 1033), 5u);
  EXPECT_STREQ(buffer, "Error");
  EXPECT_EQ(LoadMessageText(nullptr, 129, buffer, sizeof buffer, 1033), 7u);
  EXPECT_STREQ(buffer, "Message");
  EXPECT_EQ(LoadMessageText(nullptr, 260, buffer, sizeof buffer, 1033),
            std::strlen(kText260));
  EXPECT_STREQ(buffer, kText260);
  EXPECT_GT(LoadMessageText(nullptr, 256, buffer, sizeof buffer, 1033), 0u);
  EXPECT_STREQ(buffer, "Database updated from %OLDVER% to %NEWVER%.\n");
}

TEST(LoadMessageTextTest, CzechTextsInTheAnsiCodePage) {
  const std::u16string czech = u"Databáze QDB je již aktuální.";
  char expected[128];
  int length = platform::ConvertFromUtf16(platform::AnsiCodePage(), czech.data(),
                                          static_cast<int>(czech.size()),
                                          expected, sizeof expected - 1);
  ASSERT_GT(length, 0);
  expected[length] = '\0';
  char buffer[512];
  EXPECT_EQ(LoadMessageText(nullptr, 257, buffer, sizeof buffer, 1029),
            static_cast<uint32_t>(length));
  EXPECT_STREQ(buffer, expected);
  EXPECT_EQ(LoadMessageText(nullptr, 128, buffer, sizeof buffer, 1029), 5u);
  EXPECT_STREQ(buffer, "Chyba");
}

TEST(LoadMessageTextTest, MissingStringsLeaveTheBufferUntouched) {
  const struct {
    uint32_t id;
    uint16_t language;
  } kCases[] = {
      {267, 1033},  // an empty entry of a block that exists
      {300, 1033},  // a block that does not exist
      {0, 1033},
      {257, 1031},  // a language without texts
  };
  for (const auto& c : kCases) {
    char buffer[16] = "untouched";
    EXPECT_EQ(LoadMessageText(nullptr, c.id, buffer, sizeof buffer, c.language), 0u)
        << c.id;
    EXPECT_STREQ(buffer, "untouched") << c.id;
  }
}

TEST(LoadMessageTextTest, TextLongerThanTheBufferIsNotLoaded) {
  for (uint32_t capacity : {5u, 1u}) {
    char buffer[8] = "xxxxxxx";
    EXPECT_EQ(LoadMessageText(nullptr, 128, buffer, capacity, 1033), 0u) << capacity;
    EXPECT_STREQ(buffer, "") << capacity;
    if (capacity == 1) {
      EXPECT_EQ(buffer[1], 'x');  // nothing past the capacity
    }
  }
}

struct ComposeCase {
  const char* name;
  OutcomeCode outcome;
  bool packagesUpdated;
  int32_t installedQdb;
  int32_t offeredQdb;
  int32_t offeredSetup;
  int32_t installedSetup;
  const char* title;
  uint32_t flags;
  const char* text;
};

TEST(ComposeOutcomeTest, TitleIconAndFilledText) {
  const ComposeCase kCases[] = {
      {"not installed", NotInstalled, false, -1, -1, -1, -1, "Error", 0x10, kText260},
      {"updated", Updated, true, 0x12AB3401, 0x12AB3501, 1110, 1110, "Message", 0x40,
       "Database updated from 12AB34-01 to 12AB35-01.\n"},
      {"updated without installed qdb", Updated, true, -1, 0x12AB3501, 1110, 1110,
       "Message", 0x40, "Database updated from ? to 12AB35-01.\n"},
      {"updated without packages", Updated, false, 1, 2, 1110, 1110, "Message", 0x40,
       "QDB database is already up to date."},
      {"already current", AlreadyCurrent, false, 5, 5, 1110, 1110, "Message", 0x40,
       "QDB database is already up to date."},
      {"install failed", InstallFailed, false, 1, 2, 1110, 1110, "Error", 0x10,
       "Can't install QDB update. Please, report following errorcodes:\n"
       "Ver:4.8.1110\nSI: 0x00000002\nST: 0xFFFFFFFF\nLE: 0x00000000."},
      {"program too new", ProgramTooNew, false, 1, 2, 1050, 1120, "Error", 0x10,
       "This program updates QDB database only for program version 4.8.1050 or "
       "less.\nInstalled program version is 4.8.1120.\nPlease download the latest "
       "qdbupdate again."},
      {"needs program version", NeedsProgramVersion, false, 1, 2, 1050, 797, "Error",
       0x10,
       "This QDB database requires program version 4.8.1050.\nYou've got version "
       "4.7.797 installed.\nDownload and install full setup package, please."},
      {"no text", static_cast<OutcomeCode>(11), false, -1, -1, -1, -1, "Error", 0x10,
       "Error: 0x0000000B"},
  };
  for (const auto& c : kCases) {
    RunState state;
    state.outcome = c.outcome;
    state.packagesUpdated = c.packagesUpdated;
    RunOptions options;
    PartTable table;
    table.qdb.installedVersion = c.installedQdb;
    table.qdb.offeredVersion = c.offeredQdb;
    table.setup.offeredVersion = c.offeredSetup;
    table.installedSetupVersion = c.installedSetup;
    const OutcomeMessage message = ComposeOutcome(nullptr, state, options, table);
    EXPECT_EQ(message.title, c.title) << c.name;
    EXPECT_EQ(message.flags, c.flags) << c.name;
    EXPECT_EQ(message.text, c.text) << c.name;
  }
}

TEST(ComposeOutcomeTest, RawValuesOfTheSetupLibrary) {
  RunState state;
  state.outcome = InstallFailed;
  state.callReturn = -5;
  state.callStatus = 0x2000000A;
  state.lookupError = 127;
  RunOptions options;
  PartTable table;
  const OutcomeMessage message = ComposeOutcome(nullptr, state, options, table);
  EXPECT_NE(message.text.find("Ver:4.1.-1\nSI: 0xFFFFFFFB\nST: 0x2000000A\n"
                              "LE: 0x0000007F."),
            std::string::npos)
      << message.text;
}

TEST(ComposeOutcomeTest, CzechTitles) {
  RunState state;
  RunOptions options;
  options.messageLanguage = kLanguageCzech;
  PartTable table;
  state.outcome = PackageBroken;
  EXPECT_EQ(ComposeOutcome(nullptr, state, options, table).title, "Chyba");
  state.outcome = AlreadyCurrent;
  const std::u16string zprava = u"Zpráva";
  char expected[32];
  int length = platform::ConvertFromUtf16(platform::AnsiCodePage(), zprava.data(),
                                          static_cast<int>(zprava.size()),
                                          expected, sizeof expected - 1);
  ASSERT_GT(length, 0);
  EXPECT_EQ(ComposeOutcome(nullptr, state, options, table).title,
            std::string(expected, static_cast<size_t>(length)));
}

TEST(ShowOutcomeTest, SilentRunReturnsTheOutcome) {
  RunOptions options;
  options.silent = true;
  PartTable table;
  for (uint32_t code = 0; code < kOutcomeCount; ++code) {
    RunState state;
    state.outcome = static_cast<OutcomeCode>(code);
    EXPECT_EQ(ShowOutcome(nullptr, state, options, table), static_cast<int>(code));
  }
}

}  // namespace
}  // namespace qdbupd
