// Adding subfolders and tasks to a library folder and putting its entries into a new order, on
// temporary folders: the names made, the numbers skipped, and that nothing is ever overwritten or
// lost, not even when a rename fails half-way.
#include <gtest/gtest.h>

#include <map>

#include "play/recording_reporter.h"
#include "support/temp_folder.h"
#include "tasklib/lib_edit.h"
#include "tasklib/lib_names.h"

namespace zrk {
namespace {

namespace fs = std::filesystem;
using test::FileBytes;
using test::NamesIn;
using test::TRecordingReporter;
using test::TTempFolder;

using TNames = std::vector<std::string>;

// Every file under the folder with its bytes, by path relative to the folder.
std::map<std::string, std::string> Contents(const fs::path& folder) {
  std::map<std::string, std::string> all;
  for (const auto& e : fs::recursive_directory_iterator(folder))
    all[e.path().lexically_relative(folder).string()] = e.is_regular_file() ? FileBytes(e.path()) : "<folder>";
  return all;
}

// A save that writes the path's own name into the file.
TSaveTask WriteName(std::vector<fs::path>* saved = nullptr) {
  return [saved](const fs::path& p) {
    std::ofstream(p) << "new";
    if (saved) saved->push_back(p);
    return true;
  };
}

TEST(LibEdit, SubfoldersGetTheNextNumberAndFreeTitles) {
  TTempFolder t;
  const fs::path lib = t.Folder("ZRKTasks");
  t.Folder("ZRKTasks/004 Старое");
  TRecordingReporter r;
  EXPECT_EQ(AddSubfolder(lib, "", r), lib / "005 Папка 1");
  EXPECT_EQ(AddSubfolder(lib, "  ", r), lib / "006 Папка 2");
  EXPECT_EQ(AddSubfolder(lib, "старое", r), lib / "007 старое 1"); // the title is taken, in any case
  EXPECT_EQ(AddSubfolder(lib, "a/b", r), lib / "008 a b");
  EXPECT_TRUE(r.Messages.empty());
  EXPECT_FALSE(AddSubfolder(t / "gone", "x", r));
  EXPECT_TRUE(r.Messages.empty()); // a folder that is gone: nothing happens

  t.Folder("ZRKTasks/999 Last");
  EXPECT_FALSE(AddSubfolder(lib, "x", r));
  ASSERT_EQ(r.Messages.size(), 1u);
  EXPECT_EQ(r.Messages[0].Text, TooManyFilesText);
}

TEST(LibEdit, TasksGetTheNextFreeNumber) {
  TTempFolder t;
  const fs::path f = t.Folder("ZRKTasks/s");
  t.File("ZRKTasks/s/002 Ключ.zrk");
  t.Folder("ZRKTasks/s/003 Подпапка"); // a folder holds 003 too
  TRecordingReporter r;
  EXPECT_EQ(AddTaskFile(f, "Ключ", false, WriteName(), r), f / "004 Ключ 1.zrk");
  EXPECT_EQ(AddTaskFile(f, "a/b", false, WriteName(), r), f / "005 a b.zrk");
  EXPECT_EQ(AddTaskFile(f, "", false, WriteName(), r), f / "006.zrk");
  EXPECT_TRUE(r.Messages.empty());

  t.File("ZRKTasks/s/999 Z.zrk");
  EXPECT_FALSE(AddTaskFile(f, "x", false, WriteName(), r));
  ASSERT_EQ(r.Messages.size(), 1u);
  EXPECT_EQ(r.Messages[0].Text, TooManyFilesText);

  // A failed save stops with nothing else changed.
  const auto before = Contents(f);
  EXPECT_FALSE(AddTaskFile(t.Folder("ZRKTasks/e"), "x", false, [](const fs::path&) { return false; }, r));
  EXPECT_EQ(Contents(f), before);
}

TEST(LibEdit, AddingAMainTaskRenumbersTheOthers) {
  TTempFolder t;
  const fs::path f = t.Folder("ZRKTasks/s");
  t.File("ZRKTasks/s/000 X.zrk", "x");
  t.File("ZRKTasks/s/001 Y.zrk", "y");
  TRecordingReporter r;
  TRenames renamed;
  EXPECT_EQ(AddTaskFile(f, "Главная", true, WriteName(), r, &renamed), f / "000 Главная.zrk");
  EXPECT_EQ(NamesIn(f), (TNames{"000 Главная.zrk", "001 X.zrk", "002 Y.zrk"}));
  EXPECT_EQ(FileBytes(f / "001 X.zrk"), "x");
  EXPECT_EQ(FileBytes(f / "002 Y.zrk"), "y");
  EXPECT_EQ(FollowRenames(f / "000 X.zrk", renamed), f / "001 X.zrk");

  // 000 held by a subfolder: no task is renamed and nothing is written.
  const fs::path g = t.Folder("ZRKTasks/g");
  t.Folder("ZRKTasks/g/000 Введение");
  t.File("ZRKTasks/g/001 A.zrk");
  EXPECT_FALSE(AddTaskFile(g, "M", true, WriteName(), r));
  EXPECT_EQ(NamesIn(g), (TNames{"000 Введение", "001 A.zrk"}));
  EXPECT_EQ(r.Messages.size(), 1u);
}

TEST(LibEdit, PlanOfANewOrder) {
  TTempFolder t;
  const fs::path f = t.Folder("s");
  t.File("s/001 A.zrk");
  t.File("s/002 B.zrk");
  t.File("s/003.zrk");
  t.Folder("s/002 A.zrk"); // a folder that holds a name the plan would give

  const std::vector<TOrderEl> same = {{f / "001 A.zrk", "A"}, {f / "002 B.zrk", "B"}, {f / "003.zrk", ""}};
  EXPECT_EQ(PlanReorder(f, same, true, false), TRenames{});

  const std::vector<TOrderEl> swapped = {{f / "003.zrk", ""}, {f / "001 A.zrk", "A"}, {f / "002 B.zrk", "B"}};
  const auto plan = PlanReorder(f, swapped, true, false);
  ASSERT_TRUE(plan);
  std::vector<std::string> to;
  for (const TRename& rn : *plan) to.push_back(rn.To.filename().string());
  // The bare number stays bare; "002 A.zrk" is held by the folder, so A takes 003.
  EXPECT_EQ(to, (TNames{"001.zrk", "003 A.zrk", "004 B.zrk"}));

  const auto mainFirst = PlanReorder(f, same, true, true);
  ASSERT_TRUE(mainFirst);
  EXPECT_EQ(mainFirst->front().To.filename(), "000 A.zrk");
}

TEST(LibEdit, ReorderRenamesAndKeepsEveryFile) {
  TTempFolder t;
  const fs::path f = t.Folder("s");
  // Two tasks with the same title trade their numbers: only temporary names make that possible.
  t.File("s/001 x.zrk", "first");
  t.File("s/002 x.zrk", "second");
  TRecordingReporter r;
  const TReorderResult res = Reorder(f, {{f / "002 x.zrk", "x"}, {f / "001 x.zrk", "x"}}, true, false, r);
  EXPECT_TRUE(res.Ok);
  EXPECT_EQ(res.Renames.size(), 2u);
  EXPECT_EQ(FileBytes(f / "001 x.zrk"), "second");
  EXPECT_EQ(FileBytes(f / "002 x.zrk"), "first");
  EXPECT_EQ(NamesIn(f), (TNames{"001 x.zrk", "002 x.zrk"}));
  EXPECT_TRUE(r.Messages.empty());
}

TEST(LibEdit, ReorderOfFoldersCarriesTheCurrentTaskAlong) {
  TTempFolder t;
  const fs::path f = t.Folder("ZRKTasks");
  t.File("ZRKTasks/001 A/1.zrk");
  const fs::path task = t.File("ZRKTasks/002 B/2.zrk");
  TRecordingReporter r;
  const TReorderResult res = Reorder(f, {{f / "002 B", "B"}, {f / "001 A", "A"}}, false, false, r);
  ASSERT_TRUE(res.Ok);
  EXPECT_EQ(NamesIn(f), (TNames{"001 B", "002 A"}));
  EXPECT_EQ(FollowRenames(task, res.Renames), f / "001 B/2.zrk");
  EXPECT_TRUE(fs::exists(FollowRenames(task, res.Renames)));
  EXPECT_EQ(FollowRenames(t / "elsewhere.zrk", res.Renames), t / "elsewhere.zrk");
}

TEST(LibEdit, FailedRenamePutsEveryNameBack) {
  TTempFolder t;
  const fs::path f = t.Folder("s");
  t.File("s/001 A.zrk", "a");
  t.File("s/002 B.zrk", "b");
  t.File("s/003 C.zrk", "c");
  const auto plan = PlanReorder(f, {{f / "003 C.zrk", "C"}, {f / "001 A.zrk", "A"}, {f / "002 B.zrk", "B"}}, true, false);
  ASSERT_TRUE(plan);
  ASSERT_EQ(plan->size(), 3u);
  // The last target appears after the plan was made: that rename fails after the others.
  t.Folder("s/003 B.zrk");
  const auto before = Contents(f);
  TRecordingReporter r;
  EXPECT_FALSE(ApplyRenames(*plan, r));
  EXPECT_EQ(Contents(f), before);
  ASSERT_EQ(r.Messages.size(), 1u);
  EXPECT_EQ(r.Messages[0].Caption, "Ошибка");
  EXPECT_NE(r.Messages[0].Text.find(NotAllRenamedText), std::string::npos);
}

TEST(LibEdit, RenameNeverReplaces) {
  TTempFolder t;
  const fs::path a = t.File("a", "a"), b = t.File("b", "b");
  const fs::path empty = t.Folder("empty"), dir = t.Folder("dir");
  EXPECT_FALSE(RenameNoReplace(a, b));
  EXPECT_FALSE(RenameNoReplace(dir, empty));
  EXPECT_EQ(FileBytes(b), "b");
  EXPECT_TRUE(RenameNoReplace(a, t / "c"));
  EXPECT_EQ(FileBytes(t / "c"), "a");
}

TEST(LibEdit, NumbersPast999AreRefused) {
  TTempFolder t;
  const fs::path f = t.Folder("s");
  std::vector<TOrderEl> order;
  for (int i = 0; i < 1000; ++i) order.push_back({f / ("x" + std::to_string(i) + ".zrk"), "x"});
  EXPECT_FALSE(PlanReorder(f, order, true, false));
  order.pop_back();
  EXPECT_TRUE(PlanReorder(f, order, true, false));
  TRecordingReporter r;
  order.push_back({f / "y.zrk", "y"});
  EXPECT_FALSE(Reorder(f, order, true, false, r).Ok);
  ASSERT_EQ(r.Messages.size(), 1u);
  EXPECT_EQ(r.Messages[0].Text, TooManyFilesText);
}

} // namespace
} // namespace zrk
