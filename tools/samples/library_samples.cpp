// The sample library: classic puzzles described by their pieces, and puzzles made for the move
// kinds of the program (found by a search for long shortest solutions). Each stated number of
// moves is what the solver finds with the task's own rules.
#include "library_samples.h"

namespace zrk::samples {

namespace {

const TRules AnyPath{AnyPathMove};
const TRules OneCell{OneCellMove};
const TRules OneDir{OneDirMove};
const TRules GroupOneCell{OneCellMove, true};
const TRules GroupOneDir{OneDirMove, true};
const TRules MinGroup{OneCellMove, true, true};
const TRules Gravity{OneCellMove, false, false, TMode::Gravity};
const TRules Cooperative{OneCellMove, false, false, TMode::Cooperative};

const char* const MadeForZrk = "Составлена для примеров ZRK.";

// ---------------------------------------------------------------------------------------------
// The 4 x 5 sliding-block puzzle and its traditional layouts: a 2 x 2 square (A), four vertical
// and one horizontal domino, four single cells. The square leaves through the middle of the
// bottom edge.

const std::vector<std::string> SquareOut = {"....", "....", "....", ".AA.", ".AA."};
const std::vector<std::string> KlotskiAlike = {"BCDF", "GHIJ", "E"};
const char* const SquareGoal = "Выведите большой квадрат к середине нижнего края поля.";
const char* const KlotskiVariant = "Одна из традиционных китайских расстановок головоломки Хуа Жун Дао.";

std::vector<TSample> Klotski() {
  const std::string folder = "001 Скользящие блоки/";
  return {
      {.File = folder + "001 Хуа Жун Дао",
       .Start = {"BAAC", "BAAC", "DEEF", "DGHF", "I..J"},
       .End = SquareOut, .Alike = KlotskiAlike, .Red = "A", .Rules = AnyPath,
       .Name = "Хуа Жун Дао (Хэн дао ли ма)",
       .Origin = "Старинная китайская головоломка: Цао Цао (большой квадрат) бежит через проход Хуа Жун. "
                 "В Европе известна как \"Красный осёл\" (L'Ane rouge).",
       .Goal = SquareGoal, .MinMoves = 81},
      {.File = folder + "002 Спокойное командование",
       .Start = {"BAAC", "BAAC", "GEEH", "DIJF", "D..F"},
       .End = SquareOut, .Alike = KlotskiAlike, .Red = "A", .Rules = AnyPath,
       .Name = "Хуа Жун Дао: Чжи хуэй жо дин (\"Спокойное командование\")",
       .Origin = KlotskiVariant, .Goal = SquareGoal, .MinMoves = 70},
      {.File = folder + "003 Плечом к плечу",
       .Start = {"BAAC", "BAAC", "GHIJ", "DEEF", "D..F"},
       .End = SquareOut, .Alike = KlotskiAlike, .Red = "A", .Rules = AnyPath,
       .Name = "Хуа Жун Дао: Ци тоу бин цзинь (\"Плечом к плечу\")",
       .Origin = KlotskiVariant, .Goal = SquareGoal, .MinMoves = 60},
      {.File = folder + "004 Три колонны",
       .Start = {"GAAH", "BAAC", "BEEC", "DIJF", "D..F"},
       .End = SquareOut, .Alike = KlotskiAlike, .Red = "A", .Rules = AnyPath,
       .Name = "Хуа Жун Дао: Бин фэнь сань лу (\"Три колонны\")",
       .Origin = KlotskiVariant, .Goal = SquareGoal, .MinMoves = 72},
  };
}

// ---------------------------------------------------------------------------------------------
// Tile puzzles: numbered tiles and one empty cell.

const char* const InOrder = "Расставьте фишки по порядку номеров, пустая клетка - в правом нижнем углу.";

std::vector<TSample> Tiles() {
  const std::string folder = "002 Пятнашки/";
  return {
      {.File = folder + "001 Восьмёрка",
       .Start = {"867", "254", "3.1"}, .End = {"123", "456", "78."},
       .Rules = OneCell, .ShowNums = true, .NumberByChar = true,
       .Name = "Восьмёрка",
       .Origin = "Пятнашки на поле 3 x 3. Эта позиция - одна из двух самых далёких от решения.",
       .Goal = InOrder, .MinMoves = 31},
      {.File = folder + "002 Пятнашки",
       .Start = {"1234", "5.78", "9DCA", "E6FB"}, .End = {"1234", "5678", "9ABC", "DEF."},
       .Rules = OneCell, .ShowNums = true, .NumberByChar = true,
       .Name = "Пятнашки",
       .Origin = "Головоломку придумал почтмейстер Нойес Чепмен (США) около 1874 года; в 1880 году ею "
                 "увлёкся весь мир.",
       .Goal = InOrder, .MinMoves = 18},
      {.File = folder + "003 Плитки 2 x 5",
       .Start = {".9371", "54826"}, .End = {"12345", "6789."},
       .Rules = OneCell, .ShowNums = true, .NumberByChar = true,
       .Name = "Плитки 2 x 5",
       .Origin = "Пятнашки на поле 2 x 5. Эта позиция - одна из двух самых далёких от решения.",
       .Goal = InOrder, .MinMoves = 55},
  };
}

// ---------------------------------------------------------------------------------------------
// Traffic jams on a 6 x 6 car park with the exit on the right of the third row: cars (two cells)
// and lorries (three) drive only along their own length; the red car A leaves.

const std::vector<std::string> CarOut = {"      ", "      ", "......AA", "      ", "      ", "      "};
const char* const RushOrigin = "По мотивам головоломки Нобуюки Ёсигахары \"Час пик\" (Rush Hour). "
                               "Расстановка составлена для примеров ZRK.";
const char* const RushGoal = "Выведите красную машину через выезд справа. Машины ездят только вдоль себя.";

std::vector<TSample> TrafficJams() {
  const std::string folder = "003 Час пик/";
  return {
      {.File = folder + "001 Разминка",
       .Start = {"......", ".BB.E.", ".AAFE...", "..CFE.", "..CFDD", "..C..."},
       .End = CarOut, .Red = "A", .Horizontal = "ABD", .Vertical = "CEF", .Rules = OneDir,
       .Name = "Час пик: разминка", .Origin = RushOrigin, .Goal = RushGoal, .MinMoves = 9},
      {.File = folder + "002 Пробка",
       .Start = {".FFFD.", ".BIID.", ".BAAG...", "HHC.G.", "..CEE.", "......"},
       .End = CarOut, .Red = "A", .Horizontal = "AEFHI", .Vertical = "BCDG", .Rules = OneDir,
       .Name = "Час пик: пробка", .Origin = RushOrigin, .Goal = RushGoal, .MinMoves = 25},
      {.File = folder + "003 Затор",
       .Start = {"FGGEEE", "F.HIIK", "AAHB.K..", "...BDD", ".CCCJ.", "MMLLJ."},
       .End = CarOut, .Red = "A", .Horizontal = "ACDEGILM", .Vertical = "BFHJK", .Rules = OneDir,
       .Name = "Час пик: затор", .Origin = RushOrigin, .Goal = RushGoal, .MinMoves = 35},
      {.File = folder + "004 Тупик",
       .Start = {"DCCC.E", "D.HJJE", "AAHKLG..", ".BBKLG", "...IFF", ".MMI.."},
       .End = CarOut, .Red = "A", .Horizontal = "ABCFJM", .Vertical = "DEGHIKL", .Rules = OneDir,
       .Name = "Час пик: тупик", .Origin = RushOrigin, .Goal = RushGoal, .MinMoves = 38},
  };
}

// ---------------------------------------------------------------------------------------------
// Walls between cells.

std::vector<TSample> Walls() {
  const std::string folder = "004 Стены/";
  return {
      {.File = folder + "001 Лабиринт",
       .Start = {"..EGG", "HHE.C", "AFDDC", "..J.B", ".IJ.B"},
       .End = {".....", ".....", ".....", ".....", "....A"},
       .Red = "A",
       .Walls = {{3, 3, Below}, {2, 1, Right}, {1, 0, Below}, {2, 2, Below}, {3, 2, Below}, {0, 3, Below},
                 {0, 4, Right}},
       .Rules = OneCell,
       .Name = "Лабиринт", .Origin = MadeForZrk,
       .Goal = "Проведите красную фишку в правый нижний угол. Стены не пропускают фигурки.", .MinMoves = 56},
      {.File = folder + "002 Квадрат за стенкой",
       .Start = {"IAAH", "FAA.", "FGBB", "EECD", "..C."},
       .End = SquareOut, .Alike = {"IHGD", "FC", "BE"}, .Red = "A",
       .Walls = {{0, 0, Below}, {3, 0, Below}, {2, 1, Right}},
       .Rules = AnyPath,
       .Name = "Квадрат за стенкой", .Origin = MadeForZrk,
       .Goal = "Выведите большой квадрат к середине нижнего края поля. Стены не пропускают фигурки.",
       .MinMoves = 39},
  };
}

// ---------------------------------------------------------------------------------------------
// A pin that travels only along a groove.

std::vector<TSample> Pins() {
  const std::string folder = "005 Штыри и пазы/";
  return {
      {.File = folder + "001 Змейка",
       .Start = {"AGCHD", "EGCHD", "EFFBB", "....."},
       .End = {".....", ".....", ".....", "....A"},
       .Alike = {"GCHDE", "FB"}, .Red = "A",
       .Grooves = {{{0, 0}, {1, 0}, {2, 0}, {3, 0}, {4, 0}, {4, 1}, {3, 1}, {2, 1}, {1, 1}, {0, 1}, {0, 2}, {1, 2},
                    {2, 2}, {3, 2}, {4, 2}, {4, 3}}},
       .Pins = {{0, 0}},
       .Rules = OneCell,
       .Name = "Змейка", .Origin = MadeForZrk,
       .Goal = "Красная фишка со штырём ходит только по пазу-змейке. Доведите её до конца паза.", .MinMoves = 56},
  };
}

// ---------------------------------------------------------------------------------------------
// Fixed figures: posts that never move.

std::vector<TSample> FixedFigures() {
  const std::string folder = "006 Закреплённые фигуры/";
  return {
      {.File = folder + "001 Столбы",
       .Start = {".AA.L", "IAAFG", "CHJFB", "CHEEB", ".K.DD"},
       .End = {".....", ".....", ".....", "...AA", "...AA"},
       .Alike = {"CFHB", "JK", "ED"}, .Red = "A", .Fixed = "GIL",
       .Rules = AnyPath,
       .Name = "Столбы", .Origin = MadeForZrk,
       .Goal = "Переведите большой квадрат в правый нижний угол. Три серые фигурки закреплены.", .MinMoves = 35},
  };
}

// ---------------------------------------------------------------------------------------------
// Interchangeable figures: of one colour and one shape, any of them may take any one's place.

std::vector<TSample> Alike() {
  const std::string folder = "007 Одинаковые фигуры/";
  return {
      {.File = folder + "001 Обмен",
       .Start = {"ABC", "D.E", "FGH"}, .End = {"EFG", "H.A", "BCD"},
       .Alike = {"EFGH"}, .Red = "ABCD", .Rules = OneCell,
       .Name = "Обмен", .Origin = MadeForZrk,
       .Goal = "Поменяйте местами красные и голубые фишки. Фишки одного цвета одинаковы.", .MinMoves = 20},
      {.File = folder + "002 Обмен доминошек",
       .Start = {"AABB", "....", "CCDD"}, .End = {"CCDD", "....", "AABB"},
       .Alike = {"CD"}, .Red = "AB", .Rules = OneCell,
       .Name = "Обмен доминошек", .Origin = MadeForZrk,
       .Goal = "Поменяйте местами красные и голубые доминошки. Доминошки одного цвета одинаковы.", .MinMoves = 16},
  };
}

// ---------------------------------------------------------------------------------------------
// Moving a whole group: gravity, cooperative moves and the group slide.

std::vector<TSample> GravityTasks() {
  const std::string folder = "008 Гравитация/";
  return {
      {.File = folder + "001 Наклон",
       .Start = {"......", "....D.", "CA..B.", "......", "..GFE.", "......"},
       .End = {".....A", "......", "......", "......", "......", "......"},
       .Alike = {"BCDEFG"}, .Red = "A",
       .Walls = {{3, 1, Right}, {0, 4, Right}, {4, 0, Right}, {4, 3, Right}, {1, 4, Right}, {2, 2, Right},
                 {4, 5, Right}, {2, 1, Right}, {3, 0, Right}},
       .Rules = Gravity,
       .Name = "Наклон", .Origin = MadeForZrk,
       .Goal = "Наклоняя поле, загоните красный шарик в правый верхний угол.", .MinMoves = 46},
      {.File = folder + "002 Опора",
       .Start = {"......", "......", ".D....", "BE....", "......", ".AC..."},
       .End = {".....A", "......", "......", "......", "......", "......"},
       .Alike = {"BCD"}, .Red = "A", .Fixed = "E",
       .Walls = {{2, 0, Right}, {1, 3, Right}, {1, 4, Right}, {1, 1, Below}, {0, 2, Below}, {1, 2, Right},
                 {2, 2, Below}},
       .Rules = Gravity,
       .Name = "Опора", .Origin = MadeForZrk,
       .Goal = "Наклоняя поле, загоните красный шарик в правый верхний угол. Серая фишка закреплена.",
       .MinMoves = 36},
  };
}

std::vector<TSample> CoopTasks() {
  const std::string folder = "009 Кооперативные ходы/";
  return {
      {.File = folder + "001 Парные ходы",
       .Start = {"CCDD", "FF.B", "AE.G"},
       .End = {"...A", "....", "...."},
       .Alike = {"CDF", "BEG"}, .Red = "A", .Rules = Cooperative,
       .Name = "Парные ходы", .Origin = MadeForZrk,
       .Goal = "Приведите красную фишку в правый верхний угол. Одинаковые по форме фигурки одного цвета.",
       .MinMoves = 10},
      {.File = folder + "002 Две дырки",
       .Start = {"4321", "65.."},
       .End = {"1234", "56.."},
       .Rules = Cooperative, .ShowNums = true, .NumberByChar = true,
       .Name = "Две дырки", .Origin = MadeForZrk,
       .Goal = "Расставьте фишки по порядку номеров; две пустые клетки позволяют двигать две фишки сразу.",
       .MinMoves = 11},
  };
}

std::vector<TSample> GroupSlides() {
  const std::string folder = "010 Групповой сдвиг/";
  return {
      {.File = folder + "001 Толкучка",
       .Start = {".GGBB", ".GGBB", "HHEEJ", "IADFF", "..DCK"},
       .End = {".....", ".....", ".....", ".....", "....A"},
       .Alike = {"GB", "HEF", "IJCK", "D"}, .Red = "A",
       .Walls = {{3, 4, Right}, {2, 2, Below}, {0, 1, Below}, {1, 4, Right}},
       .Rules = GroupOneCell,
       .Name = "Толкучка", .Origin = MadeForZrk,
       .Goal = "Доведите красную фишку до правого нижнего угла. Фигурка толкает стоящие перед ней.",
       .MinMoves = 43},
      {.File = folder + "002 Сцепка",
       .Start = {"A..EE", "...EE", ".GDD.", "HGCBB", "FFCBB"},
       .End = {".....", ".....", ".....", ".....", "....A"},
       .Alike = {"EB", "DF", "GC", "H"}, .Red = "A",
       .Walls = {{0, 3, Below}, {1, 2, Right}, {3, 2, Right}, {4, 1, Below}},
       .Rules = MinGroup,
       .Name = "Сцепка", .Origin = MadeForZrk,
       .Goal = "Доведите красную фишку до правого нижнего угла. Ход сдвигает наименьшую сцепленную группу.",
       .MinMoves = 34},
      {.File = folder + "003 Бульдозер",
       .Start = {"..B.C", "AABDC", "GGEDH", ".FE.H", ".F..."},
       .End = {".....", ".....", ".....", ".....", "...AA"},
       .Alike = {"BCDEFH", "G"}, .Red = "A",
       .Walls = {{2, 0, Right}, {1, 1, Below}, {3, 3, Below}, {0, 4, Right}, {3, 1, Right}, {2, 3, Right}},
       .Rules = GroupOneDir,
       .Name = "Бульдозер", .Origin = MadeForZrk,
       .Goal = "Приведите красную доминошку в правый нижний угол. Фигурка едет до любой клетки и толкает "
               "стоящие на пути.",
       .MinMoves = 50},
  };
}

} // namespace

const std::vector<TSample>& LibrarySamples() {
  static const std::vector<TSample> all = [] {
    std::vector<TSample> v;
    for (auto family : {Klotski, Tiles, TrafficJams, Walls, Pins, FixedFigures, Alike, GravityTasks, CoopTasks, GroupSlides})
      for (TSample& s : family()) v.push_back(std::move(s));
    return v;
  }();
  return all;
}

} // namespace zrk::samples
