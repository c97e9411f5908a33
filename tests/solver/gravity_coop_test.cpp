// Gravity and cooperative layers of one-cell-figure puzzles against plain searches written from the
// rules: a tilt slides every figure as far as it goes; a cooperative move is any set of one-cell
// steps in which no figure enters a cell that another figure enters or leaves in another direction.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

#include "line_check.h"
#include "solver/results.h"
#include "solver_fixtures.h"

namespace zrk::test {
namespace {

// Every letter is a one-cell figure; A-E, F-J and K-O are three classes of interchangeable ones.
char ClassOf(char c) { return char('A' + (c - 'A') / 5); }

// Cells of the field by (x, y); a position maps a cell to the figure's class (its character).
using TPos = std::map<std::pair<int, int>, char>;

struct TPlain {
  std::set<std::pair<int, int>> Field;
  TPos Start;
  explicit TPlain(const std::vector<std::string>& rows) {
    for (int y = 0; y < int(rows.size()); ++y)
      for (int x = 0; x < int(rows[y].size()); ++x) {
        if (rows[y][x] == ' ') continue;
        Field.insert({x, y});
        if (rows[y][x] != '.') Start[{x, y}] = ClassOf(rows[y][x]);
      }
  }
  static std::pair<int, int> Next(std::pair<int, int> c, int d) {
    static const int dx[] = {0, 1, 0, -1}, dy[] = {1, 0, -1, 0};
    return {c.first + dx[d], c.second + dy[d]};
  }
  TPos Tilt(const TPos& p, int d) const {
    TPos cur = p;
    for (bool moved = true; moved;) {
      moved = false;
      TPos next;
      // A figure moves when the cell ahead is on the field and free, or holds a figure that moves.
      std::set<std::pair<int, int>> stays;
      for (bool grew = true; grew;) {
        grew = false;
        for (auto& [c, k] : cur) {
          if (stays.count(c)) continue;
          const auto n = Next(c, d);
          if (!Field.count(n) || stays.count(n)) {
            stays.insert(c);
            grew = true;
          }
        }
      }
      for (auto& [c, k] : cur) {
        if (stays.count(c)) next[c] = k;
        else next[Next(c, d)] = k, moved = true;
      }
      cur = next;
    }
    return cur;
  }
  // Cooperative successors: every assignment of a direction or none to each figure that is legal.
  void Coop(const TPos& p, std::vector<std::pair<std::pair<int, int>, char>> figs, size_t i, std::vector<int>& dirs,
            std::set<TPos>& out) const {
    if (i == figs.size()) {
      TPos next;
      bool any = false;
      for (size_t f = 0; f < figs.size(); ++f) {
        auto c = figs[f].first;
        if (dirs[f] >= 0) {
          any = true;
          const auto n = Next(c, dirs[f]);
          auto at = p.find(n);
          if (at != p.end()) {
            // Only a figure leaving in the same direction makes room.
            size_t g = 0;
            while (figs[g].first != n) ++g;
            if (dirs[g] != dirs[f]) return;
          }
          c = n;
        }
        if (!next.emplace(c, figs[f].second).second) return; // two figures in one cell
      }
      if (any) out.insert(next);
      return;
    }
    for (int d = -1; d < 4; ++d) {
      if (d >= 0 && !Field.count(Next(figs[i].first, d))) continue;
      dirs[i] = d;
      Coop(p, figs, i + 1, dirs, out);
    }
  }
  std::vector<uint64_t> Layers(bool gravity) const {
    std::set<TPos> seen{Start};
    std::vector<TPos> layer{Start};
    std::vector<uint64_t> counts;
    while (!layer.empty()) {
      counts.push_back(layer.size());
      std::vector<TPos> next;
      for (const TPos& p : layer) {
        std::set<TPos> succ;
        if (gravity) {
          for (int d = 0; d < 4; ++d) succ.insert(Tilt(p, d));
        } else {
          std::vector<int> dirs(p.size(), -1);
          Coop(p, std::vector<std::pair<std::pair<int, int>, char>>(p.begin(), p.end()), 0, dirs, succ);
        }
        for (const TPos& s : succ)
          if (seen.insert(s).second) next.push_back(s);
      }
      layer.swap(next);
    }
    return counts;
  }
};

// A fixed figure in the solver's boards; the plain search sees a cell cut out of the field.
constexpr char FixedChar = 'X';

std::vector<std::string> WithHoles(std::vector<std::string> rows) {
  for (auto& r : rows) std::replace(r.begin(), r.end(), FixedChar, ' ');
  return rows;
}

std::vector<uint64_t> SolverLayersOf(const std::vector<std::string>& rows, bool gravity) {
  TTask task;
  TTaskText text(rows);
  for (const auto& r : rows)
    for (char c : r)
      if (c != '.' && c != ' ')
        text.Figs[c] = TFigSpec{Colour(0x100000 * (ClassOf(c) - 'A' + 1)), c == FixedChar ? Fixed : 0, ""};
  BuildTask(task, text);
  if (gravity) task.Options.SetGravity();
  else task.Options.SetCooperative();
  TSolver s;
  s.Solve(task, FarthestOnly());
  return SolverLayers(s);
}

const std::vector<std::vector<std::string>> Boards = {
    {"AF.", ".B.", "G.K"},
    {"A..F", ".BK.", "G..C"},
    {" A..", "F.B.", "..K ", "C.G."},
    {"ABF", ".K.", "..."},
    {"AFKL", "....", ".BG."},
};

TEST(GravityLayers, AgreeWithPlainTilts) {
  for (const auto& rows : Boards) {
    SCOPED_TRACE(rows[0] + "/" + rows[1]);
    EXPECT_EQ(SolverLayersOf(rows, true), TPlain(rows).Layers(true));
  }
}

// Boards small enough for the plain search to try every assignment of steps in every position.
const std::vector<std::vector<std::string>> CoopBoards = {
    {"A.B"},
    {"AF.", ".B.", "..."},
    {"A.F", "...", "K.."},
    {" A.", "F.B", ".K "},
};

TEST(CooperativeLayers, AgreeWithPlainSteps) {
  for (const auto& rows : CoopBoards) {
    SCOPED_TRACE(rows[0]);
    EXPECT_EQ(SolverLayersOf(rows, false), TPlain(rows).Layers(false));
  }
}

// Figures that stop against a fixed figure, or would push into one, meet it as the edge of the field.
TEST(GravityLayers, FixedFiguresStandLikeHoles) {
  const std::vector<std::vector<std::string>> boards = {{"A.X", ".BK", "X.."}, {"XA.", "F.B", ".KX"}};
  for (const auto& rows : boards) {
    SCOPED_TRACE(rows[0] + "/" + rows[1]);
    EXPECT_EQ(SolverLayersOf(rows, true), TPlain(WithHoles(rows)).Layers(true));
    EXPECT_EQ(SolverLayersOf(rows, false), TPlain(WithHoles(rows)).Layers(false));
  }
}

TEST(CooperativeLayers, TwoFiguresNeverEnterOneCell) {
  // A and B may not meet in the middle cell from both sides: one step of either is all layer 1 holds.
  EXPECT_EQ(SolverLayersOf({"A.K"}, false), (std::vector<uint64_t>{1, 2}));
}

struct TGravityCase {
  std::vector<std::string> Rows;
  std::vector<uint64_t> Layers;
  uint64_t Expanded, Generated;
};

TEST(GravityLayers, TiltsThatMoveNothingOrRepeatAnAxisAreNotTried) {
  const TGravityCase cases[] = {
      // Both figures lie on the bottom: the start tries no tilt down, its three children only the
      // other axis; the two of layer 2 are each met again across the axis and are not expanded.
      {{"...", "A.K"}, {1, 3, 2}, 4, 7},
      // A record made by a tilt down tries left and right only, never up back to the start.
      {{"A..", "..."}, {1, 2, 1}, 3, 4},
  };
  for (const TGravityCase& c : cases) {
    SCOPED_TRACE(c.Rows[0] + "/" + c.Rows[1]);
    TTask task;
    TTaskText text(c.Rows);
    BuildTask(task, text);
    task.Options.SetGravity();
    TSolver s;
    s.Solve(task, FarthestOnly());
    EXPECT_EQ(SolverLayers(s), c.Layers);
    EXPECT_EQ(s.ExpandedTotal, c.Expanded);
    EXPECT_EQ(s.GeneratedTotal, c.Generated);
    EXPECT_EQ(c.Layers, TPlain(c.Rows).Layers(true));
  }
}

struct TCoopGoal {
  const char* Name;
  std::vector<std::string> Rows;
  std::vector<std::tuple<char, int, int>> Ends;
  int Layer;            // moves of the shortest solution
  int FirstMoveItems;   // mini-moves of its first move
};

TEST(CooperativeMoves, StepsTogetherOnlyWhenNoneGetsInTheOthersWay) {
  const TCoopGoal cases[] = {
      {"side by side, both down", {"AB", ".."}, {{'A', 0, 1}, {'B', 1, 1}}, 1, 2},
      {"into the cell the neighbour leaves sideways", {"AB", ".."}, {{'A', 1, 0}, {'B', 1, 1}}, 2, 1},
      {"following the neighbour the same way", {"AB.", "..."}, {{'A', 1, 0}, {'B', 2, 0}}, 1, 1},
  };
  for (const TCoopGoal& c : cases) {
    SCOPED_TRACE(c.Name);
    TTask task;
    TPlayEngine engine(task);
    const auto index = BuildTask(task, TTaskText(c.Rows));
    for (auto [ch, x, y] : c.Ends) SetEnd(task, index.at(ch), x, y);
    task.Options.SetCooperative();
    engine.SetPlayMode(true, false, false);
    TSolver s;
    TSolveOptions options = FarthestOnly();
    options.Remote = false;
    s.Solve(task, options);
    ASSERT_EQ(s.SolutionLayer, c.Layer);
    MakeSolveLines(s, options, engine);
    ASSERT_TRUE(engine.Line.Solution);
    const TMoves0& line = *engine.Line.Solution;
    int items = 0;
    for (const TMove& m : line.Moves) items += m.N == 1;
    EXPECT_EQ(items, c.FirstMoveItems);
    ExpectLineReaches(engine, s, line, s.SolutionRecords[0], 0);
  }
}

}  // namespace
}  // namespace zrk::test
