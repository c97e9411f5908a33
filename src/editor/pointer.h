#pragma once
// TPointer: the pointer state machine of the board image. The view feeds it the press, move and
// release of a mouse button (image pixels, the button that changed, the buttons held, the
// modifier keys) and Esc, and does what the returned outcome says.
//
// The machine dispatches by mode. In edit mode every event goes to the editing gestures (Edit).
// In play mode the left button is this class's own: a drag moves figures (TMoveDrag turns it into
// moves of the played line), and with FixMode a click or a drag over figures fixes or unfixes them
// for the time of play; the right button drags end positions through the editing gestures.
//
// Play gesture: press -> pending (within half a cell of the press point nothing happens) ->
// moving (the drag) -> release, which records one undo point when a drag really ran. Esc puts the
// figures back where they stood at the press.

#include "editor/edit_gestures.h"
#include "editor/settings.h"
#include "play/drag.h"
#include "play/play_engine.h"

namespace zrk {

// The state of the left-button gesture of play mode.
struct TPlayGesture {
  enum Drag : int { NoDrag = -1, DragPending = 0, DragMoving = 1 };
  enum Fix : int { FixIdle = 0, FixOnNothing = 1, Fixing = 2, Unfixing = 3 };
  bool PlayDrag = false; // a left-button drag is in progress
  int DragAction = NoDrag;
  int PressX = 0, PressY = 0;
  int FixState = FixIdle;
};

class TPointer {
 public:
  TPointer(TTask& task, TPlayEngine& engine, TColourState& colours, const TSettings& settings, IReporter& reporter);

  TGestureOutcome Press(const TPointerEvent& e);
  TGestureOutcome Move(const TPointerEvent& e);
  TGestureOutcome Release(const TPointerEvent& e);
  // Esc: the gesture in progress is undone exactly; otherwise Esc leaves the fixing mode.
  TGestureOutcome Cancel();

  TEditGestures Edit; // the editing half: every event of edit mode, the right button of play mode
  TMoveDrag Drag;
  // Play mode: left clicks fix and unfix figures instead of moving them.
  bool FixMode = false;

  const TPlayGesture& PlayState() const { return Play; }
  // A figure is being dragged (for the cursor).
  bool Moving() const { return Play.PlayDrag && Play.DragAction == TPlayGesture::DragMoving; }

 private:
  TGestureOutcome PlayPress(const TPointerEvent& e);
  TGestureOutcome PlayMove(const TPointerEvent& e);
  void FixMove(const TPointerEvent& e, TGestureOutcome& out);
  void DragMove(const TPointerEvent& e, TGestureOutcome& out);
  // The movable figure under the pointer in the main or the end view (fixed figures count as none).
  int FixableFigure(int x, int y, bool& inEnd) const;
  void ToggleFixed(int fig, bool inEnd, TGestureOutcome& out);

  TTask& Task;
  TPlayEngine& Engine;
  const TSettings& Settings;
  TPlayGesture Play;
};

} // namespace zrk
