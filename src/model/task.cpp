#include "model/task.h"

#include <algorithm>
#include <cstring>

namespace zrk {

namespace {

bool InMap(int code) { return code >= 0 && code < MapSize; }

} // namespace

// ---------------------------------------------------------------------------------------------
// Figure records

void TFig::SetName(const std::string& name) {
  std::memset(Name, 0, sizeof Name);
  std::memcpy(Name, name.data(), std::min<size_t>(name.size(), 3));
}

void TFig::Init(TTask* task, int index) {
  *this = TFig();
  Task = task;
  Index = uint8_t(index);
  Num = uint8_t(index);
}

void TFig::Box() {
  if (Cells.empty()) {
    Width = Height = 0;
    X2 = X;
    Y2 = Y;
    return;
  }
  int maxCol = 0, maxRow = 0;
  for (int16_t c : Cells) {
    maxCol = std::max(maxCol, c & 0x7F);
    maxRow = std::max(maxRow, c >> 7);
  }
  Width = int16_t(maxCol + 1);
  Height = int16_t(maxRow + 1);
  X2 = uint8_t(X + Width);
  Y2 = uint8_t(Y + Height);
}

bool SameFig(const TFig& a, const TFig& b) {
  return a.Cells == b.Cells && a.Selected == b.Selected && a.Freedom == b.Freedom && a.Num == b.Num &&
         a.Color == b.Color && a.Pos == b.Pos && a.EndPos == b.EndPos &&
         std::memcmp(a.Name, b.Name, sizeof a.Name) == 0;
}

// ---------------------------------------------------------------------------------------------
// Task lifetime

TTask::TTask() : StartMap(MapSize, 0), EndMap(MapSize, 0) {
  for (int i = 0; i < FigSlots; ++i) Figs[i].Init(this, i);
}

void TTask::Clear(bool all, bool resetColours, bool clearText) {
  for (int i = 1; i < FigCount; ++i) Figs[i].Init(this, i);
  if (all) {
    Colour fieldColour = Figs[0].Color;
    Figs[0].Init(this, 0);
    Figs[0].Color = fieldColour;
    FieldFlags.clear();
    FlaggedCells = 0;
  }
  FigCount = 0;
  if (clearText) Text.clear();
  if (resetColours) {
    Figs[0].Color = DefaultFieldColor;
    GridColor = DefaultGridColor;
    WallColor = DefaultWallColor;
  }
  TempFixed.fill(0);
}

void TTask::New(bool initField, bool resetColours) {
  FigCount = 1;
  if (initField) {
    Colour fieldColour = Figs[0].Color;
    Figs[0].Init(this, 0);
    Figs[0].Color = fieldColour;
    FieldFlags.clear();
  }
  if (resetColours) {
    Figs[0].Color = DefaultFieldColor;
    GridColor = DefaultGridColor;
    WallColor = DefaultWallColor;
  }
  CountCells();
}

void TTask::CopyFig(TFig& to, const TFig& from) {
  to = from;
  to.Task = this;
}

void TTask::Copy(const TTask& from) {
  FigCount = from.FigCount;
  DimX = from.DimX;
  DimY = from.DimY;
  GridColor = from.GridColor;
  WallColor = from.WallColor;
  for (int i = 0; i < FigSlots; ++i) {
    if (i < from.FigCount)
      CopyFig(Figs[i], from.Figs[i]);
    else
      Figs[i].Init(this, i);
  }
  FlaggedCells = from.FlaggedCells;
  FieldFlags = from.FieldFlags;
}

void TTask::MoveFig(int to, int from) {
  Figs[to] = std::move(Figs[from]);
  Figs[to].Task = this;
  Figs[to].Index = uint8_t(to);
  Figs[from].Init(this, from);
}

// ---------------------------------------------------------------------------------------------
// Derived data

void TTask::CountCells() {
  FlaggedCells = int(std::count_if(FieldFlags.begin(), FieldFlags.end(), [](uint8_t b) { return b != 0; }));
  FreeCells = Field().CellCount();
  for (int i = 1; i < FigCount; ++i)
    if (Figs[i].OnField) FreeCells -= Figs[i].CellCount();
}

void TTask::SelSummary() {
  SelCount = 0;
  OnFieldCount = 0;
  SelHasFixed = SelHasFixedOnField = false;
  int selOn = 0, selOff = 0;
  TFig* single = nullptr;
  TFig* first = nullptr;
  for (int i = 1; i < FigCount; ++i) {
    TFig& f = Figs[i];
    if (f.OnField) ++OnFieldCount;
    if (!f.Selected) continue;
    ++SelCount;
    if (!first) first = &f;
    single = &f;
    (f.OnField ? selOn : selOff) += 1;
    if (f.Freedom == Fixed) {
      SelHasFixed = true;
      if (f.OnField) SelHasFixedOnField = true;
    }
  }
  AllOnField = OnFieldCount == FigCount - 1 || FigCount <= 1;
  SelSameSide = SelCount > 0 && (selOn == 0 || selOff == 0);
  SelAllOnField = SelSameSide && selOn > 0;
  if (SelCount == 0) {
    Field().Selected = 1;
    SelFig = &Field();
  } else {
    Field().Selected = 0;
    SelFig = SelCount == 1 ? single : nullptr;
    if (!Options.Play && LastColor) *LastColor = first->Color;
  }
  if (Hooks) Hooks->SelectionChanged();
}

void TTask::Extent() {
  bool any = false;
  int minX = 0, minY = 0, maxX = 0, maxY = 0;
  for (int i = 0; i < FigCount; ++i) {
    const TFig& f = Figs[i];
    if (f.Cells.empty()) continue;
    int x0 = (f.Pos & 0x7F) - 1, y0 = (f.Pos >> 7) - 1;
    int x1 = x0 + f.Width, y1 = y0 + f.Height;
    if (!any) {
      minX = x0, minY = y0, maxX = x1, maxY = y1;
      any = true;
    } else {
      minX = std::min(minX, x0), minY = std::min(minY, y0);
      maxX = std::max(maxX, x1), maxY = std::max(maxY, y1);
    }
  }
  ExtMinX = minX, ExtMinY = minY, ExtMaxX = maxX, ExtMaxY = maxY;
  ExtW = maxX - minX;
  ExtH = maxY - minY;
}

// ---------------------------------------------------------------------------------------------
// Cell maps

void TTask::LayStart(const TFig& f) {
  const bool isField = f.Index == 0;
  for (int k = 0; k < f.CellCount(); ++k) {
    int code = f.Pos + f.Cells[k];
    if (!InMap(code)) continue;
    uint16_t word;
    if (isField) {
      uint8_t flags = k < int(FieldFlags.size()) ? FieldFlags[k] : 0;
      word = uint16_t(CellField | ((flags & 0x0F) << FieldFlagShift));
    } else {
      word = f.Index;
      if (f.Pinned(k)) word |= CellPin;
    }
    StartMap[code] |= word;
  }
}

void TTask::LayEnd(TFig& f, bool checkEnd) {
  const int base = EndBase();
  if (f.Index == 0) {
    for (int k = 0; k < f.CellCount(); ++k) {
      int code = base + f.Cells[k];
      if (!InMap(code)) continue;
      uint8_t flags = k < int(FieldFlags.size()) ? FieldFlags[k] : 0;
      EndMap[code] |= uint16_t(CellField | ((flags & 0x0F) << FieldFlagShift));
    }
    return;
  }
  if (f.EndPos == 0) return;
  const int origin = f.EndPos - 0x81 + base;
  const uint16_t index = f.Index;
  auto holdsThis = [&](int code) { return InMap(code) && (EndMap[code] & CellFigMask) == index; };
  int k = f.CellCount() - 1;
  for (; k >= 0; --k) {
    int code = origin + f.Cells[k];
    // An end cell outside the maps can never be drawn or reached: the end position is dropped.
    if (!InMap(code)) break;
    uint16_t w = EndMap[code];
    if (checkEnd) {
      if (!(w & CellField)) break;
      if (w & CellFigMask) break;
      if ((w & WallBelow) && holdsThis(code + RowStride)) break;
      if ((w & WallOnTheRight) && holdsThis(code + 1)) break;
    }
    w = uint16_t(w + index);
    if (f.Pinned(k)) w |= CellPin;
    EndMap[code] = w;
  }
  if (k >= 0) {
    for (int j = f.CellCount() - 1; j > k; --j) EndMap[origin + f.Cells[j]] &= 0x1F00;
    f.EndPos = 0;
  }
}

void TTask::BuildMaps(bool keepStart, bool checkEnd) {
  if (!keepStart) std::fill(StartMap.begin(), StartMap.end(), 0);
  std::fill(EndMap.begin(), EndMap.end(), 0);
  EndPosCount = 0;
  const CellCode fieldPos = Field().Pos;
  auto layOne = [&](TFig& f) {
    if (!keepStart) LayStart(f);
    if (checkEnd && f.Index != 0) {
      if (!f.OnField)
        f.EndPos = 0;
      else if (f.Freedom == Fixed)
        f.EndPos = int16_t(f.Pos - fieldPos + 0x81);
    }
    LayEnd(f, checkEnd);
  };
  // Fixed figures claim their end cells before the movable ones.
  for (int i = 0; i < FigCount; ++i)
    if (i == 0 || Figs[i].Freedom == Fixed) layOne(Figs[i]);
  for (int i = 1; i < FigCount; ++i) {
    if (Figs[i].Freedom == Fixed) continue;
    layOne(Figs[i]);
    if (Figs[i].EndPos != 0) ++EndPosCount;
  }
  SelSummary();
  if (FigCount != LastSummaryFigCount) {
    LastSummaryFigCount = FigCount;
    if (Hooks) Hooks->FigCountChanged();
  }
}

void TTask::RebuildFigs(bool keepEndOffsets) {
  TFig& field = Field();
  const int oldFieldX = field.X, oldFieldY = field.Y;
  const bool fieldHadCells = !field.Cells.empty();
  for (int i = 0; i < FigCount; ++i) {
    TFig& f = Figs[i];
    f.Cells.clear();
    f.PinCount = 0;
    f.X = f.Y = 200;
    f.X2 = f.Y2 = 0;
  }
  FlaggedCells = 0;

  auto widen = [](TFig& f, int col, int row) {
    f.X = uint8_t(std::min<int>(f.X, col));
    f.Y = uint8_t(std::min<int>(f.Y, row));
    f.X2 = uint8_t(std::max<int>(f.X2, col));
    f.Y2 = uint8_t(std::max<int>(f.Y2, row));
  };
  for (int code = 0; code < MapSize; ++code) {
    const int row = code >> 7, col = code & 0x7F;
    uint16_t& w = StartMap[code];
    if (w == 0) continue;
    // Words outside the board, or naming a figure record not in use, belong to nothing: drop them
    // so that the map says no more than the figures do.
    if (row < 1 || row > DimY || col < 1 || col > DimX) {
      w = 0;
      continue;
    }
    if ((w & CellFigMask) >= FigCount || (w & CellFigMask) == 0) w &= uint16_t(~(CellFigMask | CellPin));
    if (w & CellField) {
      field.Cells.push_back(int16_t(code));
      if (w & CellFlagMask) ++FlaggedCells;
      widen(field, col, row);
    }
    const int fi = w & CellFigMask;
    if (fi != 0) {
      TFig& f = Figs[fi];
      f.Cells.push_back(int16_t(code));
      if (w & CellPin) ++f.PinCount;
      widen(f, col, row);
    }
  }

  FreeCells = field.CellCount();
  for (int i = 0; i < FigCount; ++i) {
    TFig& f = Figs[i];
    if (f.Cells.empty()) {
      f.X = f.Y = f.X2 = f.Y2 = 0;
      f.Width = f.Height = 0;
      f.Pos = 0;
      f.OnField = 0;
      f.Pins.clear();
      continue;
    }
    f.Pos = CellCode((f.Y << 7) | f.X);
    f.X2 = uint8_t(f.X2 + 1);
    f.Y2 = uint8_t(f.Y2 + 1);
    f.Width = int16_t(f.X2 - f.X);
    f.Height = int16_t(f.Y2 - f.Y);
    f.OnField = i >= 1 && (StartMap[f.Cells[0]] & CellField) != 0;
    if (f.OnField) FreeCells -= f.CellCount();
    if (i >= 1) {
      if (f.PinCount > 0) {
        f.Pins.resize(f.Cells.size());
        for (size_t k = 0; k < f.Cells.size(); ++k) f.Pins[k] = (StartMap[f.Cells[k]] & CellPin) ? 1 : 0;
      } else {
        f.Pins.clear();
      }
    }
  }
  if (FlaggedCells > 0) {
    FieldFlags.resize(field.Cells.size());
    for (size_t k = 0; k < field.Cells.size(); ++k)
      FieldFlags[k] = uint8_t((StartMap[field.Cells[k]] & CellFlagMask) >> FieldFlagShift);
  } else {
    FieldFlags.clear();
  }
  for (int i = 0; i < FigCount; ++i) {
    TFig& f = Figs[i];
    for (int16_t& c : f.Cells) c = int16_t(c - f.Pos);
  }

  if (keepEndOffsets && fieldHadCells && !field.Cells.empty()) {
    const int d = (oldFieldX - field.X) + RowStride * (oldFieldY - field.Y);
    if (d != 0)
      for (int i = 1; i < FigCount; ++i)
        if (Figs[i].EndPos != 0) Figs[i].EndPos = int16_t(Figs[i].EndPos + d);
  }
  BuildMaps(true, true);
}

void TTask::ShiftBoard(int d) {
  std::vector<uint16_t> shifted(MapSize, 0);
  for (int code = 0; code < MapSize; ++code) {
    const int to = code + d;
    if (InMap(to)) shifted[to] = StartMap[code];
  }
  StartMap.swap(shifted);
  RebuildFigs(false);
}

} // namespace zrk
