// The installed and offered versions of the two parts that an update
// concerns (the QDB database and the setup), and the table that gives every
// part kind its slot.

#ifndef QDBUPD_INSTALL_PART_RECORDS_H_
#define QDBUPD_INSTALL_PART_RECORDS_H_

#include <cstdint>
#include <string>

namespace qdbupd {

// A part's kind; the numbers are the table's slots.  -1 is no kind at all.
using PartKind = int32_t;
constexpr PartKind kPartNone = -1;
constexpr PartKind kPartProgram = 0;
constexpr PartKind kPartQdb = 1;
constexpr PartKind kPartNews = 2;
constexpr PartKind kPartSetup = 3;
constexpr PartKind kPartKindCount = 4;

// Versions are signed and -1 stands for "none".
constexpr int32_t kNoVersion = -1;

struct PartRecord {
  explicit PartRecord(PartKind recordKind) : kind(recordKind) {}

  // Sets installedName and installedVersion from a "setup.ini" value
  // "NAME-HEXVERSION".  Without a dash installedVersion becomes -1 and
  // installedName is kept.
  void ParseInstalled(const std::string& text);

  std::string installedName;
  int32_t installedVersion = kNoVersion;
  std::string offeredName;
  int32_t offeredVersion = kNoVersion;
  PartKind kind;
};

struct PartTable {
  PartRecord qdb{kPartQdb};
  PartRecord setup{kPartSetup};
  // The installed setup build from the registry value "SetupVersion".
  int32_t installedSetupVersion = kNoVersion;

  // The record in the slot of kind, or null for kinds without a record
  // (program, news) and for values that are no kind.
  PartRecord* Slot(PartKind kind);
};

// The kind of a type name, compared without regard to letter case with
// "setup", "program", "news" and "qdb" in that order; -1 when none matches.
PartKind PartKindFromName(const std::string& name);

// "program", "qdb", "news" or "setup" for kinds 0 to 3; null for any other.
const char* PartKindName(PartKind kind);

// Reads "part.program", "part.qdb", "part.news" and "part.setup" of section
// "Parts" of setup.ini in setupFolder into the records that have a slot.  A
// missing file, section or key reads as an empty value; nothing is reported.
void ReadInstalledParts(const std::string& setupFolder, PartTable* table);

}  // namespace qdbupd

#endif  // QDBUPD_INSTALL_PART_RECORDS_H_
