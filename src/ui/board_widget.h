#pragma once
// TBoardWidget: the board image `Im`, which also turns the mouse on it into pointer events for
// the gestures (image pixels, the button that changed, the buttons held, Shift, Ctrl and Alt).

#include "editor/edit_gestures.h"
#include "ui/board_image.h"

class QMouseEvent;

namespace zrk {

class IBoardInput {
 public:
  virtual ~IBoardInput() = default;
  virtual void BoardPress(const TPointerEvent& e) = 0;
  virtual void BoardMove(const TPointerEvent& e) = 0;
  virtual void BoardRelease(const TPointerEvent& e) = 0;
};

// A Qt mouse event as the gestures see it; the middle button counts as none.
TPointerEvent PointerEventOf(const QMouseEvent& e);

class TBoardWidget : public TImageView {
  Q_OBJECT
 public:
  explicit TBoardWidget(QWidget* parent = nullptr) : TImageView(parent) {}
  IBoardInput* Input = nullptr;

 protected:
  void mousePressEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
};

} // namespace zrk
