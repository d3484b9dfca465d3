// The POSIX layer's reader of registry files: what reg import would make of
// well-formed and of damaged files.

#include <gtest/gtest.h>

#include <optional>
#include <random>
#include <string>

#include "platform/posix/registry_file.h"
#include "support/reg_writer.h"

namespace {

namespace platform = qdbupd::platform;
using platform::RegistryValue;
using qdbupd::testing::RegWriter;
using qdbupd::testing::Utf8ToUtf16Le;

constexpr char kHeader[] = "Windows Registry Editor Version 5.00\r\n";
constexpr char kTestKey[] = "[HKEY_LOCAL_MACHINE\\Software\\Test]\r\n";

std::optional<RegistryValue> Lookup(const std::string& file,
                                    std::u16string_view key,
                                    std::u16string_view name) {
  const platform::RegistryTree tree = platform::ParseRegistryFile(file);
  const platform::RegistryKeyData* found = platform::FindRegistryKey(tree, key);
  if (found == nullptr) return std::nullopt;
  const RegistryValue* value = platform::FindRegistryValue(*found, name);
  return value != nullptr ? std::optional<RegistryValue>(*value) : std::nullopt;
}

// UTF-16LE data of a text value, with its NUL.
std::string Sz(const std::string& text) {
  return Utf8ToUtf16Le(text) + std::string(2, '\0');
}

std::string Lines(std::initializer_list<const char*> lines) {
  std::string text;
  for (const char* line : lines) text += std::string(line) + "\r\n";
  return text;
}

struct ValueCase {
  const char* what;
  std::string lines;  // after the header and [HKEY_LOCAL_MACHINE\Software\Test]
  bool present;       // of the value "a"
  uint32_t type;
  std::string data;
};

class RegistryValueLine : public ::testing::TestWithParam<ValueCase> {};

TEST_P(RegistryValueLine, ReadsAsRegImportWould) {
  const ValueCase& c = GetParam();
  // A good value after the line under test shows that reading goes on.
  const std::string file =
      kHeader + std::string(kTestKey) + c.lines + "\"after\"=\"ok\"\r\n";
  std::optional<RegistryValue> value = Lookup(file, u"Software\\Test", u"a");
  ASSERT_EQ(value.has_value(), c.present);
  if (c.present) {
    EXPECT_EQ(value->type, c.type);
    EXPECT_EQ(value->data, c.data);
  }
  std::optional<RegistryValue> after =
      Lookup(file, u"Software\\Test", u"after");
  ASSERT_TRUE(after.has_value());
  EXPECT_EQ(after->data, Sz("ok"));
}

const ValueCase kValueCases[] = {
    {"Text", Lines({"\"a\"=\"abc\""}), true, platform::kRegSz, Sz("abc")},
    {"TextWithComment", Lines({"\"a\"=\"abc\"  ; note"}), true,
     platform::kRegSz, Sz("abc")},
    {"BlanksAroundEquals", Lines({"  \"a\" \t=  \"abc\"  "}), true,
     platform::kRegSz, Sz("abc")},
    {"Escapes", Lines({"\"a\"=\"q\\\"b\\\\n\\nr\\rx\\qy\""}), true,
     platform::kRegSz, Sz("q\"b\\n\nr\rxqy")},
    {"EscapedNulIsRefused", Lines({"\"a\"=\"a\\0b\""}), false, 0, ""},
    {"UnterminatedText", Lines({"\"a\"=\"abc"}), false, 0, ""},
    {"TextThenJunk", Lines({"\"a\"=\"abc\" junk"}), false, 0, ""},
    {"UnterminatedName", Lines({"\"a=\"abc\""}), false, 0, ""},
    {"NoEquals", Lines({"\"a\" \"abc\""}), false, 0, ""},
    {"UnknownType", Lines({"\"a\"=qword:1"}), false, 0, ""},
    {"Dword", Lines({"\"a\"=dword:0000045a"}), true, platform::kRegDword,
     std::string("\x5a\x04\0\0", 4)},
    {"DwordShortAndUpperCase", Lines({"\"a\"=DWORD:A ; ten"}), true,
     platform::kRegDword, std::string("\x0a\0\0\0", 4)},
    {"DwordEmpty", Lines({"\"a\"=dword:"}), false, 0, ""},
    {"DwordNineDigits", Lines({"\"a\"=dword:123456789"}), false, 0, ""},
    {"DwordNotHex", Lines({"\"a\"=dword:xyz"}), false, 0, ""},
    {"DwordTwoNumbers", Lines({"\"a\"=dword:12 34"}), false, 0, ""},
    {"Hex", Lines({"\"a\"=hex:00,ff, 7f"}), true, platform::kRegBinary,
     std::string("\0\xff\x7f", 3)},
    {"HexEmpty", Lines({"\"a\"=hex:"}), true, platform::kRegBinary, ""},
    {"HexTyped", Lines({"\"a\"=hex(b):01,02,03,04,05,06,07,08"}), true, 0xb,
     "\x01\x02\x03\x04\x05\x06\x07\x08"},
    {"HexOverAByte", Lines({"\"a\"=hex:100"}), false, 0, ""},
    {"HexBadDigit", Lines({"\"a\"=hex:01,zz"}), false, 0, ""},
    {"HexNoComma", Lines({"\"a\"=hex:01 02"}), false, 0, ""},
    {"HexTypeUnclosed", Lines({"\"a\"=hex(2:41,00"}), false, 0, ""},
    {"HexTypeEmpty", Lines({"\"a\"=hex():41,00"}), false, 0, ""},
    {"HexContinued",
     Lines({"\"a\"=hex:01,02,\\", "  ; a comment between", "", "  03,\\",
            "  04"}),
     true, platform::kRegBinary, "\x01\x02\x03\x04"},
    {"HexContinuationBroken", Lines({"\"a\"=hex:01,\\", "  zz"}), false, 0, ""},
    {"HexContinuationIntoAValue", Lines({"\"a\"=hex:01,\\", "\"b\"=\"x\""}),
     false, 0, ""},
    {"Removal", Lines({"\"a\"=\"x\"", "\"a\"=-"}), true, platform::kRegSz,
     Sz("x")},
    {"LaterWins", Lines({"\"a\"=\"x\"", "\"A\"=dword:00000001"}), true,
     platform::kRegDword, std::string("\x01\0\0\0", 4)},
    {"JunkLineSkipped", Lines({"this is no value", "\"a\"=\"x\""}), true,
     platform::kRegSz, Sz("x")},
    {"RawNulInText", "\"a\"=\"x" + std::string(1, '\0') + "y\"\r\n", true,
     platform::kRegSz, Sz(std::string("x\0y", 3))},
    {"MalformedUtf8", Lines({"\"a\"=\"\xff\""}), true, platform::kRegSz,
     std::string("\xfd\xff\0\0", 4)},
};

INSTANTIATE_TEST_SUITE_P(Cases, RegistryValueLine,
                         ::testing::ValuesIn(kValueCases),
                         [](const ::testing::TestParamInfo<ValueCase>& param) {
                           return std::string(param.param.what);
                         });

TEST(RegistryFile, KeyLinesDecideWhereValuesGo) {
  const std::string file =
      kHeader + Lines({
                    "[HKEY_LOCAL_MACHINE\\Software\\A]",
                    "\"kept\"=\"1\"",
                    "[-HKEY_LOCAL_MACHINE\\Software\\A]",
                    "\"afterDeletion\"=\"1\"",
                    "[HKEY_CURRENT_USER\\Software\\A]",
                    "\"otherRoot\"=\"1\"",
                    "[HKEY_LOCAL_MACHINE\\Software\\A",
                    "\"unclosed\"=\"1\"",
                    "[ HKEY_LOCAL_MACHINE\\Software\\A]",
                    "\"blankFirst\"=\"1\"",
                    "[hkey_local_machine\\software\\a] ; again",
                    "@=\"default\"",
                    "[HKEY_LOCAL_MACHINE\\Software\\A\\B]x]",
                    "\"bracket\"=\"1\"",
                });
  const platform::RegistryTree tree = platform::ParseRegistryFile(file);
  const platform::RegistryKeyData* a =
      platform::FindRegistryKey(tree, u"SOFTWARE\\a");
  ASSERT_NE(a, nullptr);
  EXPECT_NE(platform::FindRegistryValue(*a, u"kept"), nullptr);
  EXPECT_NE(platform::FindRegistryValue(*a, u""), nullptr);
  for (const char16_t* dropped :
       {u"afterDeletion", u"otherRoot", u"unclosed", u"blankFirst"}) {
    EXPECT_EQ(platform::FindRegistryValue(*a, dropped), nullptr);
  }
  EXPECT_NE(Lookup(file, u"Software\\A\\B]x", u"bracket"), std::nullopt);
  EXPECT_NE(platform::FindRegistryKey(tree, u""), nullptr);
  EXPECT_NE(platform::FindRegistryKey(tree, u"Software"), nullptr);
  EXPECT_EQ(platform::FindRegistryKey(tree, u"Software\\B"), nullptr);
}

TEST(RegistryFile, NamesFoldAcrossScripts) {
  EXPECT_EQ(platform::FoldRegistryName(u"\u010Cesk\u00E1 \u017Dlu\u0165"),
            platform::FoldRegistryName(u"\u010Desk\u00C1 \u017Elu\u0164"));
  EXPECT_EQ(platform::FoldRegistryName(u"\u0436\u03B1"), u"\u0416\u0391");
  EXPECT_EQ(platform::RegistryKeyPath(u"\\software\\\\A\\"), u"SOFTWARE\\A");
}

TEST(RegistryFile, HeaderDecidesWhetherThereAreKeys) {
  const std::string body = std::string(kTestKey) + "\"a\"=\"x\"\r\n";
  struct HeaderCase {
    std::string file;
    bool keys;
  };
  const HeaderCase cases[] = {
      {kHeader + body, true},
      {"  Windows Registry Editor Version 5.00  \r\n" + body, true},
      {"REGEDIT4\r\n" + body, false},
      {"\r\n" + std::string(kHeader) + body, false},
      {"Windows Registry Editor Version 5.0\r\n" + body, false},
      {body, false},
      {"", false},
  };
  for (const HeaderCase& c : cases) {
    SCOPED_TRACE(c.file.substr(0, 40));
    EXPECT_EQ(Lookup(c.file, u"Software\\Test", u"a").has_value(), c.keys);
  }
}

TEST(RegistryFile, EncodingsOfTheFile) {
  const std::string text = RegWriter()
                               .Key("HKEY_LOCAL_MACHINE\\Software\\Test")
                               .String("a", "Zpr\xC3\xA1va")
                               .Text();
  const std::string utf16 = "\xFF\xFE" + Utf8ToUtf16Le(text);
  const std::string files[] = {
      text,
      "\xEF\xBB\xBF" + text,
      utf16,
      utf16 + "\x41",  // an odd last byte
      std::string(text).replace(text.find("\r\n"), 2, "\n"),
      std::string(text).replace(text.find("\r\n"), 2, "\r"),
  };
  for (const std::string& file : files) {
    SCOPED_TRACE(file.substr(0, 12));
    std::optional<RegistryValue> value = Lookup(file, u"Software\\Test", u"a");
    ASSERT_TRUE(value.has_value());
    EXPECT_EQ(value->data, Sz("Zpr\xC3\xA1va"));
  }
}

// However a file is cut or damaged, reading it ends and what it holds is
// well formed (run under the sanitizers, a fault here shows as a crash).
TEST(RegistryFile, DamagedFilesNeverBreakTheReader) {
  std::string longBlob(200, '\x5a');
  RegWriter writer;
  writer.Key("HKEY_LOCAL_MACHINE\\Software\\Brantel Software\\Pelnor\\4.0")
      .String("Pelnor4ProgramFolder", "C:\\Program Files\\Pelnor \"4\"")
      .Dword("SetupVersion", 1110)
      .Hex("Blob", longBlob)
      .Hex("Multi", Utf8ToUtf16Le("a") + std::string(4, '\0'), 7);
  const std::string files[] = {writer.Text(),
                               "\xFF\xFE" + Utf8ToUtf16Le(writer.Text())};
  std::mt19937 random(20240611);
  for (const std::string& file : files) {
    for (size_t cut = 0; cut <= file.size(); ++cut) {
      platform::ParseRegistryFile(std::string_view(file).substr(0, cut));
    }
    for (int round = 0; round < 2000; ++round) {
      std::string damaged = file;
      for (int flips = 1 + static_cast<int>(random() % 4); flips > 0; --flips) {
        damaged[random() % damaged.size()] = static_cast<char>(random());
      }
      const platform::RegistryTree tree = platform::ParseRegistryFile(damaged);
      for (const auto& key : tree.keys) {
        for (const auto& value : key.second.values) {
          if (value.second.type == platform::kRegDword) {
            EXPECT_EQ(value.second.data.size(), 4u);
          }
        }
      }
    }
  }
}

TEST(RegistryFile, LargeFileIsReadWhole) {
  std::string file = kHeader;
  for (int i = 0; i < 100000; ++i) {
    file += "[HKEY_LOCAL_MACHINE\\Software\\Many\\K" + std::to_string(i) +
            "]\r\n\"v\"=dword:" + std::to_string(i % 10) + "\r\n";
  }
  const platform::RegistryTree tree = platform::ParseRegistryFile(file);
  EXPECT_EQ(tree.keys.size(),
            100000u + 3u);  // with Software\Many, Software, the root
  EXPECT_NE(Lookup(file, u"Software\\Many\\K99999", u"v"), std::nullopt);
}

}  // namespace
