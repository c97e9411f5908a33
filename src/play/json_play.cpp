#include "play/json_play.h"

namespace zrk {

namespace {

TJsonMove JsonMove(const TMove& m, const TMove* next, bool miniMoves) {
  TJsonMove j;
  j.N = m.N;
  j.Sub = m.Sub;
  j.Mini = miniMoves && (m.Sub != 0 || (next && next->Sub != 0));
  j.Fig = m.Fig;
  j.Dir = m.Dir;
  j.Len = m.Len;
  j.Cell = m.Cell;
  return j;
}

std::vector<TJsonMove> JsonLine(const TMoves0& line, bool miniMoves) {
  std::vector<TJsonMove> out;
  for (int k = 0; k < line.Count(); ++k)
    out.push_back(JsonMove(line.Moves[size_t(k)], k + 1 < line.Count() ? &line.Moves[size_t(k) + 1] : nullptr, miniMoves));
  return out;
}

} // namespace

TJsonPlay JsonPlayData(const TPlayEngine& e) {
  TJsonPlay p;
  if (!e.Task.Options.Play) return p;
  const TMoves& line = e.Line;
  p.HasMoves = line.Count > 1;
  p.CurrentMove = line.Cur;
  for (int k = 1; k < line.Count; ++k)
    p.Moves.push_back(JsonMove(line.Move(k), k + 1 < line.Count ? &line.Move(k + 1) : nullptr, e.MiniMoves));
  if (line.Solution) {
    p.HasSolution = true;
    p.Solution = JsonLine(*line.Solution, e.MiniMoves);
  }
  if (line.RemoteLine) {
    p.HasRemote = true;
    p.Remote = JsonLine(*line.RemoteLine, e.MiniMoves);
  }
  return p;
}

} // namespace zrk
