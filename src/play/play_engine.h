#pragma once
// The play engine: everything play mode holds beside the task, in one object the window keeps for
// the whole run. It owns the played line (TMoves), the initial position, the step rule's tables,
// the position tree and the summary of the last solve, and implements IPlayState so that the task
// file carries them.
//
// Entry points for the window:
//   SetPlayMode(on, keepLine, keepPosition)  the model side of the play/edit button
//   GoTo(k), PrevMoveIndex(), NextMoveIndex() step through the line
//   Step(...)                                 the one-cell step rule (drags, replay, notation)
//   AppendEntry(move, positions)              record a move made on the board
//   AddCurrent(), LoadNode(node)              save the current position into the tree, load a node
//   ResetLine(), LoadLine(line), ReplayLine(), NewLineFromCur(), NumberLastEntry()
//   WriteMovesBlock / ReadMovesBlock          the moves-and-tree block of task files and snapshots

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "model/streams.h"
#include "model/task.h"
#include "model/task_file.h"
#include "play/moves.h"
#include "play/position_tree.h"

namespace zrk {

// What the last solve left for the distribution window; stored with the tree.
struct TSolveSummary {
  int32_t SolveTime = 0; // milliseconds
  uint64_t PosTotal = 0; // 0: no summary
  bool SolveStopped = false;
  std::string SolveReport; // code page 1251
  uint64_t ExpandedTotal = 0;
  uint64_t GeneratedTotal = 0;
  int32_t SolCount = 0;
  int32_t SolMaxCount = 0;
  bool CountsPartial = false;
};

// The line being played: entry 0 is the initial position, entry k the position after k moves or
// mini-moves. Each entry holds its move and the Pos of every figure (FigCount values).
class TMoves {
 public:
  int Count = 0;
  int Cur = 0;
  int SolveFrom = 0;
  int FigCount = 0;
  std::unique_ptr<TMoves0> Solution;
  std::unique_ptr<TMoves0> RemoteLine;

  int Capacity() const { return capacity_; }
  TMove& Move(int k) { return moves_[size_t(k)]; }
  const TMove& Move(int k) const { return moves_[size_t(k)]; }
  int16_t* Positions(int k) { return positions_.data() + size_t(k) * size_t(FigCount); }
  const int16_t* Positions(int k) const { return positions_.data() + size_t(k) * size_t(FigCount); }

  // Makes room for n entries: the capacity grows to the larger of n, 256 and twice itself.
  void Reserve(int n);
  // Appends an entry with a zero move and the positions of the entry before it; returns its index.
  int Append();
  // Releases the entries' storage: Count and Cur become 0.
  void Release();

 private:
  int capacity_ = 0;
  std::vector<TMove> moves_;
  std::vector<int16_t> positions_;
};

class TPlayEngine final : public IPlayState {
 public:
  explicit TPlayEngine(TTask& task);

  TTask& Task;
  TMoves Line;
  TPosTree Tree;
  TSolveSummary Summary;
  bool MiniMoves = false; // recomputed when play mode is entered

  std::array<int16_t, FigSlots> CurPositions{};
  std::array<int16_t, FigSlots> InitialPositions{};
  std::array<uint8_t, FigSlots> SavedSelection{}; // editing selection when play mode was entered
  std::vector<uint16_t> InitialMap;               // StartMap when the line was reset

  // --- the step rule ---
  void PrepareMoveTables();
  // One elementary step of fig (ignored under gravity) in dir. On success positions and map are
  // updated in place; on failure neither is touched. pushed tells whether more than one figure
  // moved. allowPush lets a single figure push others even with group slide off (a trial move).
  bool Step(int16_t* positions, uint16_t* map, int fig, int dir, bool& pushed, bool allowPush = false);
  // Lays the field and every figure at positions into map; unless scratch, the figures go there.
  void SetPosition(const int16_t* positions, uint16_t* map, bool scratch);
  // The figures take the positions (their Pos and CurPositions); the map is the caller's.
  void TakePositions(const int16_t* positions);
  // The number of map words that cover the field's rows: what copies and clears of maps touch.
  int MapWords() const { return mapWords_; }
  // A fresh scratch map sized like StartMap.
  std::vector<uint16_t> ScratchMap() const { return std::vector<uint16_t>(MapSize, 0); }

  // Tracking replays tell whether steps could be made at once (cooperative numbering).
  void BeginTracking();
  void EndTracking() { tracking_ = false; }

  // --- the line ---
  void GoTo(int k);
  int PrevMoveIndex() const; // -1 at the initial position
  int NextMoveIndex() const; // -1 at the last entry
  void ResetLine();
  void LoadLine(const TMoves0& line);
  void ReplayLine();
  std::unique_ptr<TMoves0> NewLineFromCur() const;
  void NumberLastEntry();
  // Drops the entries after Cur, appends move with the given positions (the position after it),
  // numbers it, and makes it the current entry (a move made on the board).
  int AppendEntry(const TMove& move, const int16_t* positions);
  // The first cell of figure fig standing at pos.
  CellCode FirstCell(int fig, int16_t pos) const;

  // --- the tree ---
  // Saves the line up to Cur into the tree, selecting its node.
  void AddCurrent();
  // Loads a node's line and shows its last entry (a click on a tree node).
  void LoadNode(TPosNode* node);

  // --- play mode ---
  void SetPlayMode(bool on, bool keepLine, bool keepPosition);
  // Rebuilds InitialMap from InitialPositions and the field bits of StartMap (undo restore).
  void RebuildInitialMap();

  // --- stored form ---
  void WriteMovesBlock(TWr& wr) const override;
  bool ReadMovesBlock(TRe& re, bool reset);

  // IPlayState
  CellCode InitialPos(int fig) const override { return InitialPositions[size_t(fig)]; }
  bool EditSelected(int fig) const override { return SavedSelection[size_t(fig)] != 0; }
  void TaskRead(TTask& task, TRe& re, bool play) override;

 private:
  void EnterPlay(bool keepLine);
  void LeavePlay(bool keepLine, bool keepPosition);
  void TakeInitialPosition(); // InitialMap, InitialPositions and CurPositions from the task
  void NumberNewEntries(int first);
  bool StepCanAdvance(int p, int cell, int dir) const;
  void ResetToInitial(); // a line of one entry at the initial position

  std::vector<uint8_t> exitFlags_;
  // The figures' cells in one flat run: figure i owns [cellFirst_[i], cellFirst_[i + 1]).
  std::array<int32_t, FigSlots + 1> cellFirst_{};
  std::vector<int16_t> cellRel_;
  std::vector<uint8_t> joinBits_;
  std::vector<uint8_t> cellPinned_;
  std::array<uint8_t, FigSlots> figHasPins_{};
  std::array<uint8_t, FigSlots> dirMask_{}; // bit d: the figure's freedom allows direction d
  int mapWords_ = MapSize;
  int stepFigCount_ = 0;

  bool tracking_ = false;
  bool independent_ = true;
  std::vector<uint8_t> track_;
  std::vector<uint16_t> work_; // scratch map of replays
};

} // namespace zrk
