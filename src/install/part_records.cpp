#include "install/part_records.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <new>

#include "platform/ascii.h"
#include "platform/platform.h"
#include "run/join_path.h"

namespace qdbupd {

namespace {

// Hexadecimal with the C library's rules; out-of-range values clamp to the
// signed 32-bit range (long long so that a 64-bit long does not widen it).
int32_t ParseHexVersion(const char* text) {
  long long value = std::strtoll(text, nullptr, 16);
  if (value > INT32_MAX) return INT32_MAX;
  if (value < INT32_MIN) return INT32_MIN;
  return static_cast<int32_t>(value);
}

constexpr char kSetupIni[] = "setup.ini";
constexpr char kPartsSection[] = "Parts";
constexpr uint32_t kValueCapacity = 32768;
constexpr size_t kKeyCapacity = 256;

}  // namespace

void PartRecord::ParseInstalled(const std::string& text) {
  // Step by characters so that the second byte of a double-byte character
  // is never taken for the dash.
  const uint32_t length = static_cast<uint32_t>(text.size());
  uint32_t i = 0;
  while (i < length && text[i] != '-') {
    i += static_cast<uint32_t>(platform::AnsiCharLength(text.c_str() + i, length - i));
  }
  if (i >= length) {
    installedVersion = kNoVersion;
    return;
  }
  installedName = text.substr(0, i);
  installedVersion = ParseHexVersion(text.c_str() + i + 1);
}

PartRecord* PartTable::Slot(PartKind kind) {
  switch (kind) {
    case kPartQdb: return &qdb;
    case kPartSetup: return &setup;
    default: return nullptr;
  }
}

PartKind PartKindFromName(const std::string& name) {
  static const PartKind kOrder[] = {kPartSetup, kPartProgram, kPartNews, kPartQdb};
  for (PartKind kind : kOrder) {
    if (EqualsIgnoringAsciiCase(name, PartKindName(kind))) return kind;
  }
  return kPartNone;
}

const char* PartKindName(PartKind kind) {
  static const char* const kNames[] = {"program", "qdb", "news", "setup"};
  if (kind < 0 || kind >= kPartKindCount) return nullptr;
  return kNames[kind];
}

void ReadInstalledParts(const std::string& setupFolder, PartTable* table) {
  const std::string file = JoinPath(setupFolder, kSetupIni);
  std::unique_ptr<char[]> value(new (std::nothrow) char[kValueCapacity]);
  if (!value) return;  // nothing read: the records keep their defaults
  for (PartKind kind = 0; kind < kPartKindCount; ++kind) {
    char key[kKeyCapacity];
    std::snprintf(key, sizeof key, "part.%s", PartKindName(kind));
    value[0] = '\0';
    platform::ReadProfileString(kPartsSection, key, "", value.get(),
                                kValueCapacity, file.c_str());
    // program and news are read like the others but have no record.
    if (PartRecord* record = table->Slot(kind)) record->ParseInstalled(value.get());
  }
}

}  // namespace qdbupd
