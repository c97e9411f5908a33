#pragma once
// A task file loaded with its play engine, shared by the subcommands that read one.

#include <cstdio>
#include <memory>
#include <string>

#include "cli/cli_reporter.h"
#include "model/task_file.h"
#include "play/play_engine.h"

namespace zrk::cli {

struct TPlaySession {
  TTask Task;
  TPlayEngine Engine{Task};
  TStderrReporter Reporter;

  TTaskIo Io() { return TTaskIo{&Reporter, &Engine, nullptr}; }

  // Loads the file; a file that cannot be read or parsed is reported on stderr.
  bool Load(const std::string& path) {
    if (LoadTask(Task, path, Io())) return true;
    if (Reporter.Count == 0) Reporter.Report(MsgKind::Warning, CannotReadFileCaption, path);
    return false;
  }
};

} // namespace zrk::cli
