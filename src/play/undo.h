#pragma once
// Undo and redo: a ring of 100 whole-state snapshots of 69,680 bytes each. A snapshot holds the
// task (in edit mode its figures and StartMap; in play mode its figure records, the initial
// position and the moves-and-tree block) and what the window shows of it, which reaches the core
// through IUndoWindow. The edit-mode snapshot is also the "ZRKFigs" clipboard image.
//
// Entry points: RecordUndo(inPlace) after every change (the window's refresh), ClearUndo when a
// task image is read, Undo / Redo (the buttons; CanUndo / CanRedo enable them), TakeSnapshot.

#include <cstdint>
#include <vector>

#include "model/report.h"
#include "play/play_engine.h"

namespace zrk {

constexpr size_t SnapshotHeaderSize = 48;
constexpr size_t SnapshotBodySize = 69632;
constexpr size_t SnapshotSize = SnapshotHeaderSize + SnapshotBodySize; // 69,680
constexpr int UndoSlots = 100;

// What a snapshot keeps of the window: scroll positions, the pressed editing tool, the distribution
// window, and the settings-level options.
struct TUndoView {
  int32_t ScrollX = 0, ScrollY = 0;
  int32_t Tool = -1; // index of the pressed editing tool button, -1 none
  bool DistribShown = false;
  bool OnlyField = false, SameColor = false, Remote = false, ManySol = false;
  bool operator==(const TUndoView&) const = default;
};

class IUndoWindow {
 public:
  virtual ~IUndoWindow() = default;
  virtual TUndoView UndoView() const = 0;
  // Called after the task was restored: put the view back and refresh without recording.
  virtual void RestoreUndoView(const TUndoView& view) = 0;
};

// The view kept in memory: for tests and the command line.
class TPlainUndoWindow final : public IUndoWindow {
 public:
  TUndoView UndoView() const override { return View; }
  void RestoreUndoView(const TUndoView& view) override { View = view; }
  TUndoView View;
};

extern const char* const UndoImpossibleCaption; // "Отмена невозможна!"
extern const char* const RedoImpossibleCaption; // "Возрат отмены невозможен!"
extern const char* const TreeTooBigText;        // "Дерево позиций слишком большое!"

class TUndoRing {
 public:
  TUndoRing(TPlayEngine& engine, IUndoWindow& window);

  void RecordUndo(bool inPlace = false);
  void ClearUndo();
  bool Undo(IReporter* reporter);
  bool Redo(IReporter* reporter);
  void RestoreSnapshot(int slot);

  bool CanUndo() const { return Any && Cur != Oldest; }
  bool CanRedo() const { return Any && Cur != Newest; }

  // Builds the snapshot of the present state; false when the play body does not fit.
  bool TakeSnapshot(std::vector<uint8_t>& out) const;
  // Restores a snapshot image; false (nothing changed) when it is malformed.
  bool ApplySnapshot(const uint8_t* data, size_t size);

  int Oldest = 0, Newest = 0, Cur = 0;
  bool Any = false;
  bool Failed = false;

 private:
  uint8_t* Slot(int i) { return ring_.data() + size_t(i) * SnapshotSize; }

  TPlayEngine& engine_;
  IUndoWindow& window_;
  std::vector<uint8_t> ring_;
  std::vector<uint8_t> scratch_;
};

} // namespace zrk
