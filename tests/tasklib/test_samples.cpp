// The sample library shipped with the program: every task reads, is solved with its own move
// rules in the number of moves its text states, and the files are what the sample writer makes.
#include <gtest/gtest.h>

#include <cstdlib>
#include <regex>

#include "model/cp1251.h"
#include "model/task_file.h"
#include "play/play_engine.h"
#include "play/recording_reporter.h"
#include "solver/distribution.h"
#include "solver/solver.h"
#include "tasklib/lib_names.h"
#include "support/temp_folder.h"

namespace zrk {
namespace {

namespace fs = std::filesystem;

const fs::path Samples = fs::path(ZRK_SOURCE_DIR) / "samples";
const fs::path Library = Samples / "ZRKTasks";

// Every task file under the folder, by path relative to it, in a fixed order.
std::vector<std::string> TaskFiles(const fs::path& root) {
  std::vector<std::string> files;
  std::error_code ec;
  for (fs::recursive_directory_iterator it(root, ec), end; !ec && it != end; it.increment(ec))
    if (it->is_regular_file() && it->path().extension() == ".zrk")
      files.push_back(it->path().lexically_relative(root).string());
  std::sort(files.begin(), files.end());
  return files;
}

// The fewest moves the task's text states: "Наименьшее число ходов: N.", -1 when it states none.
int StatedMoves(const TTask& task) {
  static const std::regex stated("Наименьшее число ходов: ([0-9]+)\\.");
  std::smatch m;
  const std::string text = Cp1251ToUtf8(task.Text);
  return std::regex_search(text, m, stated) ? std::atoi(m[1].str().c_str()) : -1;
}

class SampleTask : public testing::TestWithParam<std::string> {};

TEST_P(SampleTask, IsSolvedInItsStatedMoves) {
  TTask task;
  TPlayEngine engine(task);
  test::TRecordingReporter reporter;
  ASSERT_TRUE(LoadTask(task, (Library / GetParam()).string(), {&reporter, &engine}));
  EXPECT_TRUE(reporter.Messages.empty());
  EXPECT_FALSE(task.Options.Play); // a sample opens in edit mode, with nothing played
  const int stated = StatedMoves(task);
  ASSERT_GT(stated, 0) << Cp1251ToUtf8(task.Text);

  engine.SetPlayMode(true, false, false);
  ASSERT_EQ(PreSolveCheck(task, false), "");
  TSolveOptions options;
  options.Remote = false;
  options.AvailableMemory = uint64_t(1) << 30;
  TSolver solver;
  solver.Solve(task, options);
  ASSERT_TRUE(solver.StartValid());
  EXPECT_FALSE(solver.OutOfMemory);
  ASSERT_GT(solver.SolCount, 0) << "no solution";
  EXPECT_EQ(solver.SolutionLayer, stated);
}

// "001 Блоки/002 Осёл.zrk" -> "F001_T002": parameter names must be plain identifiers.
std::string NumberedTestName(const testing::TestParamInfo<std::string>& info) {
  const fs::path p(info.param);
  return "F" + p.parent_path().filename().string().substr(0, 3) + "_T" + p.filename().string().substr(0, 3) + "_" +
         std::to_string(info.index);
}

INSTANTIATE_TEST_SUITE_P(Library, SampleTask, testing::ValuesIn(TaskFiles(Library)), NumberedTestName);

TEST(SampleLibrary, IsNumberedAndOpensWithAClassic) {
  const std::vector<std::string> files = TaskFiles(Library);
  ASSERT_FALSE(files.empty());
  EXPECT_EQ(files.front(), "001 Скользящие блоки/001 Хуа Жун Дао.zrk");
  for (const std::string& f : files)
    for (const fs::path& part : fs::path(f)) EXPECT_GE(NameNumber(part.string()), 0) << f;
}

// The shipped files are what the writer makes from the descriptions today.
TEST(SampleLibrary, MatchesTheSampleWriter) {
  test::TTempFolder out;
  ASSERT_EQ(std::system(("'" + std::string(ZRK_MAKE_SAMPLES_PATH) + "' '" + out.Root.string() + "' > /dev/null").c_str()), 0);
  const std::vector<std::string> made = TaskFiles(out.Root);
  EXPECT_EQ(made, TaskFiles(Samples));
  for (const std::string& f : made) EXPECT_EQ(test::FileBytes(out.Root / f), test::FileBytes(Samples / f)) << f;
}

} // namespace
} // namespace zrk
