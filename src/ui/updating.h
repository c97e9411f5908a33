#pragma once
// Marks the window as changing its own controls for the length of a scope: the change handlers
// return at once while the flag is set, and the flag's earlier value comes back on leaving.

namespace zrk {

class TUpdating {
 public:
  explicit TUpdating(bool& flag) : Flag(flag), Old(flag) { Flag = true; }
  ~TUpdating() { Flag = Old; }
  TUpdating(const TUpdating&) = delete;
  TUpdating& operator=(const TUpdating&) = delete;

 private:
  bool& Flag;
  bool Old;
};

} // namespace zrk
