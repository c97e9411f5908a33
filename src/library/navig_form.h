#pragma once
// TNavigForm: "Навигация по задачам", the task library's navigator. Its tree shows the library's
// folders with their task counts, its list the tasks of the selected folder; a click on a task
// opens it. Its buttons (and the same items of its pop-up menu) add a subfolder or the current
// task to the selected folder, put the folder's subfolders or tasks into a new order, open the
// folder in the file browser and read the tree again. The library itself is core code (TLibrary).

#include <functional>
#include <unordered_map>

#include <QWidget>

#include "library/library_host.h"
#include "tasklib/lib_tree.h"

class QAction;
class QDialog;
class QListWidget;
class QMenu;
class QSettings;
class QSplitter;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace zrk {

class TAddDirForm;
class TAddTaskForm;
class TOrderForm;

class TNavigForm : public QWidget {
  Q_OBJECT
 public:
  TNavigForm(ILibraryHost& host, QSettings& ini, QWidget* parent);

  // Reads the tree for a task file or folder and selects the folder and row that show it;
  // keepTree rescans the present library instead of looking for it again.
  void BuildTree(const QString& path, bool keepTree);
  // The tree for the current task (when the navigator is shown, at start, after a load).
  void ShowLibrary();
  // A task was loaded; fromOutside: not from this window, so the tree follows the new file.
  void TaskLoaded(bool fromOutside);
  // During a solve the task stays as the search found it: the add dialogs close and the window
  // takes no clicks until the solve ends.
  void SolvingChanged(bool solving);
  // The placement and the tree height (section "Navigate"), and the add dialogs' settings.
  void WriteSettings(QSettings& ini) const;

  void setVisible(bool visible) override;

  // The folder selected in the tree, or null.
  TDir* SelectedDir() const;

  TLibrary Lib;
  QTreeWidget* Tr;
  QListWidget* G;
  QSplitter* Splitter;
  QToolButton *AddDirBt, *AddTaskBt, *OrderDirBt, *OrderTaskBt, *ExplorerBt, *RefreshBt;
  QMenu* Menu;
  QAction *AddDirM, *AddTaskM, *OrderDirM, *OrderTextM, *ExplorerM, *RefreshM;
  TAddDirForm* AddDirForm;
  TAddTaskForm* AddTaskForm;
  TOrderForm* OrderForm;
  // Opens a folder in the system's file browser.
  std::function<void(const QString& folder)> OpenFolder;

 signals:
  void Closed();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  ILibraryHost& Host;
  bool Updating = false;
  bool Placed = false; // the window has its place: from the settings, or beside the main window
  std::unordered_map<const QTreeWidgetItem*, TDir*> DirOf;
  std::unordered_map<const TDir*, QTreeWidgetItem*> ItemOf;

  QWidget* BuildButtons();
  void BuildMenu();
  void AddNodes(QTreeWidgetItem* item, TDir& dir);
  void FillList(TDir* dir, int row);
  void UpdateCounts(TDir& dir);
  // The folder's name as its node shows it, without the count.
  QString FolderName(const TDir* dir) const;
  // What the refresh button reads the tree for: the current task, or the selected folder.
  QString RefreshPath() const;
  QString TaskProposal() const;
  void Report(const QString& caption, const std::filesystem::path& path);

  // handlers
  void TrChange();
  void GClick(int row);
  void RefreshBtClick();
  void ExplorerBtClick();
  bool AddBtToggled(bool on, QDialog* own, QToolButton* other, QDialog* otherForm);
  void AddDirBtToggle(bool on);
  void AddTaskBtToggle(bool on);
  void AddDirAsked(bool thenClose);
  void AddTaskAsked(bool thenClose);
  void OrderBtClick(bool forTasks);
  void HideAddForms();
};

} // namespace zrk
