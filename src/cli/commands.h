#pragma once
// The subcommands of zrk-cli. Each takes the arguments after its own name and returns the exit status.

#include <string>
#include <vector>

namespace zrk::cli {

struct TCommand {
  const char* Name;
  int (*Run)(int argc, char** argv);
  const char* Usage = nullptr; // the arguments, for the usage text
};

const std::vector<TCommand>& Commands();
// Prints the usage line of the named command on stderr; returns 2, the exit status of a usage error.
int PrintCommandUsage(const char* name);

int RunInfo(int argc, char** argv);
int RunPlay(int argc, char** argv);
int RunMoves(int argc, char** argv);
int RunExport(int argc, char** argv);
int RunSolve(int argc, char** argv);

} // namespace zrk::cli
