// zrk-cli info TASK.zrk: what a task file holds.
#include <cstdio>
#include <string>

#include "cli/cli_reporter.h"
#include "cli/commands.h"
#include "model/cp1251.h"
#include "model/task_file.h"

namespace zrk::cli {

namespace {

const char* FreedomText(int freedom) {
  switch (freedom) {
    case HorSlide: return "horizontal";
    case VertSlide: return "vertical";
    case Fixed: return "fixed";
    default: return "free";
  }
}

const char* MoveKindText(int kind) {
  switch (kind) {
    case OneDirMove: return "one direction";
    case AnyPathMove: return "any path";
    default: return "one cell";
  }
}

const char* YesNo(bool on) { return on ? "yes" : "no"; }

std::string CellText(int code) {
  std::string text = "(";
  text += std::to_string(CellX(code));
  text += ',';
  text += std::to_string(CellY(code));
  text += ')';
  return text;
}

void PrintFigures(const TTask& task) {
  std::printf("figures: %d\n", task.FigCount - 1);
  std::printf("  %-5s %-4s %-5s %-10s %-5s %-8s %-9s %s\n", "index", "num", "name", "freedom", "cells", "on field",
              "position", "end position");
  const CellCode fieldPos = task.Field().Pos;
  for (int i = 1; i < task.FigCount; ++i) {
    const TFig& f = task.Figs[i];
    std::string end = "-";
    if (f.EndPos != 0) end = CellText(fieldPos + f.EndPos - 0x81);
    std::printf("  %-5d %-4d %-5s %-10s %-5d %-8s %-9s %s\n", i, f.Num,
                f.HasName() ? Cp1251ToUtf8(f.NameStr()).c_str() : "-", FreedomText(f.Freedom), f.CellCount(),
                YesNo(f.OnField), f.CellCount() ? CellText(f.Pos).c_str() : "-", end.c_str());
  }
}

void PrintOptions(const TTaskOptions& o) {
  std::printf("move kind: %s\n", MoveKindText(o.MoveKind));
  std::printf("group slide: %s\n", YesNo(o.GrSlide));
  std::printf("minimal group: %s\n", YesNo(o.MinGr));
  std::printf("gravity: %s\n", YesNo(o.Gravity));
  std::printf("cooperative: %s\n", YesNo(o.Cooperative));
  std::printf("play mode: %s\n", YesNo(o.Play));
  std::printf("distinguish by name: %s\n", YesNo(o.DifByName));
  std::printf("cell width: %d\n", o.WC);
  std::printf("grid on field: %s, grid off field: %s, numbers: %s, end position shown: %s\n", YesNo(o.GridF),
              YesNo(o.GridE), YesNo(o.ShowNums), YesNo(o.EndPos));
  std::printf("coordinate notation: %s, latin letters: %s\n", YesNo(o.ChessNot), YesNo(o.LatNot));
  std::printf("picture: %s\n", YesNo(o.HasPicture));
}

} // namespace

int RunInfo(int argc, char** argv) {
  if (argc != 1) {
    PrintCommandUsage("info");
    return 2;
  }
  TStderrReporter reporter;
  TRe re;
  if (!re.OpenFile(argv[0], &reporter)) return 2;
  TTask task;
  task.New(true, true);
  if (!ReadTask(task, re, argv[0], {&reporter})) return 2;

  std::printf("file: %s (version %d)\n", argv[0], re.Version);
  std::printf("board: %d x %d\n", task.DimX, task.DimY);
  std::printf("field cells: %d\n", task.Field().CellCount());
  std::printf("free cells: %d\n", task.FreeCells);
  std::printf("flagged cells: %d\n", task.FlaggedCells);
  PrintFigures(task);
  std::printf("figures with an end position: %d\n", task.EndPosCount);
  PrintOptions(task.Options);
  std::printf("text:%s%s\n", task.Text.empty() ? " -" : "\n", Cp1251ToUtf8(task.Text).c_str());
  return 0;
}

} // namespace zrk::cli
