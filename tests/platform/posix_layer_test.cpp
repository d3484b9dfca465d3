// What only the POSIX layer does: the command tail, the language and code
// page from the locale, path rewriting, the terminal message box, and the
// registry file and profile cases that Windows has no counterpart for.

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <optional>
#include <string>

#include "platform/platform.h"
#include "platform/posix/code_page.h"
#include "platform/posix/command_tail.h"
#include "platform/posix/path.h"
#include "platform/testing.h"
#include "support/reg_writer.h"
#include "support/test_files.h"

namespace {

namespace platform = qdbupd::platform;
using qdbupd::testing::RegWriter;
using qdbupd::testing::TempDir;
using qdbupd::testing::Utf8ToUtf16Le;
using qdbupd::testing::WriteFile;

// Sets environment variables for one test and puts the old values back.
class ScopedEnvironment {
 public:
  ~ScopedEnvironment() {
    for (const auto& saved : saved_) {
      platform::testing::SetEnvironment(
          saved.first, saved.second ? saved.second->c_str() : nullptr);
    }
  }
  void Set(const std::string& name, const char* value) {
    const char* old = std::getenv(name.c_str());
    saved_.emplace_back(name,
                        old ? std::optional<std::string>(old) : std::nullopt);
    platform::testing::SetEnvironment(name, value);
  }

 private:
  std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

// Switches the locale for one test; the library itself never calls setlocale.
class ScopedLocale {
 public:
  explicit ScopedLocale(const char* name) {
    ok_ = std::setlocale(LC_ALL, name) != nullptr;
  }
  ~ScopedLocale() { std::setlocale(LC_ALL, "C"); }
  bool ok() const { return ok_; }

 private:
  bool ok_;
};

TEST(CommandTail, JoinsArgumentsAsWindowsHandsThemOver) {
  struct TailCase {
    std::vector<std::string> arguments;
    std::string tail;
  };
  const TailCase cases[] = {
      {{}, ""},
      {{"/silent"}, "/silent"},
      {{"/sfxstorage", "/tmp/x y", "/lang", "cs"},
       "/sfxstorage \"/tmp/x y\" /lang cs"},
      {{"", "a\tb", "q\"uote"}, "\"\" \"a\tb\" q\"uote"},
      {{"back\\slash"}, "back\\slash"},
  };
  for (const TailCase& c : cases) {
    std::vector<char*> argv;
    std::string program = "qdbupd";
    argv.push_back(program.data());
    std::vector<std::string> copies = c.arguments;
    for (std::string& argument : copies) argv.push_back(argument.data());
    argv.push_back(nullptr);
    EXPECT_EQ(platform::BuildCommandTail(static_cast<int>(copies.size() + 1),
                                         argv.data()),
              c.tail);
  }
}

TEST(UserLanguage, FromTheFirstSetLocaleVariable) {
  struct LanguageCase {
    const char* lcAll;
    const char* lcMessages;
    const char* lang;
    uint16_t language;
  };
  const LanguageCase cases[] = {
      {nullptr, nullptr, nullptr, 0x0409},
      {nullptr, nullptr, "cs_CZ.UTF-8", 0x0405},
      {"", nullptr, "sk", 0x041B},  // empty counts as unset
      {nullptr, "de_DE@euro", "cs_CZ", 0x0407},
      {"es.UTF-8", "de_DE", "cs_CZ", 0x0C0A},
      {"fr_FR", nullptr, nullptr, 0x040C},
      {"it", nullptr, nullptr, 0x0410},
      {"nl_NL", nullptr, nullptr, 0x0413},
      {"pl_PL", nullptr, nullptr, 0x0415},
      {"csb_PL", nullptr, nullptr, 0x0409},  // the prefix must be "cs"
      {"C.UTF-8", nullptr, "cs_CZ", 0x0409},
  };
  for (const LanguageCase& c : cases) {
    ScopedEnvironment environment;
    environment.Set("LC_ALL", c.lcAll);
    environment.Set("LC_MESSAGES", c.lcMessages);
    environment.Set("LANG", c.lang);
    EXPECT_EQ(platform::UserDefaultLanguage(), c.language)
        << (c.lcAll ? c.lcAll : "-") << " "
        << (c.lcMessages ? c.lcMessages : "-") << " "
        << (c.lang ? c.lang : "-");
  }
}

TEST(CodePage, FromTheCodesetName) {
  struct CodesetCase {
    const char* codeset;
    uint32_t codePage;
  };
  const CodesetCase cases[] = {
      {"UTF-8", 65001},      {"utf8", 65001},        {"ANSI_X3.4-1968", 20127},
      {"ISO-8859-2", 28592}, {"ISO-8859-15", 28605}, {"ISO-8859-17", 20127},
      {"CP1250", 1250},      {"cp1252", 1252},       {"CP", 20127},
      {"CP12a", 20127},      {"KOI8-R", 20127},      {nullptr, 20127},
  };
  for (const CodesetCase& c : cases) {
    EXPECT_EQ(platform::CodePageFromCodeset(c.codeset), c.codePage)
        << (c.codeset ? c.codeset : "null");
  }
  EXPECT_EQ(platform::IconvNameOfCodePage(28592), "ISO-8859-2");
  EXPECT_EQ(platform::IconvNameOfCodePage(1250), "CP1250");
}

TEST(CodePage, FollowsTheProgramsLocale) {
  EXPECT_EQ(platform::AnsiCodePage(), 20127u);  // nobody called setlocale yet
  ScopedLocale locale("C.UTF-8");
  ASSERT_TRUE(locale.ok());
  EXPECT_EQ(platform::AnsiCodePage(), 65001u);
}

TEST(CodePage, ToUtf16ReplacesWhatDoesNotDecode) {
  EXPECT_EQ(platform::ConvertToUtf16(1250, "\x8a\xe8x"), u"\u0160\u010Dx");
  EXPECT_EQ(platform::ConvertToUtf16(65001, "a\xc3"), u"a\uFFFD");
  EXPECT_EQ(platform::ConvertToUtf16(20127, "a\xe8"), u"a\uFFFD");
  EXPECT_EQ(platform::ConvertToUtf16(932, "\x82"),
            u"\uFFFD");  // cut double byte
}

TEST(Path, BackslashesBecomeSlashes) {
  EXPECT_EQ(platform::ToPosixPath("/opt/pelnor\\setup\\setup.ini"),
            "/opt/pelnor/setup/setup.ini");
  EXPECT_EQ(platform::ToPosixPath("\"quoted\\x\""), "\"quoted/x\"");
  EXPECT_EQ(platform::ToPosixPath(nullptr), "");
}

TEST(MessageBox, ErrorsGoToStandardErrorTheRestToStandardOutput) {
  ::testing::internal::CaptureStdout();
  ::testing::internal::CaptureStderr();
  platform::ShowMessageBox("Database updated.\n", "Message",
                           platform::kMessageBoxIconInformation);
  platform::ShowMessageBox("Not installed.", "Error",
                           platform::kMessageBoxIconError);
  EXPECT_EQ(::testing::internal::GetCapturedStderr(),
            "Error\nNot installed.\n");
  EXPECT_EQ(::testing::internal::GetCapturedStdout(),
            "Message\nDatabase updated.\n");
}

class PosixRegistryTest : public ::testing::Test {
 protected:
  void TearDown() override {
    EXPECT_TRUE(platform::testing::UseRegistryFixture(""));
  }

  // Data of value name of Software\Test, or the error code as text.
  static std::string Read(const char* name, uint32_t bufferSize = 64) {
    platform::RegistryKey key = nullptr;
    uint32_t status = platform::OpenRegistryKey(
        platform::RegistryRoot::kLocalMachine, "Software\\Test", &key);
    if (status != 0) return "error " + std::to_string(status);
    std::string buffer(bufferSize, '#');
    uint32_t size = bufferSize;
    status = platform::QueryRegistryValue(key, name, &buffer[0], &size);
    platform::CloseRegistryKey(key);
    if (status != 0) return "error " + std::to_string(status);
    return buffer.substr(0, size) + "|" + buffer.substr(size, 1);
  }

  TempDir dir_;
};

TEST_F(PosixRegistryTest, KeyHandleOutlivesTheFile) {
  const std::string file = dir_.File("r.reg");
  RegWriter()
      .Key("HKEY_LOCAL_MACHINE\\Software\\Test")
      .Dword("v", 5)
      .Save(file);
  ASSERT_TRUE(platform::testing::UseRegistryFixture(file));
  platform::RegistryKey key = nullptr;
  ASSERT_EQ(platform::OpenRegistryKey(platform::RegistryRoot::kLocalMachine,
                                      "Software\\Test", &key),
            0u);
  WriteFile(file, "garbage");
  uint32_t value = 0;
  uint32_t size = sizeof value;
  EXPECT_EQ(platform::QueryRegistryValue(key, "v", &value, &size), 0u);
  EXPECT_EQ(value, 5u);
  platform::CloseRegistryKey(key);
  platform::CloseRegistryKey(nullptr);
}

TEST_F(PosixRegistryTest, UnreadableRegistryFileHoldsNoKeys) {
  ScopedEnvironment environment;
  environment.Set("QDBUPD_REGISTRY", dir_.path().c_str());  // a folder
  EXPECT_EQ(Read("v"), "error 2");
  // A FIFO would block a plain open until a writer comes.
  ASSERT_EQ(platform::testing::RunProcess("mkfifo '" + dir_.File("fifo") + "'",
                                          "", ""),
            0);
  environment.Set("QDBUPD_REGISTRY", dir_.File("fifo").c_str());
  EXPECT_EQ(Read("v"), "error 2");
}

TEST_F(PosixRegistryTest, TextTypesAreConvertedAndEnded) {
  const std::string file = dir_.File("r.reg");
  RegWriter()
      .Key("HKEY_LOCAL_MACHINE\\Software\\Test")
      .String("czech", "Zpr\xC3\xA1va")
      .Hex("noNul", Utf8ToUtf16Le("abc"), 1)
      .Hex("odd", Utf8ToUtf16Le("ab") + "\x01", 2)
      .Hex("binaryStaysRaw", Utf8ToUtf16Le("ab"), 3)
      .Save(file, RegWriter::Encoding::kUtf8);
  ASSERT_TRUE(platform::testing::UseRegistryFixture(file));
  EXPECT_EQ(Read("czech"), std::string("Zpr?va\0|#", 9));  // C locale: ASCII
  // Windows adds the missing NUL when there is room, without counting it.
  EXPECT_EQ(Read("noNul"), std::string("abc|\0", 5));
  EXPECT_EQ(Read("noNul", 3), "abc|");
  EXPECT_EQ(Read("odd"), std::string("ab|\0", 4));
  EXPECT_EQ(Read("binaryStaysRaw"), std::string("a\0b\0|#", 6));
  {
    ScopedLocale locale("C.UTF-8");
    ASSERT_TRUE(locale.ok());
    EXPECT_EQ(Read("czech"), std::string("Zpr\xC3\xA1va\0|#", 10));
  }
}

TEST_F(PosixRegistryTest, NullArgumentsAsWindowsTreatsThem) {
  const std::string file = dir_.File("r.reg");
  RegWriter()
      .Key("HKEY_LOCAL_MACHINE\\Software\\Test")
      .String("", "d")
      .Save(file);
  ASSERT_TRUE(platform::testing::UseRegistryFixture(file));
  EXPECT_EQ(platform::OpenRegistryKey(platform::RegistryRoot::kLocalMachine,
                                      "x", nullptr),
            platform::kErrorInvalidParameter);
  platform::RegistryKey key = nullptr;
  ASSERT_EQ(platform::OpenRegistryKey(platform::RegistryRoot::kLocalMachine,
                                      "Software\\Test", &key),
            0u);
  char buffer[4];
  EXPECT_EQ(platform::QueryRegistryValue(key, nullptr, nullptr, nullptr), 0u);
  EXPECT_EQ(platform::QueryRegistryValue(key, nullptr, buffer, nullptr),
            platform::kErrorInvalidParameter);
  uint32_t size = sizeof buffer;
  EXPECT_EQ(platform::QueryRegistryValue(key, nullptr, buffer, &size), 0u);
  EXPECT_EQ(std::string(buffer, size), std::string("d\0", 2));
  EXPECT_EQ(platform::QueryRegistryValue(nullptr, "x", buffer, &size),
            platform::kErrorInvalidHandle);
  platform::CloseRegistryKey(key);
  // The root opens even with no registry file at all.
  ASSERT_TRUE(platform::testing::UseRegistryFixture(""));
  ASSERT_EQ(platform::OpenRegistryKey(platform::RegistryRoot::kLocalMachine, "",
                                      &key),
            0u);
  platform::CloseRegistryKey(key);
}

TEST(PosixProfile, EncodedFilesAndPosixOnlyRules) {
  TempDir dir;
  const std::string text =
      "top=before any section\r\n[ Spaced "
      "]\r\nk=spaced\x1A\r\n[Parts]\r\npart.qdb=x-1\r\n";
  struct FileCase {
    const char* what;
    std::string bytes;
  };
  const FileCase files[] = {
      {"plain", text},
      {"utf8 mark", "\xEF\xBB\xBF" + text},
      {"utf16 mark", "\xFF\xFE" + Utf8ToUtf16Le(text)},
  };
  for (const FileCase& f : files) {
    SCOPED_TRACE(f.what);
    const std::string file = dir.File(std::string(f.what) + ".ini");
    WriteFile(file, f.bytes);
    char buffer[64];
    platform::ReadProfileString("Parts", "part.qdb", "", buffer, sizeof buffer,
                                file.c_str());
    EXPECT_STREQ(buffer, "x-1");
    platform::ReadProfileString("Spaced", "k", "", buffer, sizeof buffer,
                                file.c_str());
    EXPECT_STREQ(buffer, "spaced");
    platform::ReadProfileString("", "top", "", buffer, sizeof buffer,
                                file.c_str());
    EXPECT_STREQ(buffer, "before any section");
  }
  char buffer[4] = "###";
  EXPECT_EQ(
      platform::ReadProfileString("Parts", "part.qdb", "d", buffer, 0, "x"),
      0u);
  EXPECT_STREQ(buffer, "###");
  EXPECT_EQ(
      platform::ReadProfileString("Parts", "part.qdb", "d", buffer, 1, "x"),
      0u);
  EXPECT_STREQ(buffer, "");
}

}  // namespace
