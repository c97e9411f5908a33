// zrk-cli moves TASK.zrk: the played line in the move notation, the current entry, and the
// position tree one node a line in pre-order, indented by depth.
#include <cstdio>
#include <string>

#include "cli/commands.h"
#include "cli/play_session.h"
#include "model/cp1251.h"
#include "play/notation.h"

namespace zrk::cli {

int RunMoves(int argc, char** argv) {
  if (const int bad = CheckFileArguments("moves", argc, argv, {"не указан файл задачи"})) return bad;
  TPlaySession s;
  if (!s.Load(argv[0])) return 2;
  const TPlayEngine& e = s.Engine;
  if (!s.Task.Options.Play) {
    std::puts("режим игры: нет");
    return 0;
  }
  std::string line = LineText(e, false);
  const std::string rest = LineText(e, true);
  if (!line.empty() && !rest.empty()) line += ' ';
  line += rest;
  std::printf("линия: %s\n", Cp1251ToUtf8(line).c_str());
  std::printf("текущая позиция: %d из %d\n", e.Line.Cur, e.Line.Count - 1);
  std::puts("дерево:");
  for (const TPosNode* n : e.Tree.PreOrder()) {
    const std::string text = Cp1251ToUtf8(NodeText(s.Task, e.MiniMoves, *n->Line));
    std::printf("%s%s%s\n", std::string(size_t(2 * n->Depth()), ' ').c_str(), text.c_str(),
                n == e.Tree.Selected ? "  <" : "");
  }
  return 0;
}

} // namespace zrk::cli
