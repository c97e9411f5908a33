#pragma once
// Successors travel from the generator to the position table in batches: a marker entry opens each
// parent's successors, and the keys of the successors lie side by side. While one core generates the
// next batch of a layer, the other stores the batch before it, in exactly the generated order.

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <vector>

namespace zrk {

struct TPending {
  uint32_t Sum;
  uint16_t MoveInfo;
  uint8_t Goal;     // the successor is a goal position
  uint8_t Marker;   // 1: the start of a parent's successors (Parent holds it)
  uint32_t Parent;  // the parent record of a marker, else the successor's key index in Keys
};

struct TSuccessorBatch {
  std::vector<TPending> Entries;
  std::vector<uint8_t> Keys;
  void Clear() {
    Entries.clear();
    Keys.clear();
  }
};

// A bounded queue of batches between one generating and one storing thread. Emptied batches go back
// to the generator so that their buffers are reused.
class TBatchQueue {
 public:
  explicit TBatchQueue(size_t depth) : Depth(depth) {}

  // Generator: hands a full batch over (waits while the queue is full) and gets an empty one back.
  // False when the storing side has cancelled.
  bool Push(TSuccessorBatch& batch) {
    std::unique_lock lock(M);
    Room.wait(lock, [&] { return Cancelled || Full.size() < Depth; });
    if (Cancelled) return false;
    Full.push_back(std::move(batch));
    batch = TakeEmpty();
    Ready.notify_one();
    return true;
  }
  // Generator: no more batches.
  void Finish() {
    std::lock_guard lock(M);
    Finished = true;
    Ready.notify_one();
  }
  // Storer: the next batch, false when the generator has finished and all batches were taken.
  bool Pop(TSuccessorBatch& batch) {
    std::unique_lock lock(M);
    Ready.wait(lock, [&] { return Finished || !Full.empty(); });
    if (Full.empty()) return false;
    if (batch.Entries.capacity() != 0) Empty.push_back(std::move(batch)); // stored: reuse its buffers
    batch = std::move(Full.front());
    Full.pop_front();
    Room.notify_one();
    return true;
  }
  // Storer: the generator is to stop at its next hand-over.
  void Cancel() {
    std::lock_guard lock(M);
    Cancelled = true;
    Room.notify_one();
  }

 private:
  size_t Depth;
  std::mutex M;
  std::condition_variable Ready, Room;
  std::deque<TSuccessorBatch> Full;
  std::vector<TSuccessorBatch> Empty;
  bool Finished = false;
  bool Cancelled = false;

  TSuccessorBatch TakeEmpty() {
    if (Empty.empty()) return {};
    TSuccessorBatch b = std::move(Empty.back());
    Empty.pop_back();
    b.Clear();
    return b;
  }
};

} // namespace zrk
