// zrk-cli solve on the sample task: the JSON summary, the distribution list, memory and bad input.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <string>

namespace {

struct TRun {
  int Status = -1;
  std::string Out;
};

TRun Cli(const std::string& args) {
  TRun run;
  const std::string command = std::string(ZRK_CLI_PATH) + " solve " + args + " 2>/dev/null";
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return run;
  char buffer[4096];
  size_t n;
  while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) run.Out.append(buffer, n);
  const int status = pclose(pipe);
  run.Status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

const std::string Sample = std::string(ZRK_SOURCE_DIR) + "/samples/klotski.zrk";

TEST(CliSolve, JsonSummaryOfTheSample) {
  const TRun run = Cli("--json " + Sample);
  ASSERT_EQ(run.Status, 0);
  EXPECT_EQ(run.Out.rfind("{\"layers\":[1,", 0), 0u) << run.Out;
  EXPECT_NE(run.Out.find("\"stop\":\"none\""), std::string::npos);
  EXPECT_NE(run.Out.find("\"positions\":25955"), std::string::npos);
  EXPECT_EQ(run.Out.find("\"solution_layer\":-1"), std::string::npos) << "the sample has an end position";
}

TEST(CliSolve, TextListStopsAtTheFirstSolutionWithoutRemote) {
  const TRun run = Cli("--no-remote " + Sample);
  ASSERT_EQ(run.Status, 0);
  EXPECT_EQ(run.Out.rfind("0) 1\n", 0), 0u);
  EXPECT_NE(run.Out.find(" Решение\n?\n"), std::string::npos) << run.Out;
  EXPECT_NE(run.Out.find("\nПеребрано позиций: "), std::string::npos) << run.Out;
}

TEST(CliSolve, TooLittleMemoryEndsWithTheReport) {
  const TRun run = Cli("--json --memory 100M " + Sample);
  ASSERT_EQ(run.Status, 0);
  EXPECT_NE(run.Out.find("\"stop\":\"memory\""), std::string::npos) << run.Out;
  EXPECT_NE(run.Out.find("\"max_records\":0"), std::string::npos);
}

TEST(CliSolve, BadInputExitsWithTwo) {
  EXPECT_EQ(Cli("/nonexistent/task.zrk").Status, 2);
  EXPECT_EQ(Cli("--many 0 " + Sample).Status, 2);
  EXPECT_EQ(Cli("--memory 12X " + Sample).Status, 2);
  EXPECT_EQ(Cli("").Status, 2);
}

} // namespace
