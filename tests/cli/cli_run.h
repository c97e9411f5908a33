#pragma once
// Runs zrk-cli as a separate process and captures its exit status, stdout and stderr.

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace zrk::test {

struct TCliResult {
  int Status = -1;
  std::string Out, Err;
};

inline std::string Slurp(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

// args are passed through the shell: quote them as needed.
inline TCliResult RunCli(const std::string& args) {
  const auto dir = std::filesystem::temp_directory_path();
  const auto out = dir / ("zrk_cli_out_" + std::to_string(::getpid()));
  const auto err = dir / ("zrk_cli_err_" + std::to_string(::getpid()));
  const std::string command = std::string(ZRK_CLI_PATH) + " " + args + " >" + out.string() + " 2>" + err.string() + " </dev/null";
  const int raw = std::system(command.c_str());
  TCliResult r;
  r.Status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  r.Out = Slurp(out);
  r.Err = Slurp(err);
  std::filesystem::remove(out);
  std::filesystem::remove(err);
  return r;
}

inline std::string SamplePath() { return std::string(ZRK_SOURCE_DIR) + "/samples/klotski.zrk"; }

} // namespace zrk::test
