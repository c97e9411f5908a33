#pragma once
// TTreePanel: the position tree of play mode (Tr) with the note of the selected node (PosTextE,
// ClearPosTextBt), the button that saves the current position (AddPosBt) and the three delete
// buttons (DelPosBt, DelPos1Bt, DelPos2Bt).
//
// The tree view mirrors the play engine's position tree: Sync rebuilds it when the tree's Revision
// moved and otherwise only renews the node texts (the notation options may have changed) and the
// selection. A selection by the user loads the node's line; a click on the current node brings
// its position back after the user stepped away from it. Each node is drawn on the whole width of
// the view, so that long texts are never cut and the selected node stays marked without focus.

#include <QFrame>
#include <QHash>

class QLineEdit;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace zrk {

class TMidend;
struct TPosNode;

class TTreePanel : public QFrame {
  Q_OBJECT
 public:
  TTreePanel(TMidend& midend, QWidget* parent = nullptr);

  void Sync();
  // The node an item of the view stands for.
  TPosNode* NodeOf(const QTreeWidgetItem* item) const;
  QTreeWidgetItem* ItemOf(const TPosNode* node) const { return items_.value(node); }

  QTreeWidget* Tr;
  QLineEdit* PosTextE;
  QToolButton *ClearPosTextBt, *AddPosBt, *DelPosBt, *DelPos1Bt, *DelPos2Bt;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  TMidend& M;
  bool Syncing = false;
  bool PressOnCurrent = false; // the last press hit the selected node that is also the current one
  unsigned long long shownRevision_ = ~0ull;
  QHash<const TPosNode*, QTreeWidgetItem*> items_;

  void Rebuild();
  void RenewTexts();
  void SelectionChanged();
  void Clicked(QTreeWidgetItem* item);
  void NoteEdited(const QString& text);
  void TopChanged();
};

} // namespace zrk
