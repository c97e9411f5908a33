#pragma once
// Keeps the messages the core reports, for tests to look at.

#include <string>
#include <vector>

#include "model/report.h"

namespace zrk::test {

class TRecordingReporter final : public IReporter {
 public:
  struct TMessage {
    std::string Caption, Text;
  };
  void Report(MsgKind, const std::string& caption, const std::string& text) override {
    Messages.push_back({caption, text});
  }
  std::vector<TMessage> Messages;
};

} // namespace zrk::test
