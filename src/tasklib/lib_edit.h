#pragma once
// Changes to a library folder on disk: a new numbered subfolder, a new numbered task file, and a
// new order of the tasks or subfolders, given by renaming them with new numbers.
//
// Nothing is ever overwritten: every rename refuses an existing target, a new order is checked
// against every entry of the folder before anything is renamed, goes through temporary names, and
// on any failure puts every name back.

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/report.h"
#include "tasklib/lib_tree.h"

namespace zrk {

extern const char* const TooManyFilesText;      // "В папке слишком много файлов"
extern const char* const NotAllRenamedText;     // "Не все файлы удалось переименовать"

struct TRename {
  std::filesystem::path From, To;
  bool operator==(const TRename&) const = default;
};
using TRenames = std::vector<TRename>;

// Where a path is after the renames: renamed itself, or inside a renamed folder.
std::filesystem::path FollowRenames(const std::filesystem::path& p, const TRenames& renames);

// Renames an entry unless the target exists; false when it exists or the rename fails.
bool RenameNoReplace(const std::filesystem::path& from, const std::filesystem::path& to);

// Creates the subfolder "NNN title" with the next subfolder number. An empty text gives the
// titles "Папка 1", "Папка 2", ...; a title already used (whatever its number) gets " 1", " 2".
// Returns the new folder, or nothing after reporting why (nothing at all when the folder is gone).
std::optional<std::filesystem::path> AddSubfolder(const std::filesystem::path& folder, std::string_view text,
                                                  IReporter& reporter);

// Writes a task file into the folder through `save` (which reports its own failures): the next
// free number, or 000 as the main task, for which the tasks already there are renumbered from
// 001 when 000 is taken. renumbered receives the renames made on the way.
using TSaveTask = std::function<bool(const std::filesystem::path&)>;
std::optional<std::filesystem::path> AddTaskFile(const std::filesystem::path& folder, std::string_view text,
                                                 bool asMain, const TSaveTask& save, IReporter& reporter,
                                                 TRenames* renumbered = nullptr);

// One entry of a folder in the order dialog. Title is the name without number and extension;
// empty for a name that is only a number, which stays a bare number.
struct TOrderEl {
  std::filesystem::path Path;
  std::string Title;
};
std::vector<TOrderEl> TaskElements(const TDir& dir);
std::vector<TOrderEl> FolderElements(const TDir& dir);

// The renames that give the elements, in this order, the numbers from 1 (from 0 with mainFirst):
// "NNN title.zrk" for tasks, "NNN title" for subfolders. A number whose name is held by an entry
// that is not renamed is skipped; elements whose name already fits stay. Nothing when the
// numbers pass 999.
std::optional<TRenames> PlanReorder(const std::filesystem::path& folder, const std::vector<TOrderEl>& order,
                                    bool forTasks, bool mainFirst);

// Carries out the renames through temporary names. On a failure every entry gets its old name
// back and the failure is reported; false then.
bool ApplyRenames(const TRenames& renames, IReporter& reporter);

struct TReorderResult {
  bool Ok = true;
  TRenames Renames; // empty when no entry got a new name
};
TReorderResult Reorder(const std::filesystem::path& folder, const std::vector<TOrderEl>& order, bool forTasks,
                       bool mainFirst, IReporter& reporter);

} // namespace zrk
