#pragma once
// What the task library's windows need from the window that owns the current task.

#include <QString>

#include "model/report.h"

namespace zrk {

class ILibraryHost {
 public:
  virtual ~ILibraryHost() = default;
  // The current task's file: where the library is looked for.
  virtual QString LibraryTaskFile() const = 0;
  // Reads the task and makes the file the current one; false when it was refused or not read.
  virtual bool LoadLibraryTask(const QString& path) = 0;
  // Saves the current task there and makes the file the current one; false on failure (reported).
  virtual bool SaveLibraryTask(const QString& path) = 0;
  // The current task's file was renamed with its folder or a new order.
  virtual void LibraryTaskMoved(const QString& path) = 0;
  // The name that describes the current task's size and counts ("4x5_20-18 E2").
  virtual QString LibraryDefaultName() const = 0;
  virtual IReporter& LibraryReporter() = 0;
};

} // namespace zrk
