#include "run/update_run.h"

#include "run/command_line.h"
#include "run/join_path.h"
#include "run/outcome_report.h"

namespace qdbupd {

namespace {

// The product package reader is not part of this build yet, so no package
// can be read: the run ends as it does for an unreadable package.
bool ReadPackageStage(RunContext* /*context*/) { return false; }

}  // namespace

bool DecideVersions(const PartTable& parts, OutcomeCode* outcome) {
  const PartRecord& qdb = parts.qdb;
  if (qdb.offeredVersion <= qdb.installedVersion) {
    *outcome = qdb.offeredVersion == qdb.installedVersion ? AlreadyCurrent
                                                          : PackageOlder;
    return false;
  }
  // The registry's setup build counts here, not the one in setup.ini.
  if (parts.setup.offeredVersion < parts.installedSetupVersion) {
    *outcome = ProgramTooNew;
    return false;
  }
  return true;
}

void RunStages(const std::string& commandTail, RunContext* context) {
  context->state = RunState();
  context->options.messageLanguage = DefaultMessageLanguage();

  ParseCommandLine(commandTail, &context->options);

  if (!DiscoverInstallation(context->options, &context->install,
                            &context->parts)) {
    context->state.outcome = NotInstalled;
    return;
  }

  // An edition without a package file leaves the path empty, and an empty
  // path cannot be read.
  if (!context->install.packageFileName.empty()) {
    context->packagePath = JoinPath(context->options.storageFolder,
                                    context->install.packageFileName);
  }
  const bool packageRead = ReadPackageStage(context);
  if (context->state.setupRefused) {
    context->state.outcome = NeedsLatestProgram;
    return;
  }
  if (!packageRead) {
    context->state.outcome = PackageBroken;
    return;
  }

  ReadInstalledParts(context->install.setupFolder, &context->parts);

  if (!DecideVersions(context->parts, &context->state.outcome)) return;

  // Handing the update to the setup library is not part of this build yet.
  context->state.outcome = InstallFailed;
}

int RunUpdate(platform::ModuleHandle module, const char* commandTail) {
  // One run per process: the context lives until the process ends.
  static RunContext context;
  RunStages(commandTail ? commandTail : "", &context);
  return ShowOutcome(module, context.state, context.options, context.parts);
}

}  // namespace qdbupd
