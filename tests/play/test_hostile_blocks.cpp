// Task files built to exhaust the reader: each is refused as damaged, or read, within a bounded
// amount of memory.
#include <gtest/gtest.h>

#include "model/task_file.h"
#include "play/notation.h"
#include "play/line_limits.h"
#include "play_fixture.h"
#include "recording_reporter.h"
#include "support/memory_cap.h"

namespace zrk::test {
namespace {

constexpr long long ReaderMemoryCap = 200ll << 20;

// A moves-and-tree block written value by value (version 6 layout, no mini-moves).
struct TBlock {
  TWr wr;
  TBlock(uint32_t count, uint32_t cur) {
    wr.PutU32(8);
    wr.PutU32(count);
    wr.PutU32(cur);
    wr.PutU32(0);
  }
  void Move(uint8_t fig, uint8_t dir, uint8_t len) {
    const uint8_t m[5] = {fig, dir, len, 0, 0};
    wr.PutBlock(m, 5);
  }
  void Nodes(uint32_t count) {
    wr.PutU32(count);
    wr.PutU32(0);
    wr.PutU32(0);
  }
  // A node record with n own moves of figure 1 to the right.
  void Node(int32_t parent, uint32_t n, const std::string& note = "") {
    wr.PutU8(1);
    wr.PutU32(n);
    wr.PutU8(0);
    wr.PutU32(uint32_t(parent));
    wr.PutStr(note);
    for (uint32_t k = 0; k < n; ++k) Move(1, DirRight, 1);
  }
};

// The task's file image in play mode, followed by the block.
std::vector<uint8_t> PlayFile(const TTask& task, const TBlock& block) {
  TWr head;
  WriteTask(task, head);
  std::vector<uint8_t> bytes;
  bytes.reserve(head.Size() + block.wr.Size() + 1);
  bytes = head.Bytes();
  bytes[9] |= TaskFlag::Play >> 8;
  bytes.insert(bytes.end(), block.wr.Data(), block.wr.Data() + block.wr.Size());
  return bytes;
}

TTaskText SmallBoard() { return TTaskText{{".....", ".A...", "..B..", "...C.", "....."}}; }

// A 126 x 126 board whose one figure is a whole column: every move of it carries 126 cells.
TTaskText TallColumnBoard() {
  return TTaskText{std::vector<std::string>(MaxDim, "A" + std::string(MaxDim - 1, '.'))};
}

std::vector<uint8_t> Chain(const TTask& task, uint32_t nodes) {
  TBlock b(1, 0);
  b.Nodes(nodes + 1);
  b.Node(-1, 0);
  for (uint32_t i = 0; i < nodes; ++i) b.Node(int32_t(i), 1);
  return PlayFile(task, b);
}

std::vector<uint8_t> LongLine(const TTask& task, uint32_t entries, uint8_t len) {
  TBlock b(entries, 0);
  for (uint32_t k = 1; k < entries; ++k) b.Move(1, k % 2 ? DirRight : DirLeft, len);
  b.Nodes(1);
  b.Node(-1, 0);
  return PlayFile(task, b);
}

std::vector<uint8_t> RootNote(const TTask& task, size_t bytes) {
  TBlock b(1, 0);
  b.Nodes(1);
  b.Node(-1, 0, std::string(bytes, 'x'));
  return PlayFile(task, b);
}

enum class Outcome { Refused, Read };

TEST(HostileBlocks, RefusedOrReadWithinBoundedMemory) {
  TPlayFixture small(SmallBoard(), [](TTaskOptions& o) { o.SetMoveKind(OneDirMove); });
  TPlayFixture tall(TallColumnBoard(), [](TTaskOptions& o) { o.SetMoveKind(OneDirMove); });
  struct {
    const char* What;
    const TTask* Task;
    std::vector<uint8_t> File;
    Outcome Expect;
  } cases[] = {
      // 1.6 MB: every node copies its parent's line, 5 billion moves in all.
      {"a chain of 100,000 nodes of one move each", &small.Task, Chain(small.Task, 100000), Outcome::Refused},
      {"a chain of 1,000 nodes of one move each", &small.Task, Chain(small.Task, 1000), Outcome::Read},
      {"a line of 10 million entries", &small.Task, LongLine(small.Task, 10000000, 1), Outcome::Refused},
      // Sliding the column across the board and back, 300,000 times: minutes of replaying.
      {"a line whose replay moves 5 billion cells", &tall.Task, LongLine(tall.Task, 300000, 127), Outcome::Refused},
      {"a line of 10,000 moves across the board", &tall.Task, LongLine(tall.Task, 10000, 1), Outcome::Read},
      {"a note of 10 MB", &small.Task, RootNote(small.Task, 10 << 20), Outcome::Read},
  };
  for (auto& c : cases) {
    const std::optional<int> result = RunUnderMemoryCap(ReaderMemoryCap, [&] {
      TTask task;
      TPlayEngine engine(task);
      TRecordingReporter reporter;
      TRe re(std::move(c.File));
      const bool ok = ReadTask(task, re, "hostile.zrk", TTaskIo{&reporter, &engine, nullptr});
      if (!ok) {
        const bool damaged = reporter.Messages.size() == 1 && reporter.Messages[0].Caption == TaskFileError;
        // The figures stay; the line is back at the initial position.
        return damaged && task.FigCount == c.Task->FigCount && engine.Line.Count == 1 ? 10 : 12;
      }
      const bool sound = reporter.Messages.empty() && engine.Line.Count >= 1 && engine.Tree.Root();
      return sound ? 11 : 12;
    });
    EXPECT_TRUE(result.has_value()) << c.What << ": the reader went over " << (ReaderMemoryCap >> 20) << " MB";
    if (result) {
      EXPECT_EQ(*result, c.Expect == Outcome::Refused ? 10 : 11) << c.What;
    }
  }
}

// A 16 x 16 field holding 254 one-cell figures and two empty cells at the end of its last row.
void FillWithFigures(TTask& task) {
  task.Clear(true, true, true);
  task.New(true, true);
  task.DimX = task.DimY = 16;
  std::fill(task.StartMap.begin(), task.StartMap.end(), 0);
  for (int c = 0; c < 256; ++c) task.StartMap[MakeCell(c % 16, c / 16)] = uint16_t(CellField | (c < 254 ? c + 1 : 0));
  task.FigCount = MaxFigRecords;
  for (int i = 1; i < task.FigCount; ++i) task.Figs[size_t(i)].Init(&task, i);
  task.RebuildFigs(false);
}

// The move-text command stops where the line would outgrow what a task file may hold, and the
// line it leaves is read back from the file it is saved in.
TEST(HostileBlocks, AMoveTextStopsWhereTheLineWouldOutgrowAFile) {
  TTask task;
  FillWithFigures(task);
  TPlayEngine engine(task);
  engine.SetPlayMode(true, false, false);
  const int64_t entries = MaxLinePositionWords / MaxFigRecords;
  std::string text;
  for (int64_t k = 0; k < entries / 2 + 10; ++k) text += "254\xcf 254\xcb ";
  TRecordingReporter reporter;
  const TApplyResult applied = ApplyMoveList(engine, text, &reporter);
  EXPECT_TRUE(applied.Appended);
  EXPECT_FALSE(applied.Complete);
  EXPECT_EQ(engine.Line.Count, entries);
  ASSERT_EQ(reporter.Messages.size(), 1u);
  EXPECT_EQ(reporter.Messages[0].Text, "Ошибка в ходе " + std::to_string(entries) + ": Слишком длинная цепочка ходов");

  TWr wr;
  WriteTask(task, wr, TTaskIo{nullptr, &engine, nullptr});
  TTask back;
  TPlayEngine backEngine(back);
  TRecordingReporter backReporter;
  TRe re(wr.Bytes());
  EXPECT_TRUE(ReadTask(back, re, "long.zrk", TTaskIo{&backReporter, &backEngine, nullptr}));
  EXPECT_EQ(backEngine.Line.Count, entries);
}

TEST(HostileBlocks, AHundredThousandDeepChainIsDestroyedWithoutRecursion) {
  auto root = std::make_unique<TPosNode>();
  root->Line = std::make_unique<TMoves0>();
  TPosNode* tip = root.get();
  for (int i = 0; i < 100000; ++i) {
    auto n = std::make_unique<TPosNode>();
    n->Line = std::make_unique<TMoves0>();
    n->Up = tip;
    tip->Kids.push_back(std::move(n));
    tip = tip->Kids.back().get();
  }
  TPosTree tree(nullptr);
  tree.Install(std::move(root), tip, nullptr);
  EXPECT_EQ(tip->Depth(), 100000);
  tree.Clear();
  EXPECT_TRUE(tree.Empty());
}

} // namespace
} // namespace zrk::test
