#include "tasklib/lib_edit.h"

#include <fcntl.h>
#include <stdio.h>

#include <algorithm>
#include <cerrno>
#include <set>

#include "tasklib/lib_names.h"

namespace zrk {

namespace fs = std::filesystem;

const char* const TooManyFilesText = "В папке слишком много файлов";
const char* const NotAllRenamedText = "Не все файлы удалось переименовать";

namespace {

const char* const TooManyCaption = "Ошибка!";
const char* const RenameCaption = "Ошибка";
const char* const CannotCreateFolderCaption = "Невозможно создать папку";
const char* const FileExistsCaption = "Файл уже существует";
const char* const NumberTakenText = "Номер 000 в папке занят не задачей";
const std::string DefaultFolderTitle = "Папка";
// Temporary names start with "." so that a scan never lists them.
const std::string TempPrefix = ".zrk-order-";

// Every entry of the folder, of any kind, hidden ones included.
std::vector<std::string> EntryNames(const fs::path& folder) {
  std::vector<std::string> names;
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
    names.push_back(it->path().filename().string());
  return names;
}

bool FolderExists(const fs::path& folder) {
  std::error_code ec;
  return fs::is_directory(folder, ec);
}

bool Exists(const fs::path& p) {
  std::error_code ec;
  return fs::exists(fs::symlink_status(p, ec));
}

// Some entry's name, without its leading number, is this title.
bool TitleUsed(const std::vector<std::string>& names, std::string_view title) {
  const std::u32string wanted = FoldedName(title);
  return std::any_of(names.begin(), names.end(),
                     [&](const std::string& n) { return FoldedName(WithoutLeadingNumber(n)) == wanted; });
}

// Some entry's name starts with the three digits of this number.
bool NumberUsed(const std::vector<std::string>& names, int number) {
  const std::string digits = NumberedName(number, "", "");
  return std::any_of(names.begin(), names.end(), [&](const std::string& n) { return n.starts_with(digits); });
}

std::string TitleOf(std::string_view stripped) {
  return IsOnlyNumber(stripped) ? std::string() : std::string(stripped);
}

// The task files of a folder as they are on disk now, in the library order.
std::vector<std::string> TaskFilesNow(const fs::path& folder) {
  std::vector<std::string> files;
  ListLibraryFolder(folder, files, nullptr);
  SortLibraryOrder(files);
  return files;
}

} // namespace

fs::path FollowRenames(const fs::path& p, const TRenames& renames) {
  for (const TRename& r : renames) {
    if (p == r.From) return r.To;
    const fs::path rest = p.lexically_relative(r.From);
    if (!rest.empty() && *rest.begin() != ".." && rest != ".") return r.To / rest;
  }
  return p;
}

bool RenameNoReplace(const fs::path& from, const fs::path& to) {
  if (renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return true;
  if (errno != EINVAL && errno != ENOSYS) return false;
  // A file system without the atomic call: check first.
  if (Exists(to)) return false;
  std::error_code ec;
  fs::rename(from, to, ec);
  return !ec;
}

std::optional<fs::path> AddSubfolder(const fs::path& folder, std::string_view text, IReporter& reporter) {
  if (!FolderExists(folder)) return std::nullopt;
  const std::vector<std::string> names = EntryNames(folder);
  const std::string cleaned = CleanName(text);
  const std::string base = cleaned.empty() ? DefaultFolderTitle : cleaned;
  int counter = cleaned.empty() ? 1 : 0;
  std::string title = cleaned.empty() ? base + " 1" : cleaned;
  while (TitleUsed(names, title)) title = base + " " + std::to_string(++counter);

  std::vector<std::string> files, subfolders;
  ListLibraryFolder(folder, files, &subfolders);
  int number = 1;
  for (const std::string& s : subfolders) number = std::max(number, NameNumber(s) + 1);
  if (number > MaxLibNumber) {
    reporter.Report(MsgKind::Error, TooManyCaption, TooManyFilesText);
    return std::nullopt;
  }
  const fs::path path = folder / NumberedName(number, title, "");
  std::error_code ec;
  if (!fs::create_directory(path, ec)) {
    reporter.Report(MsgKind::Error, CannotCreateFolderCaption, path.string());
    return std::nullopt;
  }
  return path;
}

std::optional<fs::path> AddTaskFile(const fs::path& folder, std::string_view text, bool asMain, const TSaveTask& save,
                                    IReporter& reporter, TRenames* renumbered) {
  if (!FolderExists(folder)) return std::nullopt;
  std::vector<std::string> names = EntryNames(folder);
  auto tooMany = [&] {
    reporter.Report(MsgKind::Error, TooManyCaption, TooManyFilesText);
    return std::nullopt;
  };

  const std::string cleaned = CleanName(text);
  std::string fileName; // without the number; empty: the file is named by its number alone
  if (!cleaned.empty()) {
    fileName = cleaned + std::string(TaskExt);
    for (int k = 1; TitleUsed(names, fileName); ++k) {
      if (k > MaxLibNumber) return tooMany();
      fileName = cleaned + " " + std::to_string(k) + std::string(TaskExt);
    }
  }

  int number = 0;
  if (asMain) {
    if (NumberUsed(names, 0)) {
      // The tasks make room by moving up one number; 000 held by anything else stays held.
      const std::vector<std::string> files = TaskFilesNow(folder);
      const std::set<std::string> isTask(files.begin(), files.end());
      std::vector<std::string> others;
      std::copy_if(names.begin(), names.end(), std::back_inserter(others),
                   [&](const std::string& n) { return !isTask.count(n); });
      if (NumberUsed(others, 0)) {
        reporter.Report(MsgKind::Error, TooManyCaption, NumberTakenText);
        return std::nullopt;
      }
      std::vector<TOrderEl> order;
      for (const std::string& f : files) order.push_back({folder / f, TitleOf(TaskTitle(f))});
      const TReorderResult moved = Reorder(folder, order, true, false, reporter);
      if (!moved.Ok) return std::nullopt;
      if (renumbered) *renumbered = moved.Renames;
      names = EntryNames(folder);
      if (NumberUsed(names, 0)) {
        reporter.Report(MsgKind::Error, TooManyCaption, NumberTakenText);
        return std::nullopt;
      }
    }
  } else {
    for (const std::string& f : TaskFilesNow(folder)) number = std::max(number, NameNumber(f));
    ++number;
    while (number <= MaxLibNumber && NumberUsed(names, number)) ++number;
    if (number > MaxLibNumber) return tooMany();
  }

  const fs::path path = folder / NumberedName(number, fileName, fileName.empty() ? TaskExt : "");
  if (Exists(path)) { // taken since the folder was read
    reporter.Report(MsgKind::Error, FileExistsCaption, path.string());
    return std::nullopt;
  }
  if (!save(path)) return std::nullopt;
  return path;
}

std::vector<TOrderEl> TaskElements(const TDir& dir) {
  std::vector<TOrderEl> els;
  for (size_t i = 0; i < dir.Files.size(); ++i) els.push_back({dir.FilePath(i), TitleOf(TaskTitle(dir.Files[i]))});
  return els;
}

std::vector<TOrderEl> FolderElements(const TDir& dir) {
  std::vector<TOrderEl> els;
  for (const auto& s : dir.Subdirs) els.push_back({s->Path, TitleOf(WithoutNumber(s->Name()))});
  return els;
}

std::optional<TRenames> PlanReorder(const fs::path& folder, const std::vector<TOrderEl>& order, bool forTasks,
                                    bool mainFirst) {
  // The names that stay where they are: every entry that is not an element.
  std::set<std::u32string> held;
  std::set<std::u32string> elements;
  for (const TOrderEl& el : order) elements.insert(FoldedName(el.Path.filename().string()));
  for (const std::string& n : EntryNames(folder)) {
    std::u32string folded = FoldedName(n);
    if (!elements.count(folded)) held.insert(std::move(folded));
  }

  const std::string_view ext = forTasks ? TaskExt : std::string_view();
  TRenames plan;
  int number = forTasks && mainFirst ? 0 : 1;
  for (const TOrderEl& el : order) {
    const std::string oldName = el.Path.filename().string();
    for (;; ++number) {
      if (number > MaxLibNumber) return std::nullopt;
      const std::string name = NumberedName(number, el.Title, ext);
      if (SameNameNoCase(name, oldName)) break;
      if (held.count(FoldedName(name))) continue;
      plan.push_back({el.Path, folder / name});
      break;
    }
    ++number;
  }
  return plan;
}

bool ApplyRenames(const TRenames& renames, IReporter& reporter) {
  enum TStage { AtOld, AtTemp, AtNew };
  std::vector<fs::path> temp(renames.size());
  std::vector<TStage> stage(renames.size(), AtOld);
  fs::path failed;

  auto toTemp = [&](size_t i) {
    const fs::path folder = renames[i].From.parent_path();
    for (int k = 0; k < 1000; ++k) {
      const fs::path t = folder / (TempPrefix + std::to_string(i) + "-" + std::to_string(k));
      if (RenameNoReplace(renames[i].From, t)) {
        temp[i] = t;
        return true;
      }
      if (!Exists(t)) return false; // the rename itself failed, not the name
    }
    return false;
  };

  bool ok = true;
  for (size_t i = 0; ok && i < renames.size(); ++i) {
    ok = toTemp(i);
    if (ok) stage[i] = AtTemp;
    else failed = renames[i].From;
  }
  for (size_t i = 0; ok && i < renames.size(); ++i) {
    ok = RenameNoReplace(temp[i], renames[i].To);
    if (ok) stage[i] = AtNew;
    else failed = renames[i].To;
  }
  if (ok) return true;

  // Back the same way: every new name to its temporary one, then every temporary to the old.
  std::string stuck;
  for (size_t i = renames.size(); i-- > 0;)
    if (stage[i] == AtNew && RenameNoReplace(renames[i].To, temp[i])) stage[i] = AtTemp;
  for (size_t i = renames.size(); i-- > 0;) {
    if (stage[i] == AtTemp && RenameNoReplace(temp[i], renames[i].From)) stage[i] = AtOld;
    if (stage[i] == AtOld) continue;
    stuck += '\n';
    stuck += renames[i].From.filename().string();
    stuck += " -> ";
    stuck += (stage[i] == AtNew ? renames[i].To : temp[i]).filename().string();
  }
  std::string text = NotAllRenamedText;
  text += ": ";
  text += failed.string();
  if (stuck.empty()) {
    text += "\nПрежние имена восстановлены.";
  } else {
    text += "\nНе удалось вернуть прежние имена:";
    text += stuck;
  }
  reporter.Report(MsgKind::Error, RenameCaption, text);
  return false;
}

TReorderResult Reorder(const fs::path& folder, const std::vector<TOrderEl>& order, bool forTasks, bool mainFirst,
                       IReporter& reporter) {
  const std::optional<TRenames> plan = PlanReorder(folder, order, forTasks, mainFirst);
  if (!plan) {
    reporter.Report(MsgKind::Error, TooManyCaption, TooManyFilesText);
    return {false, {}};
  }
  if (plan->empty() || !ApplyRenames(*plan, reporter)) return {plan->empty(), {}};
  return {true, *plan};
}

} // namespace zrk
