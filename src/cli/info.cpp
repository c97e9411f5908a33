// zrk-cli info TASK.zrk: what a task file holds.
#include <cstdio>
#include <iterator>
#include <string>

#include "cli/cli_reporter.h"
#include "cli/commands.h"
#include "model/cp1251.h"
#include "model/task_file.h"

namespace zrk::cli {

namespace {

const char* FreedomText(int freedom) {
  switch (freedom) {
    case HorSlide: return "по горизонтали";
    case VertSlide: return "по вертикали";
    case Fixed: return "неподвижна";
    default: return "любое";
  }
}

// The move kinds as the window's radio buttons name them.
const char* MoveKindText(int kind) {
  switch (kind) {
    case OneDirMove: return "в одном направлении";
    case AnyPathMove: return "любой путь";
    default: return "на 1 клетку";
  }
}

const char* YesNo(bool on) { return on ? "да" : "нет"; }

std::string CellText(int code) {
  return "(" + std::to_string(CellX(code)) + "," + std::to_string(CellY(code)) + ")";
}

// A column of a table: the text padded to the width in letters (UTF-8 counts bytes).
std::string Column(const std::string& text, size_t width) {
  size_t letters = 0;
  for (unsigned char c : text) letters += (c & 0xC0) != 0x80;
  return text + std::string(width > letters ? width - letters : 0, ' ') + " ";
}

void PrintFigures(const TTask& task) {
  std::printf("фигурок: %d\n", task.FigCount - 1);
  const size_t widths[] = {6, 5, 4, 14, 6, 7, 8};
  const char* heads[] = {"индекс", "номер", "имя", "движение", "клеток", "на поле", "позиция"};
  std::string head = "  ";
  for (size_t k = 0; k < std::size(heads); ++k) head += Column(heads[k], widths[k]);
  std::printf("%sконечная позиция\n", head.c_str());
  const CellCode fieldPos = task.Field().Pos;
  for (int i = 1; i < task.FigCount; ++i) {
    const TFig& f = task.Figs[i];
    const std::string cells[] = {std::to_string(i), std::to_string(f.Num), f.HasName() ? Cp1251ToUtf8(f.NameStr()) : "-",
                                 FreedomText(f.Freedom), std::to_string(f.CellCount()), YesNo(f.OnField),
                                 f.CellCount() ? CellText(f.Pos) : "-"};
    std::string row = "  ";
    for (size_t k = 0; k < std::size(cells); ++k) row += Column(cells[k], widths[k]);
    std::printf("%s%s\n", row.c_str(), f.EndPos != 0 ? CellText(fieldPos + f.EndPos - 0x81).c_str() : "-");
  }
}

void PrintOptions(const TTaskOptions& o) {
  std::printf("вид хода: %s\n", MoveKindText(o.MoveKind));
  std::printf("групповое смещение: %s\n", YesNo(o.GrSlide));
  std::printf("минимальная группа: %s\n", YesNo(o.MinGr));
  std::printf("гравитационное: %s\n", YesNo(o.Gravity));
  std::printf("кооперативное: %s\n", YesNo(o.Cooperative));
  std::printf("режим игры: %s\n", YesNo(o.Play));
  std::printf("различать по именам: %s\n", YesNo(o.DifByName));
  std::printf("размер клетки: %d\n", o.WC);
  std::printf("сетка на поле: %s, сетка вне поля: %s, номера: %s, показ конечной позиции: %s\n", YesNo(o.GridF),
              YesNo(o.GridE), YesNo(o.ShowNums), YesNo(o.EndPos));
  std::printf("координатная запись ходов: %s, латинские буквы: %s\n", YesNo(o.ChessNot), YesNo(o.LatNot));
  std::printf("картинка: %s\n", YesNo(o.HasPicture));
}

} // namespace

int RunInfo(int argc, char** argv) {
  if (const int bad = CheckFileArguments("info", argc, argv, {"не указан файл задачи"})) return bad;
  TStderrReporter reporter;
  TRe re;
  if (!re.OpenFile(argv[0], &reporter)) return 2;
  TTask task;
  task.New(true, true);
  if (!ReadTask(task, re, argv[0], {&reporter})) return 2;

  std::printf("файл: %s (версия %d)\n", argv[0], re.Version);
  std::printf("доска: %d x %d\n", task.DimX, task.DimY);
  std::printf("клеток поля: %d\n", task.Field().CellCount());
  std::printf("свободных клеток: %d\n", task.FreeCells);
  std::printf("клеток со стенками и желобками: %d\n", task.FlaggedCells);
  PrintFigures(task);
  std::printf("фигурок с конечной позицией: %d\n", task.EndPosCount);
  PrintOptions(task.Options);
  std::printf("текст:%s%s\n", task.Text.empty() ? " -" : "\n", Cp1251ToUtf8(task.Text).c_str());
  return 0;
}

} // namespace zrk::cli
