// Long random sequences of editing operations on random tasks: after every step the task must
// keep the consistency rules and its derived data must match what the map says.

#include <gtest/gtest.h>

#include <random>

#include "model/ops_cells.h"
#include "model/ops_colours.h"
#include "model/ops_consistency.h"
#include "model/ops_end.h"
#include "model/ops_figures.h"
#include "model/ops_numbering.h"
#include "model/ops_paint.h"
#include "model/ops_selection.h"
#include "model/ops_walls.h"

namespace zrk {
namespace {

class TRandomEditor {
 public:
  explicit TRandomEditor(unsigned seed) : Rng(seed) { Task.LastColor = &LastColor; }

  void MakeTask() {
    Task.Clear(true, true, true);
    Task.New(true, true);
    Task.DimX = Between(3, 12);
    Task.DimY = Between(3, 12);
    std::fill(Task.StartMap.begin(), Task.StartMap.end(), 0);
    const int x0 = Between(0, Task.DimX - 1), x1 = Between(x0, Task.DimX - 1);
    const int y0 = Between(0, Task.DimY - 1), y1 = Between(y0, Task.DimY - 1);
    for (int y = y0; y <= y1; ++y)
      for (int x = x0; x <= x1; ++x) {
        if (Chance(8)) continue; // a hole in the field
        uint16_t w = CellField;
        if (Chance(5)) w |= uint16_t(Between(1, 15) << FieldFlagShift);
        Task.StartMap[MakeCell(x, y)] = w;
      }
    Task.RebuildFigs(false);
    for (int figures = Between(0, 8); figures > 0; --figures) {
      ColourStats(Task, Colours);
      if (!AddFigure(Task, Colours)) break;
      for (int tries = Between(1, 6); tries > 0; --tries)
        if (PaintCell(Task, RandomCell(), true)) AfterPaint(Task, false, nullptr);
      RemoveEmpty(Task);
    }
    for (int i = 1; i < Task.FigCount; ++i) {
      TFig& f = Task.Figs[i];
      if (Chance(6)) f.Freedom = Fixed;
      for (int k = 0; k < f.CellCount(); ++k)
        if (Chance(4)) Task.StartMap[f.Cell(k)] |= CellPin;
    }
    Task.RebuildFigs(false);
    SetEndPositions();
  }

  // One random editing step, done the way the editor's gestures and commands do it.
  std::string Step() {
    switch (Between(0, 19)) {
      case 0: SelectOnly(Task, Between(0, Task.FigCount - 1)); return "SelectOnly";
      case 1: SelectOnly(Task, 0); return "SelectField";
      case 2: SelectByColor(Task, Task.Figs[Between(0, Task.FigCount - 1)].Color, Chance(2)); return "SelectByColor";
      case 3: InvertSelection(Task); Task.SelSummary(); return "InvertSelection";
      case 4: return RectSelectGesture();
      case 5:
      case 6: {
        const bool on = !Chance(3);
        if (PaintCell(Task, RandomCell(), on)) AfterPaint(Task, false, nullptr);
        return "PaintCell";
      }
      case 7:
      case 8:
      case 9: return PaintGesture();
      case 10: {
        ColourStats(Task, Colours);
        AddFigure(Task, Colours);
        return "AddFigure";
      }
      case 11: {
        ColourStats(Task, Colours);
        const TFig& pattern = Task.Figs[Between(0, Task.FigCount - 1)];
        AddFigureLike(Task, pattern, Chance(2), Colours);
        Task.SelSummary();
        return "AddFigureLike";
      }
      case 12:
        if (Chance(4)) {
          if (DeleteSelected(Task)) { Task.BuildMaps(false, true); Task.RebuildFigs(false); }
          return "DeleteSelected";
        }
        DeleteFigure(Task, Between(1, std::max(1, Task.FigCount - 1)));
        return "DeleteFigure";
      case 13: RemoveEmpty(Task); return "RemoveEmpty";
      case 14:
        if (Chance(2)) NumberByRows(Task);
        else SetNum(Task, Between(0, Task.FigCount), Between(0, Task.FigCount));
        return "Numbering";
      case 15:
        ColourStats(Task, Colours);
        if (Chance(2)) NormColors(Task, Colours);
        else SetColorOfSelected(Task, StandardPalette[Between(0, PaletteSize - 1)]);
        return "Colours";
      case 16:
        if (Chance(2)) ClearWalls(Task);
        else ClearPinsAndGrooves(Task);
        return "ClearFlags";
      case 17: return DrawWall();
      case 18: SetEndPositions(); return "EndPositions";
      default: {
        ColourStats(Task, Colours);
        DeleteOnField(Task, Colours);
        return "DeleteOnField";
      }
    }
  }

  TTask Task;
  std::mt19937 Rng;
  TColourState Colours;
  Colour LastColor = StandardPalette[0];

 private:
  int Between(int lo, int hi) { return std::uniform_int_distribution<int>(lo, std::max(lo, hi))(Rng); }
  bool Chance(int oneIn) { return Between(1, oneIn) == 1; }

  // Mostly board cells; now and then one in the border around the board.
  CellCode RandomCell() { return CellCode((Between(0, Task.DimY + 1) << 7) | Between(0, Task.DimX + 1)); }

  std::string RectSelectGesture() {
    TRectSelect rect;
    const bool onEnd = Chance(3);
    rect.Start(Task, onEnd, RandomCell(), !Chance(3));
    for (int moves = Between(0, 4); moves > 0; --moves) rect.Move(Task, onEnd, RandomCell());
    if (Chance(3)) RestoreSelectionIfChanged(Task);
    return "RectSelect";
  }

  std::string PaintGesture() {
    int emptyBefore = 0;
    for (int i = 1; i < Task.FigCount; ++i) emptyBefore += Task.Figs[i].Cells.empty();
    const std::vector<uint16_t> mapBefore = Task.StartMap;
    std::vector<int16_t> endsBefore;
    for (int i = 0; i < Task.FigCount; ++i) endsBefore.push_back(Task.Figs[i].EndPos);

    TPaintDrag drag;
    drag.Start(Task, RandomCell(), !Chance(3));
    for (int moves = Between(1, 5); moves > 0; --moves) {
      drag.Move(Task, RandomCell());
      const std::string fault = test::ConsistencyFault(Task);
      if (!fault.empty()) return "PaintMove: " + fault;
    }
    if (Chance(3)) {
      drag.Cancel(Task);
      // Without empty figures to compact away, Esc gives back the task exactly.
      if (emptyBefore == 0) {
        if (Task.StartMap != mapBefore) return "PaintCancel did not restore the map";
        for (int i = 0; i < Task.FigCount; ++i)
          if (Task.Figs[i].EndPos != endsBefore[i]) return "PaintCancel did not restore an end position";
      }
      return "PaintCancel";
    }
    drag.Stop();
    if (Task.SelFig && Task.SelFig != &Task.Field() && Task.SelFig->Cells.empty()) RemoveEmpty(Task);
    return "PaintDrag";
  }

  // The wall tool: a wall on a field cell's lower or right edge, never between two cells of one
  // figure.
  std::string DrawWall() {
    const int cell = RandomCell();
    if (!InBoard(Task, cell) || !(Task.StartMap[cell] & CellField)) return "DrawWall";
    const bool below = Chance(2);
    const int other = cell + (below ? RowStride : 1);
    const int fig = Task.StartMap[cell] & CellFigMask;
    if (fig != 0 && (Task.StartMap[other] & CellFigMask) == fig) return "DrawWall";
    Task.StartMap[cell] ^= below ? WallBelow : WallOnTheRight;
    Task.RebuildFigs(false);
    return "DrawWall";
  }

  // Figures on the field get end positions near where they stand; those that do not fit are
  // dropped by the maps.
  void SetEndPositions() {
    const CellCode fieldPos = Task.Field().Pos;
    for (int i = 1; i < Task.FigCount; ++i) {
      TFig& f = Task.Figs[i];
      f.EndPos = 0;
      if (f.OnField && Chance(2))
        f.EndPos = int16_t(f.Pos - fieldPos + 0x81 + Between(-1, 1) + RowStride * Between(-1, 1));
    }
    Task.BuildMaps(true, true);
  }
};

TEST(OpsRandomTest, LongRandomSequencesKeepTheTaskConsistent) {
  for (unsigned seed = 1; seed <= 24; ++seed) {
    TRandomEditor editor(seed);
    editor.MakeTask();
    ASSERT_EQ(test::ConsistencyFault(editor.Task), "") << "seed " << seed << " after MakeTask";
    for (int step = 0; step < 250; ++step) {
      const std::string op = editor.Step();
      ASSERT_EQ(op.find(':'), std::string::npos) << "seed " << seed << " step " << step << " " << op;
      ASSERT_EQ(test::ConsistencyFault(editor.Task), "") << "seed " << seed << " step " << step << " " << op;
      if (editor.Task.FigCount == 1 && editor.Task.Field().Cells.empty()) editor.MakeTask();
    }
  }
}

} // namespace
} // namespace zrk
