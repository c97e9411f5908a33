// The moves-and-tree block: the played line, the solver's lines, the position tree and the solve
// summary, as stored in task files (play mode) and in play-mode undo snapshots.
#include <algorithm>
#include <cstring>
#include <optional>

#include "play/line_limits.h"
#include "play/play_engine.h"

namespace zrk {

namespace {

constexpr uint32_t BlockSolution = 1, BlockRemote = 2, BlockSummary = 4, BlockCounts = 8;
constexpr size_t MoveBytes = 5;
// expanded byte, own-move count, Unfixed byte, parent index, the note's zero byte
constexpr size_t LineRecordMinBytes = 1 + 4 + 1 + 4 + 1;

void PutMove(TWr& wr, const TMove& m) {
  wr.PutU8(m.Fig);
  wr.PutU8(uint8_t(m.Dir));
  wr.PutU8(uint8_t(m.Len));
  wr.PutU16(uint16_t(m.Cell));
}

void PutLineRecord(TWr& wr, const TMoves0& d, bool expanded, bool miniMoves) {
  const int a = d.ParentCount();
  wr.Reserve(d.PosText.size() + 10 * size_t(d.Count()) + 1024);
  wr.PutU8(expanded ? 1 : 0);
  wr.PutU32(uint32_t(d.Count() - a));
  wr.PutU8(d.Unfixed ? 1 : 0);
  wr.PutU32(d.Parent ? uint32_t(d.Parent->SaveIndex) : 0xFFFFFFFFu);
  wr.PutStr(d.PosText);
  for (int k = a; k < d.Count(); ++k) PutMove(wr, d.Moves[size_t(k)]);
  if (miniMoves)
    for (int k = std::max(a, 1); k < d.Count(); ++k)
      wr.PutU8(d.Moves[size_t(k - 1)].N < d.Moves[size_t(k)].N ? 1 : 0);
}

void PutU64(TWr& wr, uint64_t v) {
  wr.PutU32(uint32_t(v));
  wr.PutU32(uint32_t(v >> 32));
}

// Reads the block into these before anything of the engine changes, so that a damaged block
// leaves a consistent engine behind.
struct TBlockReader {
  TBlockReader(TRe& re, const TTask& task, bool miniMoves) : Re(re), Task(task), MiniMoves(miniMoves), Cost(task) {}

  TRe& Re;
  const TTask& Task;
  bool MiniMoves;
  TLineCost Cost;
  bool Damaged = false;
  int64_t TreeMoves = 0;           // moves held by the lines read so far
  std::vector<int64_t> NodeWork;   // the replay cost of each tree node read so far

  void Fail() {
    Damaged = true;
    Re.Failed = true;
  }
  bool Ok() const { return !Damaged && !Re.Failed; }

  // A count of records that each take at least minBytes must fit into the bytes that remain.
  bool Fits(uint64_t count, size_t minBytes) {
    if (count > Re.Remaining() / minBytes) {
      Fail();
      return false;
    }
    return true;
  }

  // A line of n moves, held beside the lines read before, must stay within the tree's bounds;
  // loading it as the played line must too.
  bool TreeLineFits(int64_t n) {
    if (TreeMoves + n > MaxTreeMoves || !LineEntriesFit(n + 1, Task.FigCount)) {
      Fail();
      return false;
    }
    TreeMoves += n;
    return true;
  }

  int64_t Work(const TMove* moves, size_t n) const {
    int64_t work = 0;
    for (size_t k = 0; k < n; ++k) work += Cost.Move(moves[k]);
    return work;
  }

  bool ReadMove(TMove& m) {
    const uint8_t fig = Re.GetU8();
    const uint8_t dir = Re.GetU8();
    const uint8_t len = Re.GetU8();
    const uint16_t cell = Re.GetU16();
    if (!Ok()) return false;
    const bool gravity = Task.Options.Gravity;
    if (dir > 3 || fig >= Task.FigCount || len > MaxMoveLen || (!gravity && (fig == 0 || len == 0))) {
      Fail();
      return false;
    }
    m = TMove();
    m.Fig = fig;
    m.Dir = int8_t(dir);
    m.Len = int8_t(len);
    m.Cell = CellCode(cell);
    return true;
  }

  // Numbers moves from first on: without mini-moves by position, with them from the stored bytes.
  void Number(std::vector<TMove>& moves, int first) {
    const int n = int(moves.size());
    if (!MiniMoves) {
      for (int k = first; k < n; ++k) {
        moves[size_t(k)].N = k + 1;
        moves[size_t(k)].Sub = 0;
      }
      return;
    }
    if (first == 0 && n > 0) {
      moves[0].N = 1;
      moves[0].Sub = 0;
    }
    for (int k = std::max(first, 1); k < n; ++k) {
      const uint8_t starts = Re.GetU8();
      if (!Ok()) return;
      const TMove& prev = moves[size_t(k - 1)];
      moves[size_t(k)].N = starts ? prev.N + 1 : prev.N;
      moves[size_t(k)].Sub = starts ? 0 : int16_t(prev.Sub + 1);
    }
  }

  // One line record; parents are the records already read (their replay costs in NodeWork).
  // The solver's lines have no parent: their parent field is read and ignored (parents empty).
  std::unique_ptr<TMoves0> ReadLine(const std::vector<TMoves0*>* parents, int32_t* parentIndex, bool* expanded,
                                    int64_t* work) {
    if (!Fits(1, LineRecordMinBytes)) return nullptr;
    *expanded = Re.GetU8() != 0;
    const uint32_t own = Re.GetU32();
    const bool unfixed = Re.GetU8() != 0;
    const int32_t parent = int32_t(Re.GetU32());
    std::optional<std::string> note = Re.GetStrCopy();
    if (!Ok() || !note) return Fail(), nullptr;
    *parentIndex = parent;
    const TMoves0* p = nullptr;
    int64_t parentWork = 0;
    if (parents && parent != -1) {
      if (parent < 0 || size_t(parent) >= parents->size()) return Fail(), nullptr;
      p = (*parents)[size_t(parent)];
      parentWork = NodeWork[size_t(parent)];
    }
    if (!Fits(own, MoveBytes)) return nullptr;
    // From version 3 on a record holds only its own moves; before, the whole line.
    const bool wholeLine = Re.Version < 3;
    const int a = p ? p->Count() : 0;
    const int64_t count = wholeLine ? int64_t(own) : a + int64_t(own);
    if (!TreeLineFits(count)) return nullptr;
    auto line = std::make_unique<TMoves0>();
    line->Unfixed = unfixed;
    line->PosText = std::move(*note);
    line->Parent = p;
    line->Moves.reserve(size_t(count));
    if (!wholeLine && p) line->Moves = p->Moves;
    const size_t first = line->Moves.size();
    line->Moves.resize(size_t(count));
    for (size_t k = first; k < line->Moves.size(); ++k)
      if (!ReadMove(line->Moves[k])) return nullptr;
    if (wholeLine && line->Count() < a) return Fail(), nullptr;
    *work = (wholeLine ? 0 : parentWork) + Work(line->Moves.data() + first, line->Moves.size() - first);
    if (*work > MaxLineWork) return Fail(), nullptr;
    Number(line->Moves, wholeLine || !p ? 0 : a);
    if (!Ok()) return nullptr;
    return line;
  }
};

} // namespace

void TPlayEngine::WriteMovesBlock(TWr& wr) const {
  wr.Reserve(10 * size_t(std::max(Line.Count, 0)) + 1024);
  const bool summary = Summary.PosTotal != 0;
  wr.PutU32(BlockCounts + (Line.Solution ? BlockSolution : 0) + (Line.RemoteLine ? BlockRemote : 0) +
            (summary ? BlockSummary : 0));
  wr.PutU32(uint32_t(Line.Count));
  wr.PutU32(uint32_t(Line.Cur));
  wr.PutU32(uint32_t(Line.SolveFrom));
  for (int k = 1; k < Line.Count; ++k) PutMove(wr, Line.Move(k));
  if (MiniMoves)
    for (int k = 2; k < Line.Count; ++k) wr.PutU8(Line.Move(k - 1).N < Line.Move(k).N ? 1 : 0);
  if (Line.Solution) PutLineRecord(wr, *Line.Solution, true, MiniMoves);
  if (Line.RemoteLine) PutLineRecord(wr, *Line.RemoteLine, true, MiniMoves);

  const std::vector<TPosNode*> nodes = Tree.PreOrder();
  int selected = -1, top = -1;
  for (size_t i = 0; i < nodes.size(); ++i) {
    nodes[i]->Line->SaveIndex = int(i);
    if (nodes[i] == Tree.Selected) selected = int(i);
    if (nodes[i] == Tree.TopVisible) top = int(i);
  }
  wr.PutU32(uint32_t(nodes.size()));
  wr.PutU32(uint32_t(selected));
  wr.PutU32(uint32_t(top));
  for (TPosNode* n : nodes) PutLineRecord(wr, *n->Line, n->Expanded, MiniMoves);

  if (summary) {
    wr.PutU32(uint32_t(Summary.SolveTime));
    PutU64(wr, Summary.PosTotal);
    wr.PutU8(Summary.SolveStopped ? 1 : 0);
    wr.PutStr(Summary.SolveReport);
    PutU64(wr, Summary.ExpandedTotal);
    PutU64(wr, Summary.GeneratedTotal);
    wr.PutU32(uint32_t(Summary.SolCount));
    wr.PutU32(uint32_t(Summary.SolMaxCount));
    wr.PutU8(Summary.CountsPartial ? 1 : 0);
  }
}

bool TPlayEngine::ReadMovesBlock(TRe& re, bool reset) {
  if (reset) {
    Line.Release();
    Line.FigCount = std::clamp(Task.FigCount, 1, MaxFigRecords);
    PrepareMoveTables();
    Line.Solution.reset();
    Line.RemoteLine.reset();
    TakeInitialPosition();
  }
  TBlockReader rd(re, Task, MiniMoves);
  // On damage: the line shrinks to the initial position and the tree to its root.
  auto damaged = [&] {
    re.Failed = true;
    ResetToInitial();
    Tree.Reset();
    SetPosition(Line.Positions(0), Task.StartMap.data(), false);
    return false;
  };

  const uint32_t flags = re.Version >= 4 ? re.GetU32() : 0;
  const uint32_t count = re.GetU32();
  const uint32_t cur = re.GetU32();
  uint32_t solveFrom = re.Version >= 4 ? re.GetU32() : 0;
  if (!rd.Ok() || count < 1 || cur >= count) return damaged();
  if (!rd.Fits(uint64_t(count) - 1, MoveBytes) || !LineEntriesFit(count, Line.FigCount)) return damaged();
  std::vector<TMove> moves(count);
  for (uint32_t k = 1; k < count; ++k)
    if (!rd.ReadMove(moves[k])) return damaged();
  // The line is replayed below: its cost is known before.
  if (rd.Work(moves.data() + 1, count - 1) > MaxLineWork) return damaged();
  for (uint32_t k = 1; k < count; ++k) {
    moves[k].N = int32_t(k);
    moves[k].Sub = 0;
  }
  if (MiniMoves && count > 1) {
    moves[1].N = 1;
    for (uint32_t k = 2; k < count; ++k) {
      const uint8_t starts = re.GetU8();
      moves[k].N = starts ? moves[k - 1].N + 1 : moves[k - 1].N;
      moves[k].Sub = starts ? 0 : int16_t(moves[k - 1].Sub + 1);
    }
    if (!rd.Ok()) return damaged();
  }

  std::unique_ptr<TMoves0> solution, remote;
  int32_t ignoredParent = 0;
  bool ignoredExpanded = false;
  int64_t work = 0;
  if (flags & BlockSolution) {
    solution = rd.ReadLine(nullptr, &ignoredParent, &ignoredExpanded, &work);
    if (!solution) return damaged();
  }
  if (flags & BlockRemote) {
    remote = rd.ReadLine(nullptr, &ignoredParent, &ignoredExpanded, &work);
    if (!remote) return damaged();
  }

  const uint32_t nodeCount = re.GetU32();
  const int32_t selected = int32_t(re.GetU32());
  const int32_t top = int32_t(re.GetU32());
  if (!rd.Ok() || !rd.Fits(nodeCount, LineRecordMinBytes)) return damaged();
  auto validIndex = [&](int32_t i) { return i == -1 || (i >= 0 && uint32_t(i) < nodeCount); };
  if (!validIndex(selected) || !validIndex(top)) return damaged();
  std::vector<TPosNode*> nodes;
  std::vector<TMoves0*> lines;
  nodes.reserve(nodeCount);
  lines.reserve(nodeCount);
  rd.NodeWork.reserve(nodeCount);
  std::unique_ptr<TPosNode> root;
  for (uint32_t i = 0; i < nodeCount; ++i) {
    int32_t parent = -1;
    bool expanded = false;
    std::unique_ptr<TMoves0> line = rd.ReadLine(&lines, &parent, &expanded, &work);
    if (!line) return damaged();
    rd.NodeWork.push_back(work);
    auto node = std::make_unique<TPosNode>();
    node->Expanded = expanded;
    node->Line = std::move(line);
    TPosNode* raw = node.get();
    // The root is the one node without parent, and it comes first.
    if (parent == -1) {
      if (i != 0) return damaged();
      root = std::move(node);
    } else {
      raw->Up = nodes[size_t(parent)];
      raw->Up->Kids.push_back(std::move(node));
    }
    nodes.push_back(raw);
    lines.push_back(raw->Line.get());
  }

  TSolveSummary summary;
  if (flags & BlockSummary) {
    summary.SolveTime = int32_t(re.GetU32());
    summary.PosTotal = re.GetU32();
    if (re.Version >= 5) summary.PosTotal |= uint64_t(re.GetU32()) << 32;
    summary.SolveStopped = re.GetU8() != 0;
    std::optional<std::string> report = re.GetStrCopy();
    if (report) summary.SolveReport = std::move(*report);
    if (re.Version >= 6) {
      summary.ExpandedTotal = re.GetU32();
      summary.ExpandedTotal |= uint64_t(re.GetU32()) << 32;
      summary.GeneratedTotal = re.GetU32();
      summary.GeneratedTotal |= uint64_t(re.GetU32()) << 32;
    }
    if (flags & BlockCounts) {
      summary.SolCount = int32_t(re.GetU32());
      summary.SolMaxCount = int32_t(re.GetU32());
      summary.CountsPartial = re.GetU8() != 0;
    }
    if (!rd.Ok()) return damaged();
  }

  // Everything read: take it over.
  Line.Reserve(int(count));
  Line.Count = int(count);
  Line.Cur = int(cur);
  // A solve start beyond the line (the line was cut after the solve) means the initial position.
  Line.SolveFrom = solveFrom < count ? int(solveFrom) : 0;
  for (uint32_t k = 1; k < count; ++k) Line.Move(int(k)) = moves[k];
  ReplayLine();
  SetPosition(Line.Positions(Line.Cur), Task.StartMap.data(), false);
  if (solution) Line.Solution = std::move(solution);
  if (remote) Line.RemoteLine = std::move(remote);
  Summary = std::move(summary);
  if (root)
    Tree.Install(std::move(root), selected >= 0 ? nodes[size_t(selected)] : nullptr,
                 top >= 0 ? nodes[size_t(top)] : nullptr);
  else
    Tree.Reset();
  return true;
}

} // namespace zrk
