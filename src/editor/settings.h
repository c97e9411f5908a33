#pragma once
// The settings of the application that "ZRK.ini" keeps between runs, and how they are read back.
//
// The file is written by the program, but a user may edit it, and an older or a damaged one may
// hold anything: every number is clamped to its range when it is read (the animation speed indexes
// a 14-entry table, the solution count sizes 100 slots), a value that is no number keeps the
// default, and a boolean is any non-zero number. The store itself (an INI file through the
// toolkit, or a map in tests) is behind ISettingsStore.

#include <optional>
#include <string>

#include "model/palette.h"
#include "model/task.h"

namespace zrk {

// Keys in sections, values as text.
class ISettingsStore {
 public:
  virtual ~ISettingsStore() = default;
  virtual std::optional<std::string> Get(const std::string& section, const std::string& key) const = 0;
  virtual void Set(const std::string& section, const std::string& key, const std::string& value) = 0;
};

// The main window's section of the file.
inline constexpr const char* OptSection = "Opt";

constexpr int MinTreeWidth = 299;
constexpr int MaxTreeWidth = 10000;
constexpr int DefaultTreeWidth = 357;
constexpr int DefaultAnimSpeed = 5;

// The settings of the editor and of play mode. The solve options are kept beside them in the
// solver's own type; the "same colour" switch lives in the colour state it steers.
struct TSettings {
  bool OnlyField = true;   // with nothing selected, turning and copying take the field only
  bool Turn = false;       // a drag may change the direction of a move without releasing the button
  int AnimSpeed = DefaultAnimSpeed; // index into the animation speed table
  int TreeWidth = DefaultTreeWidth; // the position-tree panel
  bool OpenInfo = true;    // open the task text window when a task with a text is loaded
  bool InfoOpened = false; // the task text window was open at exit
  Colour LastColor = StandardPalette[0];
  std::string TaskFile;  // the file of the current task (UTF-8)
  std::string MovesFile; // the last move-text file
  std::string PictFile;  // the last picture file
};

// Reading one key; a missing or unreadable value gives the default.
bool ReadBoolSetting(const ISettingsStore& store, const char* section, const char* key, bool def);
int ReadIntSetting(const ISettingsStore& store, const char* section, const char* key, int def, int lo, int hi);
std::string ReadStringSetting(const ISettingsStore& store, const char* section, const char* key,
                              const std::string& def);

void WriteBoolSetting(ISettingsStore& store, const char* section, const char* key, bool value);
void WriteIntSetting(ISettingsStore& store, const char* section, const char* key, long long value);

} // namespace zrk
