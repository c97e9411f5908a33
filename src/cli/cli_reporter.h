#pragma once
// Messages of the core printed on stderr as "caption: text", one per line.

#include <cstdio>

#include "model/report.h"

namespace zrk::cli {

class TStderrReporter final : public IReporter {
 public:
  void Report(MsgKind, const std::string& caption, const std::string& text) override {
    std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
    ++Count;
  }
  int Count = 0;
};

} // namespace zrk::cli
