// The command line: "/silent", "/sfxstorage FOLDER", "/oem NAME" and
// "/lang CODE", and the default message language.  Nothing here fails:
// stray tokens, other options and options without their value are ignored.

#ifndef QDBUPD_RUN_COMMAND_LINE_H_
#define QDBUPD_RUN_COMMAND_LINE_H_

#include <cstdint>
#include <string>
#include <vector>

#include "run/run_options.h"

namespace qdbupd {

// The message language for the user's Windows language: Czech for a Czech
// or Slovak user, English for every other one.
uint16_t DefaultMessageLanguage();

// Splits a command tail into tokens: runs of printable ASCII characters
// other than the space, or the text between double quotes (no escapes; a
// quoted token needs no closing quote).
std::vector<std::string> SplitCommandLine(const std::string& commandTail);

// Applies the options of the command tail to *options; later occurrences
// win, "/silent" cannot be undone.
void ParseCommandLine(const std::string& commandTail, RunOptions* options);

// The language identifier of a "/lang" value: a listed code ("cze", "eng",
// ...) or else a hexadecimal identifier such as 405.
uint16_t LanguageFromCode(const std::string& code);

// 1029 (Czech) for Czech and Slovak, 1033 (English) for everything else.
uint16_t MessageLanguageFor(uint16_t language);

}  // namespace qdbupd

#endif  // QDBUPD_RUN_COMMAND_LINE_H_
