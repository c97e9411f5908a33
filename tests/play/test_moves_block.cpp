#include <gtest/gtest.h>

#include <random>

#include "model/cp1251.h"
#include "model/task_file.h"
#include "play/notation.h"
#include "play_fixture.h"
#include "recording_reporter.h"

namespace zrk::test {
namespace {

std::string W(const std::string& utf8) { return Utf8ToCp1251(utf8); }

TTaskText Board() { return TTaskText{{".....", ".A...", "..B..", "...C.", "....."}}; }

std::string TreeDump(const TPlayEngine& e) {
  std::string out;
  for (TPosNode* n : e.Tree.PreOrder()) {
    out += std::string(size_t(2 * n->Depth()), ' ') + Cp1251ToUtf8(NodeText(e.Task, e.MiniMoves, *n->Line));
    if (n == e.Tree.Selected) out += " <sel>";
    if (n == e.Tree.TopVisible) out += " <top>";
    if (n->Expanded) out += " +";
    out += "\n";
  }
  return out;
}

std::string MovesDump(const TMoves& line) {
  std::string out;
  for (int k = 0; k < line.Count; ++k) {
    const TMove& m = line.Move(k);
    out += std::to_string(m.Fig) + "/" + std::to_string(m.Dir) + "/" + std::to_string(m.Len) + "/" +
           std::to_string(m.Cell) + "/" + std::to_string(m.N) + "." + std::to_string(m.Sub) + "/" +
           std::to_string(m.Pushed) + " ";
  }
  return out;
}

// A played task: a line, a tree with notes, a solution, a remote line and a solve summary.
struct TPlayed : TPlayFixture {
  explicit TPlayed(void (*options)(TTaskOptions&)) : TPlayFixture(Board(), options) {
    Save("1П 2Н", "первый");
    Save("1П 3В", "");
    Save("2Л 2Л", "");
    Engine->Line.Solution = std::make_unique<TMoves0>(ParseMoves(W("3Н 3Н"), Task, nullptr));
    Engine->Line.RemoteLine = std::make_unique<TMoves0>(ParseMoves(W("1В"), Task, nullptr));
    Engine->Summary.SolveTime = 1234;
    Engine->Summary.PosTotal = 0x100000005ull;
    Engine->Summary.SolveReport = W("1: 5 поз.");
    Engine->Summary.ExpandedTotal = 77;
    Engine->Summary.GeneratedTotal = 0x200000001ull;
    Engine->Summary.SolCount = 3;
    Engine->Summary.SolMaxCount = 10;
    Engine->Summary.CountsPartial = true;
    Engine->Tree.TopVisible = Engine->Tree.PreOrder()[1];
    Engine->Tree.PreOrder()[1]->Expanded = true;
    Engine->GoTo(0);
    ApplyMoveList(*Engine, W("1П 2Н 3В"), nullptr);
    Engine->GoTo(2);
  }
  void Save(const std::string& moves, const std::string& note) {
    Engine->GoTo(0);
    ApplyMoveList(*Engine, W(moves), nullptr);
    Engine->GoTo(Engine->Line.Count - 1);
    Engine->AddCurrent();
    if (!note.empty()) Engine->Tree.Selected->Line->PosText = W(note);
  }
  std::vector<uint8_t> File() {
    TWr wr;
    WriteTask(Task, wr, TTaskIo{nullptr, Engine.get(), nullptr});
    return wr.Bytes();
  }
};

struct TReadBack {
  TTask Task;
  TPlayEngine Engine{Task};
  TRecordingReporter Reporter;
  bool Ok = false;
  explicit TReadBack(std::vector<uint8_t> bytes) {
    TRe re(std::move(bytes));
    Ok = ReadTask(Task, re, "t.zrk", TTaskIo{&Reporter, &Engine, nullptr});
  }
};

void ExpectSame(TPlayEngine& a, TPlayEngine& b) {
  EXPECT_TRUE(b.Task.Options.Play);
  EXPECT_EQ(MovesDump(b.Line), MovesDump(a.Line));
  EXPECT_EQ(b.Line.Cur, a.Line.Cur);
  EXPECT_EQ(TreeDump(b), TreeDump(a));
  ASSERT_TRUE(b.Line.Solution && b.Line.RemoteLine);
  EXPECT_EQ(b.Line.Solution->Count(), 2);
  EXPECT_EQ(b.Line.RemoteLine->Count(), 1);
  EXPECT_EQ(b.Summary.PosTotal, a.Summary.PosTotal);
  EXPECT_EQ(b.Summary.SolveReport, a.Summary.SolveReport);
  EXPECT_EQ(b.Summary.GeneratedTotal, a.Summary.GeneratedTotal);
  EXPECT_EQ(b.Summary.ExpandedTotal, a.Summary.ExpandedTotal);
  EXPECT_EQ(b.Summary.SolCount, 3);
  EXPECT_EQ(b.Summary.SolMaxCount, 10);
  EXPECT_TRUE(b.Summary.CountsPartial);
  EXPECT_EQ(b.Summary.SolveTime, 1234);
  EXPECT_EQ(b.CurPositions, a.CurPositions);
  EXPECT_EQ(b.InitialPositions, a.InitialPositions);
  EXPECT_EQ(b.Task.StartMap, a.Task.StartMap);
  for (int i = 1; i < a.Task.FigCount; ++i) EXPECT_EQ(b.Task.Figs[size_t(i)].Pos, a.Task.Figs[size_t(i)].Pos);
}

TEST(MovesBlock, RoundTripThroughTheTaskFile) {
  for (auto options : {+[](TTaskOptions& o) { o.SetMoveKind(OneDirMove); }, +[](TTaskOptions& o) { o.SetCooperative(); },
                       +[](TTaskOptions& o) { o.SetMoveKind(AnyPathMove); }}) {
    TPlayed played(options);
    TReadBack back(played.File());
    ASSERT_TRUE(back.Ok);
    EXPECT_TRUE(back.Reporter.Messages.empty());
    EXPECT_EQ(back.Engine.MiniMoves, played.Engine->MiniMoves);
    ExpectSame(*played.Engine, back.Engine);
    // Written again, the image is the same.
    TWr again;
    WriteTask(back.Task, again, TTaskIo{nullptr, &back.Engine, nullptr});
    EXPECT_EQ(again.Bytes(), played.File());
  }
}

TEST(MovesBlock, TheEditedTaskIsStoredNotThePlayedPosition) {
  TPlayed played([](TTaskOptions& o) { o.SetMoveKind(OneDirMove); });
  played.Engine->GoTo(3);
  TReadBack back(played.File());
  ASSERT_TRUE(back.Ok);
  // Leaving play mode in the read task brings the figures back to the start.
  back.Engine.SetPlayMode(false, false, false);
  EXPECT_EQ(back.Task.Figs[1].Pos, MakeCell(1, 1));
  EXPECT_EQ(back.Task.Figs[2].Pos, MakeCell(2, 2));
}

// The block as version 2 wrote it: no flags, no solve start, every node with its whole line.
std::vector<uint8_t> Version2Block(const TPlayEngine& e) {
  TWr wr;
  wr.PutU32(uint32_t(e.Line.Count));
  wr.PutU32(uint32_t(e.Line.Cur));
  for (int k = 1; k < e.Line.Count; ++k) {
    const TMove& m = e.Line.Move(k);
    wr.PutU8(m.Fig);
    wr.PutU8(uint8_t(m.Dir));
    wr.PutU8(uint8_t(m.Len));
    wr.PutU16(uint16_t(m.Cell));
  }
  const auto nodes = e.Tree.PreOrder();
  auto index = [&](const TPosNode* n) {
    for (size_t i = 0; i < nodes.size(); ++i)
      if (nodes[i] == n) return int(i);
    return -1;
  };
  wr.PutU32(uint32_t(nodes.size()));
  wr.PutU32(uint32_t(index(e.Tree.Selected)));
  wr.PutU32(uint32_t(index(e.Tree.TopVisible)));
  for (TPosNode* n : nodes) {
    wr.PutU8(n->Expanded ? 1 : 0);
    wr.PutU32(uint32_t(n->Line->Count()));
    wr.PutU8(n->Line->Unfixed ? 1 : 0);
    wr.PutU32(uint32_t(index(n->Up)));
    wr.PutStr(n->Line->PosText);
    for (const TMove& m : n->Line->Moves) {
      wr.PutU8(m.Fig);
      wr.PutU8(uint8_t(m.Dir));
      wr.PutU8(uint8_t(m.Len));
      wr.PutU16(uint16_t(m.Cell));
    }
  }
  return wr.Bytes();
}

TEST(MovesBlock, Version2WholeLinesReadIntoTheSameTree) {
  TPlayed played([](TTaskOptions& o) { o.SetMoveKind(OneDirMove); });
  TPlayFixture other(Board(), [](TTaskOptions& o) { o.SetMoveKind(OneDirMove); });
  TRe re(Version2Block(*played.Engine));
  re.Version = 2;
  ASSERT_TRUE(other.Engine->ReadMovesBlock(re, true));
  EXPECT_FALSE(re.Failed);
  EXPECT_EQ(TreeDump(*other.Engine), TreeDump(*played.Engine));
  EXPECT_EQ(MovesDump(other.Engine->Line), MovesDump(played.Engine->Line));
  EXPECT_EQ(other.Engine->Line.Solution, nullptr);
  EXPECT_EQ(other.Engine->Summary.PosTotal, 0u);
}

TEST(MovesBlock, BadIndicesAndMovesAreRefusedAsDamage) {
  TPlayFixture base(Board(), [](TTaskOptions& o) { o.SetMoveKind(OneDirMove); });
  auto block = [](uint32_t count, uint32_t cur, std::vector<std::array<uint8_t, 5>> moves, uint32_t nodes,
                  int32_t sel, int32_t top, std::vector<std::pair<int32_t, uint32_t>> records) {
    TWr wr;
    wr.PutU32(8);
    wr.PutU32(count);
    wr.PutU32(cur);
    wr.PutU32(0);
    for (auto& m : moves) wr.PutBlock(m.data(), 5);
    wr.PutU32(nodes);
    wr.PutU32(uint32_t(sel));
    wr.PutU32(uint32_t(top));
    for (auto [parent, own] : records) {
      wr.PutU8(1);
      wr.PutU32(own);
      wr.PutU8(0);
      wr.PutU32(uint32_t(parent));
      wr.PutU8(0);
      for (uint32_t k = 0; k < std::min(own, 4u); ++k) wr.PutBlock("\x01\x01\x01\x00\x00", 5);
    }
    return wr.Bytes();
  };
  const std::array<uint8_t, 5> ok{1, 1, 1, 0, 0};
  struct {
    const char* What;
    std::vector<uint8_t> Bytes;
    bool Good;
  } cases[] = {
      {"sound", block(2, 1, {ok}, 2, 1, 0, {{-1, 0}, {0, 1}}), true},
      {"no entries", block(0, 0, {}, 1, 0, 0, {{-1, 0}}), false},
      {"current beyond the line", block(2, 2, {ok}, 1, 0, 0, {{-1, 0}}), false},
      {"figure 0", block(2, 1, {{0, 1, 1, 0, 0}}, 1, 0, 0, {{-1, 0}}), false},
      {"figure beyond the task", block(2, 1, {{4, 1, 1, 0, 0}}, 1, 0, 0, {{-1, 0}}), false},
      {"direction 4", block(2, 1, {{1, 4, 1, 0, 0}}, 1, 0, 0, {{-1, 0}}), false},
      {"length 0", block(2, 1, {{1, 1, 0, 0, 0}}, 1, 0, 0, {{-1, 0}}), false},
      {"length 200", block(2, 1, {{1, 1, 200, 0, 0}}, 1, 0, 0, {{-1, 0}}), false},
      {"entry count beyond the bytes", block(1000000, 1, {ok}, 1, 0, 0, {{-1, 0}}), false},
      {"node count beyond the bytes", block(1, 0, {}, 0x7FFFFFFF, 0, 0, {{-1, 0}}), false},
      {"parent not read yet", block(1, 0, {}, 2, 0, 0, {{-1, 0}, {1, 1}}), false},
      {"parent out of range", block(1, 0, {}, 2, 0, 0, {{-1, 0}, {-7, 1}}), false},
      {"selected beyond the nodes", block(1, 0, {}, 1, 1, 0, {{-1, 0}}), false},
      {"top below -1", block(1, 0, {}, 1, 0, -2, {{-1, 0}}), false},
      {"second root", block(1, 0, {}, 2, 0, 0, {{-1, 0}, {-1, 1}}), false},
      {"own moves beyond the bytes", block(1, 0, {}, 2, 0, 0, {{-1, 0}, {0, 0x40000000}}), false},
  };
  for (auto& c : cases) {
    TPlayFixture t(Board(), [](TTaskOptions& o) { o.SetMoveKind(OneDirMove); });
    TRe re(c.Bytes);
    re.Version = 6;
    EXPECT_EQ(t.Engine->ReadMovesBlock(re, true), c.Good) << c.What;
    EXPECT_EQ(re.Failed, !c.Good) << c.What;
    // Either way the engine is left consistent: a line with its initial position and a tree.
    EXPECT_GE(t.Engine->Line.Count, 1) << c.What;
    EXPECT_LT(t.Engine->Line.Cur, t.Engine->Line.Count) << c.What;
    EXPECT_NE(t.Engine->Tree.Root(), nullptr) << c.What;
    if (!c.Good) {
      EXPECT_EQ(t.Rows(), base.Rows()) << c.What;
    }
  }
}

TEST(MovesBlock, EveryTruncationIsReportedAndNeverCrashes) {
  TPlayed played([](TTaskOptions& o) { o.SetCooperative(); });
  const std::vector<uint8_t> file = played.File();
  TWr wr;
  WriteTask(played.Task, wr, TTaskIo{});
  const size_t blockStart = wr.Size();
  for (size_t n = 0; n < file.size(); ++n) {
    TReadBack back(std::vector<uint8_t>(file.begin(), file.begin() + std::ptrdiff_t(n)));
    if (n >= blockStart) {
      EXPECT_FALSE(back.Ok) << n;
      EXPECT_FALSE(back.Reporter.Messages.empty()) << n;
    }
  }
}

TEST(MovesBlock, RandomDamageNeverCrashes) {
  TPlayed played([](TTaskOptions& o) { o.SetMoveKind(AnyPathMove); });
  const std::vector<uint8_t> file = played.File();
  std::mt19937 rng(12345);
  for (int round = 0; round < 400; ++round) {
    std::vector<uint8_t> bytes = file;
    const int flips = 1 + int(rng() % 6);
    for (int f = 0; f < flips; ++f) bytes[rng() % bytes.size()] = uint8_t(rng());
    TReadBack back(bytes);
    // A damaged figure record leaves an empty task in edit mode, with nothing to play.
    if (!back.Ok && back.Task.FigCount == 1) {
      EXPECT_FALSE(back.Task.Options.Play);
      EXPECT_EQ(back.Engine.Line.Count, 0);
    }
    if (back.Ok && back.Task.Options.Play) {
      EXPECT_GE(back.Engine.Line.Count, 1);
      EXPECT_LT(back.Engine.Line.Cur, back.Engine.Line.Count);
      // The read line can be walked and written again.
      back.Engine.GoTo(back.Engine.Line.Count - 1);
      TWr again;
      WriteTask(back.Task, again, TTaskIo{nullptr, &back.Engine, nullptr});
    }
  }
}

} // namespace
} // namespace zrk::test
