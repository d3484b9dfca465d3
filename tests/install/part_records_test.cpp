#include "install/part_records.h"

#include <gtest/gtest.h>

#include <string>

#include "support/test_files.h"

namespace qdbupd {
namespace {

TEST(ParseInstalledTest, NameBeforeTheDashVersionAfterIt) {
  const struct {
    const char* text;
    const char* name;
    int32_t version;
  } kCases[] = {
      {"x-12ab3401", "x", 0x12AB3401},
      {"qdb-0012AB34", "qdb", 0x0012AB34},
      {"a-b-c", "a", 0xB},  // reading stops at the second dash
      {"x-", "x", 0},
      {"-5", "", 5},
      {"x-FFFFFFFF", "x", 0x7FFFFFFF},  // clamped to the signed range
      {"x--FFFFFFFF", "x", INT32_MIN},
      {"x-123456789", "x", 0x7FFFFFFF},
      {"x-0x1a", "x", 0x1A},
      {"x-  +1F zz", "x", 0x1F},
      {"x--1", "x", -1},
      {"x-zz", "x", 0},
  };
  for (const auto& c : kCases) {
    PartRecord record(kPartQdb);
    record.ParseInstalled(c.text);
    EXPECT_EQ(record.installedName, c.name) << c.text;
    EXPECT_EQ(record.installedVersion, c.version) << c.text;
  }
}

TEST(ParseInstalledTest, WithoutDashVersionIsNoneAndNameStays) {
  PartRecord record(kPartQdb);
  record.ParseInstalled("old-1");
  record.ParseInstalled("12ab3401");
  EXPECT_EQ(record.installedVersion, kNoVersion);
  EXPECT_EQ(record.installedName, "old");
  record.ParseInstalled("");
  EXPECT_EQ(record.installedVersion, kNoVersion);
}

TEST(PartKindTest, NamesAndKinds) {
  EXPECT_EQ(PartKindFromName("SETUP"), kPartSetup);
  EXPECT_EQ(PartKindFromName("Qdb"), kPartQdb);
  EXPECT_EQ(PartKindFromName("program"), kPartProgram);
  EXPECT_EQ(PartKindFromName("NEWS"), kPartNews);
  EXPECT_EQ(PartKindFromName("database"), kPartNone);
  EXPECT_EQ(PartKindFromName("qdbx"), kPartNone);
  EXPECT_EQ(PartKindFromName("qd"), kPartNone);
  EXPECT_EQ(PartKindFromName(""), kPartNone);
  EXPECT_STREQ(PartKindName(kPartProgram), "program");
  EXPECT_STREQ(PartKindName(kPartQdb), "qdb");
  EXPECT_STREQ(PartKindName(kPartNews), "news");
  EXPECT_STREQ(PartKindName(kPartSetup), "setup");
  EXPECT_EQ(PartKindName(4), nullptr);
  EXPECT_EQ(PartKindName(-1), nullptr);
}

TEST(PartTableTest, OnlyQdbAndSetupHaveRecords) {
  PartTable table;
  EXPECT_EQ(table.Slot(kPartQdb), &table.qdb);
  EXPECT_EQ(table.Slot(kPartSetup), &table.setup);
  EXPECT_EQ(table.Slot(kPartProgram), nullptr);
  EXPECT_EQ(table.Slot(kPartNews), nullptr);
  EXPECT_EQ(table.Slot(kPartNone), nullptr);
  EXPECT_EQ(table.qdb.kind, kPartQdb);
  EXPECT_EQ(table.setup.kind, kPartSetup);
  EXPECT_EQ(table.installedSetupVersion, kNoVersion);
}

// The setup folder as discovery builds it: program folder + "\setup\".
std::string SetupFolder(const testing::TempDir& dir) {
  return dir.path() + "\\setup\\";
}

TEST(ReadInstalledPartsTest, ReadsQdbAndSetupValues) {
  testing::TempDir dir;
  testing::WriteFile(dir.File("setup/setup.ini"),
                     "[Other]\r\npart.qdb=wrong-1\r\n"
                     "[Parts]\r\npart.program=prg-2\r\n"
                     "part.qdb=qdb-12ab3401\r\nPART.SETUP = setup-456 \r\n");
  PartTable table;
  ReadInstalledParts(SetupFolder(dir), &table);
  EXPECT_EQ(table.qdb.installedName, "qdb");
  EXPECT_EQ(table.qdb.installedVersion, 0x12AB3401);
  EXPECT_EQ(table.setup.installedName, "setup");
  EXPECT_EQ(table.setup.installedVersion, 0x456);
  // The offered side is not touched.
  EXPECT_EQ(table.qdb.offeredVersion, kNoVersion);
}

TEST(ReadInstalledPartsTest, MissingFileSectionOrKeyGiveNoVersions) {
  const char* const kFiles[] = {
      nullptr,                          // no setup.ini at all
      "[Other]\r\npart.qdb=x-1\r\n",    // no [Parts]
      "[Parts]\r\npart.news=n-1\r\n",   // no qdb or setup key
      "[Parts]\r\npart.qdb=12ab\r\n",   // no dash
  };
  for (const char* content : kFiles) {
    testing::TempDir dir;
    if (content) testing::WriteFile(dir.File("setup/setup.ini"), content);
    PartTable table;
    ReadInstalledParts(SetupFolder(dir), &table);
    EXPECT_EQ(table.qdb.installedVersion, kNoVersion) << (content ? content : "none");
    EXPECT_EQ(table.setup.installedVersion, kNoVersion);
    EXPECT_EQ(table.qdb.installedName, "");
    EXPECT_EQ(table.setup.installedName, "");
  }
}

}  // namespace
}  // namespace qdbupd
