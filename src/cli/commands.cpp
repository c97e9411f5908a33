#include "cli/commands.h"

#include <cstdio>
#include <cstring>

namespace zrk::cli {

const std::vector<TCommand>& Commands() {
  static const std::vector<TCommand> commands = {
      {"info", RunInfo, "TASK.zrk"},
      {"play", RunPlay, "TASK.zrk (--moves TEXT | --moves-file FILE) [--at N] [--save-node NOTE] --out OUT.zrk"},
      {"moves", RunMoves, "TASK.zrk"},
      {"export", RunExport, "TASK.zrk OUT.json"},
      {"solve", RunSolve, "[--remote|--no-remote] [--many N] [--count] [--forget] [--memory BYTES[K|M|G]] [--json] [--at N] [--out OUT.zrk] TASK.zrk"},
  };
  return commands;
}

int PrintCommandUsage(const char* name) {
  for (const TCommand& c : Commands()) {
    if (std::strcmp(c.Name, name) == 0) std::fprintf(stderr, "Использование: zrk-cli %s %s\n", c.Name, c.Usage);
  }
  return 2;
}

} // namespace zrk::cli
