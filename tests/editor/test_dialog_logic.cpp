#include <gtest/gtest.h>

#include "editor/clear_task.h"
#include "editor/editor_messages.h"
#include "editor/number_list.h"
#include "editor/rect_field.h"
#include "editor/rect_choice.h"
#include "model/ops_consistency.h"
#include "play/recording_reporter.h"
#include "support/task_text.h"

namespace zrk {
namespace {

using test::BuildTask;
using test::TTaskText;

TEST(RectChoiceTest, SidesStayWithinTheLargestRectangle) {
  TRectChoice c;
  c.SetSquare(true);
  c.ChangeX(80);
  EXPECT_EQ(c.X, 62);
  EXPECT_EQ(c.Y, 62);
  c.ChangeY(5);
  EXPECT_EQ(c.X, 5);

  TRectChoice free;
  free.ChangeX(80);
  free.ChangeY(7);
  EXPECT_EQ(free.X, 62);
  EXPECT_EQ(free.Y, 7);
  free.SetSquare(true); // the height follows the width
  EXPECT_EQ(free.Y, 62);

  // Settings from a damaged file.
  TRectChoice loaded;
  loaded.Load(-4, 1000, false);
  EXPECT_EQ(loaded.X, 1);
  EXPECT_EQ(loaded.Y, 62);
}

TEST(NumberListTest, AnyNumbersFromAFileAreListedSafely) {
  TTask task;
  BuildTask(task, TTaskText({"ABCD"}));
  task.Figs[1].Num = 2;
  task.Figs[2].Num = 200; // out of range: not listed
  task.Figs[3].Num = 2;   // a repeat: the first holder is shown
  task.Figs[4].Num = 0;
  task.Figs[1].SetName("Ab");
  TNumberList list;
  list.Fill(task);
  ASSERT_EQ(list.Count(), 4);
  EXPECT_EQ(list.FigureOf(0), 0);
  EXPECT_EQ(list.FigureOf(1), 1);
  EXPECT_EQ(list.FigureOf(4), 0);
  EXPECT_EQ(list.Label(task, 0), "1");
  EXPECT_EQ(list.Label(task, 1), "2 (Ab)");
  EXPECT_EQ(list.Label(task, 3), "4");
}

TEST(NumberListTest, TakingNumbersWalksTheListAndWrapsAround) {
  TTask task;
  BuildTask(task, TTaskText({"ABC"}));
  TNumberList list;
  list.Fill(task);
  list.Select(1);
  EXPECT_EQ(list.TakeNumber(), 2);
  EXPECT_EQ(list.TakeNumber(), 3);
  EXPECT_EQ(list.TakeNumber(), 1);
  EXPECT_EQ(list.Selected(), 1);

  TTask empty;
  BuildTask(empty, TTaskText({"..."}));
  TNumberList none;
  none.Fill(empty);
  EXPECT_EQ(none.TakeNumber(), 0);
}

TEST(NumberListTest, NamesAMoveTextCannotReadBackAreRefused) {
  const std::pair<const char*, bool> cases[] = {
      {"Ab", true}, {"", true}, {"Z9", true}, {"\xC0\xE1", true}, // Cyrillic letters
      {"12", false}, {"1a", false}, {"a b", false}, {" ", false}, {"\t", false},
  };
  for (auto [name, allowed] : cases) EXPECT_EQ(NameRefusal(name) == nullptr, allowed) << name;
}

TEST(ClearTaskTest, FiguresAlwaysGoTheRestAsTicked) {
  for (bool field : {false, true})
    for (bool colours : {false, true})
      for (bool text : {false, true}) {
        SCOPED_TRACE(field * 4 + colours * 2 + text);
        TTaskText rows({"AB.", "..."});
        rows.Flags[{0, 0}] = FlagWallOnTheRight;
        TTask task;
        BuildTask(task, rows);
        task.Field().Color = 0x123456;
        task.WallColor = 0x654321;
        task.Text = "Автор";
        task.Figs[1].EndPos = 0x81;
        ClearTask(task, TClearChoice{field, colours, text});
        EXPECT_EQ(task.FigCount, 1);
        EXPECT_EQ(task.Field().CellCount(), field ? 0 : 6);
        EXPECT_EQ(task.FlaggedCells, field ? 0 : 1);
        EXPECT_EQ(task.Field().Color, colours ? DefaultFieldColor : 0x123456u);
        EXPECT_EQ(task.WallColor, colours ? DefaultWallColor : 0x654321u);
        EXPECT_EQ(task.Text.empty(), text);
        EXPECT_EQ(test::ConsistencyFault(task), "");
      }
}

TEST(RectFieldTest, TheFieldBecomesTheRectangleAndTheBoardGrowsToHoldIt) {
  struct TCase {
    int A, B, DimX, DimY;
  };
  for (const TCase& c : {TCase{5, 5, 10, 10}, TCase{12, 5, 12, 10}, TCase{3, 14, 10, 14}}) {
    TTask task;
    task.New(true, true);
    test::TRecordingReporter reporter;
    ASSERT_TRUE(RectField(task, c.A, c.B, reporter));
    EXPECT_EQ(task.DimX, c.DimX);
    EXPECT_EQ(task.DimY, c.DimY);
    EXPECT_EQ(task.Field().CellCount(), c.A * c.B);
    EXPECT_EQ(task.Field().Pos, MakeCell(0, 0));
    EXPECT_EQ(task.Field().Width, c.A);
  }
}

TEST(RectFieldTest, FiguresKeepTheirCellsAndPinsAndWallsGo) {
  TTaskText text({"AA..  ",
                  "....  ",
                  "......",
                  "......",
                  "      ",
                  "     b"});
  text.Flags[{0, 0}] = FlagWallBelow;
  TTask task;
  BuildTask(task, text);
  task.StartMap[size_t(MakeCell(0, 0))] |= CellPin;
  task.RebuildFigs(false);
  test::TRecordingReporter reporter;
  ASSERT_TRUE(RectField(task, 3, 3, reporter));
  EXPECT_EQ(task.Field().CellCount(), 9);
  EXPECT_EQ(task.FlaggedCells, 0);
  EXPECT_EQ(task.Figs[1].PinCount, 0);
  EXPECT_TRUE(task.Figs[1].OnField);
  EXPECT_EQ(task.Figs[2].CellCount(), 1); // the parked figure stays where it was
  EXPECT_EQ(test::ConsistencyFault(task), "");
}

TEST(RectFieldTest, ACrossedOrTouchedFigureOrAnOversizedBoardIsRefused) {
  struct TCase {
    std::vector<std::string> Rows;
    int WC, A, B;
    const char* Message;
  };
  const TCase cases[] = {
      {{"..A.", "..A.", "....", "...."}, 30, 4, 1, FieldCrossesFiguresText}, // partly inside
      {{"....", "....", "...A", "...."}, 30, 3, 2, FieldCrossesFiguresText}, // touches a corner
      {{"...."}, 200, 62, 62, ImageAreaReduceCellText},
  };
  for (const TCase& c : cases) {
    TTask task;
    BuildTask(task, TTaskText(c.Rows));
    task.Options.WC = c.WC;
    const std::vector<uint16_t> before = task.StartMap;
    const int dimX = task.DimX, dimY = task.DimY;
    test::TRecordingReporter reporter;
    EXPECT_FALSE(RectField(task, c.A, c.B, reporter));
    EXPECT_EQ(task.StartMap, before);
    EXPECT_EQ(task.DimX, dimX);
    EXPECT_EQ(task.DimY, dimY);
    ASSERT_EQ(reporter.Messages.size(), 1u);
    EXPECT_EQ(reporter.Messages[0].Text, c.Message);
  }
}

} // namespace
} // namespace zrk
