#pragma once
// A midend over a view that records what it was asked to do, and a settings store in memory.

#include <map>
#include <string>
#include <vector>

#include "editor/midend.h"
#include "support/task_text.h"

namespace zrk::test {

class TRecordingView final : public IMidendView {
 public:
  void Relayout() override { ++Relayouts; }
  void Redraw() override { ++Redraws; }
  void SyncControls() override { ++Syncs; }
  bool Confirm(const std::string& caption, const std::string& text) override {
    Questions.push_back(caption + ": " + text);
    return Answer;
  }
  void Report(MsgKind, const std::string& caption, const std::string& text) override {
    Messages.push_back(caption + ": " + text);
  }
  TUndoView WindowState() const override { return Window; }
  void RestoreWindowState(const TUndoView& v) override { Window = v; }

  int Relayouts = 0, Redraws = 0, Syncs = 0;
  bool Answer = false;
  std::vector<std::string> Questions, Messages;
  TUndoView Window;
};

class TMapStore final : public ISettingsStore {
 public:
  std::optional<std::string> Get(const std::string& section, const std::string& key) const override {
    auto it = Values.find(section + "/" + key);
    if (it == Values.end()) return std::nullopt;
    return it->second;
  }
  void Set(const std::string& section, const std::string& key, const std::string& value) override {
    Values[section + "/" + key] = value;
  }
  std::map<std::string, std::string> Values;
};

struct TMidendFixture {
  TRecordingView View;
  TMidend Midend{View};
  TTask& Task = Midend.Task;
  std::map<char, int> Fig;

  // The task drawn from rows of text, shown as a loaded task is: the base of the history.
  explicit TMidendFixture(const TTaskText& text) {
    Fig = BuildTask(Task, text);
    Midend.ShowTask();
  }
};

} // namespace zrk::test
