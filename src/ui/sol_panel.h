#pragma once
// TSolPanel (SolP): the result buttons of play mode, under the position tree. SolutionBt and
// RemoteBt make their line the played line and show pressed while it is; AddSolBt and AddRemBt add
// a copy of it to the tree; DistribBt opens the distribution window with the last solve's summary.

#include <QFrame>

class QToolButton;

namespace zrk {

class TSolPanel : public QFrame {
  Q_OBJECT
 public:
  explicit TSolPanel(QWidget* parent = nullptr);
  QToolButton *SolutionBt, *AddSolBt, *RemoteBt, *AddRemBt, *DistribBt;
};

} // namespace zrk
