#pragma once
// TPlayNavPanel (Panel7): walking the played line in play mode. The step buttons go to the initial
// position, one move or mini-move back or on, or the last entry; their animated twins slide the
// figures there at the chosen speed; the track bar goes to any entry. While an animation runs the
// 20 ms timer beats it and, after 300 ms, the stop button shows. The move counter MovesL and the
// "Поворачивать мышью" check box (turning a drag round corners) sit below.
//
// The panel is a view over the midend: its buttons call the midend, and Sync brings it in line
// with the line after every change (the main window's redraw).

#include <QFrame>
#include <QTimer>

class QCheckBox;
class QLabel;
class QSlider;
class QToolButton;

namespace zrk {

class TMidend;

class TPlayNavPanel : public QFrame {
  Q_OBJECT
 public:
  TPlayNavPanel(TMidend& midend, QWidget* parent = nullptr);

  void Sync();

  QToolButton *FirstMoveBt, *PrevMoveBt, *NextMoveBt, *LastMoveBt;
  QToolButton *FirstMoveABt, *PrevMoveABt, *NextMoveABt, *LastMoveABt;
  QFrame* ShortMovesP; // the mini-move buttons, shown only when moves have mini-moves
  QToolButton *PrevMove0Bt, *NextMove0Bt, *PrevMove0ABt, *NextMove0ABt;
  QToolButton* StopAnimBt;
  QToolButton *SpeedUpBt, *SpeedDownBt; // SpeedSB
  QLabel* SpeedL;
  QSlider* MoveTB;
  QLabel* MovesL;
  QCheckBox* TurnCB;
  QTimer Timer;

 private:
  TMidend& M;
  bool Syncing = false;

  void ChangeSpeed(int delta);
};

} // namespace zrk
