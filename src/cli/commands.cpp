#include "cli/commands.h"

#include <cstdio>
#include <cstring>
#include <string>

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

int CheckFileArguments(const char* name, int argc, char** argv, std::initializer_list<const char*> missing) {
  for (int i = 0; i < argc; ++i)
    if (std::strncmp(argv[i], "--", 2) == 0) return UsageError(name, std::string("неизвестный параметр ") + argv[i]);
  if (argc > int(missing.size())) return UsageError(name, std::string("лишний параметр ") + argv[missing.size()]);
  if (argc < int(missing.size())) return UsageError(name, missing.begin()[argc]);
  return 0;
}

int UsageError(const char* name, const std::string& problem) {
  std::fprintf(stderr, "zrk-cli %s: %s\n", name, problem.c_str());
  return PrintCommandUsage(name);
}

} // namespace zrk::cli
