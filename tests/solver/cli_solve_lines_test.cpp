// zrk-cli solve on the sample task: the solution and farthest lines after the distribution list, the
// same texts in the JSON output, the solved state written with --out, and a solve from an entry of
// the played line with --at.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "../cli/cli_run.h"

namespace zrk::test {
namespace {

// The move number of a line's last entry: "81)1П" and "80.2)9П" give 81 and 80.
int LastMoveNumber(const std::string& line) {
  const size_t space = line.find_last_of(' ');
  const std::string last = line.substr(space == std::string::npos ? 0 : space + 1);
  return std::stoi(last.substr(0, last.find_first_of(".)")));
}

// The text after "name: " on its own line of the output, empty when there is none.
std::string LineNamed(const std::string& out, const std::string& name) {
  const std::string head = "\n" + name + ": ";
  const size_t at = out.find(head);
  if (at == std::string::npos) return "";
  const size_t from = at + head.size();
  return out.substr(from, out.find('\n', from) - from);
}

// The strings of a JSON array member whose strings hold no quotes or escapes, as the notation's do.
std::vector<std::string> JsonStrings(const std::string& json, const std::string& member) {
  std::vector<std::string> out;
  const std::string head = "\"" + member + "\":[";
  size_t at = json.find(head);
  if (at == std::string::npos) return out;
  at += head.size();
  while (at < json.size() && json[at] == '"') {
    const size_t end = json.find('"', at + 1);
    out.push_back(json.substr(at + 1, end - at - 1));
    at = end + 1;
    if (at < json.size() && json[at] == ',') ++at;
  }
  return out;
}

std::string Solve(const std::string& args) {
  const TCliResult r = RunCli("solve " + args);
  EXPECT_EQ(r.Status, 0) << r.Err;
  return r.Out;
}

TEST(CliSolveLines, TextListsTheSolutionAndTheFarthestLine) {
  const std::string out = Solve(SamplePath());
  const std::string solution = LineNamed(out, "Решение 1"); // the sample has two solutions, one shown
  const std::string far = LineNamed(out, "Дальняя");
  ASSERT_FALSE(solution.empty()) << out;
  ASSERT_FALSE(far.empty()) << out;
  EXPECT_EQ(solution.rfind("1)", 0), 0u);
  EXPECT_EQ(LastMoveNumber(solution), 81);
  EXPECT_EQ(LastMoveNumber(far), 124);
  EXPECT_TRUE(LineNamed(out, "Решение 2").empty());
  EXPECT_LT(out.find("\n124) 8\n"), out.find("Решение 1: ")) << "the lines follow the distribution list";
}

TEST(CliSolveLines, JsonHoldsTheSameTexts) {
  const std::string text = Solve("--many 2 " + SamplePath());
  const std::string json = Solve("--json --many 2 " + SamplePath());
  const std::vector<std::string> solutions = JsonStrings(json, "solutions");
  ASSERT_EQ(solutions.size(), 2u) << json;
  EXPECT_EQ(solutions[0], LineNamed(text, "Решение 1"));
  EXPECT_EQ(solutions[1], LineNamed(text, "Решение 2"));
  EXPECT_NE(solutions[0], solutions[1]);
  EXPECT_EQ(LastMoveNumber(solutions[1]), 81);
  EXPECT_NE(json.find("\"remote\":\"" + LineNamed(text, "Дальняя") + "\""), std::string::npos) << json;

  const std::string plain = Solve("--json --no-remote " + SamplePath());
  EXPECT_EQ(JsonStrings(plain, "solutions").size(), 1u) << plain;
  EXPECT_NE(plain.find("\"remote\":null"), std::string::npos) << plain;
}

TEST(CliSolveLines, OutKeepsTheSolutionAndAtSolvesFromItsEntry) {
  const auto saved = std::filesystem::temp_directory_path() / ("zrk_solved_" + std::to_string(::getpid()) + ".zrk");
  const std::string solution = LineNamed(Solve(SamplePath()), "Решение 1");
  Solve("--out " + saved.string() + " " + SamplePath());

  const TCliResult moves = RunCli("moves " + saved.string());
  ASSERT_EQ(moves.Status, 0) << moves.Err;
  EXPECT_EQ(moves.Out.rfind("линия: " + solution + "\n", 0), 0u) << moves.Out;
  EXPECT_NE(moves.Out.find("\nтекущая позиция: 0 из "), std::string::npos) << moves.Out;

  // Five single moves open the solution: entry 5 is the position after them.
  const std::string json = Solve("--json --no-remote --at 5 " + saved.string());
  EXPECT_NE(json.find("\"solution_layer\":76"), std::string::npos) << json;
  const std::vector<std::string> from5 = JsonStrings(json, "solutions");
  ASSERT_EQ(from5.size(), 1u) << json;
  EXPECT_EQ(from5[0].rfind("1)7Н 2)10Л 3)6Н 4)5П 5)4П ", 0), 0u) << from5[0];
  EXPECT_EQ(solution.rfind("1)7Н 2)10Л 3)6Н 4)5П 5)4П ", 0), 0u) << solution;
  EXPECT_EQ(LastMoveNumber(from5[0]), 81);
  EXPECT_NE(LineNamed(Solve("--no-remote --at 5 " + saved.string()), "Решение от хода 5"), "");

  EXPECT_EQ(RunCli("solve --at 500 " + saved.string()).Status, 2);
  EXPECT_EQ(RunCli("solve --at 5 " + SamplePath()).Status, 2) << "the sample is not in play mode";
  std::filesystem::remove(saved);
}

} // namespace
} // namespace zrk::test
