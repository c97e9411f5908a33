// zrk-cli: the command-line face of ZRK's core, for batch and scripted use.
#include <cstdio>
#include <cstring>
#include <string>

#include "cli/commands.h"

namespace {

void PrintUsage() {
  std::fputs("Использование:\n", stderr);
  for (const auto& entry : zrk::cli::Commands())
    std::fprintf(stderr, "  zrk-cli %s %s\n", entry.Name, entry.Usage ? entry.Usage : "");
}

} // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    PrintUsage();
    return 2;
  }
  const std::string command = argv[1];
  for (const auto& entry : zrk::cli::Commands()) {
    if (command == entry.Name) return entry.Run(argc - 2, argv + 2);
  }
  std::fprintf(stderr, "zrk-cli: неизвестная команда %s\n", command.c_str());
  PrintUsage();
  return 2;
}
