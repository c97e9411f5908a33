#include "play/play_engine.h"

#include <algorithm>
#include <cstring>

#include "play/shape_classes.h"

namespace zrk {

namespace {

bool InMap(int code) { return code >= 0 && code < MapSize; }

// Directions a figure of each freedom may take: any, horizontal only, vertical only, none.
uint8_t DirMask(int freedom) {
  switch (freedom) {
    case FreeMove: return 0x0F;
    case HorSlide: return 0x0A;
    case VertSlide: return 0x05;
    default: return 0;
  }
}

constexpr int InitialCapacity = 256;

} // namespace

// ---------------------------------------------------------------------------------------------
// The played line

void TMoves::Reserve(int n) {
  if (n <= capacity_) return;
  const int cap = std::max({n, InitialCapacity, 2 * capacity_});
  moves_.resize(size_t(cap));
  positions_.resize(size_t(cap) * size_t(std::max(FigCount, 1)));
  capacity_ = cap;
}

int TMoves::Append() {
  Reserve(Count + 1);
  const int k = Count++;
  Move(k) = TMove();
  if (k > 0) std::memcpy(Positions(k), Positions(k - 1), sizeof(int16_t) * size_t(FigCount));
  return k;
}

void TMoves::Release() {
  moves_.clear();
  moves_.shrink_to_fit();
  positions_.clear();
  positions_.shrink_to_fit();
  capacity_ = 0;
  Count = Cur = 0;
}

// ---------------------------------------------------------------------------------------------
// Engine

TPlayEngine::TPlayEngine(TTask& task)
    : Task(task), Tree(&task.Options.Gravity), InitialMap(MapSize, 0), exitFlags_(MapSize, 0),
      track_(MapSize, 0), work_(MapSize, 0) {}

void TPlayEngine::PrepareMoveTables() {
  const int figCount = std::clamp(Task.FigCount, 0, MaxFigRecords);
  stepFigCount_ = figCount;
  std::fill(exitFlags_.begin(), exitFlags_.end(), 0);
  const std::vector<uint16_t>& map = Task.StartMap;
  const TFig& field = Task.Field();
  int maxRow = 0;
  for (int16_t rel : field.Cells) {
    const int c = field.Pos + rel;
    if (!InMap(c - RowStride) || !InMap(c + RowStride)) continue;
    maxRow = std::max(maxRow, c >> 7);
    uint8_t f = 0;
    if ((map[c + RowStride] & CellField) && !(map[c] & WallBelow)) f |= 1;
    if ((map[c + 1] & CellField) && !(map[c] & WallOnTheRight)) f |= 2;
    if ((map[c - RowStride] & CellField) && !(map[c - RowStride] & WallBelow)) f |= 4;
    if ((map[c - 1] & CellField) && !(map[c - 1] & WallOnTheRight)) f |= 8;
    if (map[c + RowStride] & WallOnTheRight) f |= 0x10;
    if (map[c + 1] & WallBelow) f |= 0x20;
    if (map[c - RowStride] & WallOnTheRight) f |= 0x40;
    if (map[c - 1] & WallBelow) f |= 0x80;
    exitFlags_[size_t(c)] = f;
  }

  cellRel_.clear();
  joinBits_.clear();
  cellPinned_.clear();
  cellFirst_.fill(0);
  for (int i = 0; i < figCount; ++i) {
    cellFirst_[size_t(i)] = int32_t(cellRel_.size());
    const TFig& fig = Task.Figs[size_t(i)];
    figHasPins_[size_t(i)] = fig.PinCount > 0 && fig.HasPins();
    dirMask_[size_t(i)] = DirMask(fig.Freedom);
    if (i == 0) continue;
    for (int k = 0; k < fig.CellCount(); ++k) {
      const int16_t rel = fig.Cells[size_t(k)];
      // Joined cells: the figure continues to the right of or below this cell.
      uint8_t join = 0;
      if (std::binary_search(fig.Cells.begin(), fig.Cells.end(), int16_t(rel + 1))) join |= 1;
      if (std::binary_search(fig.Cells.begin(), fig.Cells.end(), int16_t(rel + RowStride))) join |= 2;
      cellRel_.push_back(rel);
      joinBits_.push_back(join);
      cellPinned_.push_back(figHasPins_[size_t(i)] && size_t(k) < fig.Pins.size() && fig.Pins[size_t(k)] ? 1 : 0);
      maxRow = std::max(maxRow, (fig.Pos + rel) >> 7);
    }
  }
  cellFirst_[size_t(figCount)] = int32_t(cellRel_.size());
  mapWords_ = std::min(MapSize, (std::clamp(maxRow, 0, 127) + 1) * RowStride);
}

void TPlayEngine::SetPosition(const int16_t* positions, uint16_t* map, bool scratch) {
  for (int c = 0; c < mapWords_; ++c) map[c] = uint16_t(InitialMap[size_t(c)] & 0x1F00);
  for (int i = 1; i < stepFigCount_; ++i) {
    for (int k = cellFirst_[size_t(i)]; k < cellFirst_[size_t(i) + 1]; ++k) {
      const int p = positions[i] + cellRel_[size_t(k)];
      if (!InMap(p)) continue;
      map[p] |= uint16_t(i | (cellPinned_[size_t(k)] ? CellPin : 0));
    }
  }
  if (!scratch) TakePositions(positions);
}

void TPlayEngine::TakePositions(const int16_t* positions) {
  for (int i = 1; i < stepFigCount_; ++i) {
    CurPositions[size_t(i)] = positions[i];
    TFig& f = Task.Figs[size_t(i)];
    f.Pos = positions[i];
    f.X = uint8_t(f.Pos & 0x7F);
    f.Y = uint8_t((f.Pos >> 7) & 0x7F);
    f.Box();
  }
}

void TPlayEngine::BeginTracking() {
  std::fill(track_.begin(), track_.end(), 0);
  tracking_ = true;
  independent_ = true;
}

bool TPlayEngine::StepCanAdvance(int p, int cell, int dir) const {
  if (!InMap(p)) return false;
  const uint8_t exits = exitFlags_[size_t(p)];
  if (!(exits & (1 << dir))) return false;
  // A wall may never pass between two joined cells of one figure.
  return !((exits & (1 << (dir + 4))) && (joinBits_[size_t(cell)] & (1 << (dir & 1))));
}

bool TPlayEngine::Step(int16_t* positions, uint16_t* map, int fig, int dir, bool& pushed, bool allowPush) {
  pushed = false;
  if (dir < 0 || dir > 3) return false;
  const int figCount = stepFigCount_;
  const int delta = DirStep[dir];
  uint8_t marked[FigSlots] = {};
  uint8_t group[FigSlots];
  int groupSize = 0;

  // A pinned cell travels only along a groove; the groove bits live in the map's field bits.
  auto canAdvance = [&](int f, int p, int cell) {
    if (!StepCanAdvance(p, cell, dir)) return false;
    if (!figHasPins_[size_t(f)] || !cellPinned_[size_t(cell)]) return true;
    switch (dir) {
      case DirDown: return (map[p] & GrooveDown) != 0;
      case DirRight: return (map[p] & GrooveToTheRight) != 0;
      case DirUp: return InMap(p - RowStride) && (map[p - RowStride] & GrooveDown) != 0;
      default: return InMap(p - 1) && (map[p - 1] & GrooveToTheRight) != 0;
    }
  };

  if (!Task.Options.Gravity) {
    if (fig <= 0 || fig >= figCount || !(dirMask_[size_t(fig)] & (1 << dir))) return false;
    const bool mayPush = allowPush || Task.Options.GrSlide || Task.Options.Cooperative;
    marked[fig] = 1;
    group[groupSize++] = uint8_t(fig);
    for (int g = 0; g < groupSize; ++g) {
      const int f = group[g];
      for (int k = cellFirst_[size_t(f)]; k < cellFirst_[size_t(f) + 1]; ++k) {
        const int p = positions[f] + cellRel_[size_t(k)];
        if (!canAdvance(f, p, k)) return false;
        const int o = map[p + delta] & CellFigMask;
        if (o == 0 || marked[o]) continue;
        if (!mayPush || o >= figCount || !(dirMask_[size_t(o)] & (1 << dir))) return false;
        marked[o] = 1;
        group[groupSize++] = uint8_t(o);
      }
    }
  } else {
    uint8_t queue[FigSlots];
    for (int j = 1; j < figCount; ++j) {
      if (marked[j]) continue;
      bool free = (dirMask_[size_t(j)] & (1 << dir)) != 0;
      for (int k = cellFirst_[size_t(j)]; free && k < cellFirst_[size_t(j) + 1]; ++k)
        free = canAdvance(j, positions[j] + cellRel_[size_t(k)], k);
      if (free) continue;
      // Blocked: so is every figure resting on it, breadth first.
      int head = 0, tail = 0;
      marked[j] = 1;
      queue[tail++] = uint8_t(j);
      while (head < tail) {
        const int f = queue[head++];
        for (int k = cellFirst_[size_t(f)]; k < cellFirst_[size_t(f) + 1]; ++k) {
          const int behind = positions[f] + cellRel_[size_t(k)] - delta;
          if (!InMap(behind)) continue;
          const int o = map[behind] & CellFigMask;
          if (o == 0 || o >= figCount || marked[o]) continue;
          marked[o] = 1;
          queue[tail++] = uint8_t(o);
        }
      }
    }
    for (int j = 1; j < figCount; ++j)
      if (!marked[j]) group[groupSize++] = uint8_t(j);
    if (groupSize == 0) return false;
  }

  pushed = groupSize > 1;
  for (int g = 0; g < groupSize; ++g) {
    const int f = group[g];
    for (int k = cellFirst_[size_t(f)]; k < cellFirst_[size_t(f) + 1]; ++k) {
      const int p = positions[f] + cellRel_[size_t(k)];
      if (tracking_) {
        if (track_[size_t(p)]) independent_ = false;
        track_[size_t(p)] = uint8_t(dir + 1);
      }
      map[p] &= 0x1F00;
    }
  }
  for (int g = 0; g < groupSize; ++g) {
    const int f = group[g];
    positions[f] = int16_t(positions[f] + delta);
    for (int k = cellFirst_[size_t(f)]; k < cellFirst_[size_t(f) + 1]; ++k) {
      const int p = positions[f] + cellRel_[size_t(k)];
      if (tracking_) {
        if (track_[size_t(p)] != 0 && track_[size_t(p)] != dir + 1) independent_ = false;
        track_[size_t(p)] = uint8_t(dir + 5);
      }
      map[p] |= uint16_t(f | (cellPinned_[size_t(k)] ? CellPin : 0));
    }
  }
  return true;
}

// ---------------------------------------------------------------------------------------------
// The line

void TPlayEngine::GoTo(int k) {
  if (k < 0 || k >= Line.Count) return;
  Line.Cur = k;
  SetPosition(Line.Positions(k), Task.StartMap.data(), false);
}

int TPlayEngine::PrevMoveIndex() const {
  if (Line.Cur <= 0) return -1;
  if (!MiniMoves) return Line.Cur - 1;
  int i = Line.Cur;
  while (i > 0 && Line.Move(i).Sub != 0) --i;
  return i - 1;
}

int TPlayEngine::NextMoveIndex() const {
  if (Line.Cur + 1 >= Line.Count) return -1;
  if (!MiniMoves) return Line.Cur + 1;
  for (int i = Line.Cur + 2; i < Line.Count; ++i)
    if (Line.Move(i).Sub == 0) return i - 1;
  return Line.Count - 1;
}

void TPlayEngine::TakeInitialPosition() {
  InitialMap = Task.StartMap;
  InitialPositions.fill(0);
  for (int i = 1; i < Task.FigCount && i < FigSlots; ++i) InitialPositions[size_t(i)] = Task.Figs[size_t(i)].Pos;
  CurPositions = InitialPositions;
}

void TPlayEngine::ResetToInitial() {
  Line.Release();
  Line.FigCount = std::clamp(Task.FigCount, 1, MaxFigRecords);
  Line.Reserve(InitialCapacity);
  Line.Count = 1;
  Line.Cur = 0;
  Line.SolveFrom = 0;
  Line.Move(0) = TMove();
  std::memcpy(Line.Positions(0), InitialPositions.data(), sizeof(int16_t) * size_t(Line.FigCount));
}

void TPlayEngine::ResetLine() {
  Line.Solution.reset();
  Line.RemoteLine.reset();
  Line.FigCount = std::clamp(Task.FigCount, 1, MaxFigRecords);
  PrepareMoveTables();
  TakeInitialPosition();
  ResetToInitial();
  Tree.Reset();
}

void TPlayEngine::ReplayLine() {
  std::copy(InitialMap.begin(), InitialMap.end(), work_.begin());
  Line.Move(0) = TMove();
  std::memcpy(Line.Positions(0), InitialPositions.data(), sizeof(int16_t) * size_t(Line.FigCount));
  const bool wasTracking = tracking_;
  tracking_ = false;
  for (int k = 1; k < Line.Count; ++k) {
    int16_t* pos = Line.Positions(k);
    std::memcpy(pos, Line.Positions(k - 1), sizeof(int16_t) * size_t(Line.FigCount));
    TMove& m = Line.Move(k);
    bool pushed = false;
    if (Task.Options.Gravity) {
      // Every step moves some figure one cell further; the board bounds the number of steps.
      for (int guard = 0; guard < RowStride && Step(pos, work_.data(), m.Fig, m.Dir, pushed); ++guard) {}
      pushed = false;
    } else {
      for (int s = 0; s < m.Len; ++s)
        if (!Step(pos, work_.data(), m.Fig, m.Dir, pushed)) break;
    }
    m.Pushed = pushed ? 1 : 0;
  }
  tracking_ = wasTracking;
}

void TPlayEngine::LoadLine(const TMoves0& line) {
  const int n = line.Count();
  Line.Reserve(n + 1);
  Line.Count = n + 1;
  Line.Cur = n;
  for (int k = 0; k < n; ++k) Line.Move(k + 1) = line.Moves[size_t(k)];
  ReplayLine();
}

std::unique_ptr<TMoves0> TPlayEngine::NewLineFromCur() const {
  auto line = std::make_unique<TMoves0>();
  line->Moves.reserve(size_t(Line.Cur));
  for (int k = 1; k <= Line.Cur; ++k) line->Moves.push_back(Line.Move(k));
  return line;
}

void TPlayEngine::NumberLastEntry() {
  const int last = Line.Count - 1;
  if (last < 1) return;
  TMove& e = Line.Move(last);
  if (last == 1) {
    e.N = 1;
    e.Sub = 0;
    return;
  }
  int m = last - 1;
  while (m > 1 && Line.Move(m).Sub != 0) --m;
  int16_t pos[FigSlots];
  std::memcpy(pos, Line.Positions(m - 1), sizeof(int16_t) * size_t(Line.FigCount));
  SetPosition(pos, work_.data(), true);
  BeginTracking();
  for (int k = m; k <= last; ++k) {
    const TMove& mv = Line.Move(k);
    bool pushed = false;
    for (int s = 0; s < std::max<int>(1, mv.Len); ++s)
      if (!Step(pos, work_.data(), mv.Fig, mv.Dir, pushed)) break;
  }
  EndTracking();
  const TMove& prev = Line.Move(last - 1);
  if (independent_) {
    e.N = prev.N;
    e.Sub = int16_t(prev.Sub + 1);
  } else {
    e.N = prev.N + 1;
    e.Sub = 0;
  }
}

CellCode TPlayEngine::FirstCell(int fig, int16_t pos) const {
  if (fig <= 0 || fig >= stepFigCount_ || cellFirst_[size_t(fig)] == cellFirst_[size_t(fig) + 1]) return 0;
  return CellCode(pos + cellRel_[size_t(cellFirst_[size_t(fig)])]);
}

int TPlayEngine::AppendEntry(const TMove& move, const int16_t* positions) {
  Line.Count = Line.Cur + 1;
  const int k = Line.Append();
  TMove& e = Line.Move(k);
  const TMove prev = Line.Move(k - 1);
  e = move;
  std::memcpy(Line.Positions(k), positions, sizeof(int16_t) * size_t(Line.FigCount));
  e.N = prev.N + 1;
  e.Sub = 0;
  if (Task.Options.Cooperative) NumberLastEntry();
  Line.Cur = k;
  return k;
}

// ---------------------------------------------------------------------------------------------
// Tree

void TPlayEngine::AddCurrent() {
  if (Line.Count == 0) return;
  std::vector<TMove> moves;
  moves.reserve(size_t(Line.Cur));
  for (int k = 1; k <= Line.Cur; ++k) moves.push_back(Line.Move(k));
  Tree.AddMoves(moves.data(), int(moves.size()), nullptr, true, [&] { return NewLineFromCur(); });
}

void TPlayEngine::LoadNode(TPosNode* node) {
  if (!node || !Tree.Contains(node)) return;
  Tree.CurNode = node;
  Tree.Selected = node;
  LoadLine(*node->Line);
  GoTo(Line.Count - 1);
}

// ---------------------------------------------------------------------------------------------
// Play mode

void TPlayEngine::EnterPlay(bool keepLine) {
  TTaskOptions& o = Task.Options;
  o.Play = true;
  if (!keepLine) Task.TempFixed.fill(0);
  MiniMoves = o.Cooperative || (o.OneFig() && o.MoveKind == AnyPathMove);
  SavedSelection.fill(0);
  for (int i = 1; i < Task.FigCount && i < FigSlots; ++i) {
    SavedSelection[size_t(i)] = Task.Figs[size_t(i)].Selected;
    Task.Figs[size_t(i)].Selected = 0;
  }
  Task.SelSummary();
  if (!keepLine) ResetLine();
  ComputeShapeClasses(Task);
}

void TPlayEngine::LeavePlay(bool keepLine, bool keepPosition) {
  Task.Options.Play = false;
  if (!keepLine) Task.TempFixed.fill(0);
  if (!keepPosition && Line.Count > 0) SetPosition(InitialPositions.data(), Task.StartMap.data(), false);
  Line.Release();
  if (!keepLine) {
    for (int i = 1; i < Task.FigCount && i < FigSlots; ++i) Task.Figs[size_t(i)].Selected = SavedSelection[size_t(i)];
    Task.SelSummary();
  }
}

void TPlayEngine::SetPlayMode(bool on, bool keepLine, bool keepPosition) {
  if (on == Task.Options.Play) return;
  if (on)
    EnterPlay(keepLine);
  else
    LeavePlay(keepLine, keepPosition);
}

void TPlayEngine::RebuildInitialMap() {
  for (int c = 0; c < MapSize; ++c) InitialMap[size_t(c)] = uint16_t(Task.StartMap[size_t(c)] & 0x1F00);
  for (int i = 1; i < stepFigCount_; ++i) {
    for (int k = cellFirst_[size_t(i)]; k < cellFirst_[size_t(i) + 1]; ++k) {
      const int p = InitialPositions[size_t(i)] + cellRel_[size_t(k)];
      if (InMap(p)) InitialMap[size_t(p)] |= uint16_t(i | (cellPinned_[size_t(k)] ? CellPin : 0));
    }
  }
}

void TPlayEngine::TaskRead(TTask& task, TRe& re, bool play) {
  (void)task; // the engine serves the one task it was made for
  if (play) {
    EnterPlay(true);
    ReadMovesBlock(re, true);
    return;
  }
  Task.Options.Play = false;
  Line.Release();
  Line.Solution.reset();
  Line.RemoteLine.reset();
  Tree.Clear();
  Summary = TSolveSummary();
}

} // namespace zrk
