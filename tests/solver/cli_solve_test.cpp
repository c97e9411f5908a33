// zrk-cli solve on the sample task: the JSON summary, the distribution list, memory and bad input.
#include <gtest/gtest.h>

#include <string>

#include "../cli/cli_run.h"

namespace {

using zrk::test::TCliResult;

TCliResult Cli(const std::string& args) { return zrk::test::RunCli("solve " + args); }

const std::string Sample = std::string(ZRK_SOURCE_DIR) + "/samples/klotski.zrk";

TEST(CliSolve, JsonSummaryOfTheSample) {
  const TCliResult run = Cli("--json " + Sample);
  ASSERT_EQ(run.Status, 0);
  EXPECT_EQ(run.Out.rfind("{\"layers\":[1,", 0), 0u) << run.Out;
  EXPECT_NE(run.Out.find("\"stop\":\"none\""), std::string::npos);
  EXPECT_NE(run.Out.find("\"positions\":25955"), std::string::npos);
  EXPECT_EQ(run.Out.find("\"solution_layer\":-1"), std::string::npos) << "the sample has an end position";
}

TEST(CliSolve, TextListStopsAtTheFirstSolutionWithoutRemote) {
  const TCliResult run = Cli("--no-remote " + Sample);
  ASSERT_EQ(run.Status, 0);
  EXPECT_EQ(run.Out.rfind("0) 1\n", 0), 0u);
  EXPECT_NE(run.Out.find(" Решение\n?\n"), std::string::npos) << run.Out;
  EXPECT_NE(run.Out.find("\nПеребрано позиций: "), std::string::npos) << run.Out;
}

TEST(CliSolve, TooLittleMemoryEndsWithTheReport) {
  const TCliResult run = Cli("--json --memory 100M " + Sample);
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

TEST(CliSolve, AFileThatCannotBeWrittenIsReportedOnce) {
  const TCliResult run = Cli("--out /nonexistent/dir/out.zrk " + Sample);
  EXPECT_EQ(run.Status, 2);
  EXPECT_EQ(run.Err, "Невозможно записать файл: /nonexistent/dir/out.zrk\n");
  EXPECT_EQ(Cli("/nonexistent/task.zrk").Err, "Невозможно считать файл: /nonexistent/task.zrk\n");
}

} // namespace
