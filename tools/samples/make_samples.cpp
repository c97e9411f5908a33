// Writes the sample tasks of samples/ with ZRK's own task writer: the single sample klotski.zrk
// and the sample library ZRKTasks/.
//   zrk-make-samples OUTPUT_FOLDER
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "library_samples.h"
#include "model/cp1251.h"
#include "model/task_file.h"

namespace {

using namespace zrk;

// The classic sliding-block puzzle on a 4 x 5 field: a 2 x 2 square, four vertical dominoes, one
// horizontal domino and four single cells. The dominoes and the singles are interchangeable among
// themselves. The square must reach the middle of the bottom edge.
void MakeKlotski(TTask& task) {
  const std::vector<std::string> rows = {
      "BAAC",
      "BAAC",
      "DEEF",
      "DGHF",
      "I..J",
  };
  task.Clear(true, true, true);
  task.New(true, true);
  task.DimX = 6;
  task.DimY = 7;
  std::fill(task.StartMap.begin(), task.StartMap.end(), 0);
  const std::string letters = "ABCDEFGHIJ";
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 4; ++x) {
      const char c = rows[y][x];
      uint16_t word = CellField;
      if (c != '.') word |= uint16_t(letters.find(c) + 1);
      task.StartMap[MakeCell(x + 1, y + 1)] = word;
    }
  task.FigCount = int(letters.size()) + 1;
  const Colour square = 0x0000FF, vertical = 0xFFFF80, horizontal = 0x80FF80, single = 0x80FFFF;
  const Colour colours[] = {square, vertical, vertical, vertical, horizontal, vertical, single, single, single, single};
  for (int i = 1; i < task.FigCount; ++i) {
    task.Figs[i].Init(&task, i);
    task.Figs[i].Color = colours[i - 1];
  }
  task.RebuildFigs(false);
  // The square's end position: one column right of the field's left edge, on its last two rows.
  task.Figs[1].EndPos = int16_t(0x81 + MakeCell(1, 3) - MakeCell(0, 0));
  task.BuildMaps(true, true);
  task.Options = TTaskOptions();
  task.Options.GrSlide = false;
  task.Options.MoveKind = AnyPathMove;
  task.Text = Utf8ToCp1251(
      "Классическая головоломка с квадратом, пятью прямоугольниками и четырьмя квадратиками. "
      "Переведите большой квадрат к середине нижнего края поля.");
}

bool Write(const TTask& task, const std::filesystem::path& path) {
  TSilentReporter silent;
  std::error_code ec;
  std::filesystem::create_directories(path.parent_path(), ec);
  if (!SaveTask(task, path.string(), {&silent})) {
    std::fprintf(stderr, "cannot write %s\n", path.c_str());
    return false;
  }
  std::printf("%s\n", path.c_str());
  return true;
}

} // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fputs("usage: zrk-make-samples OUTPUT_FOLDER\n", stderr);
    return 2;
  }
  const std::filesystem::path out = argv[1];
  TTask task;
  MakeKlotski(task);
  if (!Write(task, out / "klotski.zrk")) return 1;
  for (const samples::TSample& s : samples::LibrarySamples()) {
    if (!samples::BuildSample(task, s)) return 1;
    if (!Write(task, out / "ZRKTasks" / (s.File + ".zrk"))) return 1;
  }
  return 0;
}
