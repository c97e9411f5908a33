#pragma once
// Drives the editing gestures the way the board widget does: presses, moves and releases at the
// centres of board cells (or at given pixels), with the buttons held tracked across events.

#include <gtest/gtest.h>

#include "editor/edit_gestures.h"
#include "model/ops_colours.h"
#include "play/recording_reporter.h"

namespace zrk::test {

struct TMods {
  bool Shift = false, Ctrl = false, Alt = false;
};

class TGestureFixture : public ::testing::Test {
 protected:
  TTask Task;
  TColourState Colours;
  TRecordingReporter Reporter;
  TEditGestures Gestures{Task, Colours, Reporter};
  int Held = NoButton;
  int UndoSteps = 0; // undo steps asked for since the fixture began
  TGestureOutcome Last;

  struct TPoint {
    int X, Y;
  };
  TBoardGeometry Geometry() const { return TBoardGeometry::ForTask(Task); }
  // The centre of a board cell in the main view, or in the end view.
  TPoint At(int col, int row) const {
    const TBoardGeometry g = Geometry();
    return {g.CellLeft(col, false) + g.S / 2, g.CellTop(row) + g.S / 2};
  }
  TPoint AtEnd(int col, int row) const {
    const TBoardGeometry g = Geometry();
    return {g.CellLeft(col, true) + g.S / 2, g.CellTop(row) + g.S / 2};
  }

  TPointerEvent Event(int button, TPoint p, TMods m) const {
    TPointerEvent e;
    e.Button = button;
    e.Held = Held;
    e.Shift = m.Shift, e.Ctrl = m.Ctrl, e.Alt = m.Alt;
    e.X = p.X, e.Y = p.Y;
    return e;
  }
  void Take(const TGestureOutcome& o) {
    Last = o;
    UndoSteps += o.UndoStep;
  }
  void Down(int button, TPoint p, TMods m = {}) {
    Held |= button;
    Take(Gestures.Press(Event(button, p, m)));
  }
  void MoveTo(TPoint p, TMods m = {}) { Take(Gestures.Move(Event(NoButton, p, m))); }
  void Up(int button, TPoint p, TMods m = {}) {
    Held &= ~button;
    Take(Gestures.Release(Event(button, p, m)));
  }
  void Esc() { Take(Gestures.Cancel()); }
  // A press, moves through the points, and the release at the last one.
  void Drag(int button, std::initializer_list<TPoint> path, TMods m = {}) {
    const TPoint* p = path.begin();
    Down(button, *p, m);
    for (const TPoint& q : path) MoveTo(q, m);
    Up(button, path.end()[-1], m);
  }
};

} // namespace zrk::test
