// Finding the installed product through its registry key.

#ifndef QDBUPD_INSTALL_INSTALLATION_H_
#define QDBUPD_INSTALL_INSTALLATION_H_

#include <cstdint>
#include <string>

#include "install/part_records.h"
#include "platform/platform.h"
#include "run/run_options.h"

namespace qdbupd {

struct InstallInfo {
  std::string registryKey;    // below HKEY_LOCAL_MACHINE
  std::string programFolder;  // "Pelnor4ProgramFolder"
  std::string setupFolder;    // programFolder + "\setup\"
  std::string product;        // "Product", or the default edition
  int32_t setupVersion = kNoVersion;  // "SetupVersion"
  std::string packageFileName;        // empty for an unknown edition
};

// Reads the installation's key (the OEM key when options.oemName is set):
// program folder, then edition, then installed setup build, then the
// package file name.  The setup build goes to table->installedSetupVersion
// as soon as it is read, also when it reads as -1.  Returns false (not
// installed) when the program folder is missing or empty (the edition and
// setup build are then not read) or when the setup build reads as -1; info
// holds what was read up to there.
[[nodiscard]] bool DiscoverInstallation(const RunOptions& options,
                                        InstallInfo* info, PartTable* table);

// Reads a value's data as text, up to its first NUL.  Returns 0, the
// registry's Windows error code (2 for a missing key or value), or 8 when
// the buffer cannot be allocated; on any failure *text is left untouched.
[[nodiscard]] uint32_t ReadRegistryString(platform::RegistryRoot root,
                                          const std::string& subKey,
                                          const char* valueName,
                                          std::string* text);

// Reads a value of at most four data bytes as a little-endian number
// (missing high bytes read as zero).  Returns 0 or the registry's Windows
// error code (234 for longer data); on failure *number is left untouched.
[[nodiscard]] uint32_t ReadRegistryDword(platform::RegistryRoot root,
                                         const std::string& subKey,
                                         const char* valueName,
                                         int32_t* number);

// The product package file of an edition code (exact, case-sensitive
// match); empty for a code without one.
std::string PackageFileNameFor(const std::string& product);

}  // namespace qdbupd

#endif  // QDBUPD_INSTALL_INSTALLATION_H_
