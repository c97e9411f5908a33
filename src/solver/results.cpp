// The move lines of a solve: every parent/child pair of the chain from the start to a record is
// reconstructed by running the generator again; gravity needs no run, its records hold the tilt.
#include "solver/results.h"

#include <algorithm>
#include <string>
#include <vector>

#include "model/cp1251.h"

namespace zrk {

std::unique_ptr<TMoves0> MakeLine(TSolver& s, uint32_t record, bool remote, int number, const TMoves& played) {
  if (!record) return nullptr;
  auto line = std::make_unique<TMoves0>();
  line->Expanded = true;
  line->PosText = Utf8ToCp1251(remote ? "Дальняя" : "Решение");
  if (number != 0) {
    line->PosText += ' ';
    line->PosText += std::to_string(number);
  }

  std::vector<uint32_t> chain;
  for (uint32_t r = record; r; r = s.Store().Parent(r)) chain.push_back(r);
  std::reverse(chain.begin(), chain.end());

  const int from = std::clamp(played.SolveFrom, 0, std::max(0, played.Count - 1));
  for (int k = 1; k <= from; ++k) line->Moves.push_back(played.Move(k));
  const int baseN = from > 0 ? played.Move(from).N : 0;
  const bool mini = s.MiniMoveMode();
  std::vector<int> realOrder = s.StartOrder;
  std::vector<TMoveItem> items;
  for (size_t pair = 1; pair < chain.size(); ++pair) {
    if (s.GravityMode()) {
      TMove m;
      m.Dir = int8_t(s.Store().MoveInfo(chain[pair]) & 3);
      m.N = int32_t(from + int(pair));
      line->Moves.push_back(m);
      continue;
    }
    if (!s.ReconstructPair(chain[pair - 1], chain[pair], realOrder, items)) return nullptr;
    if (!mini) items.resize(1);
    for (size_t k = 0; k < items.size(); ++k) {
      const TMoveItem& it = items[k];
      if (it.Len < 1 || it.Len > MaxMoveLen) return nullptr;
      TMove m;
      m.Fig = uint8_t(s.TaskFigure(it.Fig));
      m.Dir = int8_t(it.Dir);
      m.Len = int8_t(it.Len);
      m.Cell = CellCode(it.Cell + s.FieldPosition());
      m.Sub = int16_t(mini ? k : 0);
      m.N = int32_t((mini ? baseN : from) + int(pair));
      line->Moves.push_back(m);
    }
  }
  if (from > 0) line->PosText += Utf8ToCp1251(" от хода " + std::to_string(from));
  return line;
}

bool MakeSolveLines(TSolver& s, const TSolveOptions& options, TPlayEngine& engine, std::vector<TMoves0>* out) {
  TMoves& played = engine.Line;
  played.Solution.reset();
  played.RemoteLine.reset();
  const bool partial = s.SolCount > 0 && !options.Remote;
  if (s.ForgetIndex != 0) return partial;

  const int made = std::min(s.SolCount, s.SolMaxCount);
  TPosNode* selected = engine.Tree.Selected;
  for (int i = 0; i < made; ++i) {
    auto line = MakeLine(s, s.SolutionRecords[i], false, s.SolCount >= 2 ? i + 1 : 0, played);
    if (!line) continue;
    if (out) out->push_back(*line);
    if (!played.Solution) {
      played.Solution = std::move(line);
      if (made > 1) engine.Tree.AddLineCopy(*played.Solution, false);
      continue;
    }
    engine.Tree.AddLine(line, false); // a line the tree does not take is dropped here
  }
  if (engine.Tree.Contains(selected)) engine.Tree.Select(selected);

  if (options.Remote && s.L < int(s.LayerHeads.size())) {
    const uint32_t far = s.LayerHeads[size_t(s.L)];
    if (far && !(s.SolCount > 0 && far == s.SolutionRecords[0])) {
      played.RemoteLine = MakeLine(s, far, true, 0, played);
      if (out && played.RemoteLine) out->push_back(*played.RemoteLine);
    }
  }
  return partial;
}

bool ShowLine(TPlayEngine& engine, const TMoves0* line) {
  if (!line) return false;
  const int from = engine.Line.SolveFrom;
  engine.LoadLine(*line);
  engine.Line.SolveFrom = from;
  engine.GoTo(std::clamp(from, 0, engine.Line.Count - 1));
  return true;
}

bool ShowSolveLine(TPlayEngine& engine) {
  return ShowLine(engine, engine.Line.Solution ? engine.Line.Solution.get() : engine.Line.RemoteLine.get());
}

bool PlaysLine(const TMoves& played, const TMoves0* line) {
  if (!line || played.Count != line->Count() + 1) return false;
  for (int k = 1; k < played.Count; ++k) {
    const TMove& a = played.Move(k);
    const TMove& b = line->Moves[size_t(k - 1)];
    if (a.Fig != b.Fig || a.Dir != b.Dir || a.Len != b.Len || a.Cell != b.Cell || a.Sub != b.Sub) return false;
  }
  return true;
}

} // namespace zrk
