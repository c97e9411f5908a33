#include <gtest/gtest.h>

#include <filesystem>

#include "cli_run.h"
#include "model/cp1251.h"
#include "model/task_file.h"
#include "play/notation.h"
#include "play/play_engine.h"

namespace zrk::test {
namespace {

std::string Temp(const std::string& name) {
  return (std::filesystem::temp_directory_path() / (name + "_" + std::to_string(::getpid()))).string();
}

TEST(CliPlay, PlayedTaskReadsBackWithLineTreeAndNotes) {
  const std::string k1 = Temp("k1.zrk"), k2 = Temp("k2.zrk"), json = Temp("k2.json");
  // The second move is blocked: the first is kept, and the status says so.
  TCliResult r = RunCli("play " + SamplePath() + " --moves '1)9П 2)7Н' --save-node 'мой вариант' --out " + k1);
  EXPECT_EQ(r.Status, 1);
  EXPECT_NE(r.Err.find("Ошибка в ходе 2: Заблокирован ход"), std::string::npos);
  r = RunCli("play " + k1 + " --at 1 --moves '10Л 3Н' --out " + k2);
  EXPECT_EQ(r.Status, 0) << r.Err;
  r = RunCli("moves " + k2);
  EXPECT_EQ(r.Status, 0);
  // Group slide is off in this task: the push of 3 became a move of 6 first.
  EXPECT_EQ(r.Out,
            "линия: 1)9П 2)10Л 3)6Н 4)3Н\n"
            "текущая позиция: 4 из 4\n"
            "дерево:\n"
            "Начальная позиция\n"
            "  1)9П мой вариант  <\n");

  TTask task;
  TPlayEngine engine(task);
  ASSERT_TRUE(LoadTask(task, k2, TTaskIo{nullptr, &engine, nullptr}));
  EXPECT_TRUE(task.Options.Play);
  EXPECT_EQ(task.Options.MoveKind, AnyPathMove);
  EXPECT_FALSE(task.Options.GrSlide);
  EXPECT_EQ(engine.Line.Count, 5);
  EXPECT_EQ(engine.Line.Cur, 4);
  ASSERT_EQ(engine.Tree.PreOrder().size(), 2u);
  EXPECT_EQ(Cp1251ToUtf8(engine.Tree.PreOrder()[1]->Line->PosText), "мой вариант");

  r = RunCli("export " + k2 + " " + json);
  EXPECT_EQ(r.Status, 0);
  EXPECT_NE(Slurp(json).find("\"CurrentMove\": 4"), std::string::npos);
  for (const auto& f : {k1, k2, json}) std::filesystem::remove(f);
}

TEST(CliPlay, BadArgumentsAndFiles) {
  const std::string out = Temp("never.zrk");
  EXPECT_EQ(RunCli("play " + SamplePath() + " --out " + out).Status, 2);                      // no moves
  EXPECT_EQ(RunCli("play " + SamplePath() + " --moves 9П --at 5 --out " + out).Status, 2);      // no entry 5
  EXPECT_EQ(RunCli("play /nonexistent.zrk --moves 9П --out " + out).Status, 2);
  EXPECT_EQ(RunCli("moves /nonexistent.zrk").Status, 2);
  EXPECT_EQ(RunCli("export " + SamplePath()).Status, 2);
  EXPECT_FALSE(std::filesystem::exists(out));
  const TCliResult r = RunCli("play " + SamplePath() + " --moves 'x' --out " + out);
  EXPECT_EQ(r.Status, 1);
  EXPECT_NE(r.Err.find("Ожидается номер или имя фигурки"), std::string::npos);
  std::filesystem::remove(out);
}

} // namespace
} // namespace zrk::test
