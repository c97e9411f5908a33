#pragma once
// The task: a board, a field drawn on it (figure 0) and up to 254 figures, with the two derived
// cell maps of the start and the end position.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "model/cell_code.h"
#include "model/task_options.h"

namespace zrk {

class TTask;

using Colour = uint32_t; // 0x00BBGGRR

constexpr Colour DefaultFieldColor = 0xE6E6E6;
constexpr Colour DefaultGridColor = 0xA0A0A0;
constexpr Colour DefaultWallColor = 0x000080;

constexpr int MaxFigRecords = 255; // records in use, the field included
constexpr int MaxAddFigRecords = 254; // adding a figure is refused at this many records
constexpr int FigSlots = 256;

enum Freedom : int8_t { FreeMove = 0, HorSlide = 1, VertSlide = 2, Fixed = 3 };

struct TFig {
  uint8_t Selected = 0;
  uint8_t SavedSelected = 0;
  int8_t Freedom = 0;
  uint8_t OnField = 0;
  int8_t PalIndex = 0;
  uint8_t Index = 0;
  uint8_t PictIndex = 0;
  uint8_t Num = 0;
  uint8_t ShapeClass = 0;
  uint8_t X = 0, Y = 0;
  uint8_t X2 = 0, Y2 = 0;
  TTask* Task = nullptr;
  Colour Color = 0;
  char Name[4] = {0, 0, 0, 0};  // up to 3 characters in code page 1251, zero-terminated
  int16_t Width = 0, Height = 0;
  CellCode Pos = 0;             // top-left cell of the bounding box
  int16_t EndPos = 0;           // 0 none, else 0x81 + (end top-left - field Pos)
  std::vector<int16_t> Cells;   // relative codes, ascending
  int16_t PinCount = 0;
  std::vector<uint8_t> Pins;    // one byte per cell when the figure has pins, else empty

  int CellCount() const { return int(Cells.size()); }
  bool HasPins() const { return !Pins.empty(); }
  bool Pinned(int k) const { return HasPins() && Pins[size_t(k)] != 0; }
  bool HasName() const { return Name[0] != 0; }
  std::string NameStr() const { return std::string(Name); }
  void SetName(const std::string& name); // keeps at most 3 bytes
  CellCode Cell(int k) const { return CellCode(Pos + Cells[k]); }
  // Absolute code of cell k in the end position; the figure must have an end position.
  CellCode EndCell(int k, CellCode fieldPos) const { return CellCode(fieldPos + EndPos - 0x81 + Cells[k]); }

  void Init(TTask* task, int index);        // zero the record, set Task, Index = Num = index
  void Box();                               // recompute Width, Height, X2, Y2 from cells and Pos
};

// True when the figures agree in cells, selection, freedom, number, colour, positions and name.
bool SameFig(const TFig& a, const TFig& b);

// Calls from the model into whatever window shows it (the numbering dialog's list and name field).
class ITaskViewHooks {
 public:
  virtual ~ITaskViewHooks() = default;
  virtual void FigCountChanged() {}
  virtual void SelectionChanged() {}
};

class TTask {
 public:
  TTask();
  ~TTask() = default;
  TTask(const TTask&) = delete;
  TTask& operator=(const TTask&) = delete;

  int FigCount = 0;
  int FlaggedCells = 0;
  int FreeCells = 0;
  int SelCount = 0;
  TFig* SelFig = nullptr;
  bool SelSameSide = false;
  bool SelAllOnField = false;
  bool AllOnField = false;
  int OnFieldCount = 0;
  int EndPosCount = 0;
  bool SelHasFixed = false;
  bool SelHasFixedOnField = false;
  int DimX = 10, DimY = 10;
  Colour GridColor = DefaultGridColor;
  Colour WallColor = DefaultWallColor;
  int ExtMinX = 0, ExtMinY = 0, ExtMaxX = 0, ExtMaxY = 0, ExtW = 0, ExtH = 0;
  std::string Text; // code page 1251
  std::array<TFig, FigSlots> Figs;
  std::vector<uint8_t> FieldFlags; // one byte per field cell, empty when no cell has a flag

  // The options, the temporary fixing and the cell maps exist once for the current task; the
  // working tasks (picture reference, paste scratch) carry them unused.
  TTaskOptions Options;
  std::array<uint8_t, FigSlots> TempFixed{};
  std::vector<uint16_t> StartMap; // MapSize words
  std::vector<uint16_t> EndMap;   // MapSize words
  Colour* LastColor = nullptr;    // where SelSummary records the colour of the first selected figure
  ITaskViewHooks* Hooks = nullptr;

  TFig& Field() { return Figs[0]; }
  const TFig& Field() const { return Figs[0]; }

  void Clear(bool all, bool resetColours, bool clearText);
  void New(bool initField, bool resetColours);
  void Copy(const TTask& from);
  void CopyFig(TFig& to, const TFig& from);
  void MoveFig(int to, int from); // move a record with its arrays to another slot

  void CountCells();
  void SelSummary();
  void Extent();
  void BuildMaps(bool keepStart, bool checkEnd);
  void RebuildFigs(bool keepEndOffsets);
  void ShiftBoard(int d);

  // Code of the top-left end-map cell of the field's row: where BuildMaps lays the end view.
  int EndBase() const { return (Field().Pos & 0x3F80) + 1; }

 private:
  int LastSummaryFigCount = -1;
  void LayStart(const TFig& f);
  void LayEnd(TFig& f, bool checkEnd);
};

} // namespace zrk
