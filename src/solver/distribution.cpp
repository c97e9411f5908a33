#include "solver/distribution.h"

#include <cstdio>

namespace zrk {

std::string PreSolveCheck(const TTask& task, bool remote) {
  int moving = 0, withEnd = 0;
  for (int i = 1; i < task.FigCount; ++i) {
    const TFig& f = task.Figs[i];
    if (!f.OnField || f.Freedom == Fixed) continue;
    ++moving;
    if (f.EndPos != 0) ++withEnd;
  }
  if (moving == 0) return "На начальной позиции нет подвижных фигурок";
  if (withEnd == 0 && !remote) return "На конечной позиции нет подвижных фигурок";
  return "";
}

std::string DistributionText(const TSolver& s, const TSolveOptions& o, bool solving) {
  std::string text;
  char line[64];
  const bool stopped = s.SolveStopped;
  const bool counted = o.Remote || o.ManySol || o.CountSol;
  for (int i = 0; i <= s.L && i < int(s.LayerCounts.size()); ++i) {
    const bool incomplete = i == s.L && (solving || stopped);
    std::snprintf(line, sizeof line, "%d) %u%s", i, s.LayerCounts[i], incomplete ? "?" : "");
    text += line;
    if (i == s.SolutionLayer) {
      if (counted) {
        std::snprintf(line, sizeof line, " Решений %d%s", s.SolCount, incomplete ? "?" : "");
        text += line;
      } else {
        text += " Решение";
      }
    }
    text += "\n";
  }
  if (solving) return text;
  if (stopped) {
    text += s.LayerLimitHit ? "Ходов более 10000" : s.OutOfMemory ? "Не хватило памяти" : "Остановлено";
    text += "\n";
  } else if (s.SolCount > 0 && !o.Remote) {
    text += "?\n";
  } else if (s.HasEndPosition && s.SolCount == 0) {
    text += "Решение не найдено\n";
  }
  return text;
}

} // namespace zrk
