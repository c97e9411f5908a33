// zrk-cli play TASK.zrk (--moves TEXT | --moves-file FILE) [--at N] [--save-node NOTE] --out OUT.zrk
//
// Enters play mode as the play button does (keeping the line of a file saved in play mode), goes
// to entry N (default: the file's current entry), appends the moves as the "Ходы" command does,
// goes to the last entry, optionally saves that position into the tree with a note, and writes
// the task in play mode. Exit status: 0 all moves applied, 1 an error in the moves (the moves
// before it are kept and written), 2 bad arguments or a file that cannot be read or written.
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>

#include "cli/commands.h"
#include "cli/play_session.h"
#include "model/cp1251.h"
#include "play/notation.h"

namespace zrk::cli {

namespace {

int Fail(const std::string& problem) { return UsageError("play", problem); }

bool ParseIndex(const char* s, int& out) {
  char* end = nullptr;
  const long v = std::strtol(s, &end, 10);
  if (end == s || *end != 0 || v < 0 || v > 0x7FFFFFFF) return false;
  out = int(v);
  return true;
}

} // namespace

int RunPlay(int argc, char** argv) {
  std::string taskPath, out, movesFile;
  std::optional<std::string> moves, note;
  std::optional<int> at;
  for (int i = 0; i < argc; ++i) {
    const std::string a = argv[i];
    const bool option = a == "--moves" || a == "--moves-file" || a == "--at" || a == "--save-node" || a == "--out";
    if (option && i + 1 >= argc) return Fail(a + ": нет значения");
    if (a == "--moves") {
      moves = Utf8ToCp1251(argv[++i]);
    } else if (a == "--moves-file") {
      movesFile = argv[++i];
    } else if (a == "--at") {
      int n = 0;
      if (!ParseIndex(argv[++i], n)) return Fail("--at: ожидается номер позиции (0, 1, 2, ...)");
      at = n;
    } else if (a == "--save-node") {
      note = Utf8ToCp1251(argv[++i]);
    } else if (a == "--out") {
      out = argv[++i];
    } else if (a.rfind("--", 0) == 0) {
      return Fail("неизвестный параметр " + a);
    } else if (taskPath.empty()) {
      taskPath = a;
    } else {
      return Fail("лишний параметр " + a);
    }
  }
  if (taskPath.empty()) return Fail("не указан файл задачи");
  if (out.empty()) return Fail("не указан --out");
  if (moves.has_value() == !movesFile.empty()) return Fail("нужен один из параметров --moves и --moves-file");

  TPlaySession s;
  if (!movesFile.empty()) {
    auto bytes = ReadWholeFile(movesFile, &s.Reporter);
    if (!bytes) return 2;
    moves = MoveTextToCp1251(std::string(bytes->begin(), bytes->end()));
  }
  if (!s.Load(taskPath)) return 2;
  TPlayEngine& e = s.Engine;
  if (!s.Task.Options.Play) e.SetPlayMode(true, false, false);
  const int start = at.value_or(e.Line.Cur);
  if (start >= e.Line.Count) {
    std::fprintf(stderr, "--at %d: в линии %d позиций (0..%d)\n", start, e.Line.Count, e.Line.Count - 1);
    return 2;
  }
  e.GoTo(start);
  const TApplyResult applied = ApplyMoveList(e, *moves, &s.Reporter);
  e.GoTo(e.Line.Count - 1);
  if (note) {
    e.AddCurrent();
    if (e.Tree.Selected) e.Tree.Selected->Line->PosText = *note;
  }
  if (!SaveTask(s.Task, out, s.Io())) return 2;
  return applied.Complete ? 0 : 1;
}

} // namespace zrk::cli
