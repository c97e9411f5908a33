#include "editor/pointer.h"

#include <cstdlib>

#include "play/shape_classes.h"

namespace zrk {

TPointer::TPointer(TTask& task, TPlayEngine& engine, TColourState& colours, const TSettings& settings,
                   IReporter& reporter)
    : Edit(task, colours, reporter), Drag(engine), Task(task), Engine(engine), Settings(settings) {}

// ---------------------------------------------------------------------------------------------
// Dispatch

TGestureOutcome TPointer::Press(const TPointerEvent& e) {
  if (!Task.Options.Play) return Edit.Press(e);
  return PlayPress(e);
}

TGestureOutcome TPointer::Move(const TPointerEvent& e) {
  if (Task.Options.Play && (e.Held & LeftButton)) return PlayMove(e);
  return Edit.Move(e);
}

TGestureOutcome TPointer::Release(const TPointerEvent& e) {
  if (!Task.Options.Play || e.Button != LeftButton) return Edit.Release(e);
  TGestureOutcome out;
  if (Play.PlayDrag && Play.DragAction == TPlayGesture::DragMoving) out.UndoStep = true;
  Play.PlayDrag = false;
  Play.DragAction = TPlayGesture::NoDrag;
  Play.FixState = TPlayGesture::FixIdle;
  return out;
}

TGestureOutcome TPointer::Cancel() {
  TGestureOutcome out;
  if (!Task.Options.Play) return Edit.Cancel();
  if (Play.PlayDrag) {
    const bool moving = Play.DragAction == TPlayGesture::DragMoving;
    Play.PlayDrag = false;
    Play.DragAction = TPlayGesture::NoDrag;
    if (moving && Drag.Cancel()) out.Redraw = out.UndoStep = true;
    return out;
  }
  if (Edit.Dragging()) return Edit.Cancel();
  out = Edit.Cancel();
  if (FixMode) {
    FixMode = false;
    Play.FixState = TPlayGesture::FixIdle;
    out.ToolChanged = true;
  }
  return out;
}

// ---------------------------------------------------------------------------------------------
// Play mode

// Tools and modifiers mean nothing here. A press of another button while one is held does
// nothing at all: the gesture of the held button goes on untouched.
TGestureOutcome TPointer::PlayPress(const TPointerEvent& e) {
  TGestureOutcome out;
  const int others = e.Held & ~e.Button;
  if (others != 0) {
    out.ClearFocus = true;
    return out;
  }
  Play.PlayDrag = false;
  Play.DragAction = TPlayGesture::NoDrag;
  Play.FixState = TPlayGesture::FixIdle;
  if (e.Button == RightButton) return Edit.Press(e);
  out.ClearFocus = true;
  if (e.Button != LeftButton) return out;
  if (FixMode) {
    bool inEnd = false;
    const int f = FixableFigure(e.X, e.Y, inEnd);
    if (f == 0) {
      Play.FixState = TPlayGesture::FixOnNothing;
      return out;
    }
    Play.FixState = Task.TempFixed[size_t(f)] ? TPlayGesture::Unfixing : TPlayGesture::Fixing;
    ToggleFixed(f, inEnd, out);
    return out;
  }
  Play.PlayDrag = true;
  Play.PressX = e.X;
  Play.PressY = e.Y;
  Play.DragAction = TPlayGesture::DragPending;
  return out;
}

TGestureOutcome TPointer::PlayMove(const TPointerEvent& e) {
  TGestureOutcome out;
  if (FixMode && Play.FixState != TPlayGesture::FixIdle) FixMove(e, out);
  else if (Play.PlayDrag && Play.DragAction != TPlayGesture::NoDrag) DragMove(e, out);
  return out;
}

void TPointer::FixMove(const TPointerEvent& e, TGestureOutcome& out) {
  bool inEnd = false;
  const int f = FixableFigure(e.X, e.Y, inEnd);
  if (f == 0) return;
  const bool fixed = Task.TempFixed[size_t(f)] != 0;
  if (Play.FixState == TPlayGesture::FixOnNothing)
    Play.FixState = fixed ? TPlayGesture::Unfixing : TPlayGesture::Fixing;
  if (fixed != (Play.FixState == TPlayGesture::Fixing)) ToggleFixed(f, inEnd, out);
}

void TPointer::DragMove(const TPointerEvent& e, TGestureOutcome& out) {
  const TBoardGeometry g = TBoardGeometry::ForTask(Task);
  if (Play.DragAction == TPlayGesture::DragPending) {
    const int half = g.S / 2;
    if (std::abs(e.X - Play.PressX) <= half && std::abs(e.Y - Play.PressY) <= half) return;
    const TCellHit hit = CellUnderPointer(g, Play.PressX, Play.PressY);
    if (!hit.Found || hit.InEndView) return;
    const uint16_t word = Task.StartMap[size_t(MakeCell(hit.Column, hit.Row))];
    int fig = word & CellFigMask;
    if (fig >= Task.FigCount) fig = 0;
    const bool gravity = Task.Options.Gravity;
    if (!gravity && !((word & CellField) && fig != 0)) {
      Play.DragAction = TPlayGesture::NoDrag;
      return;
    }
    Play.DragAction = TPlayGesture::DragMoving;
    if (!gravity) Task.TempFixed[size_t(fig)] = 0;
    Drag.Begin(gravity ? 0 : fig, g.S, Settings.Turn);
  }
  if (Drag.DragTo(e.X - Play.PressX, e.Y - Play.PressY)) out.Redraw = true;
}

int TPointer::FixableFigure(int x, int y, bool& inEnd) const {
  const TBoardGeometry g = TBoardGeometry::ForTask(Task);
  const TCellHit hit = CellUnderPointer(g, x, y);
  inEnd = hit.InEndView;
  if (!hit.Found) return 0;
  const int f = FigureUnderPointer(g, Task, x, y);
  if (f <= 0 || f >= Task.FigCount || Task.Figs[size_t(f)].Freedom == Fixed) return 0;
  return f;
}

// Fixing a figure makes the place it stands its end position; where an interchangeable figure
// held that end position, the two exchange theirs, so that the goal keeps one figure per place.
void TPointer::ToggleFixed(int f, bool inEnd, TGestureOutcome& out) {
  TFig& fig = Task.Figs[size_t(f)];
  const bool fixing = Play.FixState != TPlayGesture::Unfixing;
  if (fixing) {
    const CellCode fieldPos = Task.Field().Pos;
    auto endPosOf = [&](const TFig& x) { return int16_t(x.Pos - fieldPos + 0x81); };
    auto sameClass = [&](const TFig& x) {
      return x.Index != f && fig.ShapeClass != NoShapeClass && x.ShapeClass == fig.ShapeClass;
    };
    const int16_t cur = endPosOf(fig);
    if (inEnd && fig.EndPos != cur) {
      TFig* standing = nullptr;
      for (int i = 1; i < Task.FigCount && !standing; ++i)
        if (sameClass(Task.Figs[size_t(i)]) && endPosOf(Task.Figs[size_t(i)]) == fig.EndPos) standing = &Task.Figs[size_t(i)];
      if (!standing) return;
      std::swap(fig.EndPos, standing->EndPos);
    } else if (!inEnd && fig.EndPos != cur) {
      TFig* holder = nullptr;
      for (int i = 1; i < Task.FigCount && !holder; ++i)
        if (sameClass(Task.Figs[size_t(i)]) && Task.Figs[size_t(i)].EndPos == cur) holder = &Task.Figs[size_t(i)];
      if (holder) {
        holder->EndPos = fig.EndPos;
      } else {
        // No figure may keep an end position on the cells the fixed figure now holds for good.
        for (int i = 1; i < Task.FigCount; ++i) {
          TFig& other = Task.Figs[size_t(i)];
          if (i == f || other.EndPos == 0) continue;
          bool covers = false;
          for (int k = 0; k < other.CellCount() && !covers; ++k)
            for (int c = 0; c < fig.CellCount() && !covers; ++c)
              covers = other.EndCell(k, fieldPos) == fig.Cell(c);
          if (covers) other.EndPos = 0;
        }
      }
      fig.EndPos = cur;
    }
    Task.BuildMaps(true, true);
  }
  Task.TempFixed[size_t(f)] = fixing ? 1 : 0;
  out.Redraw = out.UndoStep = true;
}

} // namespace zrk
