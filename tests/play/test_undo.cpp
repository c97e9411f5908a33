#include <gtest/gtest.h>

#include "model/cp1251.h"
#include "play/notation.h"
#include "play/undo.h"
#include "play_fixture.h"
#include "recording_reporter.h"

namespace zrk::test {
namespace {

struct TUndoFixture {
  TTask Task;
  TPlayEngine Engine{Task};
  TPlainUndoWindow Window;
  TUndoRing Ring{Engine, Window};
  std::map<char, int> Fig;

  TUndoFixture() {
    Fig = BuildTask(Task, TTaskText{{"A....", "....."}});
    Task.Options.SetMoveKind(OneDirMove);
    Ring.ClearUndo();
    Ring.RecordUndo();
  }
  // An edit: the cell width stands for any change of the task.
  void Change(int wc) {
    Task.Options.WC = wc;
    Ring.RecordUndo();
  }
};

TEST(UndoRing, SnapshotIsExactlySized) { EXPECT_EQ(SnapshotSize, 69680u); }

TEST(UndoRing, OnlyTheLast99ChangesCanBeUndone) {
  TUndoFixture t;
  for (int i = 1; i <= 150; ++i) t.Change(100 + i);
  int undos = 0;
  while (t.Ring.Undo(nullptr)) ++undos;
  EXPECT_EQ(undos, 99);
  EXPECT_EQ(t.Task.Options.WC, 100 + 150 - 99);
  EXPECT_FALSE(t.Ring.Undo(nullptr));
  int redos = 0;
  while (t.Ring.Redo(nullptr)) ++redos;
  EXPECT_EQ(redos, 99);
  EXPECT_EQ(t.Task.Options.WC, 250);
}

TEST(UndoRing, ARefreshThatChangesNothingTakesNoSlot) {
  TUndoFixture t;
  t.Change(40);
  const int cur = t.Ring.Cur;
  t.Ring.RecordUndo();
  t.Ring.RecordUndo();
  EXPECT_EQ(t.Ring.Cur, cur);
  EXPECT_TRUE(t.Ring.Undo(nullptr));
  EXPECT_EQ(t.Task.Options.WC, 30);
  EXPECT_FALSE(t.Ring.CanUndo());
}

TEST(UndoRing, AChangeAfterUndosDropsTheRedoSide) {
  TUndoFixture t;
  t.Change(40);
  t.Change(50);
  t.Change(60);
  ASSERT_TRUE(t.Ring.Undo(nullptr));
  ASSERT_TRUE(t.Ring.Undo(nullptr));
  EXPECT_TRUE(t.Ring.CanRedo());
  t.Change(70);
  EXPECT_FALSE(t.Ring.CanRedo());
  EXPECT_FALSE(t.Ring.Redo(nullptr));
  ASSERT_TRUE(t.Ring.Undo(nullptr));
  EXPECT_EQ(t.Task.Options.WC, 40);
}

TEST(UndoRing, EditSnapshotsRestoreFiguresMapAndView) {
  TUndoFixture t;
  t.Window.View.ScrollX = 17;
  t.Window.View.Tool = 3;
  t.Task.Figs[1].SetName("Ab");
  t.Task.Figs[1].Color = 0x123456;
  t.Ring.RecordUndo();
  const auto map = t.Task.StartMap;
  t.Task.StartMap[MakeCell(0, 0)] = CellField; // the figure is erased
  t.Task.RebuildFigs(false);
  t.Window.View = TUndoView();
  t.Ring.RecordUndo();
  ASSERT_TRUE(t.Ring.Undo(nullptr));
  EXPECT_EQ(t.Task.StartMap, map);
  EXPECT_EQ(t.Task.Figs[1].NameStr(), "Ab");
  EXPECT_EQ(t.Task.Figs[1].Color, 0x123456u);
  EXPECT_EQ(t.Task.Figs[1].Pos, MakeCell(0, 0));
  EXPECT_EQ(t.Window.View.ScrollX, 17);
  EXPECT_EQ(t.Window.View.Tool, 3);
}

TEST(UndoRing, PlayModeMovesAndEnteringPlayAreUndone) {
  TUndoFixture t;
  t.Engine.SetPlayMode(true, false, false);
  t.Ring.RecordUndo();
  ASSERT_TRUE(ApplyMoveList(t.Engine, Utf8ToCp1251("1П 1Н"), nullptr).Complete);
  t.Engine.GoTo(2);
  t.Ring.RecordUndo();
  t.Engine.GoTo(1); // navigation is recorded too
  t.Ring.RecordUndo();
  t.Engine.AddCurrent();
  t.Ring.RecordUndo();

  ASSERT_TRUE(t.Ring.Undo(nullptr)); // the tree node goes
  EXPECT_EQ(t.Engine.Tree.PreOrder().size(), 1u);
  EXPECT_EQ(t.Engine.Line.Cur, 1);
  ASSERT_TRUE(t.Ring.Undo(nullptr)); // back to the later move
  EXPECT_EQ(t.Engine.Line.Cur, 2);
  EXPECT_EQ(t.Task.Figs[1].Pos, MakeCell(1, 1));
  ASSERT_TRUE(t.Ring.Undo(nullptr)); // the start position with an empty line
  EXPECT_TRUE(t.Task.Options.Play);
  EXPECT_EQ(t.Engine.Line.Count, 1);
  EXPECT_EQ(t.Task.Figs[1].Pos, MakeCell(0, 0));
  ASSERT_TRUE(t.Ring.Undo(nullptr)); // edit mode
  EXPECT_FALSE(t.Task.Options.Play);
  ASSERT_TRUE(t.Ring.Redo(nullptr));
  ASSERT_TRUE(t.Ring.Redo(nullptr));
  EXPECT_TRUE(t.Task.Options.Play);
  EXPECT_EQ(t.Engine.Line.Count, 3);
  EXPECT_EQ(t.Engine.Line.Cur, 2);
  EXPECT_EQ(t.Task.StartMap[MakeCell(1, 1)] & CellFigMask, 1);
}

TEST(UndoRing, APlayBodyTooLargeSetsUndoFailed) {
  TUndoFixture t;
  t.Engine.SetPlayMode(true, false, false);
  t.Ring.RecordUndo();
  t.Engine.Tree.Root()->Line->PosText = std::string(SnapshotBodySize, 'x');
  t.Ring.RecordUndo();
  EXPECT_TRUE(t.Ring.Failed);
  TRecordingReporter rep;
  EXPECT_FALSE(t.Ring.Undo(&rep));
  EXPECT_FALSE(t.Ring.Redo(&rep));
  ASSERT_EQ(rep.Messages.size(), 2u);
  EXPECT_EQ(rep.Messages[0].Caption, "Отмена невозможна!");
  EXPECT_EQ(rep.Messages[1].Caption, "Возрат отмены невозможен!");
  EXPECT_EQ(rep.Messages[0].Text, "Дерево позиций слишком большое!");
  EXPECT_TRUE(t.Engine.Tree.Root()->Line->PosText.size() == SnapshotBodySize); // nothing restored
  t.Engine.Tree.Root()->Line->PosText.clear();
  t.Ring.RecordUndo();
  EXPECT_FALSE(t.Ring.Failed);
}

} // namespace
} // namespace zrk::test
