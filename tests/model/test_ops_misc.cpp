// Clearing walls, grooves and pins; laying the end position as the start; the picture reference.
#include <gtest/gtest.h>

#include "model/ops_consistency.h"
#include "model/ops_end.h"
#include "model/ops_picture.h"
#include "model/ops_walls.h"
#include "support/task_text.h"

namespace zrk {
namespace {

using test::BuildTask;

class OpsFlagsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    test::TTaskText text({"AA.", "B..", "..."});
    text.Flags[{2, 0}] = FlagWallBelow | FlagGrooveToTheRight;
    text.Flags[{1, 1}] = FlagWallOnTheRight;
    text.Flags[{0, 2}] = FlagGrooveDown;
    fig = BuildTask(task, text);
    task.StartMap[MakeCell(1, 0)] |= CellPin;
    task.RebuildFigs(false);
  }
  TTask task;
  std::map<char, int> fig;
};

TEST_F(OpsFlagsTest, ClearWallsKeepsGroovesAndPins) {
  ASSERT_EQ(task.FlaggedCells, 3);
  EXPECT_TRUE(ClearWalls(task));
  EXPECT_EQ(task.FlaggedCells, 2);
  EXPECT_EQ(task.StartMap[MakeCell(2, 0)], CellField | GrooveToTheRight);
  EXPECT_EQ(task.StartMap[MakeCell(1, 1)], CellField);
  EXPECT_EQ(task.Figs[fig['A']].PinCount, 1);
  EXPECT_FALSE(ClearWalls(task));
  EXPECT_EQ(test::ConsistencyFault(task), "");
}

TEST_F(OpsFlagsTest, ClearPinsAndGroovesKeepsWalls) {
  EXPECT_TRUE(ClearPinsAndGrooves(task));
  EXPECT_EQ(task.FlaggedCells, 2);
  EXPECT_EQ(task.Figs[fig['A']].PinCount, 0);
  EXPECT_FALSE(task.Figs[fig['A']].HasPins());
  EXPECT_EQ(task.StartMap[MakeCell(1, 0)], CellField | fig['A']);
  EXPECT_EQ(task.StartMap[MakeCell(2, 0)], CellField | WallBelow);
  EXPECT_FALSE(ClearPinsAndGrooves(task));
  EXPECT_TRUE(ClearWalls(task));
  EXPECT_TRUE(task.FieldFlags.empty()); // no flag left: the array goes
  EXPECT_EQ(test::ConsistencyFault(task), "");
}

TEST(OpsEndTest, LayEndAsStartPutsFiguresAtTheirEndPlaces) {
  TTask task;
  auto fig = BuildTask(task, {{" AA..", " B...", " ...."}});
  const CellCode fieldPos = task.Field().Pos;
  task.Figs[fig['A']].EndPos = int16_t(MakeCell(3, 2) - fieldPos + 0x81);
  task.StartMap[MakeCell(1, 0)] |= CellPin; // A's first cell carries a pin
  task.RebuildFigs(false);
  task.Figs[fig['A']].EndPos = int16_t(MakeCell(3, 2) - task.Field().Pos + 0x81);
  task.BuildMaps(true, true);
  ASSERT_NE(task.Figs[fig['A']].EndPos, 0);
  std::vector<uint16_t> map(MapSize, 0);
  map[MakeCell(0, 0)] = CellField; // whatever the caller prepared stays
  LayEndAsStart(task, map);
  EXPECT_EQ(map[MakeCell(3, 2)], fig['A'] | CellPin);
  EXPECT_EQ(map[MakeCell(4, 2)], fig['A']);
  EXPECT_EQ(map[MakeCell(0, 0)], CellField);
  int laid = 0;
  for (uint16_t w : map) laid += (w & CellFigMask) != 0;
  EXPECT_EQ(laid, 2); // B has no end position
}

class OpsPictureTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fig = BuildTask(task, {{"AB.", "..."}});
    BuildTask(reference, {{"AB.", "..."}});
    for (int i = 0; i < task.FigCount; ++i) task.Figs[i].PictIndex = uint8_t(i);
  }
  TTask task, reference;
  std::map<char, int> fig;
};

TEST_F(OpsPictureTest, NoPictureMeansNeitherFlag) {
  const TPictComparison c = ComparePictTask(task, reference, false);
  EXPECT_FALSE(c.PictSame);
  EXPECT_FALSE(c.PictChanged);
}

TEST_F(OpsPictureTest, TheSameTaskFitsUnchanged) {
  const TPictComparison c = ComparePictTask(task, reference, true);
  EXPECT_TRUE(c.PictSame);
  EXPECT_FALSE(c.PictChanged);
}

TEST_F(OpsPictureTest, AMovedFigureStillFitsButTheTaskChanged) {
  task.StartMap[MakeCell(0, 0)] = CellField;
  task.StartMap[MakeCell(0, 1)] = CellField | fig['A'];
  task.RebuildFigs(false);
  const TPictComparison c = ComparePictTask(task, reference, true);
  EXPECT_TRUE(c.PictSame);
  EXPECT_TRUE(c.PictChanged);
}

TEST_F(OpsPictureTest, BoardColoursCountAsChanges) {
  task.WallColor = 0x123456;
  const TPictComparison c = ComparePictTask(task, reference, true);
  EXPECT_TRUE(c.PictSame);
  EXPECT_TRUE(c.PictChanged);
}

TEST_F(OpsPictureTest, ShapeMismatchOrAnUnknownFigureStopsTheFit) {
  struct TCase {
    const char* what;
    void (*change)(TTask&);
  };
  const TCase cases[] = {
      {"a grown figure", [](TTask& t) { t.StartMap[MakeCell(0, 1)] = CellField | 1; t.RebuildFigs(false); }},
      {"a smaller field", [](TTask& t) { t.StartMap[MakeCell(2, 1)] = 0; t.RebuildFigs(false); }},
      {"a figure added later", [](TTask& t) { t.Figs[2].PictIndex = 0; }},
      {"a counterpart out of range", [](TTask& t) { t.Figs[2].PictIndex = 9; }},
  };
  for (const TCase& c : cases) {
    TTask changed;
    BuildTask(changed, {{"AB.", "..."}});
    for (int i = 0; i < changed.FigCount; ++i) changed.Figs[i].PictIndex = uint8_t(i);
    c.change(changed);
    const TPictComparison r = ComparePictTask(changed, reference, true);
    EXPECT_FALSE(r.PictSame) << c.what;
    EXPECT_TRUE(r.PictChanged) << c.what;
  }
}

} // namespace
} // namespace zrk
