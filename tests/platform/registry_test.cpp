// HKEY_LOCAL_MACHINE reads: fixtures written as .reg files, read back with
// the RegQueryValueExA sizes and error codes.

#include <gtest/gtest.h>

#include <string>

#include "platform/platform.h"
#include "platform/testing.h"
#include "support/reg_writer.h"
#include "support/test_files.h"

namespace {

namespace platform = qdbupd::platform;
using qdbupd::testing::RegWriter;
using qdbupd::testing::TempDir;
using qdbupd::testing::Utf8ToUtf16Le;

constexpr char kKey[] =
    "HKEY_LOCAL_MACHINE\\Software\\Brantel Software\\Pelnor\\4.0";
constexpr char kSubKey[] = "Software\\Brantel Software\\Pelnor\\4.0";

std::string Bytes(const char* text, size_t size) {
  return std::string(text, size);
}

// A text value's data: the text and its NUL.
std::string Sz(const std::string& text) { return text + '\0'; }

// Both queries of a read, as the program makes them: size first, then data.
uint32_t ReadValue(const char* subKey, const char* name, std::string* data) {
  platform::RegistryKey key = nullptr;
  uint32_t status = platform::OpenRegistryKey(
      platform::RegistryRoot::kLocalMachine, subKey, &key);
  if (status != platform::kErrorSuccess) return status;
  uint32_t size = 0;
  status = platform::QueryRegistryValue(key, name, nullptr, &size);
  if (status == platform::kErrorSuccess) {
    std::string buffer(size, '\xEE');
    uint32_t fetched = size;
    status = platform::QueryRegistryValue(key, name, &buffer[0], &fetched);
    EXPECT_EQ(fetched, size);
    if (status == platform::kErrorSuccess) *data = buffer;
  }
  platform::CloseRegistryKey(key);
  return status;
}

class RegistryTest : public ::testing::TestWithParam<RegWriter::Encoding> {
 protected:
  void TearDown() override {
    EXPECT_TRUE(platform::testing::UseRegistryFixture(""));
  }

  void Install(const RegWriter& writer) {
    const std::string file =
        dir_.File("fixture" + std::to_string(count_++) + ".reg");
    writer.Save(file, GetParam());
    ASSERT_TRUE(platform::testing::UseRegistryFixture(file));
  }

  TempDir dir_;
  int count_ = 0;
};

struct ValueCase {
  const char* name;
  std::string data;  // what RegQueryValueExA hands out
};

TEST_P(RegistryTest, ValuesReadBackWithTheirData) {
  std::string longBlob;
  for (int i = 0; i < 300; ++i) longBlob += static_cast<char>(i * 7);
  Install(
      RegWriter()
          .Key(kKey)
          .String("Pelnor4ProgramFolder", "C:\\Program Files\\Pelnor")
          .String("Product", "ed_beta")
          .String("Quoted", "say \"hi\" \\o/")
          .String("Blank", "")
          .String("", "the default")
          .Dword("SetupVersion", 1110)
          .Dword("All ones", 0xFFFFFFFF)
          .Hex("Blob", Bytes("\x01\x00\xFF", 3))
          .Hex("Nothing", "")
          .Hex("Long", longBlob)
          .Hex("Expand", Utf8ToUtf16Le("%SystemRoot%\\x") + Bytes("\0\0", 2), 2)
          .Hex("Multi",
               Utf8ToUtf16Le("a") + Bytes("\0\0", 2) + Utf8ToUtf16Le("b") +
                   Bytes("\0\0\0\0", 4),
               7));
  const ValueCase cases[] = {
      {"Pelnor4ProgramFolder", Sz("C:\\Program Files\\Pelnor")},
      {"Product", Sz("ed_beta")},
      {"Quoted", Sz("say \"hi\" \\o/")},
      {"Blank", Sz("")},
      {"", Sz("the default")},
      {"SetupVersion", Bytes("\x56\x04\x00\x00", 4)},
      {"All ones", Bytes("\xFF\xFF\xFF\xFF", 4)},
      {"Blob", Bytes("\x01\x00\xFF", 3)},
      {"Nothing", ""},
      {"Long", longBlob},
      {"Expand", Sz("%SystemRoot%\\x")},
      {"Multi", Bytes("a\0b\0\0", 5)},
  };
  for (const ValueCase& c : cases) {
    SCOPED_TRACE(c.name);
    std::string data = "untouched";
    EXPECT_EQ(ReadValue(kSubKey, c.name, &data), platform::kErrorSuccess);
    EXPECT_EQ(data, c.data);
  }
}

TEST_P(RegistryTest, SizeIsToldWithoutBufferAndShortBufferGivesMoreData) {
  Install(RegWriter().Key(kKey).String("Text", "hello").Dword("Number", 7));
  platform::RegistryKey key = nullptr;
  ASSERT_EQ(platform::OpenRegistryKey(platform::RegistryRoot::kLocalMachine,
                                      kSubKey, &key),
            platform::kErrorSuccess);
  struct SizeCase {
    const char* name;
    uint32_t size;
  };
  for (const SizeCase& c : {SizeCase{"Text", 6}, SizeCase{"Number", 4}}) {
    SCOPED_TRACE(c.name);
    uint32_t size = 0;
    EXPECT_EQ(platform::QueryRegistryValue(key, c.name, nullptr, &size),
              platform::kErrorSuccess);
    EXPECT_EQ(size, c.size);

    char buffer[16];
    size = c.size - 1;
    EXPECT_EQ(platform::QueryRegistryValue(key, c.name, buffer, &size),
              platform::kErrorMoreData);
    EXPECT_EQ(size, c.size);

    size = sizeof buffer;
    EXPECT_EQ(platform::QueryRegistryValue(key, c.name, buffer, &size),
              platform::kErrorSuccess);
    EXPECT_EQ(size, c.size);
  }
  platform::CloseRegistryKey(key);
}

TEST_P(RegistryTest, MissingKeyOrValueIsFileNotFound) {
  Install(RegWriter().Key(kKey).String("Product", "ed_alpha"));
  platform::RegistryKey key = reinterpret_cast<platform::RegistryKey>(&count_);
  EXPECT_EQ(platform::OpenRegistryKey(
                platform::RegistryRoot::kLocalMachine,
                "Software\\Brantel Software\\Pelnor\\xyz\\4.0", &key),
            platform::kErrorFileNotFound);
  EXPECT_EQ(key, reinterpret_cast<platform::RegistryKey>(&count_));

  std::string data = "untouched";
  EXPECT_EQ(ReadValue(kSubKey, "SetupVersion", &data),
            platform::kErrorFileNotFound);
  EXPECT_EQ(data, "untouched");
}

TEST_P(RegistryTest, NamesMatchWithoutRegardToCase) {
  Install(RegWriter().Key(kKey).String("Pelnor4ProgramFolder", "C:\\P"));
  std::string data;
  EXPECT_EQ(ReadValue("SOFTWARE\\brantel software\\PELNOR\\4.0",
                      "pelnor4programFOLDER", &data),
            platform::kErrorSuccess);
  EXPECT_EQ(data, Sz("C:\\P"));
}

TEST_P(RegistryTest, AncestorsOfAKeyExist) {
  Install(RegWriter().Key(kKey).Dword("SetupVersion", 1));
  for (const char* ancestor : {"Software", "Software\\Brantel Software",
                               "Software\\Brantel Software\\Pelnor"}) {
    SCOPED_TRACE(ancestor);
    std::string data;
    EXPECT_EQ(
        ReadValue(ancestor, "SetupVersion", &data),
        platform::kErrorFileNotFound);  // the key opens, the value is not there
  }
}

TEST_P(RegistryTest, LaterValueOfTheSameNameWins) {
  Install(RegWriter()
              .Key(kKey)
              .String("Product", "ed_alpha")
              .Key("HKEY_LOCAL_MACHINE\\Software\\Other")
              .String("Product", "other")
              .Key(kKey)
              .String("PRODUCT", "ed_gamma"));
  std::string data;
  EXPECT_EQ(ReadValue(kSubKey, "Product", &data), platform::kErrorSuccess);
  EXPECT_EQ(data, Sz("ed_gamma"));
}

TEST_P(RegistryTest, TextIsGivenInTheAnsiCodePage) {
  Install(RegWriter().Key(kKey).String("Title", "Zpr\xC3\xA1va"));
  const char16_t title[] = u"Zpr\u00E1va";
  char expected[32];
  const int length = platform::ConvertFromUtf16(platform::AnsiCodePage(), title,
                                                6, expected, sizeof expected);
  ASSERT_GT(length, 0);
  std::string data;
  EXPECT_EQ(ReadValue(kSubKey, "Title", &data), platform::kErrorSuccess);
  EXPECT_EQ(data, std::string(expected, static_cast<size_t>(length)) + '\0');
}

TEST_P(RegistryTest, EveryOpenReadsTheFixtureInPlace) {
  Install(RegWriter().Key(kKey).Dword("SetupVersion", 1));
  std::string data;
  EXPECT_EQ(ReadValue(kSubKey, "SetupVersion", &data), platform::kErrorSuccess);
  EXPECT_EQ(data, Bytes("\x01\0\0\0", 4));

  Install(RegWriter().Key(kKey).Dword("SetupVersion", 2));
  EXPECT_EQ(ReadValue(kSubKey, "SetupVersion", &data), platform::kErrorSuccess);
  EXPECT_EQ(data, Bytes("\x02\0\0\0", 4));

  ASSERT_TRUE(platform::testing::UseRegistryFixture(""));
  EXPECT_EQ(ReadValue(kSubKey, "SetupVersion", &data),
            platform::kErrorFileNotFound);
}

INSTANTIATE_TEST_SUITE_P(
    Encodings, RegistryTest,
    ::testing::Values(RegWriter::Encoding::kUtf16, RegWriter::Encoding::kUtf8),
    [](const ::testing::TestParamInfo<RegWriter::Encoding>& param) {
      return param.param == RegWriter::Encoding::kUtf16 ? "Utf16" : "Utf8";
    });

TEST(RegistryFixture, MissingFixtureFileIsRefused) {
  TempDir dir;
  EXPECT_FALSE(platform::testing::UseRegistryFixture(dir.File("missing.reg")));
  EXPECT_TRUE(platform::testing::UseRegistryFixture(""));
}

}  // namespace
