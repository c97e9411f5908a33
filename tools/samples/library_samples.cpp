// The sample library: classic puzzles described by their pieces, and small puzzles made for the
// move kinds of the program. Each stated number of moves is what the solver finds.
#include "library_samples.h"

namespace zrk::samples {

namespace {

const TRules AnyPath{AnyPathMove};
const TRules OneCell{OneCellMove};
const TRules OneDir{OneDirMove};

// The 4 x 5 sliding-block puzzles: the big square A leaves through the middle of the bottom edge.
const std::vector<std::string> SquareOut = {"....", "....", "....", ".AA.", ".AA."};

std::vector<TSample> Klotski() {
  const std::string folder = "001 Скользящие блоки/";
  return {
      {.File = folder + "001 Хуа Жун Дао",
       .Start = {"BAAC", "BAAC", "DEEF", "DGHF", "I..J"},
       .End = SquareOut,
       .Alike = {"BCDF", "GHIJ", "E"},
       .Red = "A",
       .Rules = AnyPath,
       .Name = "Хуа Жун Дао (横刀立马)",
       .Origin = "Старинная китайская головоломка; во Франции - \"Красный осёл\" (L'Ane rouge).",
       .Goal = "Выведите большой квадрат к середине нижнего края поля.",
       .MinMoves = 81},
      {.File = folder + "002 指挥若定",
       .Start = {"BAAC", "BAAC", "GEEH", "DIJF", "D..F"},
       .End = SquareOut,
       .Alike = {"BCDF", "GHIJ", "E"},
       .Red = "A",
       .Rules = AnyPath,
       .Name = "Хуа Жун Дао: 指挥若定",
       .Goal = "Выведите большой квадрат к середине нижнего края поля.",
       .MinMoves = 70},
      {.File = folder + "003 齐头并进",
       .Start = {"BAAC", "BAAC", "GHIJ", "DEEF", "D..F"},
       .End = SquareOut,
       .Alike = {"BCDF", "GHIJ", "E"},
       .Red = "A",
       .Rules = AnyPath,
       .Name = "Хуа Жун Дао: 齐头并进",
       .Goal = "Выведите большой квадрат к середине нижнего края поля.",
       .MinMoves = 60},
      {.File = folder + "004 兵分三路",
       .Start = {"GAAH", "BAAC", "BEEC", "DIJF", "D..F"},
       .End = SquareOut,
       .Alike = {"BCDF", "GHIJ", "E"},
       .Red = "A",
       .Rules = AnyPath,
       .Name = "Хуа Жун Дао: 兵分三路",
       .Goal = "Выведите большой квадрат к середине нижнего края поля.",
       .MinMoves = 72},
  };
}

std::vector<TSample> Tiles() {
  const std::string folder = "002 Пятнашки/";
  return {
      {.File = folder + "001 Восьмёрка",
       .Start = {"867", "254", "3.1"},
       .End = {"123", "456", "78."},
       .Rules = OneCell,
       .ShowNums = true,
       .NumberByChar = true,
       .Name = "Восьмёрка",
       .Goal = "Расставьте фишки по порядку.",
       .MinMoves = 31},
      {.File = folder + "002 Пятнашки",
       .Start = {"1234", "5678", "9ABC", "DEF."},
       .End = {"1234", "5678", "9ABC", "DEF."},
       .Rules = OneCell,
       .ShowNums = true,
       .NumberByChar = true,
       .Name = "Пятнашки",
       .Goal = "Расставьте фишки по порядку.",
       .MinMoves = 0},
      {.File = folder + "003 Плитки 2 x 5",
       .Start = {"12345", "6789."},
       .End = {"12345", "6789."},
       .Rules = OneCell,
       .ShowNums = true,
       .NumberByChar = true,
       .Name = "Плитки 2 x 5",
       .Goal = "Расставьте фишки по порядку.",
       .MinMoves = 0},
  };
}

std::vector<TSample> Alike() {
  const std::string folder = "007 Одинаковые фигуры/";
  return {
      {.File = folder + "001 Обмен",
       .Start = {"ABC", "D.E", "FGH"},
       .End = {"EFG", "H.A", "BCD"},
       .Alike = {"EFGH"},
       .Red = "ABCD",
       .Rules = OneCell,
       .Name = "Обмен",
       .Goal = "Поменяйте местами красные и синие фишки.",
       .MinMoves = 0},
      {.File = folder + "002 Обмен 4x3",
       .Start = {"AABB", "....", "CCDD"},
       .End = {"CCDD", "....", "AABB"},
       .Alike = {"CD"},
       .Red = "AB",
       .Rules = OneCell,
       .Name = "Обмен",
       .Goal = "Поменяйте местами красные и синие фишки.",
       .MinMoves = 0},
      {.File = folder + "003 Обмен 5",
       .Start = {"AB.CD"},
       .End = {"CD.AB"},
       .Alike = {"CD"},
       .Red = "AB",
       .Rules = OneCell,
       .Name = "Обмен",
       .Goal = "Поменяйте местами красные и синие фишки.",
       .MinMoves = 0},
  };
}

} // namespace

const std::vector<TSample>& LibrarySamples() {
  static const std::vector<TSample> all = [] {
    std::vector<TSample> v;
    for (auto family : {Klotski, Tiles, Alike})
      for (TSample& s : family()) v.push_back(std::move(s));
    return v;
  }();
  return all;
}

} // namespace zrk::samples
