// PrepareSolver: the task turned into scan cells, figure classes and placements.
#include <algorithm>
#include <cstdio>
#include <cstring>

#include "model/fig_class.h"
#include "solver/hash_v.h"
#include "solver/solver.h"

namespace zrk {

namespace {

bool Moving(const TTask& task, int index) {
  const TFig& f = task.Figs[index];
  return f.Freedom != Fixed && !task.TempFixed[index];
}

} // namespace

TSolver::TSolver() : Records(PositionPool), Table(1) {}
TSolver::~TSolver() = default;

void TSolver::PrepareSolver(const TTask& task) {
  SetupPool.Clear();
  PositionPool.Clear();
  Table.Clear();
  Classes.clear();
  Placements.clear();
  CellList.clear();
  NFigs = 0;
  Goals = 0;
  std::memset(FigToSolver, 255, sizeof FigToSolver);
  std::memset(SolverToFig, 0, sizeof SolverToFig);
  FieldPos = task.Field().Pos;

  BuildScanCells(task);
  Occ.assign(N, 0);
  FigPlacement.assign(1, -1);
  ClassOf.assign(1, 0);
  THashV classTable(SetupPool.KeySource());
  for (int i = 1; i < task.FigCount; ++i) {
    if (task.Figs[i].OnField && Moving(task, i) && NFigs < 254) AddFigure(task, i, classTable);
  }
  SetGoals(task);
  ValidStart = true;
  for (int s = 1; s <= NFigs; ++s) {
    const TFig& f = task.Figs[SolverToFig[s]];
    const TFigClass& cls = Class(ClassOf[s]);
    const int anchor = f.Pos - FieldPos;
    bool found = false;
    for (int p = cls.FirstPlacement; p < cls.FirstPlacement + cls.PlacementCount && !found; ++p)
      found = Placements[p].Anchor == anchor;
    if (!found) ValidStart = false;
  }

  int freeCells = N;
  for (int s = 1; s <= NFigs; ++s) freeCells -= Class(ClassOf[s]).CellCount;
  Symbols = freeCells + NFigs;
  IsPacked = Classes.size() <= 15;
  KeyBytes = uint32_t(std::max(1, IsPacked ? (Symbols + 1) / 2 : Symbols));
  Seen.assign(NFigs + 1, 0);

  const TTaskOptions& o = task.Options;
  if (o.Gravity) MoveMode = GravityGenerator;
  else if (o.Cooperative) MoveMode = CooperativeGenerator;
  else MoveMode = (o.GrSlide ? 3 : 0) + std::clamp(o.MoveKind, 0, 2);
}

void TSolver::BuildScanCells(const TTask& task) {
  const TFig& field = task.Field();
  ScanCells.clear();
  ScanIndexOf.assign(MapSize, -1);
  for (int16_t rel : field.Cells) {
    const int code = field.Pos + rel;
    if (code < 0 || code >= MapSize) continue;
    const int fig = task.StartMap[code] & CellFigMask;
    if (fig != 0 && !Moving(task, fig)) continue;
    ScanIndexOf[rel] = int16_t(ScanCells.size());
    ScanCells.push_back(rel);
  }
  N = int(ScanCells.size());
  Neighbours.assign(size_t(N) * 4, -1);
  for (int i = 0; i < N; ++i) {
    for (int d = 0; d < 4; ++d) {
      const int rel = ScanCells[i] + DirStep[d];
      if (rel >= 0 && rel < MapSize) Neighbours[i * 4 + d] = ScanIndexOf[rel];
    }
  }
}

void TSolver::AddFigure(const TTask& task, int index, THashV& classTable) {
  const TFig& f = task.Figs[index];
  const int s = ++NFigs;
  FigToSolver[index] = uint8_t(s);
  SolverToFig[s] = uint8_t(index);
  for (int16_t cell : f.Cells) {
    const int rel = f.Pos - FieldPos + cell;
    if (rel >= 0 && rel < MapSize && ScanIndexOf[rel] >= 0) Occ[ScanIndexOf[rel]] = uint8_t(s);
  }

  // The class key, behind its size (the size word included) as the class table wants it.
  const std::string classKey = FigClassKey(task, f);
  const uint32_t size = 4 + uint32_t(classKey.size());
  auto* stored = static_cast<uint8_t*>(SetupPool.AllocEven(4 + size));
  uint8_t* key = stored + 4;
  std::memcpy(key, &size, 4);
  std::memcpy(key + 4, classKey.data(), classKey.size());

  int number;
  const uint32_t hit = classTable.Find(key);
  if (hit) {
    std::memcpy(&number, SetupPool.KeySource().At(hit) - 4, 4);
  } else {
    number = int(Classes.size()) + 1;
    std::memcpy(stored, &number, 4);
    classTable.Insert(SetupPool.Handle(key));
    Classes.emplace_back();
    TFigClass& cls = Classes.back();
    cls.Number = number;
    cls.CellCount = f.CellCount();
    EnumeratePlacements(task, f, cls);
  }
  Classes[number - 1].Instances.push_back(uint8_t(s));
  ClassOf.push_back(uint8_t(number));
  FigPlacement.push_back(-1);
}

void TSolver::EnumeratePlacements(const TTask& task, const TFig& f, TFigClass& cls) {
  const TFig& field = task.Field();
  const auto& map = task.StartMap;
  std::vector<uint8_t> shape(MapSize, 0);
  for (int16_t o : f.Cells) shape[o] = 1;
  auto inShape = [&](int o) { return o >= 0 && o < MapSize && shape[o]; };
  auto word = [&](int code) -> uint16_t { return code >= 0 && code < MapSize ? map[code] : 0; };
  const bool flagged = task.FlaggedCells != 0;
  const int cc = f.CellCount();

  std::vector<int32_t> byAnchor(MapSize, -1);
  cls.FirstPlacement = int(Placements.size());
  cls.ByFirstCell.assign(N, -1);
  for (int r = 0; r <= field.Height - f.Height; ++r) {
    for (int c = 0; c <= field.Width - f.Width; ++c) {
      const int anchor = r * RowStride + c;
      bool legal = true;
      for (int k = 0; k < cc && legal; ++k) {
        const int o = f.Cells[k];
        const int code = FieldPos + anchor + o;
        const uint16_t w = word(code);
        const int fig = w & CellFigMask;
        legal = (w & CellField) && (fig == 0 || Moving(task, fig)) &&
                !((w & WallBelow) && inShape(o + RowStride)) && !((w & WallOnTheRight) && inShape(o + 1));
      }
      if (!legal) continue;
      TPlacement p{};
      p.Anchor = int16_t(anchor);
      p.CellCount = int16_t(cc);
      p.Class = uint8_t(cls.Number);
      p.Cells = int32_t(CellList.size());
      for (int k = 0; k < cc; ++k) CellList.push_back(ScanIndexOf[anchor + f.Cells[k]]);
      p.FirstCell = CellList[p.Cells];
      for (int d = 0; d < 4; ++d) p.Links[d] = -1;
      const int index = int(Placements.size());
      byAnchor[anchor] = index;
      if (p.FirstCell >= 0) cls.ByFirstCell[p.FirstCell] = index;

      // Links to the placements one cell up and one cell left (their partners come later).
      if (anchor >= RowStride && byAnchor[anchor - RowStride] >= 0 && f.Freedom != HorSlide) {
        bool allowed = true;
        for (int k = 0; k < cc && allowed; ++k) {
          const uint16_t above = word(FieldPos + anchor + f.Cells[k] - RowStride);
          if (flagged && (above & WallBelow)) allowed = false;
          if (f.Pinned(k) && !(above & GrooveDown)) allowed = false;
        }
        if (allowed) {
          p.Links[DirUp] = byAnchor[anchor - RowStride];
          Placements[p.Links[DirUp]].Links[DirDown] = index;
        }
      }
      if (c > 0 && byAnchor[anchor - 1] >= 0 && f.Freedom != VertSlide) {
        bool allowed = true;
        for (int k = 0; k < cc && allowed; ++k) {
          const uint16_t left = word(FieldPos + anchor + f.Cells[k] - 1);
          if (flagged && (left & WallOnTheRight)) allowed = false;
          if (f.Pinned(k) && !(left & GrooveToTheRight)) allowed = false;
        }
        if (allowed) {
          p.Links[DirLeft] = byAnchor[anchor - 1];
          Placements[p.Links[DirLeft]].Links[DirRight] = index;
        }
      }

      // Fronts: the cells a one-cell step newly covers.
      for (int d = 0; d < 4; ++d) {
        p.Fronts[d] = int32_t(CellList.size());
        for (int k = 0; k < cc; ++k) {
          const int o = f.Cells[k];
          if (inShape(o + DirStep[d])) continue;
          const int code = FieldPos + anchor + o;
          const int next = code + DirStep[d];
          if (!(word(next) & CellField)) continue;
          if (flagged) {
            const bool wall = d == DirDown    ? (word(code) & WallBelow)
                              : d == DirUp    ? (word(next) & WallBelow)
                              : d == DirRight ? (word(code) & WallOnTheRight)
                                              : (word(next) & WallOnTheRight);
            if (wall) continue;
          }
          const int rel = anchor + o + DirStep[d];
          CellList.push_back(rel >= 0 && rel < MapSize ? ScanIndexOf[rel] : int16_t(-1));
        }
        p.FrontCount[d] = int16_t(int32_t(CellList.size()) - p.Fronts[d]);
      }
      Placements.push_back(p);
    }
  }
  cls.PlacementCount = int(Placements.size()) - cls.FirstPlacement;
}

void TSolver::SetGoals(const TTask& task) {
  for (int i = 1; i < task.FigCount; ++i) {
    const int s = FigToSolver[i];
    if (s == 255 || task.Figs[i].EndPos == 0) continue;
    ++Goals;
    const TFigClass& cls = Class(ClassOf[s]);
    const int anchor = task.Figs[i].EndPos - 0x81;
    for (int p = cls.FirstPlacement; p < cls.FirstPlacement + cls.PlacementCount; ++p) {
      if (Placements[p].Anchor == anchor) Placements[p].GoalFlag = 1;
    }
  }
}

} // namespace zrk
