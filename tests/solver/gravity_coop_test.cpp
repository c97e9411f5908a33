// Gravity and cooperative layers of one-cell-figure puzzles against plain searches written from the
// rules: a tilt slides every figure as far as it goes; a cooperative move is any set of one-cell
// steps in which no figure enters a cell that another figure enters or leaves in another direction.
#include <gtest/gtest.h>

#include <map>
#include <set>

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

std::vector<uint64_t> SolverLayersOf(const std::vector<std::string>& rows, bool gravity) {
  TTask task;
  TTaskText text(rows);
  for (const auto& r : rows)
    for (char c : r)
      if (c != '.' && c != ' ') text.Figs[c] = TFigSpec{Colour(0x100000 * (ClassOf(c) - 'A' + 1)), 0, ""};
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

}  // namespace
}  // namespace zrk::test
