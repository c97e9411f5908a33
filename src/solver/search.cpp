// RunSearch: the layered breadth-first search, the position store and the memory budget.
#include <algorithm>
#include <cstring>
#include <exception>
#include <thread>

#include "model/platform.h"
#include "solver/solver.h"

namespace zrk {

namespace {
constexpr size_t BatchEntries = 512;        // parent markers and successors per batch
constexpr size_t HandOverEntries = 4096;    // the same between threads: a hand-over costs a lock
constexpr size_t QueuedBatches = 8;
} // namespace

uint64_t TSolver::BudgetFor(uint64_t available, uint32_t recordSize) {
  // Each position costs its record made even plus about 10 bytes of table. Below the reserve the
  // budget is 0: the search stops at its first new position instead of running unbounded.
  if (available <= MemoryReserve) return 0;
  return (available - MemoryReserve) / (((uint64_t(recordSize) + 11) / 2) * 2);
}

void TSolver::Solve(const TTask& task, const TSolveOptions& options, ISolveProgress* progress) {
  Opt = options;
  Progress = progress;
  const bool stopRequested = SolveStopped;
  PrepareSolver(task);
  SolveStopped = stopRequested;
  LayerLimitHit = OutOfMemory = false;
  SolCount = 0;
  SolutionLayer = -1;
  SolMaxCount = Opt.ManySol ? std::clamp(Opt.SolMax, 1, MaxSolutions) : 1;
  ForgetIndex = 0;
  HasEndPosition = Goals > 0;
  FreeRecords = SpareRecord = 0;
  Target = nullptr;

  MemoryOverride = Opt.AvailableMemory != 0;
  MemoryStart = MemoryOverride ? Opt.AvailableMemory : AvailablePhysicalMemory();
  MaxRecords = BudgetFor(MemoryStart, RecordSize());

  Records.Reset(RecordSize());
  Parents = Records.View();
  MaxRecords = std::min<uint64_t>({MaxRecords, Records.Capacity(), TPositionTable::MaxCapacity - 1});
  Table.SetSource(Records.KeySource());
  Table.Reset(KeyBytes, 0);

  // Room for every layer up front: closing a layer never allocates, so a failure leaves them whole.
  LayerCounts.reserve(MaxLayers);
  LayerHeads.reserve(MaxLayers);
  LayerCounts.assign(1, 0);
  LayerHeads.assign(1, 0);
  L = 0;
  PosTotal = GeneratedTotal = ExpandedTotal = 0;
  NewCount = NewHead = NewTail = 0;
  if (MoveMode < 0 || !ValidStart) return;

  const uint32_t start = Records.New();
  if (!start) {
    SolveStopped = OutOfMemory = true;
    return;
  }
  StartOrder = FirstSeenOrder(Occ.data());
  EncodePosition(Occ.data(), Records.Key(start));
  DecodePosition(Records.Key(start));
  Records.SetNext(start, 0);
  Records.SetParent(start, 0);
  Records.SetLayer(start, 0);
  Records.SetMoveInfo(start, 0xFFFF);
  Table.Insert(start);
  NewCount = 1;
  NewHead = NewTail = start;
  PosTotal = 1;
  NextProgress = 10000;
  StopAtWanted = HasEndPosition && !Opt.Remote && !Opt.CountSol;
  try {
    Search();
  } catch (...) {
    // Memory refused by the library (a table, a batch, a scratch vector): the layers, counts and
    // solutions found so far stay valid, as when the budget ends the search.
    SolveStopped = true;
    OutOfMemory = true;
    EndSearch(true);
  }
}

void TSolver::CloseLayer() {
  LayerCounts[L] = NewCount;
  LayerHeads[L] = NewHead;
}

void TSolver::Search() {
  bool partial = false;
  if (HasEndPosition && IsGoal(FigPlacement.data())) {
    SolutionRecords[0] = NewHead;
    SolCount = 1;
    SolutionLayer = 0;
    partial = !Opt.Remote;
  }
  while (!partial && NewCount != 0) {
    CloseLayer();
    if (L == MaxLayers - 1) {
      LayerLimitHit = true;
      SolveStopped = true;
      return;
    }
    ++L;
    LayerCounts.push_back(0);
    LayerHeads.push_back(0);
    const uint32_t head = LayerHeads[L - 1];
    NewCount = NewHead = NewTail = 0;
    if (!ExpandLayer(head) || (SolCount > 0 && !Opt.Remote)) partial = true;
  }
  EndSearch(partial);
}

// The layer being built is recorded when the search ended inside it; L becomes the last non-empty layer.
void TSolver::EndSearch(bool partial) {
  if (partial) CloseLayer();
  if (LayerCounts[L] == 0 && L > 0) --L;
  LayerCounts.resize(L + 1);
  LayerHeads.resize(L + 1);
}

bool TSolver::ExpandLayer(uint32_t head) {
  Batching = MoveMode <= 2;
  ParentOpen = false;
  if (!Batching) {
    for (uint32_t rec = head; rec; rec = Records.Next(rec)) {
      Expand(rec);
      if (!AfterParent()) return false;
    }
    return true;
  }
  if (Opt.SecondThreadFrom && LayerCounts[L - 1] >= Opt.SecondThreadFrom && std::thread::hardware_concurrency() > 1)
    return ExpandLayerTwoThreads(head);
  if (!GenerateLayer(head, BatchEntries, [this] { return FlushPending() == Go::On; })) return false;
  return !ParentOpen || AfterParent();
}

// Expands the parents of a layer into batches of about `entries` entries: a marker per parent, then
// its successors. Each full batch and the last one go to handOver; false when one was refused.
template <class HandOver>
bool TSolver::GenerateLayer(uint32_t head, size_t entries, HandOver handOver) {
  Batch.Clear();
  for (uint32_t rec = head; rec; rec = Parents.Next(rec)) {
    Batch.Entries.push_back(TPending{0, 0, 0, 1, rec});
    Expand(rec);
    if (Batch.Entries.size() >= entries && !handOver()) return false;
  }
  return handOver();
}

// The generator runs on a second thread a few batches ahead; this thread stores. When storing stops
// early (a stop, the memory, the solutions wanted), the generator is cancelled at its next batch.
bool TSolver::ExpandLayerTwoThreads(uint32_t head) {
  TBatchQueue queue(QueuedBatches);
  bool generatorFailed = false;
  std::thread generator([&] {
    try {
      GenerateLayer(head, HandOverEntries, [&] {
        HashBatch(Batch);
        return queue.Push(Batch); // hands over a fresh batch in its place
      });
    } catch (...) {
      generatorFailed = true; // read after the join
    }
    queue.Finish();
  });
  TSuccessorBatch batch;
  Go go = Go::On;
  try {
    while (go == Go::On && queue.Pop(batch)) go = StoreBatch(batch);
  } catch (...) {
    // The generator must be joined before the failure goes on: a running thread may not be left behind.
    queue.Cancel();
    generator.join();
    throw;
  }
  if (go == Go::Stop) queue.Cancel();
  generator.join();
  if (generatorFailed) {
    SolveStopped = true;
    OutOfMemory = true;
    return false;
  }
  if (go == Go::Stop) return false;
  return !ParentOpen || AfterParent();
}

bool TSolver::AfterParent() {
  if (SolveStopped) return false;
  if (StopAtWanted && SolCount >= SolMaxCount) return false;
  if (GeneratedTotal > NextProgress && ProgressStep()) return false;
  return true;
}

TSolver::Go TSolver::FlushPending() {
  HashBatch(Batch);
  const Go go = StoreBatch(Batch);
  Batch.Clear();
  return go;
}

void TSolver::HashBatch(TSuccessorBatch& batch) const {
  for (TPending& e : batch.Entries) {
    if (!e.Marker) e.Sum = TPositionTable::HashKey(&batch.Keys[size_t(e.Parent) * KeyBytes], KeyBytes);
  }
}

// Successors of a group of parents, hashed: bucket and key lines fetched ahead, then every successor
// handled in the order it was generated, exactly as one by one.
TSolver::Go TSolver::StoreBatch(const TSuccessorBatch& batch) {
  const std::vector<TPending>& entries = batch.Entries;
  const size_t count = entries.size();
  // A sliding window: the home slots of the successor BucketAhead places on are fetched, and the key
  // whose sum matches that of the successor KeyAhead places on (its slots have arrived by then),
  // while this one is handled.
  constexpr size_t BucketAhead = 20, KeyAhead = 8;
  for (size_t i = 0; i < count && i < BucketAhead; ++i) {
    if (!entries[i].Marker) Table.PrefetchSum(entries[i].Sum);
  }
  for (size_t i = 0; i < count; ++i) {
    if (i + BucketAhead < count && !entries[i + BucketAhead].Marker) Table.PrefetchSum(entries[i + BucketAhead].Sum);
    if (i + KeyAhead < count && !entries[i + KeyAhead].Marker) Table.PrefetchKeyOfSum(entries[i + KeyAhead].Sum);
    const TPending& e = entries[i];
    if (e.Marker) {
      if (ParentOpen && !AfterParent()) return Go::Stop;
      ParentOpen = true;
      StoringParent = e.Parent;
      ++ExpandedTotal;
      ParentSolution = false;
      continue;
    }
    if (StoreSuccessor(&batch.Keys[size_t(e.Parent) * KeyBytes], e.Sum, e.Goal, e.MoveInfo) == Go::Stop) return Go::Stop;
  }
  return Go::On;
}

TSolver::Go TSolver::StoreSuccessor(const uint8_t* key, uint32_t sum, bool goal, uint16_t moveInfo) {
  uint32_t found;
  if (LookUp(key, sum, found) == Go::Stop) return Go::Stop;
  return KeepSuccessor(key, sum, found, goal, moveInfo);
}

// A new position joins the layer; a known one is kept only as another solution.
TSolver::Go TSolver::KeepSuccessor(const uint8_t* key, uint32_t sum, uint32_t found, bool goal, uint16_t moveInfo) {
  const bool isGoal = goal && GoalMayCount(found);
  if (!found) {
    if (!StoreNew(key, sum, NewHead, NewTail)) return Go::Stop;
  } else if (isGoal) {
    KeepKnownGoal(key);
  } else {
    return Go::On;
  }
  const uint32_t rec = UseSpare(moveInfo);
  if (isGoal) {
    if (!RegisterSolution(rec)) return Go::Stop;
    ParentSolution = true;
  }
  return Go::On;
}

// The spare record is taken before the lookup: forgetting layers to get it may remove keys.
TSolver::Go TSolver::LookUp(const uint8_t* key, uint32_t sum, uint32_t& found) {
  if (!SpareRecord) {
    SpareRecord = TakeRecord();
    if (!SpareRecord) return Go::Stop;
  }
  ++GeneratedTotal;
  found = Table.FindHashed(key, sum);
  return Go::On;
}

bool TSolver::GoalMayCount(uint32_t found) const {
  // The first solutions are new positions; once found, every goal of the solution layer counts.
  return HasEndPosition && !ParentSolution && (SolCount > 0 ? L == SolutionLayer : !found);
}

// The successor is a new position: it goes into the spare record, the list and the table.
bool TSolver::StoreNew(const uint8_t* key, uint32_t sum, uint32_t& head, uint32_t& tail) {
  if (!EnsureTableRoom()) return false;
  const uint32_t rec = SpareRecord;
  std::memcpy(Records.Key(rec), key, KeyBytes);
  Records.SetNext(rec, 0);
  if (tail) Records.SetNext(tail, rec);
  else head = rec;
  tail = rec;
  ++NewCount;
  ++PosTotal;
  Table.InsertHashed(rec, sum);
  return true;
}

// A known position reached as another solution: a record of its own, in no list and not in the table.
void TSolver::KeepKnownGoal(const uint8_t* key) {
  std::memcpy(Records.Key(SpareRecord), key, KeyBytes);
  Records.SetNext(SpareRecord, 0);
}

uint32_t TSolver::UseSpare(uint16_t moveInfo) {
  const uint32_t rec = SpareRecord;
  Records.SetLayer(rec, uint16_t(L));
  Records.SetMoveInfo(rec, moveInfo);
  Records.SetParent(rec, StoringParent);
  SpareRecord = 0;
  return rec;
}

uint32_t TSolver::TakeRecord() {
  if (FreeRecords) {
    const uint32_t h = FreeRecords;
    FreeRecords = Records.Next(h);
    return h;
  }
  if (Table.Count() < MaxRecords && (!Records.NeedsBlock() || AllowMemory(PoolBlockSize))) {
    const uint32_t h = Records.New();
    if (h) return h;
  }
  if (Opt.ForgetLayers && ForgetOldestLayer()) return TakeRecord();
  SolveStopped = true;
  OutOfMemory = true;
  return 0;
}

// Drops the oldest stored layer while three layers stay (the one expanded, the one before it and the
// one being built), so that every successor of the layer being expanded is still recognised.
bool TSolver::ForgetOldestLayer() {
  if (ForgetIndex >= L - 2) return false;
  uint32_t rec = LayerHeads[ForgetIndex];
  while (rec) {
    const uint32_t next = Records.Next(rec);
    Table.Remove(Records.Key(rec));
    Records.SetNext(rec, FreeRecords);
    FreeRecords = rec;
    rec = next;
  }
  LayerHeads[ForgetIndex] = 0;
  ++ForgetIndex;
  return FreeRecords != 0 || ForgetOldestLayer();
}

bool TSolver::AllowMemory(uint64_t bytes) {
  if (MemoryOverride) {
    const uint64_t used = Records.BlocksTaken() * PoolBlockSize + Table.ArrayBytes();
    return used + bytes + MemoryReserve <= MemoryStart;
  }
  return AvailablePhysicalMemory() >= bytes + MemoryReserve;
}

// The table doubles as it fills, up to room for the whole budget; a growth that the available memory
// cannot hold forgets old layers when allowed, else ends the search for want of memory.
bool TSolver::EnsureTableRoom() {
  if (!Table.NeedsGrowth()) return true;
  const uint64_t limit = std::min<uint64_t>(MaxRecords + 1, TPositionTable::MaxCapacity);
  if (Table.Capacity() >= limit) return true; // the budget ends the search before the table fills
  const uint32_t next = uint32_t(std::min<uint64_t>(uint64_t(Table.Capacity()) * 2, limit));
  while (!AllowMemory(TPositionTable::BytesFor(next))) {
    if (!Opt.ForgetLayers || !ForgetOldestLayer()) {
      SolveStopped = true;
      OutOfMemory = true;
      return false;
    }
    if (!Table.NeedsGrowth()) return true;
  }
  // The old array's pages are in place already: the records take them over rather than fresh ones.
  // Under a given memory figure the budget counts blocks and the table only, so the array is freed.
  void* retired = nullptr;
  size_t retiredBytes = 0;
  if (Table.Resize(next, MemoryOverride ? nullptr : &retired, &retiredBytes)) {
    Records.Donate(retired, retiredBytes);
    return true;
  }
  SolveStopped = true;
  OutOfMemory = true;
  return false;
}

bool TSolver::RegisterSolution(uint32_t record) {
  if (SolutionLayer < 0) SolutionLayer = L;
  if (SolCount < SolMaxCount) SolutionRecords[SolCount] = record;
  ++SolCount;
  return Opt.Remote || Opt.CountSol || SolCount < SolMaxCount;
}

bool TSolver::ProgressStep() {
  NextProgress = GeneratedTotal + 10000;
  LayerCounts[L] = NewCount;
  if (Progress) Progress->Progress(*this);
  return SolveStopped;
}

} // namespace zrk
