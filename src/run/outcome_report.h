// The outcome report: one message in Czech or English for the outcome of a
// run, shown in a message box unless the run is silent.

#ifndef QDBUPD_RUN_OUTCOME_REPORT_H_
#define QDBUPD_RUN_OUTCOME_REPORT_H_

#include <cstdint>
#include <string>

#include "install/part_records.h"
#include "platform/platform.h"
#include "run/run_options.h"
#include "run/run_state.h"

namespace qdbupd {

// String-table ids: two titles, then text 256 + n for outcome n.
constexpr uint32_t kTitleError = 128;
constexpr uint32_t kTitleMessage = 129;
constexpr uint32_t kFirstOutcomeText = 256;

// The message box of one outcome.
struct OutcomeMessage {
  std::string title;
  std::string text;
  uint32_t flags = 0;  // OK button and the icon
};

// Composes the message for state.outcome in options.messageLanguage, with
// the versions of table and the setup library's raw values filled in.  A
// missing text reads "Error: 0x%08X" with the outcome; a missing title is
// empty.
OutcomeMessage ComposeOutcome(platform::ModuleHandle module,
                              const RunState& state, const RunOptions& options,
                              const PartTable& table);

// Shows the message for state.outcome (unless options.silent) in
// options.messageLanguage, with the versions of table and the setup
// library's raw values filled in.  Returns the outcome, the exit code.
int ShowOutcome(platform::ModuleHandle module, const RunState& state,
                const RunOptions& options, const PartTable& table);

// Loads string id in language from the module's string table, converted to
// the ANSI code page, into buffer (at most capacity - 1 bytes and a NUL).
// Returns the number of bytes before the NUL; 0 with buffer untouched when
// the string is missing or empty.
uint32_t LoadMessageText(platform::ModuleHandle module, uint32_t id,
                         char* buffer, uint32_t capacity, uint16_t language);

// Replaces every occurrence of placeholder in *text by value, left to
// right; an inserted value is not searched again.
void ReplaceAll(std::string* text, const std::string& placeholder,
                const std::string& value);

// A QDB version as six and two hexadecimal digits: 0x12AB3401 is
// "12AB34-01", -1 is "FFFFFF-FF".
std::string FormatQdbVersion(int32_t version);

// An installed setup build with the program version it belongs to: 1110 and
// above 4.8, 797 and above 4.7, 581 4.6, 502 4.5, anything less 4.1 (e.g.
// "4.7.797", "4.1.-1").
std::string ProgramVersionText(int32_t build);

}  // namespace qdbupd

#endif  // QDBUPD_RUN_OUTCOME_REPORT_H_
