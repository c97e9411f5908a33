#include "play/undo.h"

#include <algorithm>
#include <cstring>

#include "model/image_limit.h"
#include "model/task_file.h"

namespace zrk {

const char* const UndoImpossibleCaption = "Отмена невозможна!";
const char* const RedoImpossibleCaption = "Возрат отмены невозможен!";
const char* const TreeTooBigText = "Дерево позиций слишком большое!";

namespace {

constexpr size_t EditFigEntry = 16;
constexpr int PlayBit = 11;

void Put32(uint8_t* p, uint32_t v) {
  p[0] = uint8_t(v), p[1] = uint8_t(v >> 8), p[2] = uint8_t(v >> 16), p[3] = uint8_t(v >> 24);
}
uint32_t Get32(const uint8_t* p) { return p[0] | (p[1] << 8) | (p[2] << 16) | (uint32_t(p[3]) << 24); }

uint32_t OptionBits(const TTaskOptions& o, const TUndoView& v) {
  uint32_t b = 0;
  auto set = [&b](bool on, int bit) { if (on) b |= 1u << bit; };
  set(o.EndPos, 0), set(o.GridF, 1), set(o.GridE, 2), set(o.ShowNums, 3), set(o.GrSlide, 4), set(o.Gravity, 5);
  set(v.OnlyField, 6);
  b |= uint32_t(o.MoveKind & 3) << 7;
  set(o.OrigNums, 9), set(o.OrigMovesNums, 10), set(o.Play, 11), set(o.ChessNot, 12), set(o.LatNot, 13);
  set(o.Cooperative, 14), set(o.ShowPict, 15), set(o.ShowDir, 16), set(o.HasPicture, 17), set(o.OnlyNames, 18);
  set(o.PictBkgr, 19), set(o.DifByName, 20), set(v.SameColor, 21), set(v.Remote, 22), set(v.ManySol, 23);
  set(v.DistribShown, 24), set(o.MinGr, 25);
  return b;
}

void TakeOptionBits(TTaskOptions& o, TUndoView& v, uint32_t b) {
  auto bit = [b](int i) { return ((b >> i) & 1) != 0; };
  o.EndPos = bit(0), o.GridF = bit(1), o.GridE = bit(2), o.ShowNums = bit(3), o.GrSlide = bit(4), o.Gravity = bit(5);
  v.OnlyField = bit(6);
  const int kind = int((b >> 7) & 3);
  o.MoveKind = kind == 3 ? OneCellMove : kind;
  o.OrigNums = bit(9), o.OrigMovesNums = bit(10), o.ChessNot = bit(12), o.LatNot = bit(13);
  o.Cooperative = bit(14) && !o.Gravity, o.ShowPict = bit(15), o.ShowDir = bit(16), o.HasPicture = bit(17);
  o.OnlyNames = bit(18), o.PictBkgr = bit(19), o.DifByName = bit(20);
  v.SameColor = bit(21), v.Remote = bit(22), v.ManySol = bit(23), v.DistribShown = bit(24);
  o.MinGr = bit(25) && o.MoveKind == OneCellMove && o.GrSlide;
}

} // namespace

TUndoRing::TUndoRing(TPlayEngine& engine, IUndoWindow& window)
    : engine_(engine), window_(window), ring_(size_t(UndoSlots) * SnapshotSize, 0), scratch_(SnapshotSize, 0) {}

bool TUndoRing::TakeSnapshot(std::vector<uint8_t>& out) const {
  const TTask& task = engine_.Task;
  const TTaskOptions& o = task.Options;
  const TUndoView view = window_.UndoView();
  out.assign(SnapshotSize, 0);
  uint8_t* h = out.data();
  const uint32_t header[12] = {1, uint32_t(o.WC), uint32_t(task.DimX), uint32_t(task.DimY), uint32_t(view.ScrollX),
                               uint32_t(view.ScrollY), uint32_t(task.FigCount), uint32_t(task.FlaggedCells),
                               OptionBits(o, view), uint32_t(view.Tool), task.GridColor, task.WallColor};
  for (int i = 0; i < 12; ++i) Put32(h + 4 * i, header[i]);
  uint8_t* body = h + SnapshotHeaderSize;
  if (!o.Play) {
    for (int i = 0; i < task.FigCount && i < FigSlots; ++i) {
      const TFig& f = task.Figs[size_t(i)];
      uint8_t* e = body + EditFigEntry * size_t(i);
      e[0] = f.Selected, e[1] = f.OnField, e[2] = uint8_t(f.Freedom), e[3] = f.Num;
      Put32(e + 4, uint32_t(uint16_t(f.EndPos)));
      Put32(e + 8, f.Color);
      std::memcpy(e + 12, f.Name, 4);
    }
    uint8_t* map = body + EditFigEntry * FigSlots;
    for (int c = 0; c < MapSize; ++c) {
      map[2 * c] = uint8_t(task.StartMap[size_t(c)]);
      map[2 * c + 1] = uint8_t(task.StartMap[size_t(c)] >> 8);
    }
    return true;
  }
  TWr wr;
  for (int i = 0; i < task.FigCount; ++i) {
    const TFig& f = task.Figs[size_t(i)];
    WriteFigRecord(task, f, f.Selected != 0, f.Pos, true, wr);
    wr.PutU16(uint16_t(engine_.InitialPositions[size_t(i)]));
    wr.PutU8(engine_.SavedSelection[size_t(i)] ? 1 : 0);
    wr.PutU8(f.PictIndex);
  }
  if (task.FlaggedCells > 0) {
    std::vector<uint8_t> flags = task.FieldFlags;
    flags.resize(size_t(task.Field().CellCount()), 0);
    wr.PutBlock(flags.data(), flags.size());
  }
  engine_.WriteMovesBlock(wr);
  if (wr.Size() > SnapshotBodySize) return false;
  std::memcpy(body, wr.Data(), wr.Size());
  return true;
}

void TUndoRing::RecordUndo(bool inPlace) {
  if (!TakeSnapshot(scratch_)) {
    Failed = true;
    return;
  }
  Failed = false;
  if (Any) {
    if (std::memcmp(scratch_.data(), Slot(Cur), SnapshotSize) == 0) return;
    if (!inPlace) {
      Cur = (Cur + 1) % UndoSlots;
      Newest = Cur;
      if (Cur == Oldest) Oldest = (Oldest + 1) % UndoSlots;
    }
  }
  std::memcpy(Slot(Cur), scratch_.data(), SnapshotSize);
  Any = true;
}

void TUndoRing::ClearUndo() {
  Cur = Newest = Oldest = 0;
  Any = false;
}

bool TUndoRing::Undo(IReporter* reporter) {
  if (Failed) {
    if (reporter) reporter->Report(MsgKind::Error, UndoImpossibleCaption, TreeTooBigText);
    return false;
  }
  if (!CanUndo()) return false;
  RestoreSnapshot((Cur + UndoSlots - 1) % UndoSlots);
  return true;
}

bool TUndoRing::Redo(IReporter* reporter) {
  if (Failed) {
    if (reporter) reporter->Report(MsgKind::Error, RedoImpossibleCaption, TreeTooBigText);
    return false;
  }
  if (!CanRedo()) return false;
  RestoreSnapshot((Cur + 1) % UndoSlots);
  return true;
}

void TUndoRing::RestoreSnapshot(int slot) {
  if (slot < 0 || slot >= UndoSlots) return;
  Cur = slot;
  ApplySnapshot(Slot(slot), SnapshotSize);
}

bool TUndoRing::ApplySnapshot(const uint8_t* data, size_t size) {
  if (size != SnapshotSize) return false;
  uint32_t h[12];
  for (int i = 0; i < 12; ++i) h[i] = Get32(data + 4 * i);
  const int dimX = int(h[2]), dimY = int(h[3]), figCount = int(h[6]);
  if (h[0] != 1 || dimX < 1 || dimX > MaxDim || dimY < 1 || dimY > MaxDim || figCount < 1 || figCount > MaxFigRecords)
    return false;
  TTask& task = engine_.Task;
  TUndoView view;
  view.ScrollX = int32_t(h[4]);
  view.ScrollY = int32_t(h[5]);
  view.Tool = int32_t(h[9]);
  const bool playSnapshot = (h[8] >> PlayBit) & 1;
  const bool wasPlay = task.Options.Play;
  TakeOptionBits(task.Options, view, h[8]);
  task.Options.WC = ClampCellWidth(int(std::min<uint32_t>(h[1], 0xFFFF)), dimX, dimY);
  task.DimX = dimX;
  task.DimY = dimY;
  task.GridColor = h[10];
  task.WallColor = h[11];
  const uint8_t* body = data + SnapshotHeaderSize;

  if (!playSnapshot) {
    if (wasPlay) engine_.SetPlayMode(false, false, false);
    for (int c = 0; c < MapSize; ++c)
      task.StartMap[size_t(c)] = uint16_t(body[EditFigEntry * FigSlots + 2 * c] | (body[EditFigEntry * FigSlots + 2 * c + 1] << 8));
    for (int i = 0; i < std::max(task.FigCount, figCount) && i < FigSlots; ++i) {
      TFig& f = task.Figs[size_t(i)];
      f.Init(&task, i);
      if (i >= figCount) continue;
      const uint8_t* e = body + EditFigEntry * size_t(i);
      f.Selected = e[0], f.OnField = e[1], f.Freedom = int8_t(std::min<uint8_t>(e[2], 3)), f.Num = e[3];
      f.EndPos = int16_t(Get32(e + 4));
      f.Color = Get32(e + 8) & 0xFFFFFF;
      std::memcpy(f.Name, e + 12, 3);
      f.Name[3] = 0;
    }
    task.FigCount = figCount;
    task.RebuildFigs(false);
    window_.RestoreUndoView(view);
    return true;
  }

  TRe re(std::vector<uint8_t>(body, body + SnapshotBodySize));
  re.Version = int(TaskFileVersion);
  for (int i = figCount; i < task.FigCount && i < FigSlots; ++i) task.Figs[size_t(i)].Init(&task, i);
  task.FigCount = figCount;
  task.TempFixed.fill(0);
  std::array<uint8_t, FigSlots> savedSelection{};
  for (int i = 0; i < figCount; ++i) {
    TFig& f = task.Figs[size_t(i)];
    f.Init(&task, i);
    if (!ReadFigRecord(task, f, re)) return false;
    // The field never moves in play; its slot of the initial positions is unused (0).
    const CellCode initial = CellCode(re.GetU16());
    if (i > 0 && wasPlay)
      engine_.InitialPositions[size_t(i)] = initial;
    else if (i > 0)
      f.Pos = initial, f.X = uint8_t(initial & 0x7F), f.Y = uint8_t((initial >> 7) & 0x7F), f.Box();
    savedSelection[size_t(i)] = re.GetU8();
    f.PictIndex = re.GetU8();
  }
  task.FieldFlags.clear();
  if (h[7] > 0) {
    const uint8_t* flags = re.GetBlock(size_t(task.Field().CellCount()));
    if (flags) task.FieldFlags.assign(flags, flags + task.Field().CellCount());
  }
  task.CountCells();
  task.BuildMaps(false, false);
  if (wasPlay) {
    engine_.PrepareMoveTables();
    engine_.RebuildInitialMap();
  } else {
    task.Options.Play = false;
    engine_.SetPlayMode(true, true, false);
  }
  engine_.SavedSelection = savedSelection;
  engine_.ReadMovesBlock(re, !wasPlay);
  window_.RestoreUndoView(view);
  return true;
}

} // namespace zrk
