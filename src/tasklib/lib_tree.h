#pragma once
// The task library as a tree of folders, read from disk: the library is the innermost folder named
// "ZRKTasks" on the current task's path, or the task's own folder when there is none. Every folder
// lists its task files in the library order and counts the tasks of its whole subtree.

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace zrk {

struct TDir {
  std::filesystem::path Path;
  bool HasMain = false;      // the first task file is numbered 000
  int TaskCount = 0;         // task files here and in all subfolders
  int MaxDirNum = 0;         // highest number among the numbered subfolders
  int MaxTaskNum = 0;        // highest number among the numbered task files
  std::vector<std::string> Files; // task file names in the library order
  TDir* Parent = nullptr;
  std::vector<std::unique_ptr<TDir>> Subdirs; // in the library order
  bool SubdirsCut = false;   // the scan stopped here: too deep, or too many folders

  std::string Name() const { return Path.filename().string(); }
  // The node's text: the name without its number, and the task count: "Title (12)".
  std::string NodeText() const;
  std::filesystem::path FilePath(size_t row) const { return Path / Files[row]; }
  // The number of the row of a file in the navigator's list: the main task is "*", the others
  // count from 1.
  int RowNumber(size_t row) const { return HasMain ? int(row) : int(row) + 1; }
  std::string RowText(size_t row) const;
};

// Bounds that keep a scan short whatever the disk holds: symbolic links to folders are never
// followed (a link to a parent folder would make the tree endless).
struct TScanLimits {
  int MaxDepth = 24;        // subfolder levels below a library's root
  int TaskFolderDepth = 3;  // below a plain folder that is no library
  int MaxFolders = 5000;    // folders in one scan
};

class TLibrary {
 public:
  // Reads the tree for a task file or a folder and finds the folder and row that show it.
  // keepRoot rescans the present root instead of looking for the library again.
  void Build(const std::filesystem::path& target, bool keepRoot = false);
  // Reads one folder's task files again (after a task was added to it); the counts of the
  // folders above follow.
  void RescanFiles(TDir& dir);

  TDir* Root() const { return RootDir.get(); }
  // "Задачи (N)" for a library, "Title (N)" for a plain folder shown instead.
  std::string RootText() const;
  // The scanned folder with this path, or null.
  TDir* Find(const std::filesystem::path& folder) const;

  std::filesystem::path LibRoot;
  bool RootIsTaskFolder = false; // no "ZRKTasks" folder encloses the target
  TDir* TargetDir = nullptr;     // the folder that holds the target (the root when not found)
  int TargetRow = -1;            // the target's row in that folder's list, -1 for a folder
  TScanLimits Limits;

 private:
  std::unique_ptr<TDir> RootDir;
  std::filesystem::path ScanTarget;
  int ScannedFolders = 0;

  void ScanFolder(TDir& dir, int depthLeft);
};

// One pass over a folder: its task files (unsorted) and, when asked for, its subfolders, never
// through a link and never a hidden one. A folder that cannot be read lists nothing.
void ListLibraryFolder(const std::filesystem::path& folder, std::vector<std::string>& files,
                       std::vector<std::string>* subfolders);
// Absolute and lexically normal, without a trailing separator.
std::filesystem::path NormalPath(const std::filesystem::path& p);
// The innermost folder named "ZRKTasks" (in any letter case) among the folder and its parents;
// empty when there is none.
std::filesystem::path FindLibraryRoot(const std::filesystem::path& folder);

} // namespace zrk
