#include "sample_builder.h"

#include <algorithm>
#include <cstdio>
#include <map>

#include "model/cp1251.h"
#include "model/palette.h"
#include "support/task_text.h"

namespace zrk::samples {

namespace {

constexpr Colour Red = 0x0000FF;

bool Fail(const TSample& s, const char* what) {
  std::fprintf(stderr, "%s: %s\n", s.File.c_str(), what);
  return false;
}

bool IsFigureChar(char c) { return c != ' ' && c != '.'; }

// The cells of each figure character in the rows, row by row.
std::map<char, std::vector<TXY>> CellsOf(const std::vector<std::string>& rows) {
  std::map<char, std::vector<TXY>> cells;
  for (int y = 0; y < int(rows.size()); ++y)
    for (int x = 0; x < int(rows[y].size()); ++x)
      if (IsFigureChar(rows[y][x])) cells[rows[y][x]].push_back({x, y});
  return cells;
}

// The cells less their top-left corner: equal for figures of the same shape.
std::vector<std::pair<int, int>> Shape(const std::vector<TXY>& cells) {
  int minX = cells[0].X, minY = cells[0].Y;
  for (const TXY& c : cells) minX = std::min(minX, c.X), minY = std::min(minY, c.Y);
  std::vector<std::pair<int, int>> shape;
  for (const TXY& c : cells) shape.push_back({c.Y - minY, c.X - minX});
  std::sort(shape.begin(), shape.end());
  return shape;
}

// Colours: the red figure, one palette colour per group of alike figures, one for each other.
std::map<char, Colour> Colours(const TSample& s, const std::map<char, std::vector<TXY>>& cells) {
  std::map<char, Colour> colour;
  size_t next = 0;
  auto nextColour = [&] {
    Colour c;
    do c = StandardPalette[next++ % StandardPalette.size()];
    while (c == Red);
    return c;
  };
  for (char c : s.Red) colour[c] = Red;
  for (const std::string& group : s.Alike) {
    const Colour c = nextColour();
    for (char f : group) colour[f] = c;
  }
  for (const auto& [c, unused] : cells)
    if (!colour.count(c)) colour[c] = nextColour();
  return colour;
}

bool AddGrooves(const TSample& s, std::map<std::pair<int, int>, uint8_t>& flags) {
  for (const std::vector<TXY>& path : s.Grooves)
    for (size_t i = 1; i < path.size(); ++i) {
      TXY a = path[i - 1], b = path[i];
      if (b.X < a.X || b.Y < a.Y) std::swap(a, b);
      if (b.X == a.X + 1 && b.Y == a.Y) flags[{a.X, a.Y}] |= FlagGrooveToTheRight;
      else if (b.X == a.X && b.Y == a.Y + 1) flags[{a.X, a.Y}] |= FlagGrooveDown;
      else return Fail(s, "a groove joins cells that are not neighbours");
    }
  return true;
}

std::string RuleText(const TRules& r) {
  if (r.Mode == TMode::Gravity) return "Ход - наклон поля: все фигурки съезжают в направлении хода до упора.";
  if (r.Mode == TMode::Cooperative)
    return "Ход - движение нескольких фигурок в разных направлениях на 1 клетку.";
  if (r.MinGroup) return "Ход - смещение на одну клетку минимальной сцепленной группой фигурок.";
  std::string text = r.Kind == OneCellMove  ? "Ход - смещение фигурки на одну клетку."
                     : r.Kind == OneDirMove ? "Ход - смещение фигурки на одну или несколько клеток в одном направлении."
                                            : "Ход - перемещение одной фигурки по любому пути.";
  if (r.Group) text += " Фигурка может толкать другие.";
  return text;
}

void SetRules(TTaskOptions& o, const TSample& s) {
  o = TTaskOptions();
  o.ShowNums = s.ShowNums;
  o.SetGrSlide(s.Rules.Group);
  o.SetMoveKind(s.Rules.Kind);
  if (s.Rules.MinGroup) o.SetMinGr(true);
  switch (s.Rules.Mode) {
    case TMode::OneFigure: o.SetOneFig(); break;
    case TMode::Gravity: o.SetGravity(); break;
    case TMode::Cooperative: o.SetCooperative(); break;
  }
}

} // namespace

bool BuildSample(TTask& task, const TSample& s) {
  const auto start = CellsOf(s.Start);
  test::TTaskText text(s.Start);
  const auto colour = Colours(s, start);
  for (const auto& [c, unused] : start) {
    test::TFigSpec spec;
    spec.Color = colour.at(c);
    if (s.Horizontal.find(c) != std::string::npos) spec.Freedom = HorSlide;
    if (s.Vertical.find(c) != std::string::npos) spec.Freedom = VertSlide;
    if (s.Fixed.find(c) != std::string::npos) spec.Freedom = Fixed;
    text.Figs[c] = spec;
  }
  for (const TWall& w : s.Walls) text.Flags[{w.X, w.Y}] |= w.Side == Below ? FlagWallBelow : FlagWallOnTheRight;
  if (!AddGrooves(s, text.Flags)) return false;
  const std::map<char, int> index = test::BuildTask(task, text);

  if (s.NumberByChar) {
    static const std::string numbers = "123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";
    for (const auto& [c, i] : index) {
      const size_t n = numbers.find(c);
      if (n == std::string::npos || int(n) + 1 >= task.FigCount) return Fail(s, "a tile without a number");
      task.Figs[i].Num = uint8_t(n + 1);
    }
  }

  for (const TXY& p : s.Pins) {
    const uint16_t word = task.StartMap[MakeCell(p.X, p.Y)];
    if ((word & CellFigMask) == 0) return Fail(s, "a pin on a cell without a figure");
    task.StartMap[MakeCell(p.X, p.Y)] = uint16_t(word | CellPin);
  }
  if (!s.Pins.empty()) task.RebuildFigs(false);

  for (const auto& [c, cells] : CellsOf(s.End)) {
    const auto at = index.find(c);
    if (at == index.end()) return Fail(s, "an end position for a figure that is not there");
    if (Shape(cells) != Shape(start.at(c))) return Fail(s, "a figure changes its shape in the end position");
    int x = cells[0].X, y = cells[0].Y;
    for (const TXY& p : cells) x = std::min(x, p.X), y = std::min(y, p.Y);
    task.Figs[at->second].EndPos = int16_t(0x81 + MakeCell(x, y) - task.Field().Pos);
  }
  task.BuildMaps(true, true);
  SetRules(task.Options, s);

  std::string words = s.Name + "\r\n";
  if (!s.Origin.empty()) words += s.Origin + "\r\n";
  words += s.Goal + "\r\n" + RuleText(s.Rules) + "\r\n";
  words += "Наименьшее число ходов: " + std::to_string(s.MinMoves) + ".";
  task.Text = Utf8ToCp1251(words);
  if (Cp1251ToUtf8(task.Text) != words) return Fail(s, "the text holds characters that code page 1251 has not");
  return true;
}

} // namespace zrk::samples
