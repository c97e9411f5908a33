#pragma once
// A task file loaded into the midend, shared by the subcommands that read one. The command line is
// the midend's view: it shows nothing, asks nothing and prints the messages on stderr.

#include <string>

#include "cli/cli_reporter.h"
#include "editor/midend.h"

namespace zrk::cli {

class TCliView final : public IMidendView {
 public:
  void Relayout() override {}
  void Redraw() override {}
  void SyncControls() override {}
  bool Confirm(const std::string&, const std::string&) override { return false; }
  void Report(MsgKind kind, const std::string& caption, const std::string& text) override {
    Reporter.Report(kind, caption, text);
  }
  TStderrReporter Reporter;
};

struct TPlaySession {
  TCliView View;
  TMidend Midend{View};
  TTask& Task = Midend.Task;
  TPlayEngine& Engine = Midend.Play;
  TStderrReporter& Reporter = View.Reporter;

  TTaskIo Io() { return Midend.Io(); }

  // Loads the file; a file that cannot be read or parsed is reported on stderr.
  bool Load(const std::string& path) {
    if (Midend.OpenTask(path, true)) return true;
    if (Reporter.Count == 0) Reporter.Report(MsgKind::Warning, CannotReadFileCaption, path);
    return false;
  }
};

} // namespace zrk::cli
