#include "solver/distribution.h"

#include <algorithm>
#include <cstdio>

#include "play/play_engine.h"

namespace zrk {

namespace {

template <class... Args>
std::string Format(const char* format, Args... args) {
  char buffer[96];
  std::snprintf(buffer, sizeof buffer, format, args...);
  return buffer;
}

// A number with a fraction, written with the decimal comma of Russian texts.
std::string Decimal(const char* format, double value) {
  std::string text = Format(format, value);
  std::replace(text.begin(), text.end(), '.', ',');
  return text;
}

// Millions with three significant digits ("1,23", "45,6", "789"); from a thousand million on in
// whole millions, where three digits would need an exponent.
std::string Millions3(uint64_t count) {
  const double millions = double(count) * 1e-6;
  return Decimal(millions < 999.5 ? "%0.3g" : "%0.0f", millions);
}

} // namespace

TSolveCounts CountsOf(const TSolver& s) {
  TSolveCounts c;
  const size_t layers = std::min(s.LayerCounts.size(), size_t(std::max(s.L, 0)) + 1);
  c.LayerCounts.assign(s.LayerCounts.begin(), s.LayerCounts.begin() + std::ptrdiff_t(layers));
  c.L = s.L;
  c.PosTotal = s.PosTotal;
  c.GeneratedTotal = s.GeneratedTotal;
  c.ExpandedTotal = s.ExpandedTotal;
  c.MaxRecords = s.MaxRecords;
  c.SolCount = s.SolCount;
  c.SolutionLayer = s.SolutionLayer;
  c.ForgetIndex = s.ForgetIndex;
  c.SolveStopped = s.SolveStopped;
  c.LayerLimitHit = s.LayerLimitHit;
  c.OutOfMemory = s.OutOfMemory;
  c.HasEndPosition = s.HasEndPosition;
  return c;
}

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

std::string DistributionText(const TSolveCounts& s, const TSolveOptions& o, bool solving) {
  std::string text;
  const bool stopped = s.SolveStopped;
  const bool counted = o.Remote || o.ManySol || o.CountSol;
  for (int i = 0; i <= s.L && i < int(s.LayerCounts.size()); ++i) {
    const bool incomplete = i == s.L && (solving || stopped);
    text += Format("%d) %u%s", i, s.LayerCounts[size_t(i)], incomplete ? "?" : "");
    if (i == s.SolutionLayer) {
      if (counted) text += Format(" Решений %d%s", s.SolCount, incomplete ? "?" : "");
      else text += " Решение";
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

std::string DistributionText(const TSolver& solver, const TSolveOptions& options, bool solving) {
  return DistributionText(CountsOf(solver), options, solving);
}

TListedLayers ReadDistributionText(const std::string& text) {
  TListedLayers listed;
  bool ended = false;  // a closing line follows the layers
  bool complete = true;
  size_t at = 0;
  while (at < text.size()) {
    size_t end = text.find('\n', at);
    if (end == std::string::npos) end = text.size();
    const std::string line = text.substr(at, end - at);
    at = end + 1;
    unsigned layer = 0, count = 0;
    int used = 0;
    if (!ended && std::sscanf(line.c_str(), "%u) %u%n", &layer, &count, &used) == 2 && layer == listed.Counts.size() &&
        listed.Counts.size() < size_t(MaxLayers)) {
      listed.Counts.push_back(count);
      const std::string rest = line.substr(size_t(used));
      if (rest.starts_with("?")) complete = false;
      if (rest.find(" Решени") != std::string::npos) listed.SolutionLayer = int(layer);
      continue;
    }
    if (line.empty()) continue;
    ended = true;
    // Only "no solution" closes a search that reached its last layer.
    if (line != "Решение не найдено") complete = false;
  }
  listed.Complete = complete && !listed.Counts.empty();
  return listed;
}

std::string TimeText(int64_t ms, bool solving) {
  ms = std::max<int64_t>(ms, 0);
  if (solving) return Format("%lld сек.", (long long)((ms + 500) / 1000));
  const char* format = ms < 1000 ? "%0.3f" : ms < 10000 ? "%0.2f" : ms < 100000 ? "%0.1f" : "%0.0f";
  return Decimal(format, double(ms) * 0.001) + " сек.";
}

std::string CountText(uint64_t posTotal, bool incomplete) {
  const char* mark = incomplete ? "?" : "";
  if (posTotal < 1000000) return Format("%llu%s поз.", (unsigned long long)posTotal, mark);
  return Millions3(posTotal) + mark + " млн поз.";
}

std::string SummaryCountText(uint64_t posTotal, bool incomplete) {
  const char* mark = incomplete ? "?" : "";
  if (posTotal < 1000000) return Format("%llu%s поз.", (unsigned long long)posTotal, mark);
  return Decimal("%0.2f", double(posTotal) * 1e-6) + mark + " млн поз.";
}

std::string MaxCountText(uint64_t maxRecords) { return Millions3(maxRecords) + " млн макс."; }

std::string NubsText(uint64_t generated, uint64_t expanded) {
  return Decimal("%0.2f", expanded ? double(generated) / double(expanded) : 0.0);
}

std::string Lev0Text(int forgetIndex) { return forgetIndex ? std::to_string(forgetIndex) : std::string(); }

TSummaryLabels SummaryLabels(const TSolveSummary& s) {
  TSummaryLabels labels;
  labels.Time = TimeText(s.SolveTime, false);
  labels.Count = SummaryCountText(s.PosTotal, s.SolveStopped || s.CountsPartial);
  if (s.ExpandedTotal) labels.Nubs = NubsText(s.GeneratedTotal, s.ExpandedTotal);
  return labels;
}

} // namespace zrk
