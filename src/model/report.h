#pragma once
// How the core tells the user about a failure without opening a window itself: the desktop window
// shows a message box, the command line prints to stderr, tests record the messages.

#include <string>

namespace zrk {

enum class MsgKind { Error, Warning };

class IReporter {
 public:
  virtual ~IReporter() = default;
  // caption and text are UTF-8.
  virtual void Report(MsgKind kind, const std::string& caption, const std::string& text) = 0;
};

// Swallows every message: for callers that check the result themselves.
class TSilentReporter final : public IReporter {
 public:
  void Report(MsgKind, const std::string&, const std::string&) override {}
};

} // namespace zrk
