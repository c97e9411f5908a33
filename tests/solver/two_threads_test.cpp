// Generating on a second thread must not change what the search stores: the same records under the
// same handles in the same order, the same counts, and the same point where a search stops early.
#include <gtest/gtest.h>

#include <cstring>

#include "solver_fixtures.h"

namespace zrk::test {
namespace {

// Every stored record of every layer, in list order: handle, parent, layer, MoveInfo and key.
std::vector<std::string> StoredRecords(const TSolver& s) {
  std::vector<std::string> out;
  for (int layer = s.ForgetIndex; layer <= s.L; ++layer) {
    for (uint32_t h = s.LayerHeads[layer]; h; h = s.Store().Next(h)) {
      std::string r = std::to_string(h) + " " + std::to_string(s.Store().Parent(h)) + " " +
                      std::to_string(s.Store().Layer(h)) + " " + std::to_string(s.Store().MoveInfo(h)) + " ";
      r.append(reinterpret_cast<const char*>(s.Store().Key(h)), s.KeySize());
      out.push_back(std::move(r));
    }
  }
  return out;
}

struct TRun {
  std::vector<std::string> Records;
  std::vector<uint32_t> Layers;
  uint64_t Positions, Generated, Expanded;
  int SolCount, SolutionLayer, ForgetIndex;
  std::vector<uint32_t> Solutions;
  bool Stopped, OutOfMemory;
};

TRun Solved(const TTask& task, TSolveOptions options, uint32_t secondThreadFrom, ISolveProgress* progress = nullptr) {
  options.SecondThreadFrom = secondThreadFrom;
  TSolver s;
  s.Solve(task, options, progress);
  TRun r{StoredRecords(s), s.LayerCounts, s.PosTotal, s.GeneratedTotal, s.ExpandedTotal,
         s.SolCount, s.SolutionLayer, s.ForgetIndex, {}, s.SolveStopped, s.OutOfMemory};
  for (int i = 0; i < std::min(s.SolCount, s.SolMaxCount); ++i) r.Solutions.push_back(s.SolutionRecords[i]);
  return r;
}

void ExpectSameRun(const TRun& one, const TRun& two) {
  EXPECT_EQ(one.Layers, two.Layers);
  EXPECT_EQ(one.Positions, two.Positions);
  EXPECT_EQ(one.Generated, two.Generated);
  EXPECT_EQ(one.Expanded, two.Expanded);
  EXPECT_EQ(one.SolCount, two.SolCount);
  EXPECT_EQ(one.SolutionLayer, two.SolutionLayer);
  EXPECT_EQ(one.Solutions, two.Solutions);
  EXPECT_EQ(one.ForgetIndex, two.ForgetIndex);
  EXPECT_EQ(one.Stopped, two.Stopped);
  EXPECT_EQ(one.OutOfMemory, two.OutOfMemory);
  ASSERT_EQ(one.Records.size(), two.Records.size());
  for (size_t i = 0; i < one.Records.size(); ++i) ASSERT_EQ(one.Records[i], two.Records[i]) << "record " << i;
}

// The eight-puzzle with the end position where two pairs of tiles have changed places.
void EightPuzzleWithEnd(TTask& task) {
  const auto index = BuildTask(task, SlidingTiles(3, 3));
  SetEnd(task, index.at('A'), 1, 0);
  SetEnd(task, index.at('B'), 0, 0);
  SetEnd(task, index.at('C'), 0, 1);
  SetEnd(task, index.at('D'), 2, 0);
  for (char t : std::string("EFGH")) {
    const int fig = index.at(t);
    const int x = (t - 'A') % 3, y = (t - 'A') / 3;
    SetEnd(task, fig, x, y);
  }
}

TEST(TwoThreads, EveryMoveKindStoresTheSameRecordsInTheSameOrder) {
  TTask task;
  TTaskText text({"AAB.", "C.B.", "FG.D"});
  TFigSpec grey;
  grey.Color = 0x808080;
  text.Figs['F'] = text.Figs['G'] = grey; // interchangeable singles
  BuildTask(task, text);
  for (int kind : {OneCellMove, OneDirMove, AnyPathMove}) {
    SCOPED_TRACE(kind);
    SetRules(task, {kind, false});
    ExpectSameRun(Solved(task, FarthestOnly(), 0), Solved(task, FarthestOnly(), 1));
  }
  TTask tiles;
  BuildTask(tiles, SlidingTiles(3, 3));
  SetRules(tiles, {OneCellMove, false});
  const TRun one = Solved(tiles, FarthestOnly(), 0);
  EXPECT_EQ(one.Positions, 181440u);
  ExpectSameRun(one, Solved(tiles, FarthestOnly(), 1));
}

TEST(TwoThreads, SolutionsAndEarlyEndsAreTheSame) {
  TTask task;
  EightPuzzleWithEnd(task);
  SetRules(task, {OneCellMove, false});
  TSolveOptions first = FarthestOnly();
  first.Remote = false; // ends inside the solution layer, mid-batch
  const TRun found = Solved(task, first, 0);
  ASSERT_GT(found.SolutionLayer, 5);
  ExpectSameRun(found, Solved(task, first, 1));

  TSolveOptions many = first;
  many.ManySol = true;
  many.SolMax = 3;
  ExpectSameRun(Solved(task, many, 0), Solved(task, many, 1));

  TSolveOptions counted = FarthestOnly();
  counted.CountSol = true;
  ExpectSameRun(Solved(task, counted, 0), Solved(task, counted, 1));
}

TEST(TwoThreads, MemoryEndsAndForgettingAreTheSame) {
  TTask task;
  BuildTask(task, SlidingTiles(3, 3));
  SetRules(task, {OneCellMove, false});
  TSolveOptions tight = FarthestOnly();
  tight.AvailableMemory = MemoryReserve + (uint64_t(6) << 20);
  const TRun stopped = Solved(task, tight, 0);
  EXPECT_TRUE(stopped.OutOfMemory);
  ExpectSameRun(stopped, Solved(task, tight, 1));

  tight.ForgetLayers = true;
  const TRun forgetting = Solved(task, tight, 0);
  EXPECT_GT(forgetting.ForgetIndex, 0);
  ExpectSameRun(forgetting, Solved(task, tight, 1));
}

// Asks the search to stop once a given number of successors has been generated, as the stop button.
class TStopAfter : public ISolveProgress {
 public:
  explicit TStopAfter(uint64_t generated) : Generated(generated) {}
  void Progress(TSolver& solver) override {
    if (solver.GeneratedTotal >= Generated) solver.SolveStopped = true;
  }

 private:
  uint64_t Generated;
};

TEST(TwoThreads, AStopRequestEndsAtTheSameParent) {
  TTask task;
  BuildTask(task, SlidingTiles(3, 3));
  SetRules(task, {OneCellMove, false});
  TStopAfter one(100000), two(100000);
  const TRun stopped = Solved(task, FarthestOnly(), 0, &one);
  EXPECT_TRUE(stopped.Stopped);
  EXPECT_LT(stopped.Positions, 181440u);
  ExpectSameRun(stopped, Solved(task, FarthestOnly(), 1, &two));
}

} // namespace
} // namespace zrk::test
