// The solver's layers against a plain breadth-first search written from the rules alone, over a
// table of small puzzles and every move kind with and without group slide.
#include <gtest/gtest.h>

#include <map>
#include <tuple>

#include "reference_search.h"
#include "solver_fixtures.h"

namespace zrk::test {
namespace {

struct TPuzzle {
  const char* Name;
  TTaskText Text;
  std::vector<std::pair<int, int>> Pins; // board cells of pinned figure cells
};

using TFlags = std::vector<std::tuple<int, int, int>>;
TTaskText Text(std::vector<std::string> rows, std::map<char, TFigSpec> figs = {}, const TFlags& flags = {}) {
  TTaskText t(std::move(rows));
  t.Figs = std::move(figs);
  for (auto [x, y, f] : flags) t.Flags[{x, y}] |= uint8_t(f); // a cell may be listed more than once
  return t;
}

TFigSpec Looks(Colour c, int freedom = 0, std::string name = "") {
  TFigSpec s;
  s.Color = c;
  s.Freedom = freedom;
  s.Name = name;
  return s;
}

const Colour Grey = 0x808080;
const Colour Blue = 0xFF0000;

std::vector<TPuzzle> Puzzles() {
  std::vector<TPuzzle> p;
  p.push_back({"dominoes and singles", Text({"AAB", ".CB", "D.."}), {}});
  // Two interchangeable dominoes and two interchangeable singles.
  p.push_back({"interchangeable",
               Text({"AB.C", "AB..", "..DE"}, {{'A', Looks(Grey)}, {'B', Looks(Grey)}, {'C', Looks(Blue)}, {'D', Looks(Blue)}, {'E', Looks(Blue)}}), {}});
  // An irregular field with a fixed figure and a temporarily fixed one handled below.
  p.push_back({"irregular field, fixed figure", Text({" E.A", "..XA", "B.C ", " DD."}, {{'X', Looks(0, Fixed)}}), {}});
  // Freedoms: horizontal-only H, vertical-only V.
  p.push_back({"freedoms", Text({"H.B.", ".V..", "CVAA"}, {{'H', Looks(0, HorSlide)}, {'V', Looks(0, VertSlide)}}), {}});
  // Walls: below (1,0) and to the right of (2,1), (0,2).
  p.push_back({"walls",
               Text({"A..B", "..CC", "D..."}, {{'A', Looks(Grey)}, {'B', Looks(Grey)}, {'D', Looks(Grey)}},
                    {{1, 0, FlagWallBelow}, {1, 1, FlagWallOnTheRight}, {0, 2, FlagWallOnTheRight | FlagWallBelow}}),
               {}});
  // Grooves along row 1, from (0,0) to the right and down, and from (2,1) down; P is pinned on its
  // left cell, so it can turn the corner at (0,0).
  p.push_back({"pins and grooves",
               Text({"..E.", "PP..", "F..B"}, {{'E', Looks(Grey)}, {'F', Looks(Grey)}, {'B', Looks(Grey)}},
                    {{0, 1, FlagGrooveToTheRight}, {1, 1, FlagGrooveToTheRight}, {0, 0, FlagGrooveToTheRight},
                     {2, 1, FlagGrooveToTheRight | FlagGrooveDown}, {0, 0, FlagGrooveDown}}),
               {{0, 1}}});
  // A row of three against a wall, plus an L-shaped figure.
  p.push_back({"pushing rows", Text({"ABC.", "L...", "LL.D"}, {{'A', Looks(Grey)}, {'B', Looks(Grey)}, {'C', Looks(Grey)}}), {}});
  return p;
}

const TMoveRules AllRules[] = {{OneCellMove, false}, {OneDirMove, false}, {AnyPathMove, false},
                               {OneCellMove, true},  {OneDirMove, true},  {AnyPathMove, true}};

TEST(SolverCrossCheck, LayersAgreeWithThePlainSearch) {
  for (const TPuzzle& puzzle : Puzzles()) {
    for (const TMoveRules rules : AllRules) {
      TTask task;
      BuildTask(task, puzzle.Text);
      for (auto [x, y] : puzzle.Pins) AddPin(task, x, y);
      SetRules(task, rules);
      TReferenceSearch reference(task);
      const auto expected = reference.Layers();
      TSolver solver;
      solver.Solve(task, FarthestOnly());
      EXPECT_EQ(SolverLayers(solver), expected)
          << puzzle.Name << ", move kind " << rules.Kind << (rules.GroupSlide ? " with" : " without") << " group slide";
      uint64_t total = 0;
      for (uint64_t c : expected) total += c;
      EXPECT_EQ(solver.PosTotal, total) << puzzle.Name;
    }
  }
}

TEST(SolverCrossCheck, TemporarilyFixedFiguresStandStill) {
  TTask task;
  const auto index = BuildTask(task, Text({"AB..", "..C.", "...."}));
  task.TempFixed[index.at('C')] = 1;
  for (const TMoveRules rules : AllRules) {
    SetRules(task, rules);
    TReferenceSearch reference(task);
    TSolver solver;
    solver.Solve(task, FarthestOnly());
    EXPECT_EQ(SolverLayers(solver), reference.Layers()) << "move kind " << rules.Kind;
  }
}

TEST(SolverCrossCheck, DifByNameSplitsClassesOfEqualFigures) {
  const TTaskText text = Text({"AB..", "....", "...."}, {{'A', Looks(Grey, 0, "x")}, {'B', Looks(Grey, 0, "y")}});
  TTask task;
  BuildTask(task, text);
  SetRules(task, {OneCellMove, false});
  TSolver merged;
  merged.Solve(task, FarthestOnly());
  EXPECT_EQ(merged.PosTotal, 66u); // two equal singles on 12 cells: C(12, 2)
  task.Options.DifByName = true;
  TReferenceSearch reference(task);
  TSolver named;
  named.Solve(task, FarthestOnly());
  EXPECT_EQ(named.PosTotal, 132u);
  EXPECT_EQ(SolverLayers(named), reference.Layers());
}

} // namespace
} // namespace zrk::test
