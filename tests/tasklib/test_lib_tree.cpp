// The library tree read from temporary folders: the root, the target folder and row, the counts,
// the list rows, and the bounds that keep a scan finite.
#include <gtest/gtest.h>

#include <unistd.h>

#include "support/temp_folder.h"
#include "tasklib/lib_tree.h"

namespace zrk {
namespace {

using test::TTempFolder;

std::vector<std::string> Rows(const TDir& d) {
  std::vector<std::string> rows;
  for (size_t i = 0; i < d.Files.size(); ++i) rows.push_back(d.RowText(i));
  return rows;
}

std::vector<std::string> NodeTexts(const TDir& d) {
  std::vector<std::string> texts;
  for (const auto& s : d.Subdirs) texts.push_back(s->NodeText());
  return texts;
}

TEST(LibTree, TaskInALibrarySubfolder) {
  TTempFolder t;
  t.File("home/ZrkTasks/001 Блоки/001 A.zrk");
  const auto task = t.File("home/ZrkTasks/001 Блоки/003 C.zrk");
  t.File("home/ZrkTasks/001 Блоки/notes.txt");
  t.File("home/ZrkTasks/002 Плитки/sub/x.zrk");
  t.File("home/ZrkTasks/002 Плитки/.hidden/y.zrk");
  t.File("home/ZrkTasks/top.zrk");
  t.File("home/outside.zrk");

  TLibrary lib;
  lib.Build(task);
  EXPECT_FALSE(lib.RootIsTaskFolder);
  EXPECT_EQ(lib.LibRoot, t / "home/ZrkTasks");
  EXPECT_EQ(lib.RootText(), "Задачи (4)");
  EXPECT_EQ(NodeTexts(*lib.Root()), (std::vector<std::string>{"Блоки (2)", "Плитки (1)"}));
  ASSERT_NE(lib.TargetDir, nullptr);
  EXPECT_EQ(lib.TargetDir->Path, t / "home/ZrkTasks/001 Блоки");
  EXPECT_EQ(lib.TargetRow, 1);
  // The row shows its position, not the file's number.
  EXPECT_EQ(Rows(*lib.TargetDir), (std::vector<std::string>{"1. A", "2. C"}));
  EXPECT_EQ(lib.TargetDir->MaxTaskNum, 3);
  EXPECT_EQ(lib.Root()->MaxDirNum, 2);

  // A folder as the target: that folder, no row.
  lib.Build(t / "home/ZrkTasks/002 Плитки/sub/");
  EXPECT_EQ(lib.TargetDir->Path, t / "home/ZrkTasks/002 Плитки/sub");
  EXPECT_EQ(lib.TargetRow, -1);
  EXPECT_EQ(lib.Find(t / "home/ZrkTasks/002 Плитки/sub"), lib.TargetDir);
}

TEST(LibTree, InnermostLibraryFolderIsTheRoot) {
  TTempFolder t;
  const auto task = t.File("ZRKTASKS/a/zrktasks/b/1.zrk");
  t.File("ZRKTASKS/other.zrk");
  TLibrary lib;
  lib.Build(task);
  EXPECT_EQ(lib.LibRoot, t / "ZRKTASKS/a/zrktasks");
  EXPECT_EQ(lib.RootText(), "Задачи (1)");
  EXPECT_EQ(lib.TargetDir->Path, t / "ZRKTASKS/a/zrktasks/b");
  EXPECT_EQ(lib.TargetRow, 0);
}

TEST(LibTree, MainTaskRows) {
  TTempFolder t;
  t.File("ZRKTasks/s/000.zrk");
  t.File("ZRKTasks/s/001 A.zrk");
  const auto b = t.File("ZRKTasks/s/B.zrk");
  TLibrary lib;
  lib.Build(b);
  EXPECT_TRUE(lib.TargetDir->HasMain);
  EXPECT_EQ(Rows(*lib.TargetDir), (std::vector<std::string>{"*", "1. A", "2. B"}));
  EXPECT_EQ(lib.TargetRow, 2);
}

TEST(LibTree, WithoutLibraryTheTaskFolderIsTheRoot) {
  TTempFolder t;
  const auto task = t.File("007 Мои задачи/x.zrk");
  t.File("007 Мои задачи/deeper/y.zrk");
  TLibrary lib;
  lib.Build(task);
  EXPECT_TRUE(lib.RootIsTaskFolder);
  EXPECT_EQ(lib.RootText(), "Мои задачи (2)");
  EXPECT_EQ(lib.TargetDir, lib.Root());
  EXPECT_EQ(lib.TargetRow, 0);
}

TEST(LibTree, MissingTargetSelectsTheRoot) {
  TTempFolder t;
  t.File("ZRKTasks/a/1.zrk");
  TLibrary lib;
  lib.Build(t / "ZRKTasks/a/gone.zrk");
  EXPECT_EQ(lib.TargetDir->Path, t / "ZRKTasks/a");
  EXPECT_EQ(lib.TargetRow, -1);
  lib.Build(t / "ZRKTasks/gone/2.zrk");
  EXPECT_EQ(lib.TargetDir, lib.Root());
}

TEST(LibTree, LinksToFoldersAreNotFollowed) {
  TTempFolder t;
  const auto task = t.File("ZRKTasks/a/1.zrk");
  std::filesystem::create_directory_symlink(t / "ZRKTasks", t / "ZRKTasks/a/loop");
  std::filesystem::create_symlink(t / "ZRKTasks/a/1.zrk", t / "ZRKTasks/link.zrk");
  TLibrary lib;
  lib.Build(task);
  EXPECT_EQ(lib.RootText(), "Задачи (2)"); // the linked task file counts, the linked folder not
  EXPECT_TRUE(lib.TargetDir->Subdirs.empty());
}

TEST(LibTree, DeepAndWideFoldersAreBounded) {
  TTempFolder t;
  std::string deep = "ZRKTasks";
  for (int i = 0; i < 40; ++i) deep += "/d";
  const auto task = t.File(deep + "/x.zrk");
  TLibrary lib;
  lib.Build(task);
  int depth = 0;
  const TDir* d = lib.Root();
  while (!d->Subdirs.empty()) d = d->Subdirs[0].get(), ++depth;
  EXPECT_EQ(depth, lib.Limits.MaxDepth);
  EXPECT_TRUE(d->SubdirsCut);
  EXPECT_EQ(lib.TargetDir, lib.Root()); // beyond the bound: not found

  TTempFolder w;
  for (int i = 0; i < 30; ++i) w.Folder("ZRKTasks/f" + std::to_string(i));
  lib.Limits.MaxFolders = 10;
  lib.Build(w / "ZRKTasks");
  EXPECT_EQ(lib.Root()->Subdirs.size(), 9u);
  EXPECT_TRUE(lib.Root()->SubdirsCut);
}

TEST(LibTree, RescanOfOneFolderUpdatesTheCountsAbove) {
  TTempFolder t;
  const auto task = t.File("ZRKTasks/a/b/1.zrk");
  TLibrary lib;
  lib.Build(task);
  TDir* b = lib.TargetDir;
  t.File("ZRKTasks/a/b/000 Главная.zrk");
  t.File("ZRKTasks/a/b/005 Ещё.zrk");
  lib.RescanFiles(*b);
  EXPECT_EQ(b->TaskCount, 3);
  EXPECT_EQ(b->Parent->TaskCount, 3);
  EXPECT_EQ(lib.RootText(), "Задачи (3)");
  EXPECT_TRUE(b->HasMain);
  EXPECT_EQ(b->MaxTaskNum, 5);
  EXPECT_EQ(Rows(*b), (std::vector<std::string>{"* Главная", "1. Ещё", "2. 1"}));
}

} // namespace
} // namespace zrk
