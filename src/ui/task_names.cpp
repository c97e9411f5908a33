#include "ui/task_names.h"

#include <QDir>
#include <QFileInfo>

#include "model/task_options.h"

namespace zrk {

namespace {

// A forgiving reader of decimal numbers and literal characters, in the manner of scanf: a number
// may follow blanks and carry a sign; a blank in the pattern matches any run of blanks.
class TScan {
 public:
  explicit TScan(const QString& s, int from = 0) : S(s), I(from) {}

  bool Number(long long& v) {
    int i = I;
    while (i < S.size() && S[i].isSpace()) ++i;
    bool negative = false;
    if (i < S.size() && (S[i] == '-' || S[i] == '+')) negative = S[i++] == '-';
    const int digits = i;
    long long n = 0;
    for (; i < S.size() && S[i].isDigit(); ++i)
      if (n < 1'000'000'000LL) n = n * 10 + S[i].digitValue();
    if (i == digits) return false;
    v = negative ? -n : n;
    I = i;
    return true;
  }

  bool Char(QChar c) {
    if (c == ' ') {
      while (I < S.size() && S[I].isSpace()) ++I;
      return true;
    }
    if (I < S.size() && S[I] == c) {
      ++I;
      return true;
    }
    return false;
  }

 private:
  const QString& S;
  int I;
};

bool BeginsWithSize(const QString& name) {
  TScan scan(name);
  long long w = 0, h = 0;
  return scan.Number(w) && scan.Char('x') && scan.Number(h);
}

} // namespace

QString DefaultName(const TTask& task) {
  const TFig& field = task.Field();
  QString name = QString("%1x%2_%3-%4 E%5")
                     .arg(field.Width)
                     .arg(field.Height)
                     .arg(field.CellCount())
                     .arg(task.FigCount - 1)
                     .arg(task.FreeCells);
  if (task.Options.Gravity) name += " G";
  return name;
}

bool NameIsStale(const QString& taskFile, const QString& currentPath, const TTask& task, const QString& defName) {
  if (taskFile == currentPath) return true;
  const QString name = QFileInfo(taskFile).completeBaseName();
  const int underscore = defName.indexOf('_');
  const QString sizePart = underscore < 0 ? defName : defName.left(underscore);
  if (!name.startsWith(sizePart)) return true;
  if (name.size() <= sizePart.size() || name[sizePart.size()] != '_') return false;
  const long long cells = task.Field().CellCount(), figs = task.FigCount - 1;
  {
    TScan scan(name, int(sizePart.size()) + 1);
    long long a = 0, b = 0;
    if (!scan.Number(a)) return false;
    if (!(scan.Char('-') && scan.Number(b))) return a != cells;
    if (a != cells || b != figs) return true;
  }
  TScan scan(name, int(sizePart.size()) + 1);
  long long a = 0, b = 0, free = 0;
  if (scan.Number(a) && scan.Char('-') && scan.Number(b) && scan.Char(' ') && scan.Char('E') && scan.Number(free))
    return free != task.FreeCells;
  return false;
}

// A name counts as taken by a task file of either extension the program has used, so that Save as
// never proposes to overwrite an existing puzzle.
NameTaken FilesOnDisk() {
  return [](const QString& folder, const QString& name) {
    const QDir dir(folder);
    return QFileInfo::exists(dir.filePath(name + ".zrk")) || QFileInfo::exists(dir.filePath(name + ".f3d"));
  };
}

QString SaveProposal(bool saveAs, const QString& taskFile, const QString& currentPath, const TTask& task,
                     const NameTaken& taken) {
  const QFileInfo info(taskFile);
  const QString own = info.completeBaseName();
  // The automatic save is rewritten at every exit: a task saved under its name would be lost, so
  // it never proposes its own name.
  if (!saveAs && !BeginsWithSize(own) && taskFile != currentPath) return own;
  const QString defName = DefaultName(task);
  if (!saveAs) return NameIsStale(taskFile, currentPath, task, defName) ? defName : own;
  const QString folder = info.path();
  if (!taken(folder, defName)) return defName;
  int k = 1;
  while (k <= 100 && taken(folder, QString("%1_%2").arg(defName).arg(k))) ++k;
  return QString("%1_%2").arg(defName).arg(k);
}

QString CaptionTaskName(const QString& taskFile) {
  QString name = QFileInfo(taskFile).completeBaseName();
  if (name.size() >= 4 && name[0].isDigit() && name[1].isDigit() && name[2].isDigit() && name[3] == ' ')
    name = name.mid(4);
  return name;
}

} // namespace zrk
