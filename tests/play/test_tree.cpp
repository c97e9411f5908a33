#include <gtest/gtest.h>

#include "model/cp1251.h"
#include "play/notation.h"
#include "play_fixture.h"

namespace zrk::test {
namespace {

std::string W(const std::string& utf8) { return Utf8ToCp1251(utf8); }

void OneDir(TTaskOptions& o) { o.SetMoveKind(OneDirMove); }

// Figures 1, 2 and 3 with room to move in every direction.
TTaskText Board() { return TTaskText{{".....", ".A...", "..B..", "...C.", "....."}}; }

struct TTreeFixture : TPlayFixture {
  TTreeFixture() : TPlayFixture(Board(), OneDir) {}

  // Plays the text from the initial position and saves the position reached.
  void Save(const std::string& moves) {
    Engine->GoTo(0);
    ASSERT_TRUE(ApplyMoveList(*Engine, W(moves), nullptr).Complete) << moves;
    Engine->GoTo(Engine->Line.Count - 1);
    Engine->AddCurrent();
  }

  // The tree in pre-order, one node a line, indented by depth.
  std::string Dump() const {
    std::string out;
    for (TPosNode* n : Engine->Tree.PreOrder())
      out += std::string(size_t(2 * n->Depth()), ' ') + Cp1251ToUtf8(NodeText(Task, false, *n->Line)) + "\n";
    return out;
  }

  TPosNode* Find(const std::string& text) const {
    for (TPosNode* n : Engine->Tree.PreOrder())
      if (Cp1251ToUtf8(NodeText(Task, false, *n->Line)) == text) return n;
    return nullptr;
  }

  void Delete(const std::string& node, bool self, bool subnodes) {
    Engine->Tree.Select(Find(node));
    ASSERT_NE(Engine->Tree.Selected, nullptr) << node;
    Engine->Tree.DeleteNodes(self, subnodes);
  }
};

TEST(PositionTree, TwoLinesBranchAtAnUnfixedNodeOrderedByFigure) {
  TTreeFixture t;
  t.Save("1П 2Н");
  t.Save("1П 3В");
  EXPECT_EQ(t.Dump(), "Начальная позиция\n  *1)1П\n    2)2Н\n    2)3В\n");
  EXPECT_EQ(t.Engine->Tree.Selected, t.Find("2)3В"));
  EXPECT_EQ(t.Engine->Tree.CurNode, t.Find("2)3В"));
  // Saved the other way round, the children still come in figure order.
  TTreeFixture u;
  u.Save("1П 3В");
  u.Save("1П 2Н");
  EXPECT_EQ(u.Dump(), t.Dump());
}

TEST(PositionTree, SavingThePositionAgainOnlyFixesAndSelectsIt) {
  TTreeFixture t;
  t.Save("1П 2Н");
  t.Save("1П 3В");
  t.Find("2)2Н")->Line->PosText = W("заметка");
  t.Save("1П");
  EXPECT_EQ(t.Dump(), "Начальная позиция\n  1)1П\n    2)2Н заметка\n    2)3В\n");
  EXPECT_EQ(t.Engine->Tree.Selected, t.Find("1)1П"));
  t.Save("1П 2Н");
  EXPECT_EQ(t.Dump(), "Начальная позиция\n  1)1П\n    2)2Н заметка\n    2)3В\n");
  EXPECT_EQ(t.Engine->Tree.Selected, t.Find("2)2Н заметка"));
  t.Engine->GoTo(0);
  t.Engine->AddCurrent();
  EXPECT_EQ(t.Engine->Tree.Selected, t.Engine->Tree.Root());
}

TEST(PositionTree, ALineEndingInsideANodeSplitsIt) {
  TTreeFixture t;
  t.Save("1П 2Н 3В");
  t.Save("1П");
  EXPECT_EQ(t.Dump(), "Начальная позиция\n  1)1П\n    2)2Н - 3)3В\n");
  EXPECT_FALSE(t.Find("1)1П")->Line->Unfixed);
  EXPECT_EQ(t.Find("2)2Н - 3)3В")->Line->Parent, t.Find("1)1П")->Line.get());
}

TEST(PositionTree, UnfixingAndMergingWithTheDeleteButtons) {
  TTreeFixture t;
  t.Save("1П");
  t.Save("1П 2Н");
  t.Save("1П 3В");
  ASSERT_EQ(t.Dump(), "Начальная позиция\n  1)1П\n    2)2Н\n    2)3В\n");
  t.Delete("1)1П", true, false); // DelPos2Bt: a fixed node with two children is only unfixed
  EXPECT_EQ(t.Dump(), "Начальная позиция\n  *1)1П\n    2)2Н\n    2)3В\n");
  t.Delete("*1)1П", true, false); // again: nothing
  EXPECT_EQ(t.Dump(), "Начальная позиция\n  *1)1П\n    2)2Н\n    2)3В\n");
  t.Delete("2)3В", true, true); // DelPosBt on a child: the branch point disappears
  EXPECT_EQ(t.Dump(), "Начальная позиция\n  1)1П - 2)2Н\n");
  EXPECT_EQ(t.Engine->Tree.Selected, nullptr);
  EXPECT_EQ(t.Find("1)1П - 2)2Н")->Line->Parent, t.Engine->Tree.Root()->Line.get());
}

TEST(PositionTree, DeletingSubnodesOfAnUnfixedNodeDeletesIt) {
  TTreeFixture t;
  t.Save("1П 2Н");
  t.Save("1П 3В");
  t.Save("2Л");
  t.Delete("*1)1П", false, true); // DelPos1Bt
  EXPECT_EQ(t.Dump(), "Начальная позиция\n  1)2Л\n");
}

TEST(PositionTree, DeletingTheRootDeletesOnlyItsChildren) {
  TTreeFixture t;
  t.Save("1П 2Н");
  t.Save("2Л");
  t.Engine->Tree.Select(t.Engine->Tree.Root());
  t.Engine->Tree.DeleteNodes(true, true);
  EXPECT_EQ(t.Dump(), "Начальная позиция\n");
  EXPECT_EQ(t.Engine->Tree.Selected, t.Engine->Tree.Root());
}

TEST(PositionTree, DeletingAFixedNodesSubnodesKeepsIt) {
  TTreeFixture t;
  t.Save("1П");
  t.Save("1П 2Н");
  t.Delete("1)1П", false, true);
  EXPECT_EQ(t.Dump(), "Начальная позиция\n  1)1П\n");
  t.Delete("1)1П", false, true); // no children: nothing
  EXPECT_EQ(t.Dump(), "Начальная позиция\n  1)1П\n");
}

TEST(PositionTree, AddLineTakesOrCopiesTheSolversLines) {
  TTreeFixture t;
  auto line = std::make_unique<TMoves0>(ParseMoves(W("1П 2Н"), t.Task, nullptr));
  line->PosText = W("Решение");
  TMoves0* raw = line.get();
  EXPECT_TRUE(t.Engine->Tree.AddLine(line, false));
  EXPECT_EQ(line, nullptr);
  EXPECT_EQ(t.Find("1)1П - 2)2Н Решение")->Line.get(), raw);
  auto same = std::make_unique<TMoves0>(ParseMoves(W("1П 2Н"), t.Task, nullptr));
  EXPECT_FALSE(t.Engine->Tree.AddLine(same, true)); // ends at an existing node
  EXPECT_NE(same, nullptr);
  t.Engine->Tree.AddLineCopy(*same, true);
  EXPECT_EQ(t.Dump(), "Начальная позиция\n  1)1П - 2)2Н\n");
}

TEST(PositionTree, LoadingANodeShowsItsLastPosition) {
  TTreeFixture t;
  t.Save("1П 2Н");
  t.Save("3В");
  t.Engine->LoadNode(t.Find("1)1П - 2)2Н"));
  EXPECT_EQ(t.Engine->Line.Count, 3);
  EXPECT_EQ(t.Engine->Line.Cur, 2);
  EXPECT_EQ(t.Rows()[1], "..A..");
  EXPECT_EQ(t.Rows()[3], "..BC.");
}

} // namespace
} // namespace zrk::test
