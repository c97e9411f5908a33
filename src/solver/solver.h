#pragma once
// TSolver: the layered breadth-first search over the positions of a task.
//
// PrepareSolver turns the task into scan cells, classes of interchangeable figures and every legal
// placement of every class with its one-step links and front cells; RunSearch then builds layer
// after layer, storing every position once in the position table, with its parent and the move
// that produced it. The hot loop touches only the byte arrays and placement records below.

#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

#include "model/task.h"
#include "solver/hash_f.h"
#include "solver/hash_v.h"
#include "solver/mem_pool.h"
#include "solver/position_store.h"
#include "solver/position_table.h"
#include "solver/successor_batch.h"

namespace zrk {

constexpr int MaxLayers = 10000;
constexpr int MaxSolutions = 100;
constexpr uint64_t MemoryReserve = 134217728; // kept free for the rest of the system (128 MB)

struct TSolveOptions {
  bool Remote = true;
  bool ManySol = false;
  int SolMax = 10;
  bool CountSol = false;
  bool ForgetLayers = false;
  bool UseEval = false;         // kept with the settings; the search does not use it
  uint64_t AvailableMemory = 0; // 0: ask the system
  // Layers of single-figure moves with at least this many parents are generated on a second thread
  // while this one stores the successors (when the machine has a second core); 0: one thread only.
  // The stored positions, their order and every count are the same either way.
  uint32_t SecondThreadFrom = 20000;
};

class TSolver;

// Called from the search every 10,000 generated positions, on the thread that runs Solve; may set the
// solver's stop flag.
class ISolveProgress {
 public:
  virtual ~ISolveProgress() = default;
  virtual void Progress(TSolver& solver) = 0;
};

// One legal placement of a class: where its cells are, where one step leads, what it newly covers.
struct TPlacement {
  int32_t Links[4];      // placement index one cell away in direction d, -1 when not allowed
  int32_t Fronts[4];     // offset of the front list d in TSolver::CellList
  int16_t FrontCount[4];
  int32_t Cells;         // offset of the cells (scan indices, in the figure's cell order)
  int16_t CellCount;
  int16_t Anchor;        // relative code of the bounding box's top-left cell
  int16_t FirstCell;     // scan index of the first cell
  uint8_t GoalFlag;
  uint8_t Class;
};

struct TFigClass {
  int Number = 0;
  std::vector<uint8_t> Instances;   // SolverFig numbers, ascending
  int CellCount = 0;
  int FirstPlacement = 0;           // placements of the class are consecutive in TSolver::Placements
  int PlacementCount = 0;
  std::vector<int32_t> ByFirstCell; // scan index -> placement index, -1 none
};

// A move reported in reconstruction mode, as the play engine records it.
struct TMoveItem {
  int Fig = 0;  // SolverFig
  int Dir = 0;
  int Len = 0;
  int Cell = 0; // the figure's first cell before the move, relative to the field's Pos
};

class TSolver {
 public:
  TSolver();
  ~TSolver();
  TSolver(const TSolver&) = delete;
  TSolver& operator=(const TSolver&) = delete;

  // ---- set-up ----
  void PrepareSolver(const TTask& task);
  int ScanCount() const { return N; }
  int FigureCount() const { return NFigs; }
  int ClassCount() const { return int(Classes.size()); }
  int SymbolCount() const { return Symbols; }
  bool Packed() const { return IsPacked; }
  uint32_t KeySize() const { return KeyBytes; }
  uint32_t RecordSize() const { return KeyBytes + RecordHeader; }
  int GoalCount() const { return Goals; }
  // False when some moving figure stands where none of its placements is (a wall cuts through it):
  // such a start cannot be searched.
  bool StartValid() const { return ValidStart; }
  const TFigClass& Class(int number) const { return Classes[number - 1]; }
  const TPlacement& Placement(int index) const { return Placements[index]; }
  int TaskFigure(int solverFig) const { return SolverToFig[solverFig]; }

  void EncodePosition(const uint8_t* occupancy, uint8_t* key) const;
  void DecodePosition(const uint8_t* key);
  // Sets symbol k of a key (a key of a symbol per cell: k is the scan cell).
  void SetKeySymbol(uint8_t* key, int k, uint8_t symbol) const;
  std::vector<int> FirstSeenOrder(const uint8_t* occupancy) const;
  bool IsGoal(const int32_t* figPlacement) const;
  const std::vector<uint8_t>& Occupancy() const { return Occ; }

  // ---- search ----
  static uint64_t BudgetFor(uint64_t availableBytes, uint32_t recordSize);
  // Runs the whole search on a prepared solver (PrepareSolver is called first by Solve). A failure
  // to get memory inside the search (an exception) ends it as OutOfMemory with the counts so far.
  void Solve(const TTask& task, const TSolveOptions& options, ISolveProgress* progress = nullptr);

  // Results, valid until the next solve.
  int L = 0;                                  // last non-empty layer
  std::vector<uint32_t> LayerCounts;          // per layer 0..L
  std::vector<uint32_t> LayerHeads;
  uint64_t PosTotal = 0, GeneratedTotal = 0, ExpandedTotal = 0;
  int SolCount = 0;
  int SolutionLayer = -1;
  int SolMaxCount = 1;
  uint32_t SolutionRecords[MaxSolutions] = {};
  std::atomic<bool> SolveStopped{false};
  bool LayerLimitHit = false;
  bool OutOfMemory = false;
  bool HasEndPosition = false;
  uint64_t MaxRecords = 0;
  int ForgetIndex = 0;
  uint32_t RunningCount() const { return NewCount; } // positions of the layer being built so far
  // The first-seen order of the start position, kept for the move lines of the results.
  std::vector<int> StartOrder;

  // ---- reconstruction mode (the move lines of the results) ----
  // Expands `parent` again and reports the move that leads to the position `target`.
  bool ReconstructMove(uint32_t parent, const uint8_t* target, std::vector<TMoveItem>& items);
  const TPositionStore& Store() const { return Records; }
  // The moves from `parent` to its child `child`, with real figure identities: realOrder holds the
  // real SolverFig of the k-th figure in first-seen order and is carried over to the child.
  bool ReconstructPair(uint32_t parent, uint32_t child, std::vector<int>& realOrder, std::vector<TMoveItem>& items);
  int FieldPosition() const { return FieldPos; }
  bool GravityMode() const { return MoveMode == GravityGenerator; }
  bool MiniMoveMode() const { return MoveMode == 2 || MoveMode == 5 || MoveMode == CooperativeGenerator; }
  static constexpr int GravityGenerator = 6;
  static constexpr int CooperativeGenerator = 7;

 private:
  // set-up tables
  // Set-up tables: written before the search, then only read (by both threads in large layers).
  alignas(64) int N = 0;                // scan cells
  std::vector<int16_t> ScanCells;       // relative codes
  std::vector<int16_t> ScanIndexOf;     // relative code -> scan index, -1
  std::vector<int16_t> Neighbours;      // 4 per scan cell
  int NFigs = 0;
  uint8_t FigToSolver[256] = {};
  uint8_t SolverToFig[256] = {};
  std::vector<uint8_t> Occ;             // working position, one byte per scan cell
  std::vector<int32_t> FigPlacement;    // per SolverFig
  std::vector<uint8_t> ClassOf;         // SolverFig -> class number
  std::vector<TFigClass> Classes;
  std::vector<TPlacement> Placements;
  std::vector<int16_t> CellList;        // placement cells and fronts
  int FieldPos = 0;
  int Goals = 0;
  int Symbols = 0;
  bool IsPacked = false;
  uint32_t KeyBytes = 1;
  int MoveMode = 0;                     // which generator
  bool ValidStart = true;
  mutable std::vector<uint8_t> Seen;    // encoder scratch, per SolverFig

  // pools and table
  alignas(64) TMem SetupPool;
  TMem PositionPool;
  alignas(64) TPositionStore Records;
  alignas(64) TPositionTable Table;

  // search state, written by the storing thread
  alignas(64) TSolveOptions Opt;
  ISolveProgress* Progress = nullptr;
  uint32_t NewCount = 0, NewHead = 0, NewTail = 0;
  uint64_t NextProgress = 0;
  uint32_t FreeRecords = 0;
  uint32_t SpareRecord = 0;
  bool ParentSolution = false;
  bool StopAtWanted = false;
  uint64_t MemoryStart = 0;              // available memory when the search began
  bool MemoryOverride = false;
  bool ParentOpen = false;               // a batch marker opened a parent whose successors follow
  uint32_t StoringParent = 0;            // the parent whose successors are being stored

  // reconstruction (read by the generator)
  alignas(64) const uint8_t* Target = nullptr;
  std::vector<TMoveItem>* Items = nullptr;
  std::vector<uint8_t> TargetScratch;

  // batched successor handling for the single-figure generators
  bool Batching = false;
  std::vector<uint8_t> KeyScratch;

  // group generators' scratch
  std::vector<uint8_t> Occ2;
  std::vector<int32_t> FigPlacement2;
  std::vector<uint8_t> InGroup;
  std::vector<uint8_t> GroupList;
  std::vector<uint32_t> SizeHead, SizeTail;
  uint32_t BestGoal = 0;                 // goal successor with the smallest group so far
  int BestGoalSize = 0;
  bool GoalTests = true;                 // group any path: off once a goal is registered for the parent
  // group any path: one initiator's traversal, visited keyed by position and initiator cell
  std::vector<uint8_t> TravKeys;         // per entry: key bytes, then the initiator's first cell (16 bits)
  std::vector<uint32_t> TravIndex;       // open addressing over entries + 1, 0 empty
  size_t TravCount = 0;
  // The generator's state. In large layers the generator runs on a thread of its own: what it
  // writes sits on cache lines of its own, away from what the storing thread writes.
  alignas(64) TRecordView Parents;       // the records, read-only: parents are finished records
  uint32_t Expanding = 0;                // record being expanded
  int GoalHits = 0;                      // figures on a goal placement in the decoded position
  TSuccessorBatch Batch;                 // being filled by the generator
  std::vector<uint8_t> Visited;          // any-path scratch
  std::vector<int32_t> Queue, From;
  alignas(64) uint8_t GeneratorStateEnd = 0;

  // set-up steps
  void BuildScanCells(const TTask& task);
  void AddFigure(const TTask& task, int index, THashV& classTable);
  void EnumeratePlacements(const TTask& task, const TFig& fig, TFigClass& cls);
  void SetGoals(const TTask& task);

  // search steps
  void Search();
  void EndSearch(bool partial);
  bool ExpandLayer(uint32_t head);
  bool AfterParent();
  uint32_t TakeRecord();
  bool RegisterSolution(uint32_t record);
  bool ProgressStep();
  bool ForgetOldestLayer();
  bool AllowMemory(uint64_t bytes);
  bool EnsureTableRoom();
  void CloseLayer();

  // successor handling
  enum class Go { On, Stop };
  void Expand(uint32_t record);
  Go EmitSingle(int fig, int newPlacement, uint16_t moveInfo, int dir, int len);
  Go Emit(const uint8_t* occ, bool goal, uint16_t moveInfo, uint32_t* sizeList, uint32_t* sizeTail);
  Go FlushPending();
  void HashBatch(TSuccessorBatch& batch) const;
  Go StoreBatch(const TSuccessorBatch& batch);
  bool ExpandLayerTwoThreads(uint32_t head);
  template <class HandOver>
  bool GenerateLayer(uint32_t head, size_t entries, HandOver handOver);
  Go StoreSuccessor(const uint8_t* key, uint32_t sum, bool goal, uint16_t moveInfo);
  // The steps of storing a successor, shared by the generators that keep their own lists.
  Go LookUp(const uint8_t* key, uint32_t sum, uint32_t& found);
  Go KeepSuccessor(const uint8_t* key, uint32_t sum, uint32_t found, bool goal, uint16_t moveInfo);
  bool GoalMayCount(uint32_t found) const;
  bool StoreNew(const uint8_t* key, uint32_t sum, uint32_t& head, uint32_t& tail);
  void KeepKnownGoal(const uint8_t* key);
  uint32_t UseSpare(uint16_t moveInfo);
  bool ReconstructHit(const uint8_t* occ);
  int LastMovedFig(uint16_t moveInfo, bool wide) const;
  bool GoalWith(int fig, int newPlacement) const;

  // generators
  void ExpandOneCell();
  void ExpandOneDir();
  void ExpandAnyPath();
  void ExpandGroupOneCell();
  void ExpandGroupOneDir();
  void ExpandGroupAnyPath();
  bool FormGroup(const uint8_t* occ, const int32_t* fp, int x, int d);
  void MoveGroup(uint8_t* occ, int32_t* fp, int d);
  void StartGroupExpansion();
  Go EmitGroup(const uint8_t* occ, const int32_t* fp, uint16_t moveInfo);
  void FlushSizeLists();
  Go RegisterBestGoal();
  Go GroupOneCellFrom(int skip, bool keepResults, std::vector<std::pair<int, int>>* results);
  void TravClear();
  bool TravAdd(const uint8_t* key, int cell); // false when already there
  // Decodes walk entry e (its key copied to key) and returns the initiator standing on the entry's cell.
  int TravLoad(size_t e, uint8_t* key);
  bool CanStep(int placement, int d) const;
  void DoStep(uint8_t* occ, int fig, int from, int d);


  // ---- results, gravity and cooperative moves ----
  std::vector<uint8_t> HitOcc;           // the child's occupancy, parent's figure numbers, at a hit
  Go GroupHit(const uint8_t* occ, const int32_t* fp);
  bool ReconstructGroupAnyPath(uint32_t parent, const uint8_t* target, std::vector<int>& realOrder,
                               std::vector<TMoveItem>& items);
  void CarryRealOrder(const std::vector<int>& parentRank, std::vector<int>& realOrder, std::vector<TMoveItem>& items,
                      size_t firstItem);

  // gravity: per tilt, the stuck figures
  std::vector<uint8_t> Stuck, StuckList;
  void ExpandGravity();
  bool Tilt(int d);
  void SpreadStuck(const uint8_t* occ, const int32_t* fp, int d, size_t from);
  Go EmitGravity(int d);

  // cooperative: per expansion and direction, blocked flags and push lists; per branch, the movers
  // and the forbidden pairs
  std::vector<uint8_t> CoopBlocked;      // 4 * (n + 1)
  std::vector<int32_t> CoopPushStart;    // 4 * (n + 1) + 1
  std::vector<uint8_t> CoopPush;
  std::vector<uint8_t> MoveDir;          // per figure, 255 when it stays
  std::vector<uint8_t> Movers;
  std::vector<uint16_t> Forbidden;       // 4 * (n + 1) counts
  std::vector<uint16_t> ForbidStack;     // (figure << 2 | direction) of every count taken
  std::vector<uint16_t> Candidates;      // (figure << 2 | direction)
  std::vector<uint8_t> CoopSeen;
  void ExpandCooperative();
  Go CoopBranch(size_t from);
  Go CoopEmit();
  void Forbid(int fig, int dir, int spreadDir);
  void ForbidMover(int y);
  void ReportTrains();

  friend class TGroupMoves;
};

} // namespace zrk
