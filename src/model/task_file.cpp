#include "model/task_file.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <new>
#include <utility>

#include "model/image_limit.h"

namespace zrk {

const char* const TaskFileError = "Ошибка в файле задачи";
const char* const TaskFileBadHeader = "Неправильный заголовок файла задачи";
const char* const TaskFileTooNew = "Версия файла задачи более новая, чем у программы";
const char* const ClipboardErrorCaption = "Ошибка в буфере обмена";

namespace {

constexpr size_t HeaderSize = 17;      // magic, version, flags, cell width, board size, figure count
constexpr size_t FigRecordFixed = 14;  // a figure record without its name and cells

// ---------------------------------------------------------------------------------------------
// Writing

// The options that are one bit each in the header's flags word. Play, the text, the field flags and
// the picture depend on what follows the header and are handled apart; so are MinGr (checked
// against the move kind on reading) and the move kind itself.
struct TOptionBit {
  bool TTaskOptions::*Option;
  uint32_t Bit;
};
constexpr TOptionBit OptionBits[] = {
    {&TTaskOptions::GrSlide, TaskFlag::GrSlide},       {&TTaskOptions::Gravity, TaskFlag::Gravity},
    {&TTaskOptions::GridF, TaskFlag::GridF},           {&TTaskOptions::GridE, TaskFlag::GridE},
    {&TTaskOptions::ShowNums, TaskFlag::ShowNums},     {&TTaskOptions::EndPos, TaskFlag::EndPos},
    {&TTaskOptions::OrigNums, TaskFlag::OrigNums},     {&TTaskOptions::OrigMovesNums, TaskFlag::OrigMovesNums},
    {&TTaskOptions::ChessNot, TaskFlag::ChessNot},     {&TTaskOptions::Cooperative, TaskFlag::Cooperative},
    {&TTaskOptions::ShowPict, TaskFlag::ShowPict},     {&TTaskOptions::ShowDir, TaskFlag::ShowDir},
    {&TTaskOptions::OnlyNames, TaskFlag::OnlyNames},   {&TTaskOptions::PictBkgr, TaskFlag::PictBkgr},
    {&TTaskOptions::DifByName, TaskFlag::DifByName},   {&TTaskOptions::LatNot, TaskFlag::LatNot},
};

uint32_t FlagsWord(const TTask& task, bool withPlay) {
  const TTaskOptions& o = task.Options;
  uint32_t f = 0;
  for (const TOptionBit& ob : OptionBits)
    if (o.*ob.Option) f |= ob.Bit;
  if (!task.Text.empty()) f |= TaskFlag::HasText;
  if (task.FlaggedCells > 0) f |= TaskFlag::HasFieldFlags;
  if (withPlay) f |= TaskFlag::Play;
  if (o.MinGr) f |= TaskFlag::MinGr;
  f |= uint32_t(o.MoveKind & 3) << TaskFlag::MoveKindShift;
  // The picture block has no writer yet, so a file never claims one.
  return f;
}

// ---------------------------------------------------------------------------------------------
// Reading

void Report(const TTaskIo& io, const std::string& name, const char* message) {
  if (!io.Reporter) return;
  if (name.empty())
    io.Reporter->Report(MsgKind::Error, ClipboardErrorCaption, message);
  else
    io.Reporter->Report(MsgKind::Error, message, name);
}

void TakeOptions(TTaskOptions& o, uint32_t flags, int cellWidth, int dimX, int dimY) {
  // A cell size beyond the image limit would ask for a board image of gigabytes.
  o.WC = ClampCellWidth(cellWidth, dimX, dimY);
  for (const TOptionBit& ob : OptionBits) o.*ob.Option = (flags & ob.Bit) != 0;
  o.Play = (flags & TaskFlag::Play) != 0;
  o.HasPicture = (flags & TaskFlag::HasPicture) != 0;
  // Kind 3 is never written; it is read as one-cell moves.
  const int kind = int((flags & TaskFlag::MoveKindMask) >> TaskFlag::MoveKindShift);
  o.MoveKind = kind == 3 ? OneCellMove : kind;
  o.MinGr = (flags & TaskFlag::MinGr) && o.MoveKind == OneCellMove && o.GrSlide;
  // A board can hold only one move mode at a time.
  if (o.Gravity && o.Cooperative) o.Cooperative = false;
}

// Sorts the cells ascending, each pin travelling with its cell.
void SortCells(TFig& f) {
  if (f.CellCount() < 2) return;
  std::vector<std::pair<int16_t, uint8_t>> cells(f.Cells.size());
  for (size_t k = 0; k < cells.size(); ++k) cells[k] = {f.Cells[k], f.HasPins() ? f.Pins[k] : uint8_t(0)};
  std::sort(cells.begin(), cells.end());
  for (size_t k = 0; k < cells.size(); ++k) {
    f.Cells[k] = cells[k].first;
    if (f.HasPins()) f.Pins[k] = cells[k].second;
  }
}

// Every cell inside the board, and no cell claimed twice by figures: anything else could not be
// laid into the cell maps without corrupting them.
class TCellClaims {
 public:
  explicit TCellClaims(const TTask& task) : task_(task), owner_(MapSize, 0) {}
  bool Claim(const TFig& f) {
    for (int16_t rel : f.Cells) {
      const int code = f.Pos + rel;
      const int row = code >> 7, col = code & 0x7F;
      if (code < 0 || code >= MapSize || row < 1 || row > task_.DimY || col < 1 || col > task_.DimX) return false;
      if (f.Index == 0) {
        if (fieldCells_.size() < size_t(MapSize)) fieldCells_.resize(MapSize, 0);
        if (fieldCells_[code]++) return false;
        continue;
      }
      if (owner_[code]) return false;
      owner_[code] = f.Index;
    }
    return true;
  }

 private:
  const TTask& task_;
  std::vector<uint8_t> owner_;
  std::vector<uint8_t> fieldCells_;
};

void MakeEmpty(TTask& task) {
  task.Clear(true, true, true);
  task.New(true, true);
}

} // namespace

void WriteFigRecord(const TTask& task, const TFig& f, bool selected, CellCode pos, bool play, TWr& wr) {
  uint16_t flags = 0;
  if (selected) flags |= FigRecordFlag::Selected;
  if (f.HasName()) flags |= FigRecordFlag::HasName;
  if (play && f.Index != 0 && task.TempFixed[f.Index]) flags |= FigRecordFlag::TempFixed;
  const bool pins = f.Index != 0 && f.PinCount > 0 && f.HasPins();
  if (pins) flags |= FigRecordFlag::HasPins;
  wr.PutU16(flags);
  wr.PutU8(uint8_t(f.Freedom));
  wr.PutU8(f.Num);
  wr.PutU32(f.Color);
  if (f.HasName()) wr.PutStr(f.Name);
  wr.PutU16(uint16_t(pos));
  wr.PutU16(uint16_t(f.Index == 0 ? 0 : f.EndPos));
  wr.PutU16(uint16_t(f.CellCount()));
  for (int16_t c : f.Cells) wr.PutU16(uint16_t(c));
  if (pins) wr.PutBlock(f.Pins.data(), f.Pins.size());
}

bool ReadFigRecord(TTask& task, TFig& f, TRe& re) {
  if (re.Remaining() < FigRecordFixed) return false;
  const uint16_t flags = re.GetU16();
  const int freedom = re.GetU8();
  f.Num = re.GetU8();
  f.Color = re.GetU32() & 0xFFFFFF;
  if (flags & FigRecordFlag::HasName) {
    const char* name = re.GetStrRef();
    if (!name) return false;
    if (std::strlen(name) <= 3) f.SetName(name);
  }
  f.Pos = CellCode(re.GetU16());
  f.EndPos = int16_t(re.GetU16());
  const int count = int16_t(re.GetU16());
  if (re.Failed) return false;
  f.X = uint8_t(f.Pos & 0x7F);
  f.Y = uint8_t((f.Pos >> 7) & 0xFF);
  if (f.Index == 0) f.EndPos = 0;
  f.Selected = flags & FigRecordFlag::Selected;
  if ((flags & FigRecordFlag::TempFixed) && f.Index != 0) task.TempFixed[f.Index] = 1;
  if (freedom > 3 || count < 0) return false;
  f.Freedom = int8_t(f.Index == 0 ? 0 : freedom);
  const uint8_t* cells = re.GetBlock(2 * size_t(count));
  if (!cells) return false;
  f.Cells.resize(size_t(count));
  for (int k = 0; k < count; ++k) f.Cells[k] = int16_t(cells[2 * k] | (cells[2 * k + 1] << 8));
  if (flags & FigRecordFlag::HasPins) {
    const uint8_t* pins = re.GetBlock(size_t(count));
    if (!pins) return false;
    if (f.Index != 0) {
      f.Pins.resize(size_t(count));
      for (int k = 0; k < count; ++k) f.Pins[k] = pins[k] ? 1 : 0;
      f.PinCount = int16_t(std::count(f.Pins.begin(), f.Pins.end(), 1));
      if (f.PinCount == 0) f.Pins.clear();
    }
  }
  SortCells(f);
  f.Box();
  return true;
}

void WriteTask(const TTask& task, TWr& wr, const TTaskIo& io) {
  const bool play = task.Options.Play && io.Play;
  wr.Reserve(task.Text.size() + 50000);
  wr.PutU32(TaskFileMagic);
  wr.PutU32(TaskFileVersion);
  wr.PutU32(FlagsWord(task, play));
  wr.PutU8(uint8_t(task.Options.WC));
  wr.PutU8(uint8_t(task.DimX));
  wr.PutU8(uint8_t(task.DimY));
  wr.PutU16(uint16_t(task.FigCount));
  wr.PutU32(task.GridColor);
  wr.PutU32(task.WallColor);
  if (!task.Text.empty()) wr.PutStr(task.Text);
  // In play mode the records describe the task as edited: the positions and the selection that
  // the figures had when play mode was entered.
  for (int i = 0; i < task.FigCount; ++i) {
    const TFig& f = task.Figs[i];
    const bool selected = play && i > 0 ? io.Play->EditSelected(i) : f.Selected != 0;
    const CellCode pos = play && i > 0 ? io.Play->InitialPos(i) : f.Pos;
    WriteFigRecord(task, f, selected, pos, play, wr);
  }
  if (task.FlaggedCells > 0) {
    std::vector<uint8_t> flags = task.FieldFlags;
    flags.resize(size_t(task.Field().CellCount()), 0);
    wr.PutBlock(flags.data(), flags.size());
  }
  if (play) io.Play->WriteMovesBlock(wr);
}

namespace {

bool ReadImage(TTask& task, TRe& re, const std::string& name, const TTaskIo& io) {
  if (re.Remaining() < HeaderSize) {
    Report(io, name, TaskFileError);
    return false;
  }
  if (re.GetU32() != TaskFileMagic) {
    Report(io, name, TaskFileBadHeader);
    return false;
  }
  const uint32_t version = re.GetU32();
  if (version > TaskFileVersion) {
    Report(io, name, TaskFileTooNew);
    return false;
  }
  re.Version = int(version);
  const uint32_t flags = re.GetU32();
  const int cellWidth = re.GetU8();
  const int dimX = re.GetU8();
  const int dimY = re.GetU8();
  const int figCount = re.GetU16();
  if (dimX < 1 || dimX > MaxDim || dimY < 1 || dimY > MaxDim || figCount < 1 || figCount > MaxFigRecords) {
    Report(io, name, TaskFileError);
    return false;
  }

  task.Clear(true, true, true);
  if (io.Hooks) io.Hooks->ClearUndo();
  auto damaged = [&]() {
    MakeEmpty(task);
    // An empty task has nothing to play: it stays in edit mode whatever the header said.
    task.Options.Play = false;
    if (io.Play) io.Play->TaskRead(task, re, false);
    Report(io, name, TaskFileError);
    return false;
  };
  if (version >= 2) {
    if (re.Remaining() < 8) return damaged();
    task.GridColor = re.GetU32() & 0xFFFFFF;
    task.WallColor = re.GetU32() & 0xFFFFFF;
  }
  TakeOptions(task.Options, flags, cellWidth, dimX, dimY);
  task.DimX = dimX;
  task.DimY = dimY;
  if (flags & TaskFlag::HasText) {
    auto text = re.GetStrCopy();
    if (!text) return damaged();
    task.Text = *text;
  }

  task.FigCount = figCount;
  TCellClaims claims(task);
  for (int i = 0; i < figCount; ++i) {
    TFig& f = task.Figs[i];
    f.Init(&task, i);
    if (!ReadFigRecord(task, f, re) || !claims.Claim(f)) return damaged();
  }
  if (flags & TaskFlag::HasFieldFlags) {
    const uint8_t* bytes = re.GetBlock(size_t(task.Field().CellCount()));
    if (!bytes) return damaged();
    task.FieldFlags.assign(bytes, bytes + task.Field().CellCount());
  }

  task.CountCells();
  task.BuildMaps(false, false);
  task.RebuildFigs(false);
  if (io.Hooks) {
    io.Hooks->OptionsRead(task);
    io.Hooks->TaskTextRead(task);
  }
  if (io.Play) io.Play->TaskRead(task, re, task.Options.Play);
  // A damaged moves-and-tree block leaves the task at its initial position with an empty line.
  const bool blockDamaged = io.Play && task.Options.Play && re.Failed;
  if (io.Hooks) io.Hooks->TaskLoaded(task);
  task.SelSummary();
  if (blockDamaged) {
    Report(io, name, TaskFileError);
    return false;
  }
  return true;
}

} // namespace

bool ReadTask(TTask& task, TRe& re, const std::string& name, const TTaskIo& io) {
  try {
    return ReadImage(task, re, name, io);
  } catch (const std::bad_alloc&) {
    // The image asked for more memory than there is, though within the readers' bounds: the task
    // is left new and empty, as after a damaged record.
    MakeEmpty(task);
    task.Options.Play = false;
    if (io.Play) io.Play->TaskRead(task, re, false);
    Report(io, name, TaskFileError);
    return false;
  }
}

bool LoadTask(TTask& task, const std::string& path, const TTaskIo& io) {
  std::error_code ec;
  if (path.empty() || !std::filesystem::exists(path, ec)) return false;
  TRe re;
  if (!re.OpenFile(path, io.Reporter)) return false;
  return ReadTask(task, re, path, io);
}

bool SaveTask(const TTask& task, const std::string& path, const TTaskIo& io) {
  TWr wr;
  WriteTask(task, wr, io);
  return WriteWholeFile(path, wr.Data(), wr.Size(), io.Reporter);
}

} // namespace zrk
