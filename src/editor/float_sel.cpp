#include "editor/float_sel.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

namespace zrk {

namespace {

constexpr uint16_t BottomSide = WallBelow | GrooveDown;
constexpr uint16_t RightSide = WallOnTheRight | GrooveToTheRight;
constexpr uint16_t FieldPart = CellField | CellFlagMask;

// A wall or groove on the bottom side becomes the same on the right side, and back.
constexpr uint16_t BottomToRight(uint16_t w) {
  return uint16_t(((w & WallBelow) ? WallOnTheRight : 0) | ((w & GrooveDown) ? GrooveToTheRight : 0));
}
constexpr uint16_t RightToBottom(uint16_t w) {
  return uint16_t(((w & WallOnTheRight) ? WallBelow : 0) | ((w & GrooveToTheRight) ? GrooveDown : 0));
}

constexpr int Clamp(int v, int lo, int hi) { return v < lo ? lo : v > hi ? hi : v; }

} // namespace

// ---------------------------------------------------------------------------------------------
// Collecting

bool TFloatSel::Collect(FloatMode mode, const TTask& task, bool fromEnd) {
  TFloatSource source;
  source.Map = fromEnd ? &task.EndMap : &task.StartMap;
  for (int i = 1; i < task.FigCount; ++i) source.Marked[size_t(i)] = task.Figs[size_t(i)].Selected != 0;
  source.DimX = task.DimX;
  source.DimY = task.DimY;
  return Collect(mode, source);
}

bool TFloatSel::Collect(FloatMode mode, const TFloatSource& source) {
  Mode = mode;
  Cells.clear();
  PrimaryCount = 0;
  Carried.fill(false);
  EndRel.fill(NoEndRel);
  FloatW = FloatH = 0;
  if (!source.Map || source.Map->size() != size_t(MapSize)) return false;
  const std::vector<uint16_t>& map = *source.Map;
  const int dimX = Clamp(source.DimX, 0, MaxDim), dimY = Clamp(source.DimY, 0, MaxDim);

  // Absolute codes first; made relative once the bounding box is known.
  std::vector<TFloatCell> secondary;
  int minCol = 128, minRow = 128, maxCol = -1, maxRow = -1;
  for (int row = 1; row <= dimY; ++row) {
    for (int col = 1; col <= dimX; ++col) {
      const int code = (row << 7) | col;
      const uint16_t w = map[size_t(code)];
      const int fi = w & CellFigMask;
      const bool marked = fi != 0 && source.Marked[size_t(fi)];
      uint16_t word = 0;
      bool primary = true;
      switch (mode) {
        case FloatMode::Figs:
          if (marked) word = uint16_t(fi | (w & CellPin));
          break;
        case FloatMode::Field:
          if (w & CellField) {
            word = w;
          } else if (source.ParkedToo && marked) {
            word = uint16_t(fi | (w & CellPin));
            primary = false;
          }
          break;
        case FloatMode::All:
          word = w;
          break;
      }
      if (word == 0) continue;
      (primary ? Cells : secondary).push_back(TFloatCell{int16_t(code), word, 0});
      if (word & CellFigMask) Carried[word & CellFigMask] = true;
      minCol = std::min(minCol, col), maxCol = std::max(maxCol, col);
      minRow = std::min(minRow, row), maxRow = std::max(maxRow, row);
    }
  }
  PrimaryCount = int(Cells.size());
  Cells.insert(Cells.end(), secondary.begin(), secondary.end());
  if (Cells.empty()) return false;

  MinX = minCol - 1;
  MinY = minRow - 1;
  FloatW = maxCol - minCol + 1;
  FloatH = maxRow - minRow + 1;
  const int origin = (minRow << 7) | minCol;
  for (TFloatCell& c : Cells) c.Rel = int16_t(c.Rel - origin);
  CurCode = CellCode(origin);
  CurInEnd = false;
  ComputeJoins();
  return true;
}

// Joined cells are two cells of one figure side by side: no wall may come between them. Only the
// figure index counts, so that a pinned and an unpinned cell of one figure are joined too.
void TFloatSel::ComputeJoins() {
  std::vector<uint8_t> figAt(MapSize, 0);
  for (const TFloatCell& c : Cells) figAt[size_t(c.Rel)] = uint8_t(c.Word & CellFigMask);
  for (int k = 0; k < int(Cells.size()); ++k) {
    TFloatCell& c = Cells[size_t(k)];
    c.Join = 0;
    const int fi = c.Word & CellFigMask;
    if (k >= PrimaryCount || fi == 0) continue;
    if (c.Rel + RowStride < MapSize && figAt[size_t(c.Rel + RowStride)] == fi) c.Join |= WallBelow;
    if (c.Rel + 1 < MapSize && figAt[size_t(c.Rel + 1)] == fi) c.Join |= WallOnTheRight;
  }
}

void TFloatSel::SortCells() {
  auto byRel = [](const TFloatCell& a, const TFloatCell& b) { return a.Rel < b.Rel; };
  std::sort(Cells.begin(), Cells.begin() + PrimaryCount, byRel);
  std::sort(Cells.begin() + PrimaryCount, Cells.end(), byRel);
}

// ---------------------------------------------------------------------------------------------
// Turning and mirroring

void TFloatSel::TransformFloat(int kind) {
  if (kind < MirrorLeftRight || kind > HalfTurn || Cells.empty()) return;
  const int w = FloatW, h = FloatH;
  // The words as they were, for the sides stored in the left and upper neighbours.
  std::vector<uint16_t> before(MapSize, 0);
  for (const TFloatCell& c : Cells) before[size_t(c.Rel)] = c.Word;

  for (TFloatCell& cell : Cells) {
    const int c = cell.Rel & 0x7F, r = cell.Rel >> 7;
    int nc = c, nr = r;
    switch (kind) {
      case MirrorLeftRight: nc = w - 1 - c; break;
      case MirrorTopBottom: nr = h - 1 - r; break;
      case TurnCounterClockwise: nc = r, nr = w - 1 - c; break;
      case TurnClockwise: nc = h - 1 - r, nr = c; break;
      case HalfTurn: nc = w - 1 - c, nr = h - 1 - r; break;
    }
    const uint16_t old = cell.Word;
    uint16_t word = uint16_t(old & (CellFigMask | CellPin));
    if (old & CellField) {
      const uint16_t ownBottom = old & BottomSide, ownRight = old & RightSide;
      const uint16_t left = c > 0 ? uint16_t(before[size_t(cell.Rel - 1)] & RightSide) : 0;
      const uint16_t top = r > 0 ? uint16_t(before[size_t(cell.Rel - RowStride)] & BottomSide) : 0;
      uint16_t bottom = 0, right = 0;
      switch (kind) {
        case MirrorLeftRight: bottom = ownBottom, right = left; break;
        case MirrorTopBottom: bottom = top, right = ownRight; break;
        case TurnCounterClockwise: bottom = RightToBottom(left), right = BottomToRight(ownBottom); break;
        case TurnClockwise: bottom = RightToBottom(ownRight), right = BottomToRight(top); break;
        case HalfTurn: bottom = top, right = left; break;
      }
      word = uint16_t(word | CellField | bottom | right);
    }
    cell.Word = word;
    cell.Rel = int16_t((nr << 7) | nc);
  }
  if (kind == TurnCounterClockwise || kind == TurnClockwise) std::swap(FloatW, FloatH);
  // Where the figures stand within the group has changed.
  EndRel.fill(NoEndRel);
  SortCells();
  ComputeJoins();
}

void TFloatSel::RemapIndices(const std::array<uint8_t, FigSlots>& copyOf) {
  std::array<int16_t, FigSlots> endRel;
  endRel.fill(NoEndRel);
  Carried.fill(false);
  for (TFloatCell& c : Cells) {
    const int fi = c.Word & CellFigMask;
    if (fi == 0) continue;
    const int to = copyOf[size_t(fi)] ? copyOf[size_t(fi)] : fi;
    c.Word = uint16_t((c.Word & ~CellFigMask) | to);
    Carried[size_t(to)] = true;
    endRel[size_t(to)] = EndRel[size_t(fi)];
  }
  EndRel = endRel;
}

// ---------------------------------------------------------------------------------------------
// Target and occupancy

void TFloatSel::SetTarget(const std::vector<uint16_t>& map, int dimX, int dimY, bool takeOut) {
  BoardW = Clamp(dimX, 0, MaxDim);
  BoardH = Clamp(dimY, 0, MaxDim);
  if (map.size() == size_t(MapSize)) TargetMap = map;
  else std::fill(TargetMap.begin(), TargetMap.end(), 0);
  if (!takeOut) return;
  switch (Mode) {
    case FloatMode::Figs:
      for (uint16_t& w : TargetMap)
        if (Carried[w & CellFigMask] && (w & CellFigMask)) w &= FieldPart;
      break;
    case FloatMode::Field:
      for (uint16_t& w : TargetMap)
        if (w & CellField) w = 0;
      break;
    case FloatMode::All:
      std::fill(TargetMap.begin(), TargetMap.end(), 0);
      break;
  }
}

void TFloatSel::BuildOcc(OccKind kind, bool secondary) {
  std::array<Row128, 128>& occ = secondary ? Occ2 : Occ;
  std::array<Row128, 128> taken{}, spread{}; // taken cells; cells whose neighbours are taken too
  for (int code = 0; code < MapSize; ++code) {
    const uint16_t w = TargetMap[size_t(code)];
    const Row128 bit = Row128(1) << (code & 0x7F);
    const int row = code >> 7;
    switch (kind) {
      case OccKind::OnField:
        if (!(w & CellField) || (w & CellFigMask)) taken[size_t(row)] |= bit;
        break;
      case OccKind::OffField:
        if (w) taken[size_t(row)] |= bit;
        if (w & CellField) spread[size_t(row)] |= bit;
        break;
      case OccKind::AroundOthers:
        if (w) taken[size_t(row)] |= bit, spread[size_t(row)] |= bit;
        break;
    }
  }
  // Widen the spreading cells to their eight neighbours.
  std::array<Row128, 128> wide{};
  for (int r = 0; r < 128; ++r) wide[size_t(r)] = spread[size_t(r)] | (spread[size_t(r)] << 1) | (spread[size_t(r)] >> 1);
  for (int r = 0; r < 128; ++r) {
    Row128 v = taken[size_t(r)] | wide[size_t(r)];
    if (r > 0) v |= wide[size_t(r - 1)];
    if (r < 127) v |= wide[size_t(r + 1)];
    occ[size_t(r)] = v;
  }
}

void TFloatSel::ClearPlacements() {
  MainCandidates.clear();
  EndCandidates.clear();
}

int TFloatSel::FindFigurePlacements(bool onField, bool offField, bool wallCheck) {
  if (onField) {
    BuildOcc(OccKind::OnField);
    FindPlacements(false, wallCheck);
  }
  if (offField) {
    BuildOcc(OccKind::OffField);
    FindPlacements(false, false);
  }
  return int(MainCandidates.size());
}

int TFloatSel::FindPlacements(bool inEnd, bool wallCheck) {
  std::vector<TFloatPlace>& list = inEnd ? EndCandidates : MainCandidates;
  if (Cells.empty() || FloatW > BoardW || FloatH > BoardH) return int(list.size());

  // The group and the walls under it as rows of bits, one bit per column.
  std::vector<Row128> prim(size_t(FloatH), 0), sec(size_t(FloatH), 0), joinBelow(size_t(FloatH), 0),
      joinRight(size_t(FloatH), 0);
  for (int k = 0; k < int(Cells.size()); ++k) {
    const TFloatCell& c = Cells[size_t(k)];
    const size_t r = size_t(c.Rel >> 7);
    const Row128 bit = Row128(1) << (c.Rel & 0x7F);
    if (k < PrimaryCount) {
      prim[r] |= bit;
      if (c.Join & WallBelow) joinBelow[r] |= bit;
      if (c.Join & WallOnTheRight) joinRight[r] |= bit;
    } else {
      sec[r] |= bit;
    }
  }
  const bool hasSecondary = SecondaryCount() > 0;
  std::array<Row128, 128> wallBelow{}, wallRight{};
  if (wallCheck) {
    for (int code = 0; code < MapSize; ++code) {
      const uint16_t w = TargetMap[size_t(code)];
      const Row128 bit = Row128(1) << (code & 0x7F);
      if (w & WallBelow) wallBelow[size_t(code >> 7)] |= bit;
      if (w & WallOnTheRight) wallRight[size_t(code >> 7)] |= bit;
    }
  }

  for (int i = 0; i <= BoardH - FloatH; ++i) {
    for (int j = 0; j <= BoardW - FloatW; ++j) {
      const int shift = j + 1;
      bool legal = true;
      for (int r = 0; r < FloatH && legal; ++r) {
        const size_t row = size_t(i + 1 + r);
        Row128 clash = Occ[row] & (prim[size_t(r)] << shift);
        if (wallCheck)
          clash |= (wallBelow[row] & (joinBelow[size_t(r)] << shift)) | (wallRight[row] & (joinRight[size_t(r)] << shift));
        if (hasSecondary) clash |= Occ2[row] & (sec[size_t(r)] << shift);
        legal = clash == 0;
      }
      if (legal) list.push_back(TFloatPlace{uint8_t(j), uint8_t(i)});
    }
  }
  return int(list.size());
}

// ---------------------------------------------------------------------------------------------
// Placing

std::optional<TFloatPlace> TFloatSel::Nearest(int px, int py, bool inEnd, bool preferStart) const {
  const std::vector<TFloatPlace>& list = inEnd ? EndCandidates : MainCandidates;
  if (list.empty()) return std::nullopt;
  const int64_t qx = int64_t(px) - (inEnd ? EndOffX : OffX);
  const int64_t qy = int64_t(py) - (inEnd ? EndOffY : OffY);
  int64_t best = std::numeric_limits<int64_t>::max();
  TFloatPlace found;
  for (const TFloatPlace& p : list) {
    int64_t dx = qx - int64_t(S) * p.Col, dy = qy - int64_t(S) * p.Row;
    if (preferStart && p.Col == MinX) dx = std::max<int64_t>(0, std::abs(dx) - 2);
    if (preferStart && p.Row == MinY) dy = std::max<int64_t>(0, std::abs(dy) - 2);
    const int64_t d = dx * dx + dy * dy;
    if (d < best) best = d, found = p;
  }
  return found;
}

bool TFloatSel::PlaceNearest(TTask& task, int px, int py, bool inEnd, bool keepIfSame, bool preferStart,
                             bool commit) {
  const std::optional<TFloatPlace> p = Nearest(px, py, inEnd, preferStart);
  if (!p) return false;
  const CellCode code = MakeCell(p->Col, p->Row);
  if (keepIfSame && inEnd == CurInEnd && code == CurCode) return false;
  if (commit) {
    Commit(code);
    return true;
  }
  if (inEnd) SetEndPositions(task, code);
  else WriteFloat(task, code, true);
  CurCode = code;
  CurInEnd = inEnd;
  return true;
}

void TFloatSel::Commit(CellCode code) {
  for (const TFloatCell& c : Cells) {
    const int at = code + c.Rel;
    if (at < 0 || at >= MapSize) continue;
    TargetMap[size_t(at)] |= c.Word;
    const Row128 bit = Row128(1) << (at & 0x7F);
    Occ[size_t(at >> 7)] |= bit;
    Occ2[size_t(at >> 7)] |= bit;
  }
}

bool TFloatSel::MoveAll(TTask& task, int dx, int dy) {
  if (Cells.empty() || S <= 0) return false;
  // Half a cell and more counts as a whole cell away from zero.
  auto wholeCells = [this](int d) { return d >= 0 ? (d + S / 2) / S : -((S / 2 - d) / S); };
  auto place = [](int first, int size, int board) { return first < 1 ? 1 : first + size - 1 > board ? board - size + 1 : first; };
  const int col = place(MinX + 1 + wholeCells(dx), FloatW, task.DimX);
  const int row = place(MinY + 1 + wholeCells(dy), FloatH, task.DimY);
  if (col < 1 || row < 1) return false; // the group is larger than the board
  const CellCode code = CellCode((row << 7) | col);
  if (code == CurCode) return false;
  WriteFloat(task, code, false);
  CurCode = code;
  return true;
}

void TFloatSel::WriteFloat(TTask& task, CellCode code, bool overTarget) const {
  if (overTarget) task.StartMap = TargetMap;
  else std::fill(task.StartMap.begin(), task.StartMap.end(), 0);
  for (const TFloatCell& c : Cells) {
    const int at = code + c.Rel;
    if (at >= 0 && at < MapSize) task.StartMap[size_t(at)] |= c.Word;
  }
}

// ---------------------------------------------------------------------------------------------
// End positions

void TFloatSel::NoteEndOffsets(const TTask& task, bool fromEnd) {
  EndRel.fill(NoEndRel);
  const int origin = MakeCell(MinX, MinY);
  for (int i = 1; i < task.FigCount; ++i) {
    const TFig& f = task.Figs[size_t(i)];
    if (!Carried[size_t(i)] || f.Cells.empty()) continue;
    if (fromEnd && f.EndPos == 0) continue;
    const int topLeft = fromEnd ? f.EndPos - 0x81 + task.EndBase() : f.Pos;
    EndRel[size_t(i)] = int16_t(topLeft - origin);
  }
}

// EndPos is the end top-left relative to the field's Pos, biased by 0x81; in the end map that
// top-left lies at EndBase + EndPos - 0x81.
void TFloatSel::SetEndPositions(TTask& task, CellCode code) const {
  const int base = task.EndBase();
  for (int i = 1; i < task.FigCount; ++i)
    if (EndRel[size_t(i)] != NoEndRel) task.Figs[size_t(i)].EndPos = int16_t(code + EndRel[size_t(i)] - base + 0x81);
}

} // namespace zrk
