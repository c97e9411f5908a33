#pragma once
// The subcommands of zrk-cli. Each takes the arguments after its own name and returns the exit status.

#include <initializer_list>
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
// Says what was wrong with the arguments ("неизвестный параметр --foo"), then the usage line;
// returns 2.
int UsageError(const char* name, const std::string& problem);
// For commands that take file names only: one for each of missing (what is missing when it is not
// given: "не указан файл задачи"). 0 when the arguments are right, else the usage error's status.
int CheckFileArguments(const char* name, int argc, char** argv, std::initializer_list<const char*> missing);

int RunInfo(int argc, char** argv);
int RunPlay(int argc, char** argv);
int RunMoves(int argc, char** argv);
int RunExport(int argc, char** argv);
int RunSolve(int argc, char** argv);

} // namespace zrk::cli
