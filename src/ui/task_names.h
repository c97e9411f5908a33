#pragma once
// The names the window proposes for a task: the default name that describes the puzzle's size and
// counts ("4x5_20-18 E2"), whether the current file's name has gone stale, the save dialog's
// proposal, and the task name in the caption.

#include <functional>

#include <QString>

#include "model/task.h"

namespace zrk {

// "%dx%d_%d-%d E%d": field width and height, field cells, figures, free cells; " G" with gravity.
QString DefaultName(const TTask& task);

// Whether the save dialog should propose the default name instead of the file's own name.
bool NameIsStale(const QString& taskFile, const QString& currentPath, const TTask& task, const QString& defName);

// True when a task of this name (without extension) already exists in the folder.
using NameTaken = std::function<bool(const QString& folder, const QString& name)>;
NameTaken FilesOnDisk();

// The file name (without extension) that Save or Save as proposes.
QString SaveProposal(bool saveAs, const QString& taskFile, const QString& currentPath, const TTask& task,
                     const NameTaken& taken);

// The task's name for the caption: the file name without folder and extension, less a library
// number ("007 ") in front.
QString CaptionTaskName(const QString& taskFile);

} // namespace zrk
