// One update run: the stages in their fixed order, ending in the outcome
// report.  Called by the program's entry point.

#ifndef QDBUPD_RUN_UPDATE_RUN_H_
#define QDBUPD_RUN_UPDATE_RUN_H_

#include <string>

#include "install/installation.h"
#include "install/part_records.h"
#include "platform/platform.h"
#include "run/run_options.h"
#include "run/run_state.h"

namespace qdbupd {

// Everything one run keeps until it ends.
struct RunContext {
  RunState state;
  RunOptions options;
  InstallInfo install;
  PartTable parts;
  std::string packagePath;
};

// The version decision on signed versions.  Returns true when the update is
// wanted; otherwise false with *outcome set: AlreadyCurrent or PackageOlder
// when the offered QDB version is not newer than the installed one,
// ProgramTooNew when the offered setup build is older than the installed
// one.
[[nodiscard]] bool DecideVersions(const PartTable& parts, OutcomeCode* outcome);

// Runs the stages on *context up to the first that ends the run and leaves
// the outcome in context->state.outcome; shows nothing.
void RunStages(const std::string& commandTail, RunContext* context);

// The whole run: the stages, then the report.  module is the instance whose
// string table holds the texts; commandTail is the command line without the
// program's own name.  Returns the outcome, the process exit code.
int RunUpdate(platform::ModuleHandle module, const char* commandTail);

}  // namespace qdbupd

#endif  // QDBUPD_RUN_UPDATE_RUN_H_
