// The result of one update run: it selects the report's message and is the
// process exit code.

#ifndef QDBUPD_RUN_OUTCOME_CODE_H_
#define QDBUPD_RUN_OUTCOME_CODE_H_

#include <cstdint>

namespace qdbupd {

enum OutcomeCode : uint32_t {
  Updated = 0,
  AlreadyCurrent = 1,
  PackageBroken = 2,
  OutOfMemory = 3,          // has a text; no stage produces it
  NotInstalled = 4,
  NeedsProgramVersion = 5,  // has a text; no stage produces it
  InstallFailed = 6,
  UpdaterBusy = 7,
  ProgramTooNew = 8,
  NeedsLatestProgram = 9,
  PackageOlder = 10,
};

constexpr uint32_t kOutcomeCount = 11;

// Outcomes from here on are errors; below they are information.
constexpr uint32_t kFirstErrorOutcome = PackageBroken;

}  // namespace qdbupd

#endif  // QDBUPD_RUN_OUTCOME_CODE_H_
