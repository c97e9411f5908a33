// zrk-bench-library: the navigator's scan of a large library. Lays out a library of 10,000 small
// task files in 500 folders (20 folders of 24 subfolders each, 20 tasks a folder) in a temporary
// folder, then reads the whole tree for a task in its last folder several times and prints the
// fastest and the slowest run. The first run reads the folders as the creation left them in the
// page cache; an arbitrary folder size can be given: zrk-bench-library TOP SUB TASKS.
#include <stdlib.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "model/platform.h"
#include "tasklib/lib_names.h"
#include "tasklib/lib_tree.h"

namespace fs = std::filesystem;

int main(int argc, char** argv) {
  const int top = argc > 1 ? std::atoi(argv[1]) : 20;
  const int sub = argc > 2 ? std::atoi(argv[2]) : 24;
  const int tasks = argc > 3 ? std::atoi(argv[3]) : 20;
  std::string pattern = (fs::temp_directory_path() / "zrk_bench_lib_XXXXXX").string();
  if (!mkdtemp(pattern.data())) return 1;
  const fs::path lib = fs::path(pattern) / "ZRKTasks";
  int folders = 0, files = 0;
  fs::path last;
  auto fill = [&](const fs::path& folder) {
    fs::create_directories(folder);
    ++folders;
    for (int t = 1; t <= tasks; ++t) {
      last = folder / zrk::NumberedName(t, "Задача " + std::to_string(t), ".zrk");
      std::ofstream(last) << "x";
      ++files;
    }
  };
  for (int i = 1; i <= top; ++i) {
    const fs::path f = lib / zrk::NumberedName(i, "Серия " + std::to_string(i), "");
    fill(f);
    for (int j = 1; j <= sub; ++j) fill(f / zrk::NumberedName(j, "Подпапка " + std::to_string(j), ""));
  }

  std::vector<double> ms;
  zrk::TLibrary library;
  for (int run = 0; run < 7; ++run) {
    const int64_t start = zrk::SteadyNowMs();
    library.Build(last);
    ms.push_back(double(zrk::SteadyNowMs() - start));
  }
  std::sort(ms.begin(), ms.end());
  std::printf("library of %d tasks in %d folders: %s, read in %.0f ms (fastest) to %.0f ms (slowest) of %zu runs\n",
              files, folders, library.RootText().c_str(), ms.front(), ms.back(), ms.size());
  std::error_code ec;
  fs::remove_all(pattern, ec);
  return library.TargetDir && library.TargetRow == tasks - 1 ? 0 : 1;
}
