#include "editor/edit_gestures.h"

#include <cstdlib>

#include "editor/copy_figs.h"
#include "editor/editor_messages.h"
#include "model/ops_cells.h"
#include "model/ops_figures.h"
#include "model/ops_numbering.h"

namespace zrk {

TGestureOutcome& TGestureOutcome::operator|=(const TGestureOutcome& o) {
  Redraw |= o.Redraw;
  UndoStep |= o.UndoStep;
  Relayout |= o.Relayout;
  ToolChanged |= o.ToolChanged;
  NumberTaken |= o.NumberTaken;
  FocusNumbers |= o.FocusNumbers;
  ClearFocus |= o.ClearFocus;
  return *this;
}

namespace {

// Binds the outcome being built to the gestures for the length of one event.
class TBuilding {
 public:
  TBuilding(TGestureOutcome*& slot, TGestureOutcome& out) : Slot(slot) { Slot = &out; }
  ~TBuilding() { Slot = nullptr; }

 private:
  TGestureOutcome*& Slot;
};

bool FigureCellsEmpty(const TTask& task) {
  const TFig* f = task.SelFig;
  return f && f->Index != 0 && f->Cells.empty();
}

} // namespace

TEditGestures::TEditGestures(TTask& task, TColourState& colours, IReporter& reporter)
    : Task(task), Colours(colours), Reporter(reporter), Paint(this) {}

void TEditGestures::FieldWidthChanged() {
  if (Out) Out->Relayout = true;
}

void TEditGestures::Repaint() {
  if (Out) Out->Redraw = true;
}

void TEditGestures::DoRedraw(bool undo) {
  Out->Redraw = true;
  Out->UndoStep |= undo;
}

TEditGestures::THit TEditGestures::HitAt(int x, int y) const {
  THit hit;
  const TCellHit c = CellUnderPointer(G, x, y);
  if (!c.Found) return hit;
  hit.Found = true;
  hit.InEnd = c.InEndView;
  hit.Cell = MakeCell(c.Column, c.Row);
  hit.Word = (hit.InEnd ? Task.EndMap : Task.StartMap)[size_t(hit.Cell)];
  hit.Fig = hit.Word & CellFigMask;
  if (hit.Fig >= Task.FigCount) hit.Fig = 0;
  return hit;
}

void TEditGestures::ReleaseTool(EditTool tool) {
  if (Tool != tool) return;
  Tool = EditTool::None;
  Out->ToolChanged = true;
}

bool TEditGestures::GestureRect(CellCode& from, CellCode& to, bool& inEnd) const {
  if (!Paint.Active() && !RectSel.Active()) return false;
  from = RectFrom;
  to = RectTo;
  inEnd = RectInEnd;
  return true;
}

// ---------------------------------------------------------------------------------------------
// Press

TGestureOutcome TEditGestures::Press(const TPointerEvent& e) {
  TGestureOutcome out;
  TBuilding building(Out, out);
  G = TBoardGeometry::ForTask(Task);
  out.ClearFocus = true;
  GrooveCell = 0;
  GrooveMoved = false;
  SelDragState = DragIdle;
  Paint.Stop();
  RectSel.Stop();
  if (e.Button != LeftButton && (e.Held & LeftButton)) return out;

  const bool play = Task.Options.Play;
  if (play) {
    // Tools and modifiers mean nothing in play mode; the left button is the play half's.
    if (e.Button != RightButton) return out;
    TPointerEvent plain = e;
    plain.Shift = plain.Ctrl = plain.Alt = false;
    const THit hit = HitAt(e.X, e.Y);
    if (hit.Found) PressRight(plain, hit, true);
    return out;
  }

  DragAction = -1;
  Board.Clear();
  const THit hit = HitAt(e.X, e.Y);
  if (!hit.Found) {
    // Beside the board: a right-button press drops the selection.
    if ((e.Held & RightButton) && Task.SelCount > 0) {
      SelectOnly(Task, 0);
      DoRedraw(true);
    }
    return out;
  }
  if (PressTool(e, hit)) return out;
  if (e.Button == RightButton) PressRight(e, hit, false);
  else if (e.Button == LeftButton) PressLeft(e, hit);
  return out;
}

// The walls, pins and numbering tools take the press; false when it goes on as a press without a
// tool.
bool TEditGestures::PressTool(const TPointerEvent& e, const THit& hit) {
  switch (Tool) {
    case EditTool::Walls:
    case EditTool::Pins: {
      if ((e.Held & RightButton) || e.Ctrl) {
        ReleaseTool(Tool);
        return false;
      }
      if (hit.InEnd) return true;
      Board.Save(Task);
      if (Tool == EditTool::Pins) {
        GrooveCell = hit.Cell;
        return true;
      }
      const TWallHit wall = WallUnderPointer(G, Task, e.X, e.Y);
      if (!wall.Allowed) {
        DragAction = 1;
        return true;
      }
      uint16_t& w = Task.StartMap[size_t(wall.First)];
      const uint16_t bit = wall.Vertical ? WallOnTheRight : WallBelow;
      w ^= bit;
      DragAction = (w & bit) ? 1 : 0;
      Task.RebuildFigs(false);
      DoRedraw(true);
      return true;
    }
    case EditTool::Nums: {
      if (e.Button != LeftButton) return false;
      if (hit.Fig > 0 && Numbers) {
        const int n = Numbers->TakeNumber();
        Out->NumberTaken = true;
        if (SetNum(Task, hit.Fig, n)) DoRedraw(true);
      }
      return true;
    }
    case EditTool::None:
    case EditTool::Plus:
      return false;
    default:
      // The row and column tools: their commands take a left press; any other press lets them go.
      if (e.Button == LeftButton) return true;
      ReleaseTool(Tool);
      return false;
  }
}

// Selecting with the right button, and preparing a right-button drag (steps taken in both modes;
// play mode passes no modifiers).
void TEditGestures::PressRight(const TPointerEvent& e, const THit& hit, bool play) {
  if (e.Shift && !e.Alt) {
    RectFrom = RectTo = hit.Cell;
    RectInEnd = hit.InEnd;
    if (RectSel.Start(Task, hit.InEnd, hit.Cell, !e.Ctrl)) DoRedraw(false);
    return;
  }
  SelDragState = DragPending;
  DragFromEnd = hit.InEnd;
  EndTargets = true;
  DragKind = DragFigures;
  CopyDrag = false;
  PressX = e.X;
  PressY = e.Y;
  const int f = hit.Fig;
  if (e.Ctrl) {
    if (f == 0) {
      if (e.Alt) SelDragState = DragIdle;
      else return; // a drag moves the present selection
    } else {
      TFig& fig = Task.Figs[size_t(f)];
      fig.Selected = fig.Selected ? 0 : 1;
      Task.SelSummary();
      if (!fig.Selected || !Task.SelSameSide) SelDragState = DragIdle;
      if (!e.Alt) {
        DoRedraw(true);
        return;
      }
    }
  } else if (f == 0 || !Task.Figs[size_t(f)].Selected) {
    const bool changed = f != 0 || Task.SelCount > 0;
    SelectOnly(Task, f);
    if (f == 0) {
      // From the field or right beside it the field moves, from farther away the whole board.
      bool nearField = (hit.Word & CellField) != 0;
      const auto& map = hit.InEnd ? Task.EndMap : Task.StartMap;
      for (int step : NeighbourSteps) nearField = nearField || (map[size_t(hit.Cell + step)] & CellField);
      DragKind = nearField ? DragField : DragBoard;
      if (play) SelDragState = DragIdle;
    }
    if (!e.Alt) {
      if (changed) DoRedraw(true);
      return;
    }
  } else if (!e.Alt) {
    return; // a selected figure: the whole selection will move
  }
  if (SelDragState != DragIdle) CopyingDrag(e.Shift);
}

// Alt with the right button: the selected figures are copied and the copies follow the pointer.
void TEditGestures::CopyingDrag(bool keepColours) {
  SelDragState = DragIdle; // unless copies are made, Alt drags nothing
  if (Task.SelCount == 0) return;
  if (!Task.SelSameSide) {
    Reporter.Report(MsgKind::Error, EditorErrorCaption, CopySelectionBothSidesText);
    return;
  }
  FloatSel.S = G.S;
  if (!CopyFigs(Task, Colours, FloatSel, PressX, PressY, !keepColours, Reporter)) return;
  CopyDrag = true;
  EndTargets = false;
  SaveEndPositions();
  DragKind = DragFigures;
  DragFromEnd = false;
  SelDragState = DragActive;
  DoRedraw(true);
}

void TEditGestures::PressLeft(const TPointerEvent& e, const THit& hit) {
  const int f = hit.Fig;
  if ((e.Held & RightButton) && f > 0) {
    // Left with the right button held deletes: the figure (or the selection it belongs to), or in
    // the end view its end position.
    TFig& fig = Task.Figs[size_t(f)];
    if (hit.InEnd) {
      if (fig.Selected) {
        for (int i = 1; i < Task.FigCount; ++i)
          if (Task.Figs[size_t(i)].Selected) Task.Figs[size_t(i)].EndPos = 0;
      } else {
        fig.EndPos = 0;
      }
      Task.BuildMaps(true, true);
    } else {
      if (fig.Selected) DeleteSelected(Task);
      else DeleteFigure(Task, f);
      Task.BuildMaps(false, true);
      Task.RebuildFigs(false);
    }
    DoRedraw(true);
    ReleaseTool(EditTool::Plus);
    return;
  }
  if (hit.InEnd) return;

  const bool newFigure = (e.Held & RightButton) || Tool == EditTool::Plus;
  ReleaseTool(EditTool::Plus);
  if (!e.Shift && f > 0 && (e.Ctrl || Task.SelFig != &Task.Figs[size_t(f)])) {
    if (e.Ctrl) {
      Task.Figs[size_t(f)].Selected ^= 1;
      Task.SelSummary();
    } else {
      SelectOnly(Task, f);
      DragAction = 1; // dragging on paints cells into it
    }
    Board.Save(Task);
    DoRedraw(true);
    return;
  }

  if (newFigure) {
    if (!AddFigure(Task, Colours)) {
      Reporter.Report(MsgKind::Error, EditorErrorCaption, TooManyFiguresText);
      return;
    }
  }
  const TFig* target = Task.SelFig;
  if (!target) return; // several figures selected: nothing to paint
  const bool ownCell = target->Index == 0 ? (hit.Word & CellField) != 0 : f == target->Index;
  DragAction = ownCell ? 0 : 1;
  if (e.Shift) {
    DragAction = -1;
    RectFrom = RectTo = hit.Cell;
    RectInEnd = false;
    Paint.Start(Task, hit.Cell, !e.Ctrl);
    if (newFigure) DoRedraw(false);
    return;
  }
  Board.Save(Task);
  if (PaintCell(Task, hit.Cell, DragAction == 1)) AfterPaint(Task, false, this);
  else if (newFigure) DoRedraw(false);
}

// ---------------------------------------------------------------------------------------------
// Move

TGestureOutcome TEditGestures::Move(const TPointerEvent& e) {
  TGestureOutcome out;
  TBuilding building(Out, out);
  G = TBoardGeometry::ForTask(Task);
  if ((e.Held & RightButton) && SelDragState > DragIdle) {
    if (SelDragState == DragPending) {
      const int half = G.S / 2;
      if (std::abs(e.X - PressX) < half && std::abs(e.Y - PressY) < half) return out;
      SelDragState = DragActive;
      StartSelDrag();
      if (SelDragState != DragActive) return out;
    }
    DragSel(e.X, e.Y);
    return out;
  }
  if (!Task.Options.Play) MoveDrawing(e);
  return out;
}

void TEditGestures::MoveDrawing(const TPointerEvent& e) {
  const bool left = (e.Held & LeftButton) != 0;
  const bool walls = Tool == EditTool::Walls && left && DragAction >= 0;
  const bool pins = Tool == EditTool::Pins && left;
  const bool painting = left && DragAction >= 0 && Task.SelFig;
  if (!Paint.Active() && !RectSel.Active() && !painting && !walls && !pins) return;
  const THit hit = HitAt(e.X, e.Y);
  if (!hit.Found) return;
  if (RectSel.Active()) {
    if (hit.InEnd == RectInEnd) RectTo = hit.Cell;
    if (RectSel.Move(Task, hit.InEnd, hit.Cell)) DoRedraw(false);
    return;
  }
  if (hit.InEnd) return;
  if (walls) {
    const TWallHit wall = WallUnderPointer(G, Task, e.X, e.Y);
    if (!wall.Allowed) return;
    uint16_t& w = Task.StartMap[size_t(wall.First)];
    const uint16_t bit = wall.Vertical ? WallOnTheRight : WallBelow;
    if (bool(w & bit) == (DragAction == 1)) return;
    w ^= bit;
    Task.RebuildFigs(false);
    DoRedraw(true); // each wall drawn is a step of its own
    return;
  }
  if (pins) {
    MoveGroove(hit.Cell);
    return;
  }
  if (Paint.Active()) {
    RectTo = hit.Cell;
    Paint.Move(Task, hit.Cell);
    return;
  }
  if (PaintCell(Task, hit.Cell, DragAction == 1)) AfterPaint(Task, false, this);
}

// The pins-and-grooves tool moving from GrooveCell to cell: a groove between two neighbouring
// field cells. The gesture's first move decides whether grooves are added or removed.
void TEditGestures::MoveGroove(CellCode cell) {
  if (GrooveCell == 0 || GrooveCell == cell) return;
  const int d = cell - GrooveCell;
  const bool pair = (d == 1 || d == -1 || d == RowStride || d == -RowStride) &&
                    (Task.StartMap[size_t(cell)] & CellField) && (Task.StartMap[size_t(GrooveCell)] & CellField);
  if (pair) {
    const int upperLeft = d > 0 ? GrooveCell : cell;
    const uint16_t bit = (d == 1 || d == -1) ? GrooveToTheRight : GrooveDown;
    uint16_t& w = Task.StartMap[size_t(upperLeft)];
    if (!GrooveMoved) DragAction = (w & bit) ? 0 : 1;
    if (bool(w & bit) != (DragAction == 1)) {
      w ^= bit;
      Task.RebuildFigs(false);
      DoRedraw(true);
    }
  } else if (!GrooveMoved) {
    DragAction = 1;
  }
  GrooveMoved = true;
  GrooveCell = cell;
}

// The right-button drag has gone half a cell: the floating selection is lifted.
void TEditGestures::StartSelDrag() {
  const bool play = Task.Options.Play;
  const bool wallCheck = Task.FlaggedCells > 0;
  FloatSel.S = G.S;
  FloatSel.ClearPlacements();
  auto holdAtPress = [this] {
    FloatSel.OffX = PressX - G.S * FloatSel.MinX;
    FloatSel.OffY = PressY - G.S * FloatSel.MinY;
  };
  auto listEndPlaces = [&](bool fromEnd) {
    SaveEndPositions();
    FloatSel.NoteEndOffsets(Task, fromEnd);
    FloatSel.SetTarget(Task.EndMap, Task.DimX, Task.DimY, true);
    FloatSel.BuildOcc(OccKind::OnField);
    FloatSel.FindPlacements(true, wallCheck);
  };

  if (DragFromEnd) {
    if (Task.SelHasFixedOnField || DragKind != DragFigures || !FloatSel.Collect(FloatMode::Figs, Task, true)) {
      SelDragState = DragIdle;
      return;
    }
    FloatSel.EndOffX = PressX - G.S * FloatSel.MinX;
    FloatSel.EndOffY = PressY - G.S * FloatSel.MinY;
    listEndPlaces(true);
    return;
  }
  if (play && DragKind != DragFigures) {
    SelDragState = DragIdle;
    return;
  }
  switch (DragKind) {
    case DragFigures:
      if (!FloatSel.Collect(FloatMode::Figs, Task, false)) break;
      holdAtPress();
      if (!play) Board.Save(Task);
      SaveEndPositions();
      EndTargets = Task.SelAllOnField && !Task.SelHasFixed;
      if (EndTargets) {
        FloatSel.EndOffX = FloatSel.OffX + G.MW;
        FloatSel.EndOffY = FloatSel.OffY;
        listEndPlaces(false);
      }
      if (!play) {
        FloatSel.SetTarget(Task.StartMap, Task.DimX, Task.DimY, true);
        FloatSel.FindFigurePlacements(true, true, wallCheck);
      }
      return;
    case DragField:
      if (!FloatSel.Collect(FloatMode::Field, Task, false)) break;
      holdAtPress();
      Board.Save(Task);
      FloatSel.SetTarget(Task.StartMap, Task.DimX, Task.DimY, true);
      FloatSel.BuildOcc(OccKind::AroundOthers);
      FloatSel.FindPlacements(false, false);
      EndTargets = false;
      return;
    case DragBoard:
      if (!FloatSel.Collect(FloatMode::All, Task, false)) break;
      holdAtPress();
      Board.Save(Task);
      return;
  }
  SelDragState = DragIdle; // nothing to lift
}

void TEditGestures::SaveEndPositions() {
  for (int i = 0; i < FigSlots; ++i) SavedEnd[size_t(i)] = i < Task.FigCount ? Task.Figs[size_t(i)].EndPos : 0;
}

// The carried figures' end positions as they were when the drag began.
void TEditGestures::RestoreEndPositions() {
  for (int i = 1; i < Task.FigCount; ++i)
    if (FloatSel.Carried[size_t(i)]) Task.Figs[size_t(i)].EndPos = SavedEnd[size_t(i)];
}

// The end view's field: its columns from 0 and the field's own rows.
bool TEditGestures::OverEndField(int x, int y) const {
  const TCellHit c = CellUnderPointer(G, x, y);
  const TFig& field = Task.Field();
  if (!c.Found || !c.InEndView || field.Cells.empty()) return false;
  const int top = CellY(field.Pos);
  return c.Column < field.Width && c.Row >= top && c.Row < top + field.Height;
}

void TEditGestures::DragSel(int x, int y) {
  if (DragKind == DragBoard) {
    if (FloatSel.MoveAll(Task, x - PressX, y - PressY)) {
      Task.RebuildFigs(false);
      DoRedraw(false);
    }
    return;
  }
  const bool overEnd = OverEndField(x, y);
  if (DragFromEnd) {
    bool changed = false;
    if (overEnd) {
      changed = FloatSel.PlaceNearest(Task, x, y, true, true);
      if (changed && Task.Options.Play)
        for (int i = 1; i < Task.FigCount; ++i)
          if (FloatSel.Carried[size_t(i)]) Task.TempFixed[size_t(i)] = 0;
    } else if (FloatSel.CurCode != 0) {
      // Dragged off the end field, the figures have no end position.
      for (int i = 1; i < Task.FigCount; ++i)
        if (FloatSel.Carried[size_t(i)]) Task.Figs[size_t(i)].EndPos = 0;
      FloatSel.ForgetPlacement();
      changed = true;
    }
    if (changed) {
      Task.BuildMaps(true, true);
      DoRedraw(false);
    }
    return;
  }

  const bool play = Task.Options.Play;
  const bool inEndView = EndTargets && x > G.MW;
  const bool toEnd = EndTargets && overEnd;
  bool changed = false;
  if (!toEnd && FloatSel.CurInEnd) {
    // Back from the end field: the end positions are what they were.
    RestoreEndPositions();
    FloatSel.ForgetPlacement();
    changed = true;
  }
  if (inEndView && !FloatSel.CurInEnd && FloatSel.CurCode != 0) {
    // Into the end view: the figures stay at their start cells, their end positions go.
    if (!play) Board.Restore(Task);
    for (int i = 1; i < Task.FigCount; ++i)
      if (FloatSel.Carried[size_t(i)]) Task.Figs[size_t(i)].EndPos = 0;
    FloatSel.ForgetPlacement();
    changed = true;
  }
  if (!inEndView || toEnd) {
    const bool placed = FloatSel.PlaceNearest(Task, x, y, toEnd, true);
    // A figure parked off the field for a moment gets its end position back on the field.
    if (placed && !toEnd && DragKind == DragFigures) RestoreEndPositions();
    changed |= placed;
  }
  if (changed) {
    // In play mode only end positions change; the board holds the position being played.
    if (play) Task.BuildMaps(true, true);
    else Task.RebuildFigs(false);
    DoRedraw(false);
  }
}

// ---------------------------------------------------------------------------------------------
// Release

TGestureOutcome TEditGestures::Release(const TPointerEvent& e) {
  TGestureOutcome out;
  TBuilding building(Out, out);
  G = TBoardGeometry::ForTask(Task);
  if (Paint.Active()) {
    if (e.Held & LeftButton) return out;
    Paint.Stop();
    PaintEnding();
    return out;
  }
  if (RectSel.Active()) {
    RectSel.Stop();
    out.UndoStep = true;
    return out;
  }
  if (SelDragState == DragActive) out.UndoStep = true;
  SelDragState = DragIdle;
  if (Tool == EditTool::Pins && GrooveCell != 0) {
    if (!GrooveMoved) {
      uint16_t& w = Task.StartMap[size_t(GrooveCell)];
      if (w & CellFigMask) {
        w ^= CellPin;
        Task.RebuildFigs(false);
        DoRedraw(true);
      }
    }
    GrooveCell = 0;
    DragAction = -1;
    Board.Clear();
    return out;
  }
  if (DragAction >= 0) {
    if (e.Held & LeftButton) return out;
    PaintEnding();
    DragAction = -1;
  }
  if (NumsMode && !e.Shift && !e.Ctrl && !e.Alt && Task.SelFig) out.FocusNumbers = true;
  return out;
}

// A painting gesture ends: a new figure whose first cell was refused goes again.
void TEditGestures::PaintEnding() {
  Board.Clear();
  if (FigureCellsEmpty(Task)) {
    RemoveEmpty(Task);
    Task.BuildMaps(false, true);
    DoRedraw(true);
    return;
  }
  Out->UndoStep = true;
}

// ---------------------------------------------------------------------------------------------
// Esc

// Whatever the gesture changed goes back. A gesture that recorded undo steps of its own (walls,
// grooves, copies) records the cancel as a step too, so that undo never brings back a state the
// window no longer shows; one that did not leaves the history as it was (the same state again
// records nothing).
TGestureOutcome TEditGestures::Cancel() {
  TGestureOutcome out;
  TBuilding building(Out, out);
  G = TBoardGeometry::ForTask(Task);
  if (DragAction >= 0) {
    Board.Restore(Task);
    Board.Clear();
    DragAction = -1;
    GrooveCell = 0;
    Task.RebuildFigs(false);
    RemoveEmpty(Task);
    out.Relayout = true;
    DoRedraw(true);
    return out;
  }
  if (Paint.Active()) {
    Paint.Cancel(Task);
    DoRedraw(true);
    return out;
  }
  if (RectSel.Active()) {
    RectSel.Stop();
    if (RestoreSelectionIfChanged(Task)) DoRedraw(false);
    return out;
  }
  if (SelDragState == DragActive) {
    if (CopyDrag) {
      DeleteSelected(Task);
      RestoreSelection(Task);
      Task.BuildMaps(false, true);
      Task.RebuildFigs(false);
    } else if (DragFromEnd) {
      RestoreEndPositions();
      Task.BuildMaps(true, true);
    } else if (Task.Options.Play) {
      RestoreEndPositions();
      Task.BuildMaps(true, true);
    } else {
      Board.Restore(Task);
      if (DragKind == DragFigures) RestoreEndPositions();
      Task.RebuildFigs(false);
    }
    out.Relayout = true;
    DoRedraw(true);
  }
  SelDragState = DragIdle;
  return out;
}

} // namespace zrk
