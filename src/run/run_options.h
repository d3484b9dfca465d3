// The settings of one run taken from the command line.

#ifndef QDBUPD_RUN_RUN_OPTIONS_H_
#define QDBUPD_RUN_RUN_OPTIONS_H_

#include <cstdint>
#include <string>

namespace qdbupd {

constexpr uint16_t kLanguageCzech = 1029;
constexpr uint16_t kLanguageEnglish = 1033;

struct RunOptions {
  bool silent = false;
  std::string storageFolder;
  std::string oemName;  // OEM mode when not empty
  uint16_t messageLanguage = kLanguageEnglish;  // always Czech or English

  bool IsOem() const { return !oemName.empty(); }
};

}  // namespace qdbupd

#endif  // QDBUPD_RUN_RUN_OPTIONS_H_
