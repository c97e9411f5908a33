#include <gtest/gtest.h>

#include "cli/cli_run.h"
#include "model/streams.h"

namespace zrk {
namespace {

using test::RunCli;

TEST(CliInfo, PrintsTheSample) {
  auto r = RunCli("info " + test::SamplePath());
  ASSERT_EQ(r.Status, 0) << r.Err;
  EXPECT_NE(r.Out.find("доска: 6 x 7"), std::string::npos);
  EXPECT_NE(r.Out.find("клеток поля: 20"), std::string::npos);
  EXPECT_NE(r.Out.find("свободных клеток: 2"), std::string::npos);
  EXPECT_NE(r.Out.find("фигурок: 10"), std::string::npos);
  // The table keeps its columns with Russian words in it: the big square's row.
  EXPECT_NE(r.Out.find("\n  1      1     -    любое          4      да      (2,1)    (2,4)\n"), std::string::npos)
      << r.Out;
  EXPECT_NE(r.Out.find("вид хода: любой путь"), std::string::npos);
  EXPECT_NE(r.Out.find("Переведите большой квадрат"), std::string::npos); // the text in UTF-8
  EXPECT_TRUE(r.Err.empty());
}

TEST(CliInfo, DamagedOrMissingFilePrintsTheMessageAndExits2) {
  const auto path = std::filesystem::temp_directory_path() / "zrk_cli_damaged.zrk";
  const uint8_t junk[20] = {1, 2, 3};
  ASSERT_TRUE(WriteWholeFile(path.string(), junk, sizeof junk, nullptr));
  auto r = RunCli("info " + path.string());
  EXPECT_EQ(r.Status, 2);
  EXPECT_EQ(r.Err, "Неправильный заголовок файла задачи: " + path.string() + "\n");
  EXPECT_TRUE(r.Out.empty());
  std::filesystem::remove(path);

  r = RunCli("info /nonexistent/zrk.zrk");
  EXPECT_EQ(r.Status, 2);
  EXPECT_EQ(r.Err, "Невозможно считать файл: /nonexistent/zrk.zrk\n");

  EXPECT_EQ(RunCli("info").Status, 2);
  EXPECT_EQ(RunCli("no-such-command").Status, 2);

  // A folder is no task file.
  r = RunCli("info " + std::filesystem::temp_directory_path().string());
  EXPECT_EQ(r.Status, 2);
  EXPECT_EQ(r.Err, "Невозможно считать файл: " + std::filesystem::temp_directory_path().string() + "\n");
}

// A wrong argument is named before the usage line.
TEST(CliArguments, TheProblemComesBeforeTheUsageLine) {
  const std::string sample = test::SamplePath();
  struct Case {
    std::string Args;
    std::string Problem;
  };
  const Case cases[] = {
      {"info", "zrk-cli info: не указан файл задачи"},
      {"info --foo " + sample, "zrk-cli info: неизвестный параметр --foo"},
      {"moves " + sample + " " + sample, "zrk-cli moves: лишний параметр " + sample},
      {"export " + sample, "zrk-cli export: не указан файл JSON"},
      {"play " + sample + " --moves 9П --at x --out o.zrk", "zrk-cli play: --at: ожидается номер позиции (0, 1, 2, ...)"},
      {"play " + sample + " --moves", "zrk-cli play: --moves: нет значения"},
      {"play " + sample + " --out o.zrk", "zrk-cli play: нужен один из параметров --moves и --moves-file"},
      {"solve --foo " + sample, "zrk-cli solve: неизвестный параметр --foo"},
      {"solve --many 0 " + sample, "zrk-cli solve: --many: ожидается число от 1 до 100"},
      {"solve --memory lots " + sample, "zrk-cli solve: --memory: ожидается размер в байтах, можно с K, M или G"},
      {"solve", "zrk-cli solve: не указан файл задачи"},
      {"frobnicate", "zrk-cli: неизвестная команда frobnicate"},
  };
  for (const Case& c : cases) {
    const auto r = RunCli(c.Args);
    EXPECT_EQ(r.Status, 2) << c.Args;
    EXPECT_EQ(r.Err.substr(0, r.Err.find('\n')), c.Problem) << c.Args;
    EXPECT_NE(r.Err.find("Использование:"), std::string::npos) << c.Args;
    EXPECT_TRUE(r.Out.empty()) << c.Args;
  }
}

} // namespace
} // namespace zrk
