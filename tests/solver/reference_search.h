#pragma once
// A deliberately plain breadth-first search written straight from the puzzle rules, to check the
// solver against: positions are explicit (x, y) of every moving figure, interchangeable figures are
// merged by sorting their positions, and every move is tried cell by cell on a board grid.

#include <algorithm>
#include <cstdint>
#include <map>
#include <queue>
#include <set>
#include <tuple>
#include <vector>

#include "model/task.h"

namespace zrk::test {

class TReferenceSearch {
 public:
  explicit TReferenceSearch(const TTask& task) : Task(task) {
    const TFig& field = task.Field();
    for (int i = 1; i < task.FigCount; ++i) {
      const TFig& f = task.Figs[i];
      if (!f.OnField) continue;
      if (f.Freedom == Fixed || task.TempFixed[i]) {
        for (int16_t c : f.Cells) Blocked.insert(f.Pos + c);
        continue;
      }
      TMover m;
      m.Freedom = f.Freedom;
      for (int k = 0; k < f.CellCount(); ++k) {
        m.Cells.push_back(f.Cells[k]);
        m.Pinned.push_back(f.HasPins() && f.Pins[k]);
      }
      m.ClassKey = std::make_tuple(m.Cells, m.Pinned, int(f.Freedom), f.Color,
                                   task.Options.DifByName ? f.NameStr() : std::string());
      Movers.push_back(m);
      Start.push_back(f.Pos);
    }
    for (int16_t c : field.Cells) FieldCells.insert(field.Pos + c);
    for (size_t i = 0; i < Movers.size(); ++i) {
      for (size_t j = 0; j < i; ++j) {
        if (Movers[j].ClassKey == Movers[i].ClassKey) {
          Movers[i].Class = Movers[j].Class;
          break;
        }
      }
      if (Movers[i].Class < 0) Movers[i].Class = Classes++;
    }
  }

  // Positions per layer from the start, every reachable position.
  std::vector<uint64_t> Layers() {
    std::vector<uint64_t> counts;
    std::set<std::vector<int>> seen{Canonical(Start)};
    std::vector<std::vector<int>> layer{Start};
    while (!layer.empty()) {
      counts.push_back(layer.size());
      std::vector<std::vector<int>> next;
      for (const auto& pos : layer) {
        for (const auto& s : Successors(pos)) {
          if (seen.insert(Canonical(s)).second) next.push_back(s);
        }
      }
      layer.swap(next);
    }
    return counts;
  }

 private:
  struct TMover {
    int Freedom = 0;
    std::vector<int> Cells;
    std::vector<bool> Pinned;
    std::tuple<std::vector<int>, std::vector<bool>, int, Colour, std::string> ClassKey;
    int Class = -1;
  };
  const TTask& Task;
  std::vector<TMover> Movers;
  std::vector<int> Start;
  std::set<int> FieldCells, Blocked;
  int Classes = 0;

  std::vector<int> Canonical(const std::vector<int>& pos) const {
    std::vector<int> key;
    for (int c = 0; c < Classes; ++c) {
      std::vector<int> at;
      for (size_t i = 0; i < Movers.size(); ++i) if (Movers[i].Class == c) at.push_back(pos[i]);
      std::sort(at.begin(), at.end());
      key.insert(key.end(), at.begin(), at.end());
    }
    return key;
  }

  uint16_t Word(int code) const { return code >= 0 && code < MapSize ? Task.StartMap[code] : 0; }

  // Whether the edge between a cell and its neighbour in d lets figure i's cell k pass.
  bool EdgeOpen(int i, int k, int code, int d) const {
    const int next = code + DirStep[d];
    if (!FieldCells.count(next) || Blocked.count(next)) return false;
    const int upper = d == DirDown ? code : d == DirUp ? next : -1;
    const int left = d == DirRight ? code : d == DirLeft ? next : -1;
    if (upper >= 0 && (Word(upper) & WallBelow)) return false;
    if (left >= 0 && (Word(left) & WallOnTheRight)) return false;
    if (Movers[i].Pinned[k]) {
      if (upper >= 0 && !(Word(upper) & GrooveDown)) return false;
      if (left >= 0 && !(Word(left) & GrooveToTheRight)) return false;
    }
    return true;
  }

  bool CanStepAlone(int i, int pos, int d) const {
    const int f = Movers[i].Freedom;
    if ((d == DirUp || d == DirDown) && f == HorSlide) return false;
    if ((d == DirLeft || d == DirRight) && f == VertSlide) return false;
    for (size_t k = 0; k < Movers[i].Cells.size(); ++k) {
      if (!EdgeOpen(int(i), int(k), pos + Movers[i].Cells[k], d)) return false;
    }
    return !WallInside(i, pos + DirStep[d]);
  }

  // A figure never stands across a wall: no wall may separate two of its own cells.
  bool WallInside(int i, int pos) const {
    const auto& cells = Movers[i].Cells;
    for (int c : cells) {
      const int code = pos + c;
      if ((Word(code) & WallBelow) && std::count(cells.begin(), cells.end(), c + RowStride)) return true;
      if ((Word(code) & WallOnTheRight) && std::count(cells.begin(), cells.end(), c + 1)) return true;
    }
    return false;
  }

  std::map<int, int> Occupants(const std::vector<int>& pos) const {
    std::map<int, int> occ;
    for (size_t i = 0; i < Movers.size(); ++i)
      for (int c : Movers[i].Cells) occ[pos[i] + c] = int(i);
    return occ;
  }

  // Moves figure i one cell in d, pushing others when `push`; false when it cannot.
  bool Step(std::vector<int>& pos, int i, int d, bool push) const {
    const auto occ = Occupants(pos);
    std::vector<int> group{i};
    std::set<int> members{i};
    for (size_t m = 0; m < group.size(); ++m) {
      const int g = group[m];
      if (!CanStepAlone(g, pos[g], d)) return false;
      for (int c : Movers[g].Cells) {
        auto it = occ.find(pos[g] + c + DirStep[d]);
        if (it == occ.end() || members.count(it->second)) continue;
        if (!push) return false;
        members.insert(it->second);
        group.push_back(it->second);
      }
    }
    for (int g : group) pos[g] += DirStep[d];
    return true;
  }

  std::vector<std::vector<int>> Successors(const std::vector<int>& pos) const {
    const TTaskOptions& o = Task.Options;
    const bool push = o.GrSlide;
    std::vector<std::vector<int>> out;
    for (size_t i = 0; i < Movers.size(); ++i) {
      if (o.MoveKind == AnyPathMove) {
        // Every position one figure (with whatever it pushes) reaches by steps in any directions.
        std::set<std::pair<std::vector<int>, int>> visited{{Canonical(pos), pos[i]}};
        std::vector<std::vector<int>> work{pos};
        for (size_t w = 0; w < work.size(); ++w) {
          for (int d = 0; d < 4; ++d) {
            auto s = work[w];
            if (!Step(s, int(i), d, push)) continue;
            if (!visited.insert({Canonical(s), s[i]}).second) continue;
            out.push_back(s);
            work.push_back(s);
          }
        }
        continue;
      }
      for (int d = 0; d < 4; ++d) {
        auto s = pos;
        while (Step(s, int(i), d, push)) {
          out.push_back(s);
          if (o.MoveKind == OneCellMove) break;
        }
      }
    }
    return out;
  }
};

} // namespace zrk::test
