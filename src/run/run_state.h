// The state of one update run, alive for the whole run.

#ifndef QDBUPD_RUN_RUN_STATE_H_
#define QDBUPD_RUN_RUN_STATE_H_

#include <cstdint>

#include "run/outcome_code.h"

namespace qdbupd {

struct RunState {
  OutcomeCode outcome = Updated;
  // What the last setup library entry point answered; the initial values
  // stand in the report when no entry point was called.
  int32_t callReturn = 2;
  uint32_t callStatus = 0xFFFFFFFFu;
  uint32_t lookupError = 0;
  bool packagesUpdated = false;
  // Set by the product package reader when the package refuses the installed
  // setup build.
  bool setupRefused = false;
};

}  // namespace qdbupd

#endif  // QDBUPD_RUN_RUN_STATE_H_
