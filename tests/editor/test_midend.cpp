// The midend: settings read with their ranges, the command line, the mode switch with its history,
// and files that cannot be read.

#include <filesystem>

#include <gtest/gtest.h>

#include "editor/midend_fixture.h"
#include "model/streams.h"

namespace zrk::test {
namespace {

TEST(MidendSettings, NumbersAreClampedToTheirRangesWhenRead) {
  struct Case {
    const char* Key;
    const char* Stored;
    int Expected;
  };
  const Case cases[] = {
      {"AnimSpeed", "99", 13},      {"AnimSpeed", "-4", 0},        {"AnimSpeed", "7", 7},
      {"AnimSpeed", "fast", 5},     {"AnimSpeed", "", 5},          {"SolMax", "0", 1},
      {"SolMax", "100000000000", 100}, {"SolMax", "42", 42},       {"TreeWidth", "12", MinTreeWidth},
      {"TreeWidth", "99999999", MaxTreeWidth}, {"LastColor", "-1", 0}, {"LastColor", "33554431", 0xFFFFFF},
  };
  for (const Case& c : cases) {
    TRecordingView view;
    TMidend m(view);
    TMapStore store;
    store.Set(OptSection, c.Key, c.Stored);
    m.ReadSettings(store);
    const std::string key = c.Key;
    const int got = key == "AnimSpeed" ? m.Settings.AnimSpeed
                    : key == "SolMax"  ? m.SolveOptions.SolMax
                    : key == "TreeWidth" ? m.Settings.TreeWidth
                                         : int(m.Settings.LastColor);
    EXPECT_EQ(got, c.Expected) << c.Key << "=" << c.Stored;
  }
}

TEST(MidendSettings, WrittenSettingsReadBackAndMissingOnesGiveTheDefaults) {
  TRecordingView view;
  TMidend m(view);
  m.SetPaths("/prog/", "/prog/Current.zrk");
  TMapStore empty;
  m.ReadSettings(empty);
  EXPECT_TRUE(m.Settings.OnlyField);
  EXPECT_TRUE(m.SolveOptions.Remote);
  EXPECT_EQ(m.Settings.TaskFile, "/prog/Current.zrk");
  EXPECT_EQ(m.Settings.MovesFile, "/prog/");

  m.Settings.OnlyField = false;
  m.Settings.Turn = true;
  m.Settings.AnimSpeed = 9;
  m.Settings.MovesFile = "/m/ходы.txt";
  m.Colours.SameColor = true;
  m.SolveOptions.ManySol = true;
  m.SolveOptions.SolMax = 3;
  TMapStore store;
  m.WriteSettings(store);
  EXPECT_EQ(store.Values["Opt/OnlyField"], "0");

  TRecordingView view2;
  TMidend back(view2);
  back.ReadSettings(store);
  EXPECT_FALSE(back.Settings.OnlyField);
  EXPECT_TRUE(back.Settings.Turn);
  EXPECT_EQ(back.Settings.AnimSpeed, 9);
  EXPECT_EQ(back.Settings.MovesFile, "/m/ходы.txt");
  EXPECT_TRUE(back.Colours.SameColor);
  EXPECT_TRUE(back.SolveOptions.ManySol);
  EXPECT_EQ(back.SolveOptions.SolMax, 3);
  // New figures take the colour recorded as the last one.
  EXPECT_EQ(back.Task.LastColor, &back.Settings.LastColor);
}

TEST(MidendStart, TheCommandLineNamesTheFileToLoad) {
  TRecordingView view;
  TMidend m(view);
  m.SetPaths("/prog/", "/prog/Current.zrk");
  m.Settings.TaskFile = "/tasks/last.zrk";
  EXPECT_EQ(m.StartFile({}), "/prog/Current.zrk");
  EXPECT_EQ(m.Settings.TaskFile, "/tasks/last.zrk"); // the caption keeps the file last opened
  EXPECT_EQ(m.StartFile({"-"}), "");
  EXPECT_EQ(m.Settings.TaskFile, "/tasks/last.zrk");
  EXPECT_EQ(m.StartFile({"/x/puzzle.zrk"}), "/x/puzzle.zrk");
  EXPECT_EQ(m.Settings.TaskFile, "/x/puzzle.zrk");
}

// Moves figure fig one cell in dir on the played line, as a drag does.
void PlayStep(TMidend& m, int fig, int dir) {
  TPlayEngine& e = m.Play;
  std::vector<int16_t> pos(e.Line.Positions(e.Line.Cur), e.Line.Positions(e.Line.Cur) + e.Line.FigCount);
  std::vector<uint16_t> map = e.ScratchMap();
  e.SetPosition(pos.data(), map.data(), true);
  TMove mv;
  mv.Fig = uint8_t(fig);
  mv.Dir = int8_t(dir);
  mv.Len = 1;
  mv.Cell = e.FirstCell(fig, pos[size_t(fig)]);
  bool pushed = false;
  ASSERT_TRUE(e.Step(pos.data(), map.data(), fig, dir, pushed));
  e.AppendEntry(mv, pos.data());
  e.GoTo(e.Line.Cur);
  m.Refresh(UndoStep::New);
}

struct TBoardState {
  std::vector<uint16_t> Map;
  std::vector<CellCode> Pos;
  bool Play = false;
  bool operator==(const TBoardState&) const = default;
};

TBoardState BoardOf(const TTask& task) {
  TBoardState b{task.StartMap, {}, task.Options.Play};
  for (int i = 0; i < task.FigCount; ++i) b.Pos.push_back(task.Figs[size_t(i)].Pos);
  return b;
}

// The field does not start at the board's corner, so that a field laid at a wrong place shows.
TEST(MidendHistory, UndoAndRedoAcrossAModeSwitchRestoreExactlyTheBoardOfTheSnapshot) {
  TMidendFixture f({{"     ", " AAB.", " C...", " ...."}});
  TMidend& m = f.Midend;
  const TBoardState edit = BoardOf(f.Task);
  m.SwitchMode(false);
  ASSERT_TRUE(f.Task.Options.Play);
  PlayStep(m, f.Fig['C'], DirRight);
  PlayStep(m, f.Fig['B'], DirDown);
  const TBoardState played = BoardOf(f.Task);
  m.SwitchMode(false); // back to editing: the figures return to the start
  EXPECT_EQ(BoardOf(f.Task), edit);

  m.Undo();
  EXPECT_EQ(BoardOf(f.Task), played);
  EXPECT_EQ(m.Play.Line.Count, 3);
  EXPECT_EQ(m.Play.Line.Cur, 2);
  // The restored line still plays: one more step works from the restored board.
  PlayStep(m, f.Fig['A'], DirDown);
  m.Undo();
  EXPECT_EQ(BoardOf(f.Task), played);
  m.Redo();
  m.Undo();
  m.Undo();
  m.Undo();
  m.Undo(); // the start of play, then the edit state it was entered from
  EXPECT_EQ(BoardOf(f.Task), edit);
  m.Redo();
  m.Redo();
  m.Redo();
  EXPECT_EQ(BoardOf(f.Task), played);
  EXPECT_TRUE(f.View.Messages.empty());
}

TEST(MidendHistory, LeavingPlayAsksWhenTheTreeCouldNotBeKept) {
  TMidendFixture f({{"AB..", "...."}});
  TMidend& m = f.Midend;
  m.SwitchMode(false);
  m.UndoRing.Failed = true; // as after a line too long for a snapshot
  f.View.Answer = false;
  m.SwitchMode(false);
  ASSERT_EQ(f.View.Questions.size(), 1u);
  EXPECT_EQ(f.View.Questions[0], "Перейти в редактирование?: Дерево позиций будет потеряно!");
  EXPECT_TRUE(f.Task.Options.Play);
  f.View.Answer = true;
  m.SwitchMode(true);
  EXPECT_FALSE(f.Task.Options.Play);
}

TEST(MidendFiles, AFolderOrAMissingFileIsReportedAndTheTaskStays) {
  TMidendFixture f({{"AB..", "...."}});
  TMidend& m = f.Midend;
  const TBoardState before = BoardOf(f.Task);
  const std::string folder = std::filesystem::temp_directory_path().string();
  EXPECT_FALSE(m.OpenTask(folder, true));
  ASSERT_EQ(f.View.Messages.size(), 1u);
  EXPECT_EQ(f.View.Messages[0], std::string(CannotReadFileCaption) + ": " + folder);
  EXPECT_EQ(BoardOf(f.Task), before);
  EXPECT_NE(m.Settings.TaskFile, folder);
}

TEST(MidendFiles, ASavedTaskOpensAgainAsTheTaskFile) {
  TMidendFixture f({{"AB..", "...."}});
  TMidend& m = f.Midend;
  const std::string path = (std::filesystem::temp_directory_path() / "zrk_midend_save.zrk").string();
  m.SwitchMode(false);
  PlayStep(m, f.Fig['B'], DirRight);
  ASSERT_TRUE(m.SaveTask(path));
  EXPECT_EQ(m.Settings.TaskFile, path);
  TRecordingView view;
  TMidend other(view);
  ASSERT_TRUE(other.OpenTask(path, true));
  EXPECT_TRUE(other.Task.Options.Play);
  EXPECT_EQ(other.Play.Line.Count, 2);
  EXPECT_EQ(BoardOf(other.Task), BoardOf(f.Task));
  EXPECT_FALSE(other.UndoRing.CanUndo()); // a task read is the base of a new history
  std::filesystem::remove(path);
}

} // namespace
} // namespace zrk::test
