#include <gtest/gtest.h>

#include <algorithm>

#include "editor/copy_figs.h"
#include "editor/editor_fixture.h"
#include "editor/editor_messages.h"
#include "editor/float_sel.h"
#include "model/ops_colours.h"
#include "model/ops_consistency.h"
#include "model/ops_selection.h"
#include "play/recording_reporter.h"
#include "support/task_text.h"

namespace zrk {

void PrintTo(const TFloatPlace& p, std::ostream* os) { *os << "(" << int(p.Col) << ", " << int(p.Row) << ")"; }

namespace {

using test::BuildTask;
using test::GroupRows;
using test::StartRows;
using test::TTaskText;

using Rows = std::vector<std::string>;

void Select(TTask& task, std::initializer_list<int> figs) {
  DeselectAll(task);
  for (int f : figs) task.Figs[size_t(f)].Selected = 1;
  task.SelSummary();
}

// Sets the pin bit on the cells listed and derives the figures again.
void Pin(TTask& task, std::initializer_list<std::pair<int, int>> cells) {
  for (auto [x, y] : cells) task.StartMap[size_t(MakeCell(x, y))] |= CellPin;
  task.RebuildFigs(false);
}

std::vector<TFloatPlace> Places(std::initializer_list<std::pair<int, int>> cols_rows) {
  std::vector<TFloatPlace> v;
  for (auto [c, r] : cols_rows) v.push_back(TFloatPlace{uint8_t(c), uint8_t(r)});
  return v;
}

// ---------------------------------------------------------------------------------------------
// Collecting

TEST(FloatSelTest, CollectTakesWhatEachModeCarries) {
  TTask task;
  auto fig = BuildTask(task, TTaskText({"......",
                                        ".AB...",
                                        ".AA...",
                                        "......",
                                        "      ",
                                        "  c   "}));
  Pin(task, {{2, 2}});
  Select(task, {fig['A'], fig['c']});
  struct TCase {
    FloatMode Mode;
    bool ParkedToo;
    int MinX, MinY, W, H, Primary, Secondary;
    std::vector<int> Carried;
  };
  const TCase cases[] = {
      {FloatMode::Figs, false, 1, 1, 2, 5, 4, 0, {fig['A'], fig['c']}},
      {FloatMode::Field, false, 0, 0, 6, 4, 24, 0, {fig['A'], fig['B']}},
      {FloatMode::Field, true, 0, 0, 6, 6, 24, 1, {fig['A'], fig['B'], fig['c']}},
      {FloatMode::All, false, 0, 0, 6, 6, 25, 0, {fig['A'], fig['B'], fig['c']}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(int(c.Mode) * 10 + c.ParkedToo);
    TFloatSel fs;
    TFloatSource source;
    source.Map = &task.StartMap;
    source.DimX = task.DimX, source.DimY = task.DimY;
    source.Marked[size_t(fig['A'])] = source.Marked[size_t(fig['c'])] = true;
    source.ParkedToo = c.ParkedToo;
    ASSERT_TRUE(fs.Collect(c.Mode, source));
    EXPECT_EQ(fs.MinX, c.MinX);
    EXPECT_EQ(fs.MinY, c.MinY);
    EXPECT_EQ(fs.FloatW, c.W);
    EXPECT_EQ(fs.FloatH, c.H);
    EXPECT_EQ(fs.PrimaryCount, c.Primary);
    EXPECT_EQ(fs.SecondaryCount(), c.Secondary);
    EXPECT_EQ(fs.CurCode, MakeCell(c.MinX, c.MinY));
    for (int i = 1; i < task.FigCount; ++i)
      EXPECT_EQ(fs.Carried[size_t(i)], std::count(c.Carried.begin(), c.Carried.end(), i) > 0) << i;
  }

  // Figures travel as index and pin only; the field's walls stay behind.
  TFloatSel figs;
  ASSERT_TRUE(figs.Collect(FloatMode::Figs, task, false));
  EXPECT_EQ(GroupRows(figs), (Rows{"# ", "#*", "  ", "  ", " #"}));
  for (const TFloatCell& c : figs.Cells) EXPECT_EQ(c.Word & ~(CellFigMask | CellPin), 0);

  TFloatSel none;
  Select(task, {});
  EXPECT_FALSE(none.Collect(FloatMode::Figs, task, false));
}

TEST(FloatSelTest, CollectFromTheEndMapTakesTheEndCells) {
  TTask task;
  auto fig = BuildTask(task, TTaskText({"   ...",
                                        "   A..",
                                        "   ..."}));
  TFig& a = task.Figs[size_t(fig['A'])];
  a.EndPos = int16_t(0x81 + MakeCell(5, 2) - task.Field().Pos); // bottom-right field cell
  task.BuildMaps(true, true);
  Select(task, {fig['A']});
  TFloatSel fs;
  ASSERT_TRUE(fs.Collect(FloatMode::Figs, task, true));
  // The end map holds the field from column 0.
  EXPECT_EQ(fs.MinX, 2);
  EXPECT_EQ(fs.MinY, 2);
  EXPECT_EQ(fs.PrimaryCount, 1);
}

// ---------------------------------------------------------------------------------------------
// Turning and mirroring

TEST(FloatSelTest, EachTransformMovesCellsAndPinsAlike) {
  TTask task;
  auto fig = BuildTask(task, TTaskText({"AAA.",
                                        "A...",
                                        "....",
                                        "...."}));
  Pin(task, {{2, 0}});
  Select(task, {fig['A']});
  const std::pair<int, Rows> cases[] = {
      {MirrorLeftRight, {"*##", "  #"}},
      {MirrorTopBottom, {"#  ", "##*"}},
      {TurnCounterClockwise, {"* ", "# ", "##"}},
      {TurnClockwise, {"##", " #", " *"}},
      {HalfTurn, {"  #", "*##"}},
  };
  for (const auto& [kind, rows] : cases) {
    SCOPED_TRACE(kind);
    TFloatSel fs;
    ASSERT_TRUE(fs.Collect(FloatMode::Figs, task, false));
    fs.TransformFloat(kind);
    EXPECT_EQ(GroupRows(fs), rows);
  }
}

// A 3 x 3 field with one wall (right of the top-left cell) and one groove (below the middle-right
// cell): each transform must put them on the edges between the cells they lay between.
TEST(FloatSelTest, WallsAndGroovesKeepTheirEdgesUnderEachTransform) {
  TTaskText text({"...", "...", "..."});
  text.Flags[{0, 0}] = FlagWallOnTheRight;
  text.Flags[{2, 1}] = FlagGrooveDown;
  TTask task;
  BuildTask(task, text);
  struct TCase {
    int Kind;
    int WallX, WallY;
    uint16_t Wall;
    int GrooveX, GrooveY;
    uint16_t Groove;
  };
  const TCase cases[] = {
      {MirrorLeftRight, 1, 0, WallOnTheRight, 0, 1, GrooveDown},
      {MirrorTopBottom, 0, 2, WallOnTheRight, 2, 0, GrooveDown},
      {TurnCounterClockwise, 0, 1, WallBelow, 1, 0, GrooveToTheRight},
      {TurnClockwise, 2, 0, WallBelow, 0, 2, GrooveToTheRight},
      {HalfTurn, 1, 2, WallOnTheRight, 0, 0, GrooveDown},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Kind);
    TFloatSel fs;
    ASSERT_TRUE(fs.Collect(FloatMode::Field, task, false));
    fs.TransformFloat(c.Kind);
    TTask out;
    BuildTask(out, TTaskText({"...", "...", "..."}));
    fs.WriteFloat(out, MakeCell(0, 0), false);
    for (int code = 0; code < MapSize; ++code) {
      uint16_t expected = out.StartMap[size_t(code)] & CellField;
      if (code == MakeCell(c.WallX, c.WallY)) expected |= c.Wall;
      if (code == MakeCell(c.GrooveX, c.GrooveY)) expected |= c.Groove;
      EXPECT_EQ(out.StartMap[size_t(code)], expected) << std::hex << code;
    }
  }
}

TEST(FloatSelTest, FourQuarterTurnsAndTwoMirrorsRestoreTheField) {
  TTaskText text({"..A.", ".BB.", "....", "C..."});
  text.Flags[{0, 0}] = FlagWallOnTheRight | FlagGrooveDown;
  text.Flags[{1, 2}] = FlagWallBelow | FlagGrooveToTheRight;
  text.Flags[{3, 1}] = FlagWallBelow;
  text.Flags[{2, 3}] = FlagGrooveToTheRight;
  TTask task;
  BuildTask(task, text);
  Pin(task, {{2, 0}, {1, 1}});
  const std::pair<int, int> cycles[] = {{TurnClockwise, 4}, {TurnCounterClockwise, 4}, {MirrorLeftRight, 2},
                                        {MirrorTopBottom, 2}, {HalfTurn, 2}};
  for (auto [kind, times] : cycles) {
    SCOPED_TRACE(kind);
    TFloatSel fs;
    ASSERT_TRUE(fs.Collect(FloatMode::Field, task, false));
    for (int i = 0; i < times; ++i) fs.TransformFloat(kind);
    const std::vector<uint16_t> before = task.StartMap;
    TTask copy;
    BuildTask(copy, TTaskText({"."}));
    copy.DimX = copy.DimY = 4;
    fs.WriteFloat(copy, MakeCell(0, 0), false);
    EXPECT_EQ(copy.StartMap, before);
  }
}

// ---------------------------------------------------------------------------------------------
// Placements

TEST(FloatSelTest, FigureDropsListFreeFieldPlacesThenParkingPlaces) {
  TTask task;
  auto fig = BuildTask(task, TTaskText({"AB  ",
                                        "..  ",
                                        "    ",
                                        "    "}));
  Select(task, {fig['A']});
  TFloatSel fs;
  ASSERT_TRUE(fs.Collect(FloatMode::Figs, task, false));
  fs.SetTarget(task.StartMap, task.DimX, task.DimY, true);
  fs.FindFigurePlacements(true, false, false);
  EXPECT_EQ(fs.MainCandidates, Places({{0, 0}, {0, 1}, {1, 1}})); // its own cell is free again
  fs.FindFigurePlacements(false, true, false);
  // Parking: never on or next to the field, also diagonally.
  EXPECT_EQ(fs.MainCandidates,
            Places({{0, 0}, {0, 1}, {1, 1}, {3, 0}, {3, 1}, {3, 2}, {0, 3}, {1, 3}, {2, 3}, {3, 3}}));
}

// A wall may not come between two cells of one dragged figure, even when one of them carries a
// pin and the other does not.
TEST(FloatSelTest, TheWallCheckKeepsPinnedAndPlainCellsOfOneFigureTogether) {
  struct TCase {
    Rows Field;
    std::pair<int, int> WallAt;
    uint8_t Wall;
    std::pair<int, int> PinAt;
    std::vector<TFloatPlace> Expected;
  };
  const TCase cases[] = {
      {{"AA.."}, {1, 0}, FlagWallOnTheRight, {0, 0}, Places({{0, 0}, {2, 0}})},
      {{"AA.."}, {1, 0}, FlagWallOnTheRight, {1, 0}, Places({{0, 0}, {2, 0}})},
      {{"A", "A", ".", "."}, {0, 1}, FlagWallBelow, {0, 0}, Places({{0, 0}, {0, 2}})},
  };
  for (const TCase& c : cases) {
    TTaskText text(c.Field);
    text.Flags[c.WallAt] = c.Wall;
    TTask task;
    auto fig = BuildTask(task, text);
    Pin(task, {c.PinAt});
    Select(task, {fig['A']});
    TFloatSel fs;
    ASSERT_TRUE(fs.Collect(FloatMode::Figs, task, false));
    fs.SetTarget(task.StartMap, task.DimX, task.DimY, true);
    fs.FindFigurePlacements(true, false, true);
    EXPECT_EQ(fs.MainCandidates, c.Expected);
    fs.ClearPlacements();
    fs.FindFigurePlacements(true, false, false);
    EXPECT_EQ(fs.MainCandidates.size(), 3u); // without the check the wall is crossed
  }
}

TEST(FloatSelTest, TheFieldKeepsClearOfParkedFiguresBesideIt) {
  TTask task;
  BuildTask(task, TTaskText({"..    ",
                             "..    ",
                             "      ",
                             "    a "}));
  TFloatSel fs;
  ASSERT_TRUE(fs.Collect(FloatMode::Field, task, false));
  fs.SetTarget(task.StartMap, task.DimX, task.DimY, true);
  fs.BuildOcc(OccKind::AroundOthers);
  fs.FindPlacements(false, false);
  // The 2 x 2 field may not cover or touch the parked figure at (4, 3).
  EXPECT_EQ(fs.MainCandidates, Places({{0, 0}, {1, 0}, {2, 0}, {3, 0}, {4, 0}, {0, 1}, {1, 1}, {0, 2}, {1, 2}}));
}

TEST(FloatSelTest, NearestPrefersTheUpperThenTheLeftPlaceAndTheOwnColumnByTwoPixels) {
  TTask task;
  auto fig = BuildTask(task, TTaskText({"B..",
                                        "...",
                                        "..A"}));
  Select(task, {fig['A']});
  TFloatSel fs;
  fs.S = 30;
  ASSERT_TRUE(fs.Collect(FloatMode::Figs, task, false));
  fs.SetTarget(task.StartMap, task.DimX, task.DimY, true);
  fs.FindFigurePlacements(true, false, false);
  // Halfway between the four top-left places: (0, 0) is taken, (1, 0) and (0, 1) tie.
  EXPECT_EQ(fs.Nearest(15, 15, false, false), (TFloatPlace{1, 0}));
  EXPECT_EQ(fs.Nearest(40, 40, false, false), (TFloatPlace{1, 1}));

  // The group's own column (2) wins a tie it would lose by up to two pixels.
  EXPECT_EQ(fs.Nearest(45, 60, false, false), (TFloatPlace{1, 2}));
  EXPECT_EQ(fs.Nearest(45, 60, false, true), (TFloatPlace{2, 2}));
  EXPECT_EQ(fs.Nearest(43, 60, false, true), (TFloatPlace{1, 2}));
  // Off the board the nearest edge place is taken.
  EXPECT_EQ(fs.Nearest(-500, 1000, false, false), (TFloatPlace{0, 2}));

  TFloatSel empty;
  EXPECT_FALSE(empty.Nearest(0, 0, false, false).has_value());
}

// ---------------------------------------------------------------------------------------------
// Dropping

TEST(FloatSelTest, PlaceNearestWritesTheStartMapOncePerPlace) {
  TTask task;
  auto fig = BuildTask(task, TTaskText({"AA..",
                                        "....",
                                        "    ",
                                        "    "}));
  Select(task, {fig['A']});
  TFloatSel fs;
  fs.S = 30;
  ASSERT_TRUE(fs.Collect(FloatMode::Figs, task, false));
  fs.OffX = 10 - fs.S * fs.MinX, fs.OffY = 10 - fs.S * fs.MinY; // held at (10, 10)
  fs.SetTarget(task.StartMap, task.DimX, task.DimY, true);
  fs.FindFigurePlacements(true, true, false);
  EXPECT_FALSE(fs.PlaceNearest(task, 12, 14, false, true)); // still at its own place
  ASSERT_TRUE(fs.PlaceNearest(task, 10 + 60, 10 + 30, false, true));
  task.RebuildFigs(false);
  EXPECT_EQ(StartRows(task), (Rows{"....", "..AA", "    ", "    "}));
  EXPECT_EQ(fs.CurCode, MakeCell(2, 1));
  // Dragged down past the field it parks, never touching the field.
  ASSERT_TRUE(fs.PlaceNearest(task, 10, 10 + 90, false, true));
  task.RebuildFigs(false);
  EXPECT_EQ(StartRows(task), (Rows{"....", "....", "    ", "aa  "}));
  EXPECT_EQ(test::ConsistencyFault(task), "");
}

TEST(FloatSelTest, ADropIntoTheEndViewSetsEndPositionsOnly) {
  TTask task;
  auto fig = BuildTask(task, TTaskText({"      ",
                                        "  A.B ",
                                        "  ... ",
                                        "  ... "}));
  Select(task, {fig['A'], fig['B']});
  const std::vector<uint16_t> start = task.StartMap;
  TFloatSel fs;
  fs.S = 30;
  ASSERT_TRUE(fs.Collect(FloatMode::Figs, task, false));
  fs.NoteEndOffsets(task, false);
  fs.SetTarget(task.EndMap, task.DimX, task.DimY, true);
  fs.BuildOcc(OccKind::OnField);
  fs.FindPlacements(true, false);
  ASSERT_EQ(fs.EndCandidates, Places({{0, 1}, {0, 2}, {0, 3}})); // the end view's field, 3 x 3
  fs.EndOffX = fs.EndOffY = 0;
  ASSERT_TRUE(fs.PlaceNearest(task, 0, 90, true, true));
  task.BuildMaps(true, true);
  EXPECT_EQ(task.StartMap, start);
  const CellCode fieldPos = task.Field().Pos;
  EXPECT_EQ(task.Figs[size_t(fig['A'])].EndPos, 0x81 + MakeCell(2, 3) - fieldPos);
  EXPECT_EQ(task.Figs[size_t(fig['B'])].EndPos, 0x81 + MakeCell(4, 3) - fieldPos);
  EXPECT_EQ(test::MapRows(task, task.EndMap, 3)[3], "A.B");
  EXPECT_TRUE(fs.CurInEnd);
}

TEST(FloatSelTest, CommittedGroupsOccupyTheTargetForTheNextOnes) {
  TTask task;
  auto fig = BuildTask(task, TTaskText({"AB.",
                                        "   ",
                                        "   ",
                                        "   "}));
  TFloatSel fs;
  fs.S = 30;
  // Both figures leave the field: take them off the target, then park them one after the other
  // as near to (0, 3) as they can get.
  Select(task, {fig['A'], fig['B']});
  ASSERT_TRUE(fs.Collect(FloatMode::Figs, task, false));
  fs.SetTarget(task.StartMap, task.DimX, task.DimY, true);
  fs.BuildOcc(OccKind::OffField);
  for (int f : {fig['A'], fig['B']}) {
    Select(task, {f});
    ASSERT_TRUE(fs.Collect(FloatMode::Figs, task, false));
    fs.ClearPlacements();
    fs.FindPlacements(false, false);
    ASSERT_TRUE(fs.PlaceNearest(task, 0, 90, false, false, false, true));
  }
  task.StartMap = fs.TargetMap;
  task.RebuildFigs(false);
  EXPECT_EQ(StartRows(task), (Rows{"...", "   ", "b  ", "a  "}));
  EXPECT_EQ(test::ConsistencyFault(task), "");
}

TEST(FloatSelTest, MoveAllShiftsByWholeCellsAndStopsAtTheEdge) {
  struct TCase {
    int Dx, Dy;
    bool Moves;
    int Col, Row; // 0-based top-left afterwards
  };
  const TCase cases[] = {
      {14, -14, false, 1, 1}, {15, 0, true, 2, 1}, {-15, 0, true, 0, 1}, {-16, 44, true, 0, 2},
      {300, 300, true, 3, 3}, {-300, -300, true, 0, 0},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Dx * 1000 + c.Dy);
    TTask t;
    BuildTask(t, TTaskText({"     ", " .A  ", "     ", "     "}));
    TFloatSel fs;
    fs.S = 30;
    ASSERT_TRUE(fs.Collect(FloatMode::All, t, false));
    EXPECT_EQ(fs.MoveAll(t, c.Dx, c.Dy), c.Moves);
    t.RebuildFigs(false);
    EXPECT_EQ(t.Field().Pos, MakeCell(c.Col, c.Row));
    EXPECT_EQ(test::ConsistencyFault(t), "");
  }
}

// ---------------------------------------------------------------------------------------------
// Copying

TEST(FloatSelTest, CopiesLandBesideTheirOriginalsAndBecomeTheSelection) {
  for (bool newColours : {false, true}) {
    TTask task;
    auto fig = BuildTask(task, TTaskText({"AB..",
                                          "A...",
                                          "....",
                                          "....",
                                          "    ",
                                          "    "}));
    task.Figs[size_t(fig['A'])].Freedom = VertSlide;
    Select(task, {fig['A'], fig['B']});
    TColourState colours;
    ColourStats(task, colours);
    test::TRecordingReporter reporter;
    TFloatSel fs;
    fs.S = 30;
    ASSERT_TRUE(CopyFigs(task, colours, fs, 15, 15, newColours, reporter));
    EXPECT_TRUE(reporter.Messages.empty());
    EXPECT_EQ(StartRows(task), (Rows{"AB..", "ACD.", ".C..", "....", "    ", "    "}));
    EXPECT_EQ(task.FigCount, 5);
    EXPECT_EQ(task.SelCount, 2);
    EXPECT_TRUE(task.Figs[3].Selected && task.Figs[4].Selected);
    EXPECT_EQ(task.Figs[3].Freedom, VertSlide);
    EXPECT_EQ(task.Figs[3].Color == task.Figs[1].Color, !newColours);
    EXPECT_EQ(task.Figs[4].Color == task.Figs[2].Color, !newColours);
    if (newColours) {
      EXPECT_NE(task.Figs[3].Color, task.Figs[4].Color);
    }
    EXPECT_EQ(test::ConsistencyFault(task), "");
  }
}

TEST(FloatSelTest, ACopyPastTheFigureLimitOrWithoutRoomChangesNothing) {
  // 251 one-cell figures on a 126 x 4 field: 252 records.
  TTask crowded;
  crowded.Clear(true, true, true);
  crowded.New(true, true);
  crowded.DimX = 126, crowded.DimY = 4;
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 126; ++x) crowded.StartMap[size_t(MakeCell(x, y))] = CellField;
  for (int i = 1; i <= 251; ++i) {
    crowded.Figs[size_t(i)].Init(&crowded, i);
    crowded.StartMap[size_t(MakeCell((i - 1) % 126, 2 * ((i - 1) / 126)))] |= uint16_t(i);
  }
  crowded.FigCount = 252;
  crowded.RebuildFigs(false);

  TTask full;
  BuildTask(full, TTaskText({"A"}));

  struct TCase {
    TTask* Task;
    std::vector<int> Selected;
    bool Copies;
    const char* Message;
  };
  const TCase cases[] = {
      {&crowded, {1, 2, 3}, false, TooManyFiguresText}, // 255 records: one too many
      {&crowded, {1, 2}, true, nullptr},                // 254 records
      {&full, {1}, false, NoRoomToCopyText},
  };
  for (const TCase& c : cases) {
    TTask& task = *c.Task;
    DeselectAll(task);
    for (int f : c.Selected) task.Figs[size_t(f)].Selected = 1;
    task.SelSummary();
    const std::vector<uint16_t> map = task.StartMap;
    const int count = task.FigCount;
    TColourState colours;
    test::TRecordingReporter reporter;
    TFloatSel fs;
    EXPECT_EQ(CopyFigs(task, colours, fs, 0, 0, true, reporter), c.Copies);
    if (c.Copies) {
      EXPECT_EQ(task.FigCount, count + int(c.Selected.size()));
      EXPECT_TRUE(reporter.Messages.empty());
    } else {
      EXPECT_EQ(task.FigCount, count);
      EXPECT_EQ(task.StartMap, map);
      EXPECT_EQ(task.SelCount, int(c.Selected.size()));
      ASSERT_EQ(reporter.Messages.size(), 1u);
      EXPECT_EQ(reporter.Messages[0].Text, c.Message);
    }
    EXPECT_EQ(test::ConsistencyFault(task), "");
  }
}

} // namespace
} // namespace zrk
