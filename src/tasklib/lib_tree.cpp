#include "tasklib/lib_tree.h"

#include <algorithm>
#include <cctype>

#include "tasklib/lib_names.h"

namespace zrk {

namespace fs = std::filesystem;

namespace {

bool IsLibraryFolderName(const std::string& name) {
  return name.size() == LibraryFolderName.size() &&
         std::equal(name.begin(), name.end(), LibraryFolderName.begin(),
                    [](char a, char b) { return std::tolower((unsigned char)a) == b; });
}

} // namespace

void ListLibraryFolder(const fs::path& folder, std::vector<std::string>& files, std::vector<std::string>* subfolders) {
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    const fs::directory_entry& e = *it;
    std::string name = e.path().filename().string();
    std::error_code typeEc;
    if (e.is_symlink(typeEc)) {
      // A link to a task file is a task file; a link to a folder is not followed.
      if (IsTaskFileName(name) && e.is_regular_file(typeEc)) files.push_back(std::move(name));
      continue;
    }
    if (e.is_directory(typeEc)) {
      if (subfolders && name[0] != '.') subfolders->push_back(std::move(name));
    } else if (e.is_regular_file(typeEc) && IsTaskFileName(name)) {
      files.push_back(std::move(name));
    }
  }
}

namespace {

// The folder's task files in the library order, and its subfolders' names when asked for.
void ReadFiles(TDir& dir, std::vector<std::string>* subfolders) {
  dir.Files.clear();
  ListLibraryFolder(dir.Path, dir.Files, subfolders);
  SortLibraryOrder(dir.Files);
  dir.HasMain = !dir.Files.empty() && IsMainTaskName(dir.Files[0]);
  dir.MaxTaskNum = 0;
  for (const std::string& f : dir.Files) dir.MaxTaskNum = std::max(dir.MaxTaskNum, NameNumber(f));
}

} // namespace

fs::path NormalPath(const fs::path& p) {
  std::error_code ec;
  fs::path n = fs::absolute(p, ec);
  if (ec) n = p;
  n = n.lexically_normal();
  if (!n.has_filename() && n.has_parent_path() && n != n.root_path()) n = n.parent_path();
  return n;
}

fs::path FindLibraryRoot(const fs::path& folder) {
  fs::path prefix, found;
  for (const fs::path& part : NormalPath(folder)) {
    prefix /= part;
    if (IsLibraryFolderName(part.string())) found = prefix;
  }
  return found;
}

std::string TDir::NodeText() const { return WithoutNumber(Name()) + " (" + std::to_string(TaskCount) + ")"; }

std::string TDir::RowText(size_t row) const {
  return ListRowText(TaskTitle(Files[row]), RowNumber(row), HasMain && row == 0);
}

std::string TLibrary::RootText() const {
  if (!RootDir) return {};
  if (RootIsTaskFolder) return RootDir->NodeText();
  return "Задачи (" + std::to_string(RootDir->TaskCount) + ")";
}

void TLibrary::Build(const fs::path& target, bool keepRoot) {
  ScanTarget = NormalPath(target);
  TargetDir = nullptr;
  TargetRow = -1;
  ScannedFolders = 0;
  if (!keepRoot || !RootDir) {
    std::error_code ec;
    const fs::path folder = fs::is_directory(ScanTarget, ec) ? ScanTarget : ScanTarget.parent_path();
    LibRoot = FindLibraryRoot(folder);
    RootIsTaskFolder = LibRoot.empty();
    if (RootIsTaskFolder) LibRoot = folder;
  }
  RootDir = std::make_unique<TDir>();
  RootDir->Path = LibRoot;
  ScanFolder(*RootDir, RootIsTaskFolder ? Limits.TaskFolderDepth : Limits.MaxDepth);
  if (!TargetDir) TargetDir = RootDir.get();
}

void TLibrary::ScanFolder(TDir& dir, int depthLeft) {
  ++ScannedFolders;
  std::vector<std::string> subfolders;
  ReadFiles(dir, &subfolders);
  dir.TaskCount = int(dir.Files.size());

  // The folder that holds the target, even when the file itself is gone; the target folder itself
  // comes later in the walk and wins.
  if (dir.Path == ScanTarget || ScanTarget.parent_path() == dir.Path) TargetDir = &dir;
  if (ScanTarget.parent_path() == dir.Path) {
    const auto at = std::find(dir.Files.begin(), dir.Files.end(), ScanTarget.filename().string());
    if (at != dir.Files.end()) TargetRow = int(at - dir.Files.begin());
  }

  SortLibraryOrder(subfolders);
  dir.MaxDirNum = 0;
  for (const std::string& s : subfolders) dir.MaxDirNum = std::max(dir.MaxDirNum, NameNumber(s));
  dir.Subdirs.clear();
  dir.SubdirsCut = false;
  for (const std::string& s : subfolders) {
    if (depthLeft <= 0 || ScannedFolders >= Limits.MaxFolders) {
      dir.SubdirsCut = true;
      break;
    }
    auto child = std::make_unique<TDir>();
    child->Path = dir.Path / s;
    child->Parent = &dir;
    ScanFolder(*child, depthLeft - 1);
    dir.TaskCount += child->TaskCount;
    dir.Subdirs.push_back(std::move(child));
  }
}

void TLibrary::RescanFiles(TDir& dir) {
  const int before = int(dir.Files.size());
  ReadFiles(dir, nullptr);
  const int change = int(dir.Files.size()) - before;
  for (TDir* d = &dir; d; d = d->Parent) d->TaskCount += change;
}

TDir* TLibrary::Find(const fs::path& folder) const {
  if (!RootDir) return nullptr;
  const fs::path wanted = NormalPath(folder);
  std::vector<TDir*> stack{RootDir.get()};
  while (!stack.empty()) {
    TDir* d = stack.back();
    stack.pop_back();
    if (d->Path == wanted) return d;
    for (auto& s : d->Subdirs) stack.push_back(s.get());
  }
  return nullptr;
}

} // namespace zrk
