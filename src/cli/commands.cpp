#include "cli/commands.h"

namespace zrk::cli {

const std::vector<TCommand>& Commands() {
  static const std::vector<TCommand> commands = {
      {"info", RunInfo},
      {"play", RunPlay},
      {"moves", RunMoves},
      {"export", RunExport},
  };
  return commands;
}

} // namespace zrk::cli
