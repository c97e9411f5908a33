#include "library/navig_form.h"

#include <algorithm>

#include <QAction>
#include <QCloseEvent>
#include <QCheckBox>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QSettings>
#include <QSplitter>
#include <QStyle>
#include <QToolButton>
#include <QTreeWidget>
#include <QUrl>
#include <QVBoxLayout>

#include "library/add_dir_form.h"
#include "library/add_task_form.h"
#include "library/library_widgets.h"
#include "library/order_form.h"
#include "tasklib/lib_edit.h"
#include "tasklib/lib_names.h"
#include "ui/app_settings.h"
#include "ui/updating.h"

namespace zrk {

namespace fs = std::filesystem;

namespace {

const char* const Section = "Navigate";
const char* const NoFileCaption = "Нет файла!";
const char* const NoFolderCaption = "Нет папки!";
constexpr int DesignTreeHeight = 240;

QString Utf8(const std::string& s) { return QString::fromStdString(s); }

bool FolderExists(const TDir* dir) {
  std::error_code ec;
  return dir && fs::is_directory(dir->Path, ec);
}

} // namespace

TNavigForm::TNavigForm(ILibraryHost& host, QSettings& ini, QWidget* parent)
    : QWidget(parent, Qt::Tool), Host(host) {
  setObjectName("NavigForm");
  setWindowTitle(QStringLiteral("Навигация по задачам"));
  OpenFolder = [](const QString& folder) { QDesktopServices::openUrl(QUrl::fromLocalFile(folder)); };

  QWidget* top = BuildButtons();
  Tr = new QTreeWidget(this);
  Tr->setObjectName("Tr");
  Tr->setHeaderHidden(true);
  Tr->setColumnCount(1);
  G = new QListWidget(this);
  G->setObjectName("G");
  Splitter = new QSplitter(Qt::Vertical, this);
  Splitter->addWidget(Tr);
  Splitter->addWidget(G);
  Splitter->setChildrenCollapsible(false);
  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(2, 2, 2, 2);
  column->addWidget(top);
  column->addWidget(Splitter, 1);
  BuildMenu();

  resize(320, 520);
  Placed = LoadPlacement(ini, *this, Section, false);
  bool ok = false;
  const int treeHeight = ini.value(QString(Section) + "/TreeHeight").toInt(&ok);
  Splitter->setSizes({ok && treeHeight > 0 ? treeHeight : DesignTreeHeight, height()});

  AddDirForm = new TAddDirForm(ini, this);
  AddTaskForm = new TAddTaskForm(ini, this);
  OrderForm = new TOrderForm(this);

  connect(Tr, &QTreeWidget::currentItemChanged, this, [this] { TrChange(); });
  connect(G, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) { GClick(G->row(item)); });
  // Arrow keys move through the tasks as clicks do; a press of the mouse waits for its click.
  connect(G, &QListWidget::currentRowChanged, this, [this](int row) {
    if (QGuiApplication::mouseButtons() == Qt::NoButton) GClick(row);
  });
  connect(RefreshBt, &QToolButton::clicked, this, &TNavigForm::RefreshBtClick);
  connect(ExplorerBt, &QToolButton::clicked, this, &TNavigForm::ExplorerBtClick);
  connect(OrderDirBt, &QToolButton::clicked, this, [this] { OrderBtClick(false); });
  connect(OrderTaskBt, &QToolButton::clicked, this, [this] { OrderBtClick(true); });
  connect(AddDirBt, &QToolButton::toggled, this, &TNavigForm::AddDirBtToggle);
  connect(AddTaskBt, &QToolButton::toggled, this, &TNavigForm::AddTaskBtToggle);
  connect(AddDirForm, &TAddDirForm::AddAsked, this, &TNavigForm::AddDirAsked);
  connect(AddTaskForm, &TAddTaskForm::AddAsked, this, &TNavigForm::AddTaskAsked);
  connect(AddTaskForm, &TAddTaskForm::DefaultNameAsked, this,
          [this] { AddTaskForm->E->setText(Host.LibraryDefaultName().left(MaxLibraryNameLength)); });
  connect(AddDirForm, &TAddDirForm::Closed, this, [this] {
    TUpdating updating(Updating);
    AddDirBt->setChecked(false);
  });
  connect(AddTaskForm, &TAddTaskForm::Closed, this, [this] {
    TUpdating updating(Updating);
    AddTaskBt->setChecked(false);
  });
}

QWidget* TNavigForm::BuildButtons() {
  auto* top = new QWidget(this);
  top->setObjectName("TopP");
  auto* row = new QHBoxLayout(top);
  row->setContentsMargins(0, 0, 0, 0);
  auto button = [&](const char* name, QStyle::StandardPixmap icon, const QString& hint) {
    auto* b = new QToolButton(top);
    b->setObjectName(name);
    b->setIcon(style()->standardIcon(icon));
    b->setToolTip(hint);
    b->setAutoRaise(true);
    row->addWidget(b);
    return b;
  };
  AddDirBt = button("AddDirBt", QStyle::SP_FileDialogNewFolder, QStringLiteral("Добавить подпапку"));
  AddTaskBt = button("AddTaskBt", QStyle::SP_DialogSaveButton, QStringLiteral("Добавить задачу в папку"));
  OrderDirBt = button("OrderDirBt", QStyle::SP_FileDialogDetailedView, QStringLiteral("Изменить порядок подпапок в папке"));
  OrderTaskBt = button("OrderTaskBt", QStyle::SP_FileDialogListView,
                       QStringLiteral("Изменить порядок задач в папке, назначить главную задачу"));
  ExplorerBt = button("ExplorerBt", QStyle::SP_DirOpenIcon, QStringLiteral("Проводник для выделенной папки"));
  RefreshBt = button("RefreshBt", QStyle::SP_BrowserReload, QStringLiteral("Обновить дерево"));
  AddDirBt->setCheckable(true);
  AddTaskBt->setCheckable(true);
  row->addStretch();
  return top;
}

void TNavigForm::BuildMenu() {
  Menu = new QMenu(this);
  Menu->setObjectName("Menu");
  auto item = [this](const char* name, const QString& text) {
    QAction* a = Menu->addAction(text);
    a->setObjectName(name);
    return a;
  };
  AddDirM = item("AddDirM", QStringLiteral("Добавить подпапку"));
  AddTaskM = item("AddTaskM", QStringLiteral("Добавить задачу в папку"));
  OrderDirM = item("OrderDirM", QStringLiteral("Изменить порядок подпапок в папке"));
  OrderTextM = item("OrderTextM", QStringLiteral("Изменить порядок задач в папке, назначить главную задачу"));
  Menu->addSeparator();
  ExplorerM = item("ExplorerM", QStringLiteral("Проводник для папки"));
  RefreshM = item("RefreshM", QStringLiteral("Обновить дерево"));
  // A menu item presses its button; a button already down brings its dialog to the front.
  auto press = [](QToolButton* b, QDialog* d) {
    if (b->isChecked()) d->raise();
    else b->setChecked(true);
  };
  connect(AddDirM, &QAction::triggered, this, [this, press] { press(AddDirBt, AddDirForm); });
  connect(AddTaskM, &QAction::triggered, this, [this, press] { press(AddTaskBt, AddTaskForm); });
  connect(OrderDirM, &QAction::triggered, this, [this] { OrderBtClick(false); });
  connect(OrderTextM, &QAction::triggered, this, [this] { OrderBtClick(true); });
  connect(ExplorerM, &QAction::triggered, this, &TNavigForm::ExplorerBtClick);
  connect(RefreshM, &QAction::triggered, this, &TNavigForm::RefreshBtClick);
  for (QWidget* w : {static_cast<QWidget*>(Tr), static_cast<QWidget*>(G)}) {
    w->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(w, &QWidget::customContextMenuRequested, this,
            [this, w](const QPoint& p) { Menu->popup(w->mapToGlobal(p)); });
  }
}

// ---------------------------------------------------------------------------------------------
// Tree and list

void TNavigForm::BuildTree(const QString& path, bool keepTree) {
  TUpdating updating(Updating);
  Lib.Build(ToPath(path), keepTree && Tr->topLevelItemCount() > 0);
  Tr->clear();
  DirOf.clear();
  ItemOf.clear();
  auto* root = new QTreeWidgetItem(Tr, {Utf8(Lib.RootText())});
  DirOf[root] = Lib.Root();
  ItemOf[Lib.Root()] = root;
  AddNodes(root, *Lib.Root());
  QTreeWidgetItem* target = ItemOf.at(Lib.TargetDir);
  for (QTreeWidgetItem* i = target; i; i = i->parent()) i->setExpanded(true);
  Tr->setCurrentItem(target);
  Tr->scrollToItem(target);
  FillList(Lib.TargetDir, Lib.TargetRow);
}

void TNavigForm::AddNodes(QTreeWidgetItem* item, TDir& dir) {
  for (const auto& sub : dir.Subdirs) {
    auto* child = new QTreeWidgetItem(item, {Utf8(sub->NodeText())});
    DirOf[child] = sub.get();
    ItemOf[sub.get()] = child;
    AddNodes(child, *sub);
  }
}

void TNavigForm::ShowLibrary() { BuildTree(Host.LibraryTaskFile(), false); }

TDir* TNavigForm::SelectedDir() const {
  const auto at = DirOf.find(Tr->currentItem());
  return at == DirOf.end() ? nullptr : at->second;
}

void TNavigForm::FillList(TDir* dir, int row) {
  TUpdating updating(Updating);
  G->clear();
  if (!dir || dir->Files.empty()) {
    G->addItem(QString());
    G->setCurrentRow(-1);
    return;
  }
  for (size_t i = 0; i < dir->Files.size(); ++i) G->addItem(Utf8(dir->RowText(i)));
  if (row < 0 || row >= G->count()) {
    G->setCurrentRow(-1);
    return;
  }
  G->setCurrentRow(row);
  QListWidgetItem* item = G->item(row);
  if (!G->viewport()->rect().contains(G->visualItemRect(item))) G->scrollToItem(item, QAbstractItemView::PositionAtCenter);
}

void TNavigForm::UpdateCounts(TDir& dir) {
  for (TDir* d = &dir; d; d = d->Parent) ItemOf.at(d)->setText(0, Utf8(d == Lib.Root() ? Lib.RootText() : d->NodeText()));
}

QString TNavigForm::FolderName(const TDir* dir) const {
  const auto at = ItemOf.find(dir);
  if (at == ItemOf.end()) return QString();
  const QString text = at->second->text(0);
  return text.left(text.lastIndexOf(' '));
}

QString TNavigForm::RefreshPath() const {
  const TDir* d = SelectedDir();
  if (!d || (!d->Files.empty() && G->currentRow() >= 0 && G->currentItem()->isSelected())) return Host.LibraryTaskFile();
  return FromPath(d->Path);
}

void TNavigForm::Report(const QString& caption, const fs::path& path) {
  Host.LibraryReporter().Report(MsgKind::Error, caption.toStdString(), path.string());
}

void TNavigForm::TrChange() {
  if (Updating) return;
  TDir* dir = SelectedDir();
  if (!dir) return;
  if (AddTaskForm->isVisible()) {
    FillList(dir, -1);
  } else {
    FillList(dir, 0);
    if (!dir->Files.empty()) GClick(0);
  }
  if (AddDirForm->isVisible()) AddDirForm->SetFolderName(FolderName(dir));
  if (AddTaskForm->isVisible()) AddTaskForm->SetFolderName(FolderName(dir));
}

void TNavigForm::GClick(int row) {
  if (Updating) return;
  const TDir* dir = SelectedDir();
  if (!dir || row < 0 || size_t(row) >= dir->Files.size()) return;
  const fs::path path = dir->FilePath(size_t(row));
  std::error_code ec;
  if (fs::exists(path, ec)) {
    Host.LoadLibraryTask(FromPath(path));
    return;
  }
  // The list is rebuilt after the click that reached it has been handled.
  QMetaObject::invokeMethod(this, [this, path] {
    ShowLibrary();
    Report(NoFileCaption, path);
  }, Qt::QueuedConnection);
}

void TNavigForm::TaskLoaded(bool fromOutside) {
  if (fromOutside && isVisible()) ShowLibrary();
  if (AddTaskForm->isVisible() && AddTaskForm->DefNameCB->isChecked())
    AddTaskForm->E->setText(Host.LibraryDefaultName().left(MaxLibraryNameLength));
}

void TNavigForm::SolvingChanged(bool solving) {
  if (solving) HideAddForms();
  setEnabled(!solving);
}

void TNavigForm::RefreshBtClick() { BuildTree(RefreshPath(), true); }

void TNavigForm::ExplorerBtClick() {
  const TDir* dir = SelectedDir();
  if (FolderExists(dir)) OpenFolder(FromPath(dir->Path));
  else Report(NoFolderCaption, dir ? dir->Path : fs::path());
}

// ---------------------------------------------------------------------------------------------
// Adding

// The current file's name without folder, extension and library number; nothing for a bare number.
QString TNavigForm::TaskProposal() const {
  if (AddTaskForm->DefNameCB->isChecked()) return Host.LibraryDefaultName();
  const std::string title = TaskTitle(ToPath(Host.LibraryTaskFile()).filename().string());
  return IsOnlyNumber(title) ? QString() : Utf8(title);
}

// A pressed add button releases the other one and hides its dialog; released, it hides its own.
// True when its dialog is to open.
bool TNavigForm::AddBtToggled(bool on, QDialog* own, QToolButton* other, QDialog* otherForm) {
  if (Updating) return false;
  if (!on) {
    own->hide();
    return false;
  }
  {
    TUpdating updating(Updating);
    other->setChecked(false);
  }
  otherForm->hide();
  return true;
}

void TNavigForm::AddDirBtToggle(bool on) {
  if (AddBtToggled(on, AddDirForm, AddTaskBt, AddTaskForm)) AddDirForm->Open(FolderName(SelectedDir()));
}

void TNavigForm::AddTaskBtToggle(bool on) {
  if (AddBtToggled(on, AddTaskForm, AddDirBt, AddDirForm)) AddTaskForm->Open(FolderName(SelectedDir()), TaskProposal());
}

void TNavigForm::HideAddForms() {
  TUpdating updating(Updating);
  AddDirBt->setChecked(false);
  AddTaskBt->setChecked(false);
  AddDirForm->hide();
  AddTaskForm->hide();
}

void TNavigForm::AddDirAsked(bool thenClose) {
  const TDir* dir = SelectedDir();
  if (!FolderExists(dir)) return;
  if (!AddSubfolder(dir->Path, AddDirForm->E->text().toStdString(), Host.LibraryReporter())) return;
  BuildTree(RefreshPath(), true);
  if (thenClose) AddDirForm->reject();
}

void TNavigForm::AddTaskAsked(bool thenClose) {
  TDir* dir = SelectedDir();
  if (!FolderExists(dir)) return;
  const fs::path before = NormalPath(ToPath(Host.LibraryTaskFile()));
  TRenames renumbered;
  const auto save = [this](const fs::path& p) { return Host.SaveLibraryTask(FromPath(p)); };
  const auto added = AddTaskFile(dir->Path, AddTaskForm->E->text().toStdString(), AddTaskForm->MainCB->isChecked(),
                                 save, Host.LibraryReporter(), &renumbered);
  if (!added) {
    // The tasks were renumbered before the save failed: the current file follows its new name.
    if (renumbered.empty()) return;
    const fs::path moved = FollowRenames(before, renumbered);
    if (moved != before) Host.LibraryTaskMoved(FromPath(moved));
    BuildTree(Host.LibraryTaskFile(), true);
    return;
  }
  Lib.RescanFiles(*dir);
  UpdateCounts(*dir);
  const auto at = std::find(dir->Files.begin(), dir->Files.end(), added->filename().string());
  FillList(dir, at == dir->Files.end() ? -1 : int(at - dir->Files.begin()));
  AddTaskForm->MainCB->setChecked(false);
  if (thenClose) AddTaskForm->reject();
}

// ---------------------------------------------------------------------------------------------
// Reordering

void TNavigForm::OrderBtClick(bool forTasks) {
  HideAddForms();
  const TDir* dir = SelectedDir();
  if (!FolderExists(dir)) return;
  if (forTasks ? dir->Files.empty() : dir->Subdirs.size() < 2) return;
  std::vector<TOrderEl> elements = forTasks ? TaskElements(*dir) : FolderElements(*dir);
  QStringList shown;
  for (size_t i = 0; i < elements.size(); ++i) {
    if (!forTasks) shown << ItemOf.at(dir->Subdirs[i].get())->text(0);
    else shown << (elements[i].Title.empty() ? Utf8(dir->RowText(i)) : Utf8(elements[i].Title));
  }
  OrderForm->Setup(FolderName(dir), shown, forTasks, dir->HasMain);
  if (OrderForm->exec() != QDialog::Accepted) return;

  std::vector<TOrderEl> order;
  for (int id : OrderForm->Order()) order.push_back(elements[size_t(id)]);
  const fs::path target = NormalPath(ToPath(RefreshPath()));
  const TReorderResult result = Reorder(dir->Path, order, forTasks, OrderForm->MainFirst(), Host.LibraryReporter());
  if (result.Renames.empty()) return; // nothing was renamed: as if cancelled
  // The library's paths are absolute; the current file may have been named relative to the
  // working folder.
  const fs::path current = NormalPath(ToPath(Host.LibraryTaskFile()));
  const fs::path moved = FollowRenames(current, result.Renames);
  if (moved != current) Host.LibraryTaskMoved(FromPath(moved));
  BuildTree(FromPath(FollowRenames(target, result.Renames)), true);
}

// ---------------------------------------------------------------------------------------------
// Window

void TNavigForm::WriteSettings(QSettings& ini) const {
  SavePlacement(ini, *this, Section, false);
  ini.setValue(QString(Section) + "/TreeHeight", Tr->height());
  AddDirForm->WritePlacement(ini);
  AddTaskForm->WriteSettings(ini);
}

// Beside the main window until the user has put it somewhere; placed before it appears.
void TNavigForm::setVisible(bool visible) {
  if (visible && !Placed && parentWidget()) {
    Placed = true;
    move(parentWidget()->frameGeometry().topRight() + QPoint(8, 0));
  }
  QWidget::setVisible(visible);
}

void TNavigForm::closeEvent(QCloseEvent* event) {
  QWidget::closeEvent(event);
  emit Closed();
}

} // namespace zrk
