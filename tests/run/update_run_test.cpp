#include "run/update_run.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/testing.h"
#include "support/reg_writer.h"
#include "support/test_files.h"

namespace qdbupd {
namespace {

using testing::RegWriter;

TEST(DecideVersionsTest, SignedComparisonsInOrder) {
  constexpr bool kGoOn = true;
  const struct {
    int32_t installedQdb, offeredQdb, offeredSetup, installedSetup;
    bool wanted;
    OutcomeCode outcome;
  } kCases[] = {
      {5, 5, 1110, 1110, false, AlreadyCurrent},
      {5, 4, 1110, 1110, false, PackageOlder},
      {-1, -1, 1110, 1110, false, AlreadyCurrent},
      {5, -1, 1110, 1110, false, PackageOlder},
      {-1, 5, 1110, 1110, kGoOn, Updated},
      {5, 6, 1110, 1110, kGoOn, Updated},     // equal setup builds pass
      {5, 6, 1109, 1110, false, ProgramTooNew},
      {5, 6, -1, 1110, false, ProgramTooNew},  // no setup part offered
      {5, 6, 1111, 1110, kGoOn, Updated},
      // A version with the top bit set is less than every positive one.
      {5, INT32_MIN, 1110, 1110, false, PackageOlder},
      {INT32_MIN, 5, 1110, 1110, kGoOn, Updated},
      {5, 6, INT32_MIN, 1, false, ProgramTooNew},
  };
  for (const auto& c : kCases) {
    PartTable parts;
    parts.qdb.installedVersion = c.installedQdb;
    parts.qdb.offeredVersion = c.offeredQdb;
    parts.setup.offeredVersion = c.offeredSetup;
    parts.setup.installedVersion = 99999;  // setup.ini's build does not count
    parts.installedSetupVersion = c.installedSetup;
    OutcomeCode outcome = Updated;
    EXPECT_EQ(DecideVersions(parts, &outcome), c.wanted)
        << c.installedQdb << " " << c.offeredQdb << " " << c.offeredSetup;
    EXPECT_EQ(outcome, c.outcome)
        << c.installedQdb << " " << c.offeredQdb << " " << c.offeredSetup;
  }
}

const char kKey[] = "HKEY_LOCAL_MACHINE\\Software\\Brantel Software\\Pelnor\\4.0";

class RunStagesTest : public ::testing::Test {
 protected:
  void UseText(const std::string& bytes) {
    const std::string file = dir_.File("registry.reg");
    testing::WriteFile(file, bytes);
    ASSERT_TRUE(platform::testing::UseRegistryFixture(file));
  }
  void Use(const RegWriter& writer) {
    const std::string file = dir_.File("registry.reg");
    writer.Save(file);
    ASSERT_TRUE(platform::testing::UseRegistryFixture(file));
  }
  void TearDown() override { (void)platform::testing::UseRegistryFixture(""); }

  testing::TempDir dir_;
};

TEST_F(RunStagesTest, NoInstallationEndsNotInstalled) {
  ASSERT_TRUE(platform::testing::UseRegistryFixture(""));
  RunContext context;
  RunStages("/silent", &context);
  EXPECT_EQ(context.state.outcome, NotInstalled);
  EXPECT_TRUE(context.options.silent);
  EXPECT_EQ(context.parts.installedSetupVersion, kNoVersion);
}

TEST_F(RunStagesTest, DamagedRegistryFilesEndNotInstalled) {
  const char* const kFiles[] = {
      "REGEDIT9\r\n\r\n[HKEY_LOCAL_MACHINE\\Software\\Brantel Software\\Pelnor\\4.0]\r\n"
      "\"Pelnor4ProgramFolder\"=\"C:\\\\Prog\"\r\n\"SetupVersion\"=dword:00000456\r\n",
      "Windows Registry Editor Version 5.00\r\n\r\n"
      "[HKEY_LOCAL_MACHINE\\Software\\Brantel Software\\Pelnor\\4.0]\r\n"
      "\"Pelnor4ProgramFolder\"=\"C:\\\\Prog\r\n\"SetupVersion\"=dword:00000456\r\n",
      "Windows Registry Editor Version 5.00\r\n\r\n"
      "[HKEY_LOCAL_MACHINE\\Software\\Brantel Software\\Pelnor\\4.0]\r\n"
      "\"Pelnor4ProgramFolder\"=\"C:\\\\Prog\"\r\n\"SetupVersion\"=dword:45x\r\n",
      "Windows Registry Editor Version 5.00\r\n\r\n"
      "[HKEY_LOCAL_MACHINE\\Software\\Brantel Software\\Pelnor\\4.0\r\n"
      "\"Pelnor4ProgramFolder\"=\"C:\\\\Prog\"\r\n\"SetupVersion\"=dword:00000456\r\n",
      "",
      "\xFF\xFE",
  };
  for (const char* file : kFiles) {
    UseText(file);
    RunContext context;
    RunStages("", &context);
    EXPECT_EQ(context.state.outcome, NotInstalled) << file;
  }
}

TEST_F(RunStagesTest, InstallationFoundButNoPackageEndsPackageBroken) {
  const char* const kProducts[] = {"ed_alpha", "ED_ALPHA", "unknown"};
  for (const char* product : kProducts) {
    RegWriter writer;
    writer.Key(kKey)
        .String("Pelnor4ProgramFolder", dir_.path())
        .String("Product", product)
        .Dword("SetupVersion", 1110);
    Use(writer);
    RunContext context;
    RunStages("/sfxstorage " + dir_.path(), &context);
    EXPECT_EQ(context.state.outcome, PackageBroken) << product;
    EXPECT_EQ(context.parts.installedSetupVersion, 1110);
    EXPECT_EQ(context.parts.qdb.installedVersion, kNoVersion);
  }
}

TEST_F(RunStagesTest, PackagePathJoinsStorageFolderAndEditionFile) {
  RegWriter writer;
  writer.Key(kKey)
      .String("Pelnor4ProgramFolder", "C:\\Prog")
      .String("Product", "ed_beta")
      .Dword("SetupVersion", 1110);
  Use(writer);
  RunContext context;
  RunStages("/sfxstorage \"C:\\My Update\\\"", &context);
  EXPECT_EQ(context.packagePath, "C:\\My Update\\prod-ed_beta.qdu");
  RunContext bare;
  RunStages("", &bare);
  EXPECT_EQ(bare.packagePath, "prod-ed_beta.qdu");
}

}  // namespace
}  // namespace qdbupd
