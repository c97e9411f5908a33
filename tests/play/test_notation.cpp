#include <gtest/gtest.h>

#include "model/cp1251.h"
#include "play/notation.h"
#include "play_fixture.h"
#include "recording_reporter.h"

namespace zrk::test {
namespace {

std::string W(const std::string& utf8) { return Utf8ToCp1251(utf8); }
std::string U(const std::string& cp) { return Cp1251ToUtf8(cp); }

std::string Printed(const TTask& task, const TMove& m, bool pretty) {
  TSWr w;
  PutMove(w, task, m, pretty);
  return U(w.Text());
}

TMove Mv(int fig, int dir, int len, CellCode cell = 0) {
  TMove m;
  m.Fig = uint8_t(fig);
  m.Dir = int8_t(dir);
  m.Len = int8_t(len);
  m.Cell = cell;
  return m;
}

// A 4 x 3 field with figures A (index 1), B (2) and C (3, named "Ab").
TTaskText ThreeFigures() {
  TTaskText text{{"A...", "B...", "C..."}};
  text.Figs['C'].Name = "Ab";
  return text;
}

TEST(PutMove, PlainPrettyNamesAndLengths) {
  TPlayFixture t(ThreeFigures());
  t.Task.Figs[1].Num = 12;
  EXPECT_EQ(Printed(t.Task, Mv(1, DirRight, 3), false), "12П3");
  EXPECT_EQ(Printed(t.Task, Mv(1, DirRight, 3), true), "12 П 3");
  EXPECT_EQ(Printed(t.Task, Mv(2, DirDown, 1), false), "2Н");
  EXPECT_EQ(Printed(t.Task, Mv(3, DirLeft, 2), false), "Ab Л2");
  t.Task.Options.OrigMovesNums = true;
  EXPECT_EQ(Printed(t.Task, Mv(3, DirLeft, 2), false), "3 Л2");
  t.Task.Options.LatNot = true;
  EXPECT_EQ(Printed(t.Task, Mv(2, DirDown, 1), false), "2D");
  t.Task.Options.Gravity = true;
  EXPECT_EQ(Printed(t.Task, Mv(0, DirUp, 0), false), "U");
}

TEST(PutMove, CoordinateNotationCountsRowsFromTheBottom) {
  TPlayFixture t(ThreeFigures());
  t.Task.Options.ChessNot = true;
  const CellCode bottomLeft = MakeCell(0, 2);
  EXPECT_EQ(Printed(t.Task, Mv(3, DirUp, 2, bottomLeft), false), "a1-a3");
  EXPECT_EQ(Printed(t.Task, Mv(3, DirRight, 3, bottomLeft), false), "a1-d1");
}

TEST(PutMove, CoordinateColumnsBeyondTheAlphabet) {
  TTaskText wide{{std::string(110, '.') + "A"}};
  TPlayFixture t(wide);
  t.Task.Options.ChessNot = true;
  const CellCode row = MakeCell(0, 0);
  auto square = [&](int x) {
    std::string s = Printed(t.Task, Mv(1, DirRight, 0, CellCode(row + x)), false);
    return s.substr(0, s.find('-'));
  };
  EXPECT_EQ(square(25), "z1");
  EXPECT_EQ(square(26), "A1");
  EXPECT_EQ(square(52), "a_1");
  EXPECT_EQ(square(78), "A_1");
  EXPECT_EQ(square(104), "_a1");
}

struct TParseCase {
  const char* Text;
  int Moves;                  // moves read
  const char* Error;          // expected message text, or null
};

TEST(ParseMoves, NumbersLettersAndErrorsWithOffsets) {
  TPlayFixture t(ThreeFigures());
  const TParseCase cases[] = {
      {"1)1П3 2)2н", 2, nullptr},
      {"1П3 2Н", 2, nullptr},
      {"12.3) 1П", 1, nullptr},
      {"7.2. 1п 7. 2d", 2, nullptr},
      {"1 П3", 0, "Ошибка в ходе 1 (положение в тексте 2): Ожидается направление хода (НПВЛ нпвл DRUL drul)"},
      {"0П", 0, "Ошибка в ходе 1 (положение в тексте 1): Ожидается номер или имя фигурки"},
      {"Abcd П", 0, "Ошибка в ходе 1 (положение в тексте 1): Ожидается номер или имя фигурки"},
      {"1П 2Н  3X", 2, "Ошибка в ходе 3 (положение в тексте 9): Ожидается направление хода (НПВЛ нпвл DRUL drul)"},
      {"1П 2", 1, "Ошибка в ходе 2 (положение в тексте 5): Ожидается направление хода (НПВЛ нпвл DRUL drul)"},
      {"1000П", 0, "Ошибка в ходе 1 (положение в тексте 1): Ожидается номер или имя фигурки"},
      {"  1П300", 0, "Ошибка в ходе 1 (положение в тексте 5): Ожидается длина хода от 1 до 127"},
      {"Ab П2 AbП", 1, "Ошибка в ходе 2 (положение в тексте 7): Ожидается номер или имя фигурки"},
      {"5П", 0, "Ошибка в ходе 1 (положение в тексте 1): Ожидается номер или имя фигурки"},
      {"", 0, nullptr},
      {"3)  ", 0, nullptr},
  };
  for (const auto& c : cases) {
    TRecordingReporter rep;
    bool failed = false;
    const TMoves0 line = ParseMoves(W(c.Text), t.Task, &rep, &failed);
    EXPECT_EQ(line.Count(), c.Moves) << c.Text;
    EXPECT_EQ(failed, c.Error != nullptr) << c.Text;
    if (c.Error) {
      ASSERT_EQ(rep.Messages.size(), 1u) << c.Text;
      EXPECT_EQ(rep.Messages[0].Caption, "Ошибка при добавлении ходов");
      EXPECT_EQ(rep.Messages[0].Text, c.Error) << c.Text;
    } else {
      EXPECT_TRUE(rep.Messages.empty()) << c.Text;
    }
  }
}

TEST(ParseMoves, ReadsTheMovesThemselves) {
  TPlayFixture t(ThreeFigures());
  // "DL" is read as a name that no figure has.
  const TMoves0 line = ParseMoves(W("1)1П3 2)2н 3.1)Ab  Л12 DL"), t.Task, nullptr);
  ASSERT_EQ(line.Count(), 3);
  EXPECT_EQ(line.Moves[0].Fig, 1);
  EXPECT_EQ(line.Moves[0].Dir, DirRight);
  EXPECT_EQ(line.Moves[0].Len, 3);
  EXPECT_EQ(line.Moves[1].Fig, 2);
  EXPECT_EQ(line.Moves[1].Dir, DirDown);
  EXPECT_EQ(line.Moves[1].Len, 1);
  EXPECT_EQ(line.Moves[2].Fig, 3);
  EXPECT_EQ(line.Moves[2].Dir, DirLeft);
  EXPECT_EQ(line.Moves[2].Len, 12);
}

TEST(ParseMoves, FigureNumbersFollowTheFiguresNums) {
  TPlayFixture t(ThreeFigures());
  t.Task.Figs[1].Num = 2; // figure 1 is numbered 2; figure 2 is numbered 7
  t.Task.Figs[2].Num = 7;
  const TMoves0 line = ParseMoves(W("2П 1П 3П"), t.Task, nullptr);
  ASSERT_EQ(line.Count(), 3);
  EXPECT_EQ(line.Moves[0].Fig, 1); // the figure whose Num is 2
  EXPECT_EQ(line.Moves[1].Fig, 1); // nobody's Num: the index
  EXPECT_EQ(line.Moves[2].Fig, 3);
}

TEST(ParseMoves, NumbersBeyondTheFiguresAreNames) {
  TTaskText text{{"AB.."}};
  text.Figs['B'].Name = "12";
  TPlayFixture t(text);
  const TMoves0 line = ParseMoves(W("12 П"), t.Task, nullptr);
  ASSERT_EQ(line.Count(), 1);
  EXPECT_EQ(line.Moves[0].Fig, 2);
}

TEST(ParseMoves, GravityReadsDirectionsOnly) {
  TPlayFixture t(ThreeFigures(), [](TTaskOptions& o) { o.SetGravity(); });
  TRecordingReporter rep;
  const TMoves0 line = ParseMoves(W("1)Н 2)п D x"), t.Task, &rep);
  ASSERT_EQ(line.Count(), 3);
  EXPECT_EQ(line.Moves[1].Dir, DirRight);
  ASSERT_EQ(rep.Messages.size(), 1u);
  EXPECT_EQ(rep.Messages[0].Text,
            "Ошибка в ходе 4 (положение в тексте 11): Ожидается направление хода (НПВЛ нпвл DRUL drul)");
}

TEST(ParseMoves, CoordinateSquares) {
  TPlayFixture t(ThreeFigures(), [](TTaskOptions& o) { o.ChessNot = true; });
  struct {
    const char* Text;
    bool Ok;
    int Dir, Len;
    CellCode Cell;
  } cases[] = {
      {"a1-a3", true, DirUp, 2, CellCode(2 * RowStride)},
      {"c2-a2", true, DirLeft, 2, CellCode(2 + RowStride)},
      {"a3 - d3", true, DirRight, 3, 0},
      {"b3b1", true, DirDown, 2, 1},
      {"a1-a1", false, 0, 0, 0},
      {"a1-b2", false, 0, 0, 0},
      {"a0-a2", false, 0, 0, 0},
      {"a1-a129", false, 0, 0, 0},
      {"1-a2", false, 0, 0, 0},
  };
  for (const auto& c : cases) {
    TRecordingReporter rep;
    const TMoves0 line = ParseMoves(c.Text, t.Task, &rep);
    ASSERT_EQ(line.Count(), c.Ok ? 1 : 0) << c.Text;
    if (!c.Ok) {
      ASSERT_EQ(rep.Messages.size(), 1u);
      EXPECT_EQ(rep.Messages[0].Text, "Ошибка в ходе 1 (положение в тексте 1): Ожидаются координаты клетки поля");
      continue;
    }
    EXPECT_EQ(line.Moves[0].Dir, c.Dir) << c.Text;
    EXPECT_EQ(line.Moves[0].Len, c.Len) << c.Text;
    EXPECT_EQ(line.Moves[0].Cell, c.Cell) << c.Text;
    EXPECT_EQ(line.Moves[0].Fig, 0);
  }
}

TEST(ParseMoves, NeverReadsPastTheText) {
  TPlayFixture t(ThreeFigures());
  // Every prefix of a text full of edge cases parses without touching bytes after it.
  const std::string text = W("1)1П3 7.2)Ab  Л12 _") + std::string(1, '\0') + W("2.");
  for (size_t n = 0; n <= text.size(); ++n) {
    std::vector<char> copy(text.begin(), text.begin() + std::ptrdiff_t(n));
    ParseMoves(std::string_view(copy.data(), copy.size()), t.Task, nullptr);
  }
  t.Task.Options.ChessNot = true;
  const std::string chess = "_a1-_b_1 a_12-a_";
  for (size_t n = 0; n <= chess.size(); ++n) {
    std::vector<char> copy(chess.begin(), chess.begin() + std::ptrdiff_t(n));
    ParseMoves(std::string_view(copy.data(), copy.size()), t.Task, nullptr);
  }
}

TEST(Texts, LineCounterAndNodeTexts) {
  TPlayFixture t(ThreeFigures(), [](TTaskOptions& o) { o.SetMoveKind(OneDirMove); });
  TPlayEngine& e = *t.Engine;
  ASSERT_TRUE(ApplyMoveList(e, W("1П3 2П Ab П2"), nullptr).Complete);
  EXPECT_EQ(U(LineText(e, false)), "");
  EXPECT_EQ(U(CounterText(e)), "0(3) ");
  e.GoTo(2);
  EXPECT_EQ(U(LineText(e, false)), "1)1П3 2)2П");
  EXPECT_EQ(U(LineText(e, true)), "3)Ab П2");
  EXPECT_EQ(U(CounterText(e)), "2(3) 2 П");
  EXPECT_EQ(U(CounterText(e, true)), "3) Ab  П 2");
  e.GoTo(3);
  EXPECT_EQ(U(CounterText(e)), "3) Ab  П 2");

  TMoves0 root, node;
  node.Parent = &root;
  node.Moves = {e.Line.Move(1), e.Line.Move(2), e.Line.Move(3)};
  EXPECT_EQ(U(NodeText(t.Task, false, root)), "Начальная позиция");
  EXPECT_EQ(U(NodeText(t.Task, false, node)), "1)1П3 - 3)Ab П2");
  node.Unfixed = true;
  node.PosText = W("мой вариант");
  TMoves0 child;
  child.Parent = &node;
  child.Moves = node.Moves;
  child.Moves.push_back(Mv(2, DirDown, 1));
  child.PosText = node.PosText;
  EXPECT_EQ(U(NodeText(t.Task, false, node)), "*1)1П3 - 3)Ab П2 мой вариант");
  EXPECT_EQ(U(NodeText(t.Task, false, child)), "4)2Н мой вариант");
}

TEST(Texts, MiniMoveNumbers) {
  TPlayFixture t(TTaskText{{"A..", "B..", "..."}}, [](TTaskOptions& o) { o.SetCooperative(); });
  TPlayEngine& e = *t.Engine;
  ASSERT_TRUE(ApplyMoveList(e, W("1П 2П 1Н"), nullptr).Complete);
  e.GoTo(3);
  EXPECT_EQ(U(LineText(e, false)), "1.1)1П 1.2)2П 2)1Н");
  e.GoTo(1);
  EXPECT_EQ(U(CounterText(e)), "1.1(2) 1 П");
}

TEST(ApplyMoveList, PushWithoutGroupSlideBecomesSingleMoves) {
  TPlayFixture t(TTaskText{{"AB.."}}, [](TTaskOptions& o) { o.SetGrSlide(false); });
  TPlayEngine& e = *t.Engine;
  const TApplyResult r = ApplyMoveList(e, W("1П"), nullptr);
  EXPECT_TRUE(r.Appended);
  EXPECT_TRUE(r.Complete);
  EXPECT_EQ(U(LineText(e, true)), "1)2П 2)1П");
  EXPECT_EQ(e.Line.Cur, 0); // the board stays where the moves were appended
  EXPECT_EQ(e.Line.Move(1).Cell, MakeCell(1, 0));
  EXPECT_EQ(e.Line.Move(2).Cell, MakeCell(0, 0));
  e.GoTo(2);
  EXPECT_EQ(t.Rows(), (std::vector<std::string>{".AB."}));
}

TEST(ApplyMoveList, LongPushWithoutGroupSlideKeepsEachFiguresSteps) {
  TPlayFixture t(TTaskText{{"AB..."}}, [](TTaskOptions& o) {
    o.SetGrSlide(false);
    o.SetMoveKind(OneDirMove);
  });
  TPlayEngine& e = *t.Engine;
  ASSERT_TRUE(ApplyMoveList(e, W("1П3"), nullptr).Complete);
  EXPECT_EQ(U(LineText(e, true)), "1)2П3 2)1П3");
}

TEST(ApplyMoveList, PushedFiguresMoveFirstAndBlockedMovesStop) {
  TPlayFixture t(TTaskText{{"A.", "B.", ".."}}, [](TTaskOptions& o) { o.SetGrSlide(false); });
  ASSERT_TRUE(ApplyMoveList(*t.Engine, W("1Н"), nullptr).Complete);
  EXPECT_EQ(U(LineText(*t.Engine, true)), "1)2Н 2)1Н");
  TRecordingReporter blocked;
  const TApplyResult r = ApplyMoveList(*t.Engine, W("1Н 1Н"), &blocked);
  EXPECT_FALSE(r.Complete);
  EXPECT_TRUE(r.Appended); // the first move was applied again from entry 0
  EXPECT_EQ(t.Engine->Line.Count, 3);
  ASSERT_EQ(blocked.Messages.size(), 1u);
  EXPECT_EQ(blocked.Messages[0].Text, "Ошибка в ходе 2: Заблокирован ход");
}

TEST(ApplyMoveList, InterlockedFiguresAreCoupled) {
  // A holds (0,0) and (2,1), B (1,0) and (1,1): pushing A right moves both, but neither can go first.
  TPlayFixture t(TTaskText{{"AB..", ".BA."}}, [](TTaskOptions& o) { o.SetGrSlide(false); });
  TRecordingReporter rep;
  const TApplyResult r = ApplyMoveList(*t.Engine, W("1П"), &rep);
  EXPECT_FALSE(r.Appended);
  EXPECT_EQ(t.Engine->Line.Count, 1);
  ASSERT_EQ(rep.Messages.size(), 1u);
  EXPECT_EQ(rep.Messages[0].Caption, "Ошибка при добавлении ходов");
  EXPECT_EQ(rep.Messages[0].Text, "Ошибка в ходе 1: Фигурки сцеплены");
}

TEST(ApplyMoveList, OneCellMovesSplitIntoUnitSteps) {
  TPlayFixture t(TTaskText{{"A...", "B..."}});
  TPlayEngine& e = *t.Engine;
  ASSERT_TRUE(ApplyMoveList(e, W("1П3"), nullptr).Complete);
  EXPECT_EQ(U(LineText(e, true)), "1)1П 2)1П 3)1П");
  EXPECT_EQ(e.Line.Move(3).Cell, MakeCell(2, 0));
}

TEST(ApplyMoveList, CoordinateNotationFindsTheFigure) {
  TPlayFixture t(TTaskText{{"A...", "B..."}}, [](TTaskOptions& o) {
    o.ChessNot = true;
    o.SetMoveKind(OneDirMove);
  });
  TPlayEngine& e = *t.Engine;
  TRecordingReporter rep;
  ASSERT_TRUE(ApplyMoveList(e, "a1-c1 c2-c1", &rep).Appended);
  ASSERT_EQ(e.Line.Count, 2);
  EXPECT_EQ(e.Line.Move(1).Fig, t.Fig['B']);
  EXPECT_EQ(e.Line.Move(1).Len, 2);
  EXPECT_EQ(U(LineText(e, true)), "1)a1-c1");
  ASSERT_EQ(rep.Messages.size(), 1u);
  EXPECT_EQ(rep.Messages[0].Text, "Ошибка в ходе 2: Номер фигурки");
}

TEST(ApplyMoveList, AppendsAtTheCurrentEntryAndDropsTheRest) {
  TPlayFixture t(TTaskText{{"A...", "B..."}});
  TPlayEngine& e = *t.Engine;
  ASSERT_TRUE(ApplyMoveList(e, W("1П 1П 1П"), nullptr).Complete);
  e.GoTo(1);
  ASSERT_TRUE(ApplyMoveList(e, W("2П"), nullptr).Complete);
  EXPECT_EQ(e.Line.Count, 3);
  EXPECT_EQ(e.Line.Cur, 1);
  EXPECT_EQ(U(LineText(e, true)), "2)2П");
}

TEST(ApplyMoveList, ASyntaxErrorInTheThirdMoveKeepsTheFirstTwo) {
  TPlayFixture t(TTaskText{{"A...", "B..."}});
  TPlayEngine& e = *t.Engine;
  TRecordingReporter rep;
  const TApplyResult r = ApplyMoveList(e, W("1П 2П 3"), &rep);
  EXPECT_TRUE(r.Appended);
  EXPECT_FALSE(r.Complete);
  EXPECT_EQ(e.Line.Count, 3);
  ASSERT_EQ(rep.Messages.size(), 1u);
  EXPECT_EQ(rep.Messages[0].Text.rfind("Ошибка в ходе 3 ", 0), 0u);
}

TEST(ApplyMoveList, AnyPathMovesOfOneFigureShareANumber) {
  TPlayFixture t(TTaskText{{"A..", "B..", "..."}}, [](TTaskOptions& o) { o.SetMoveKind(AnyPathMove); });
  TPlayEngine& e = *t.Engine;
  ASSERT_TRUE(ApplyMoveList(e, W("1П 1П 2П 1Н"), nullptr).Complete);
  e.GoTo(e.Line.Count - 1);
  EXPECT_EQ(U(LineText(e, false)), "1.1)1П 1.2)1П 2)2П 3)1Н");
}

TEST(ApplyMoveList, GravityTiltsRunToTheEnd) {
  TPlayFixture t(TTaskText{{"A..", "...", "..."}}, [](TTaskOptions& o) { o.SetGravity(); });
  TPlayEngine& e = *t.Engine;
  ASSERT_TRUE(ApplyMoveList(e, W("Н П В"), nullptr).Complete);
  e.GoTo(3);
  EXPECT_EQ(t.Rows(), (std::vector<std::string>{"..A", "...", "..."}));
  EXPECT_EQ(e.Line.Move(3).N, 3);
}

TEST(ApplyMoveList, LatinPrinterStillReadsCyrillic) {
  TPlayFixture t(TTaskText{{"A..."}}, [](TTaskOptions& o) {
    o.LatNot = true;
    o.SetMoveKind(OneDirMove);
  });
  ASSERT_TRUE(ApplyMoveList(*t.Engine, W("1П2"), nullptr).Complete);
  EXPECT_EQ(LineText(*t.Engine, true), "1)1R2");
}

} // namespace
} // namespace zrk::test
