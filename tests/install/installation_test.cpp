#include "install/installation.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "platform/testing.h"
#include "support/reg_writer.h"
#include "support/test_files.h"

namespace qdbupd {
namespace {

using testing::RegWriter;

const char kKey[] = "HKEY_LOCAL_MACHINE\\Software\\Brantel Software\\Pelnor\\4.0";
const char kSubKey[] = "Software\\Brantel Software\\Pelnor\\4.0";

class InstallationTest : public ::testing::Test {
 protected:
  void Use(const RegWriter& writer,
           RegWriter::Encoding encoding = RegWriter::Encoding::kUtf16) {
    const std::string file = dir_.File("registry.reg");
    writer.Save(file, encoding);
    ASSERT_TRUE(platform::testing::UseRegistryFixture(file));
  }
  void TearDown() override { (void)platform::testing::UseRegistryFixture(""); }

  testing::TempDir dir_;
};

struct DiscoveryCase {
  const char* name;
  const char* oemName;
  std::function<void(RegWriter&)> registry;
  bool installed;
  const char* setupFolder;
  const char* product;
  int32_t setupVersion;
  const char* packageFileName;
};

TEST_F(InstallationTest, Discovery) {
  const DiscoveryCase kCases[] = {
      {"no key", "", [](RegWriter& r) { r.Key("HKEY_LOCAL_MACHINE\\Software\\Other"); },
       false, "", "", -1, ""},
      {"folder without setup version", "",
       [](RegWriter& r) { r.Key(kKey).String("Pelnor4ProgramFolder", "C:\\Prog"); },
       false, "C:\\Prog\\setup\\", "ed_alpha", -1, ""},
      {"empty folder", "",
       [](RegWriter& r) {
         r.Key(kKey).String("Pelnor4ProgramFolder", "").Dword("SetupVersion", 1110);
       },
       false, "", "", -1, ""},
      {"complete", "",
       [](RegWriter& r) {
         r.Key(kKey)
             .String("Pelnor4ProgramFolder", "C:\\Prog")
             .String("Product", "ed_gamma")
             .Dword("SetupVersion", 1110);
       },
       true, "C:\\Prog\\setup\\", "ed_gamma", 1110, "prod-ed_gamma.qdu"},
      {"names without regard to case", "",
       [](RegWriter& r) {
         r.Key("HKEY_LOCAL_MACHINE\\SOFTWARE\\brantel software\\PELNOR\\4.0")
             .String("pelnor4programfolder", "C:\\Prog")
             .Dword("SETUPVERSION", 1110);
       },
       true, "C:\\Prog\\setup\\", "ed_alpha", 1110, "prod-ed_alpha.qdu"},
      {"folder ending in a backslash", "",
       [](RegWriter& r) {
         r.Key(kKey).String("Pelnor4ProgramFolder", "C:\\Prog\\").Dword("SetupVersion", 900);
       },
       true, "C:\\Prog\\\\setup\\", "ed_alpha", 900, "prod-ed_alpha.qdu"},
      {"product in capitals", "",
       [](RegWriter& r) {
         r.Key(kKey)
             .String("Pelnor4ProgramFolder", "C:\\Prog")
             .String("Product", "ED_ALPHA")
             .Dword("SetupVersion", 1110);
       },
       true, "C:\\Prog\\setup\\", "ED_ALPHA", 1110, ""},
      {"oem without product", "xyz",
       [](RegWriter& r) {
         r.Key(kKey).String("Pelnor4ProgramFolder", "C:\\Wrong").Dword("SetupVersion", 1);
         r.Key("HKEY_LOCAL_MACHINE\\Software\\Brantel Software\\Pelnor\\xyz\\4.0")
             .String("Pelnor4ProgramFolder", "C:\\Oem")
             .Dword("SetupVersion", 1200);
       },
       true, "C:\\Oem\\setup\\", "oem", 1200, "prod-ed_oem.qdu"},
      {"oem with product", "xyz",
       [](RegWriter& r) {
         r.Key("HKEY_LOCAL_MACHINE\\Software\\Brantel Software\\Pelnor\\xyz\\4.0")
             .String("Pelnor4ProgramFolder", "C:\\Oem")
             .String("Product", "ed_beta")
             .Dword("SetupVersion", 1200);
       },
       true, "C:\\Oem\\setup\\", "ed_beta", 1200, "prod-ed_beta.qdu"},
      {"oem key missing", "xyz",
       [](RegWriter& r) {
         r.Key(kKey).String("Pelnor4ProgramFolder", "C:\\Prog").Dword("SetupVersion", 1);
       },
       false, "", "", -1, ""},
      {"setup version as text", "",
       [](RegWriter& r) {
         r.Key(kKey).String("Pelnor4ProgramFolder", "C:\\Prog").String("SetupVersion", "1110");
       },
       false, "C:\\Prog\\setup\\", "ed_alpha", -1, ""},
      {"setup version all ones", "",
       [](RegWriter& r) {
         r.Key(kKey)
             .String("Pelnor4ProgramFolder", "C:\\Prog")
             .Dword("SetupVersion", 0xFFFFFFFFu);
       },
       false, "C:\\Prog\\setup\\", "ed_alpha", -1, ""},
      {"setup version of two bytes", "",
       [](RegWriter& r) {
         r.Key(kKey)
             .String("Pelnor4ProgramFolder", "C:\\Prog")
             .Hex("SetupVersion", std::string("\x56\x04", 2));
       },
       true, "C:\\Prog\\setup\\", "ed_alpha", 0x456, "prod-ed_alpha.qdu"},
      {"setup version with the top bit", "",
       [](RegWriter& r) {
         r.Key(kKey)
             .String("Pelnor4ProgramFolder", "C:\\Prog")
             .Dword("SetupVersion", 0x80000000u);
       },
       true, "C:\\Prog\\setup\\", "ed_alpha", INT32_MIN, "prod-ed_alpha.qdu"},
  };
  for (auto encoding : {RegWriter::Encoding::kUtf16, RegWriter::Encoding::kUtf8}) {
    for (const auto& c : kCases) {
      SCOPED_TRACE(c.name);
      RegWriter writer;
      c.registry(writer);
      Use(writer, encoding);
      RunOptions options;
      options.oemName = c.oemName;
      InstallInfo info;
      PartTable table;
      EXPECT_EQ(DiscoverInstallation(options, &info, &table), c.installed);
      EXPECT_EQ(info.setupFolder, c.setupFolder);
      EXPECT_EQ(info.product, c.product);
      EXPECT_EQ(info.setupVersion, c.setupVersion);
      EXPECT_EQ(table.installedSetupVersion, c.setupVersion);
      EXPECT_EQ(info.packageFileName, c.packageFileName);
    }
  }
}

TEST_F(InstallationTest, OemNameGoesIntoTheKeyUnchanged) {
  RunOptions options;
  InstallInfo info;
  PartTable table;
  (void)DiscoverInstallation(options, &info, &table);
  EXPECT_EQ(info.registryKey, kSubKey);
  options.oemName = "My OEM";
  (void)DiscoverInstallation(options, &info, &table);
  EXPECT_EQ(info.registryKey, "Software\\Brantel Software\\Pelnor\\My OEM\\4.0");
}

TEST_F(InstallationTest, ReadersLeaveOutputsUntouchedOnFailure) {
  RegWriter writer;
  writer.Key(kKey)
      .String("Text", "hello")
      .String("Empty", "")
      .Dword("Number", 0x1234)
      .Hex("Long", std::string("\x01\x02\x03\x04\x05", 5));
  Use(writer);
  const auto root = platform::RegistryRoot::kLocalMachine;

  std::string text = "preset";
  EXPECT_EQ(ReadRegistryString(root, "Software\\Missing", "Text", &text), 2u);
  EXPECT_EQ(ReadRegistryString(root, kSubKey, "Missing", &text), 2u);
  EXPECT_EQ(text, "preset");
  EXPECT_EQ(ReadRegistryString(root, kSubKey, "Text", &text), 0u);
  EXPECT_EQ(text, "hello");
  EXPECT_EQ(ReadRegistryString(root, kSubKey, "Empty", &text), 0u);
  EXPECT_EQ(text, "");

  int32_t number = 7;
  EXPECT_EQ(ReadRegistryDword(root, kSubKey, "Missing", &number), 2u);
  EXPECT_EQ(ReadRegistryDword(root, kSubKey, "Long", &number), 234u);
  EXPECT_EQ(ReadRegistryDword(root, kSubKey, "Text", &number), 234u);
  EXPECT_EQ(number, 7);
  EXPECT_EQ(ReadRegistryDword(root, kSubKey, "Number", &number), 0u);
  EXPECT_EQ(number, 0x1234);
}

TEST(PackageFileNameTest, EditionsAreMatchedExactly) {
  EXPECT_EQ(PackageFileNameFor("ed_alpha"), "prod-ed_alpha.qdu");
  EXPECT_EQ(PackageFileNameFor("ed_beta"), "prod-ed_beta.qdu");
  EXPECT_EQ(PackageFileNameFor("oem"), "prod-ed_oem.qdu");
  EXPECT_EQ(PackageFileNameFor("ed_gamma"), "prod-ed_gamma.qdu");
  EXPECT_EQ(PackageFileNameFor("ED_ALPHA"), "");
  EXPECT_EQ(PackageFileNameFor("ed_alpha "), "");
  EXPECT_EQ(PackageFileNameFor(""), "");
}

}  // namespace
}  // namespace qdbupd
