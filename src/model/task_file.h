#pragma once
// The task file (".zrk"): header, options, text, figure records, field flags, and, in play mode,
// the moves-and-tree block; the same image serves the "ZRKState" clipboard format and the
// automatic save "Current.zrk".

#include <string>

#include "model/report.h"
#include "model/streams.h"
#include "model/task.h"

namespace zrk {

constexpr uint32_t TaskFileMagic = 0x52F91BE0;
constexpr uint32_t TaskFileVersion = 6;

// Option bits of the header's flags word.
namespace TaskFlag {
constexpr uint32_t GrSlide = 0x1, Gravity = 0x2, GridF = 0x4, GridE = 0x8, ShowNums = 0x10, EndPos = 0x20,
                   HasText = 0x40, HasFieldFlags = 0x80, Play = 0x100, MoveKindMask = 0x600,
                   OrigNums = 0x800, OrigMovesNums = 0x1000, ChessNot = 0x2000, Cooperative = 0x4000,
                   ShowPict = 0x8000, ShowDir = 0x10000, HasPicture = 0x20000, OnlyNames = 0x40000,
                   PictBkgr = 0x80000, DifByName = 0x100000, MinGr = 0x200000, LatNot = 0x400000;
constexpr int MoveKindShift = 9;
} // namespace TaskFlag

// Bits of a figure record's flags.
namespace FigRecordFlag {
constexpr uint16_t Selected = 1, HasName = 2, TempFixed = 4, HasPins = 8;
}

extern const char* const TaskFileError;        // "Ошибка в файле задачи"
extern const char* const TaskFileBadHeader;    // "Неправильный заголовок файла задачи"
extern const char* const TaskFileTooNew;       // "Версия файла задачи более новая, чем у программы"
extern const char* const ClipboardErrorCaption; // "Ошибка в буфере обмена"

// What the play engine keeps beside the task in play mode: the figures' positions and the editing
// selection at the moment play mode was entered, and the moves-and-tree block.
class IPlayState {
 public:
  virtual ~IPlayState() = default;
  virtual CellCode InitialPos(int fig) const = 0;
  virtual bool EditSelected(int fig) const = 0;
  virtual void WriteMovesBlock(TWr& wr) const = 0;
  // Called after the figure records were read. Switches play mode on or off as the file says
  // (keeping TempFixed) and, when on, reads the moves-and-tree block from the reader.
  virtual void TaskRead(TTask& task, TRe& re, bool play) = 0;
};

// What the window does while a task is read: bring its controls in line with the options read,
// forget the undo history, and redraw at the end.
class ITaskFileHooks {
 public:
  virtual ~ITaskFileHooks() = default;
  virtual void ClearUndo() {}
  virtual void OptionsRead(const TTask&) {}
  virtual void TaskTextRead(const TTask&) {}
  virtual void TaskLoaded(TTask&) {}
};

struct TTaskIo {
  IReporter* Reporter = nullptr;
  IPlayState* Play = nullptr;
  ITaskFileHooks* Hooks = nullptr;
};

// One figure record as task files and play-mode undo snapshots store it. The reader expects a
// record zeroed with Init and leaves it with sorted cells; false when the record is damaged.
void WriteFigRecord(const TTask& task, const TFig& f, bool selected, CellCode pos, bool play, TWr& wr);
bool ReadFigRecord(TTask& task, TFig& f, TRe& re);

void WriteTask(const TTask& task, TWr& wr, const TTaskIo& io = {});
// name is the file's name (UTF-8), or empty for an image from the clipboard.
bool ReadTask(TTask& task, TRe& re, const std::string& name, const TTaskIo& io = {});

// Returns false without a message when no path is given or the file does not exist.
bool LoadTask(TTask& task, const std::string& path, const TTaskIo& io = {});
bool SaveTask(const TTask& task, const std::string& path, const TTaskIo& io = {});

} // namespace zrk
