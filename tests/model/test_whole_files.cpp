// The whole-file helpers against what lies outside the program: folders and devices instead of
// files, files too large, and saves that fail halfway.
#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>

#include "model/streams.h"

namespace zrk {
namespace {

namespace fs = std::filesystem;

struct TCount : IReporter {
  void Report(MsgKind, const std::string& c, const std::string& t) override { caption = c, text = t, ++count; }
  std::string caption, text;
  int count = 0;
};

// A fresh folder for one test, removed with everything in it.
struct TFolder {
  fs::path Path;
  TFolder() {
    Path = fs::temp_directory_path() / ("zrk_files_" + std::to_string(::getpid()) + "_" +
                                        ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(Path);
    fs::create_directories(Path);
  }
  ~TFolder() { fs::remove_all(Path); }
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(Path)) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }
};

std::vector<uint8_t> Bytes(size_t n, uint8_t seed) {
  std::vector<uint8_t> v(n);
  for (size_t i = 0; i < n; ++i) v[i] = uint8_t(seed + i * 7);
  return v;
}

TEST(WholeFiles, OnlyRegularFilesWithinTheLimitAreRead) {
  TFolder dir;
  const fs::path file = dir.Path / "task.zrk";
  const auto data = Bytes(5000, 3);
  ASSERT_TRUE(WriteWholeFile(file.string(), data.data(), data.size(), nullptr));
  struct {
    const char* What;
    std::string Name;
    size_t Max;
    bool Read;
  } cases[] = {
      {"a file within the limit", file.string(), 5000, true},
      {"a file one byte over the limit", file.string(), 4999, false},
      {"a folder", dir.Path.string(), MaxFileBytes, false},
      {"a device", "/dev/zero", MaxFileBytes, false},
  };
  for (const auto& c : cases) {
    TCount reporter;
    const auto got = ReadWholeFile(c.Name, &reporter, c.Max);
    EXPECT_EQ(got.has_value(), c.Read) << c.What;
    if (c.Read) {
      EXPECT_EQ(*got, data) << c.What;
    } else {
      EXPECT_EQ(reporter.caption, "Невозможно считать файл") << c.What;
      EXPECT_EQ(reporter.text, c.Name) << c.What;
    }
  }
  // A file that reports no size (as those of /proc do) is read to its end all the same.
  const auto status = ReadWholeFile("/proc/self/status", nullptr);
  ASSERT_TRUE(status);
  EXPECT_GT(status->size(), 0u);
}

// The disk fills up in the middle of a save: a child process may not write files longer than
// 4 KB, so writing 64 KB fails partway, as on a full disk.
TEST(WholeFiles, ASaveThatFailsMidwayKeepsTheOldFile) {
  TFolder dir;
  const fs::path file = dir.Path / "Current.zrk";
  const auto old = Bytes(1000, 1);
  ASSERT_TRUE(WriteWholeFile(file.string(), old.data(), old.size(), nullptr));
  const auto bigger = Bytes(64 * 1024, 2);

  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit{4096, 4096};
    ::setrlimit(RLIMIT_FSIZE, &limit);
    TCount reporter;
    const bool ok = WriteWholeFile(file.string(), bigger.data(), bigger.size(), &reporter);
    const bool reported = reporter.count == 1 && reporter.caption == "Невозможно записать файл" &&
                          reporter.text == file.string();
    ::_exit(ok ? 1 : reported ? 0 : 2);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0) << "1: the save claimed success, 2: it was not reported";
  EXPECT_EQ(ReadWholeFile(file.string(), nullptr), old);
  EXPECT_EQ(dir.Names(), std::vector<std::string>{"Current.zrk"}) << "the temporary file stays behind";
}

TEST(WholeFiles, ASaveReplacesTheFileBehindALinkAndKeepsItsRights) {
  TFolder dir;
  const fs::path real = dir.Path / "real.zrk";
  const fs::path link = dir.Path / "link.zrk";
  const auto first = Bytes(10, 1), second = Bytes(20, 2);
  ASSERT_TRUE(WriteWholeFile(real.string(), first.data(), first.size(), nullptr));
  ::chmod(real.c_str(), 0640);
  fs::create_symlink(real.filename(), link);
  ASSERT_TRUE(WriteWholeFile(link.string(), second.data(), second.size(), nullptr));
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(ReadWholeFile(real.string(), nullptr), second);
  struct stat st {};
  ASSERT_EQ(::stat(real.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u);
  EXPECT_EQ(dir.Names(), (std::vector<std::string>{"link.zrk", "real.zrk"}));
}

} // namespace
} // namespace zrk
