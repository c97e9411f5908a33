#pragma once
// The editing half of the pointer state machine: what a press, a move and a release of the mouse
// on the board image do in edit mode (painting the field and figures cell by cell or by
// rectangles, adding, selecting and deleting figures, walls, grooves and pins, numbering), the
// right-button drags of both modes (the selection, the field or the whole board, end positions
// into and within the end view) and the copying drag with Alt, and Esc, which cancels the gesture
// exactly. The play-mode left button (moving figures, fixing them) is the pointer's other half.
//
// The view translates its toolkit's events into TPointerEvent (image pixels, the button that
// changed, the buttons held, the modifier keys) and does what the returned TGestureOutcome says;
// the gestures change the task through the model operations and the floating selection only.

#include <array>
#include <cstdint>

#include "editor/board_geometry.h"
#include "editor/float_sel.h"
#include "editor/number_list.h"
#include "model/ops_colours.h"
#include "model/ops_paint.h"
#include "model/ops_selection.h"
#include "model/report.h"
#include "model/task.h"
#include "model/task_backup.h"

namespace zrk {

enum PointerButton : uint8_t { NoButton = 0, LeftButton = 1, RightButton = 2 };

struct TPointerEvent {
  int Button = NoButton; // the button pressed or released; NoButton for a move
  int Held = NoButton;   // the buttons held after the event
  bool Shift = false, Ctrl = false, Alt = false;
  int X = 0, Y = 0;      // image pixels
};

// The mutually exclusive tools of the edit strip, in the order of their buttons.
enum class EditTool : int8_t {
  None = -1,
  AddColumn = 0,
  AddRow = 1,
  DeleteColumn = 2,
  DeleteRow = 3,
  Plus = 4,  // the next left press starts a new figure
  Walls = 5, // presses and drags draw or remove walls
  Pins = 6,  // drags draw or remove grooves, clicks set or take away pins
  Nums = 7,  // a left press gives the figure the numbering list's number
};

// What the view must do after an event.
struct TGestureOutcome {
  bool Redraw = false;        // draw the board again
  bool UndoStep = false;      // record an undo step (after the redraw when there is one)
  bool Relayout = false;      // the board's geometry may have changed
  bool ToolChanged = false;   // the active tool changed: bring the tool buttons in line
  bool NumberTaken = false;   // the numbering list moved on to its next number
  bool FocusNumbers = false;  // the numbering window takes the focus, ready for a name
  bool ClearFocus = false;    // a press: the window's focused control gives the focus up

  TGestureOutcome& operator|=(const TGestureOutcome& o);
};

class TEditGestures : private IPaintView {
 public:
  TEditGestures(TTask& task, TColourState& colours, IReporter& reporter);

  TGestureOutcome Press(const TPointerEvent& e);
  TGestureOutcome Move(const TPointerEvent& e);
  TGestureOutcome Release(const TPointerEvent& e);
  // Esc: the gesture in progress is undone exactly.
  TGestureOutcome Cancel();

  // --- set by the view ---
  EditTool Tool = EditTool::None;
  bool NumsMode = false;
  TNumberList* Numbers = nullptr; // the numbering window's list, for the numbering tool

  // --- for drawing and cursors ---
  bool Dragging() const { return SelDragState == DragActive; } // a right-button drag is moving
  bool PaintingRect() const { return Paint.Active(); }
  bool SelectingRect() const { return RectSel.Active(); }
  bool DrawingCells() const { return DragAction >= 0; }
  // The rectangle of a rectangle selection or painting in progress (board cells, inclusive), and
  // whether it lies in the end view; false when none runs.
  bool GestureRect(CellCode& from, CellCode& to, bool& inEnd) const;
  const TFloatSel& Float() const { return FloatSel; }

 private:
  enum SelDrag : int { DragIdle = 0, DragPending = 1, DragActive = 2 };
  enum DragWhat : int { DragFigures = 0, DragField = 1, DragBoard = 2 };

  TTask& Task;
  TColourState& Colours;
  IReporter& Reporter;
  TBoardGeometry G;
  TGestureOutcome* Out = nullptr; // the outcome being built, for the paint view's calls

  // Gesture state.
  int DragAction = -1; // cell painting, walls, grooves: 1 adding, 0 removing; -1 none
  int PressX = 0, PressY = 0;
  int SelDragState = DragIdle;
  int DragKind = DragFigures;
  bool DragFromEnd = false;
  bool EndTargets = false;
  bool CopyDrag = false;
  CellCode GrooveCell = 0;
  bool GrooveMoved = false;
  CellCode RectFrom = 0, RectTo = 0; // the rectangle gesture's corners, for drawing
  bool RectInEnd = false;

  TPaintDrag Paint;
  TRectSelect RectSel;
  TFloatSel FloatSel;
  TTaskBackup Board;                         // the board at the gesture's start, for Esc
  std::array<int16_t, FigSlots> SavedEnd{};  // end positions at a right-button drag's start

  // IPaintView
  void FieldWidthChanged() override;
  void Repaint() override;

  struct THit {
    bool Found = false;
    bool InEnd = false;
    CellCode Cell = 0;
    uint16_t Word = 0;
    int Fig = 0;
  };
  THit HitAt(int x, int y) const;
  void ReleaseTool(EditTool tool);

  void PressRight(const TPointerEvent& e, const THit& hit, bool play);
  void PressLeft(const TPointerEvent& e, const THit& hit);
  bool PressTool(const TPointerEvent& e, const THit& hit);
  void CopyingDrag(bool keepColours);
  void MoveDrawing(const TPointerEvent& e);
  void MoveGroove(CellCode cell);
  void StartSelDrag();
  void DragSel(int x, int y);
  bool OverEndField(int x, int y) const;
  void SaveEndPositions();
  void RestoreEndPositions();
  void PaintEnding();
  void DoRedraw(bool undo);
};

} // namespace zrk
