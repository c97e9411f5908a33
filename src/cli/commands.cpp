#include "cli/commands.h"

namespace zrk::cli {

const std::vector<TCommand>& Commands() {
  static const std::vector<TCommand> commands = {
      {"info", RunInfo, "TASK.zrk"},
      {"play", RunPlay, "TASK.zrk (--moves TEXT | --moves-file FILE) [--at N] [--save-node NOTE] --out OUT.zrk"},
      {"moves", RunMoves, "TASK.zrk"},
      {"export", RunExport, "TASK.zrk OUT.json"},
      {"solve", RunSolve, "[--remote|--no-remote] [--many N] [--count] [--forget] [--memory BYTES] [--json] [--at N] [--out OUT.zrk] TASK.zrk"},
  };
  return commands;
}

} // namespace zrk::cli
