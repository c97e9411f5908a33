#pragma once
// The few platform services the core needs, as small interfaces that the desktop window and the
// command line implement.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zrk {

class IClipboard {
 public:
  virtual ~IClipboard() = default;
  virtual void PutText(const std::string& utf8) = 0;
  virtual std::optional<std::string> GetText() = 0;              // UTF-8, none when no text
  // A private block under a registered format ("ZRKState", "ZRKFigs").
  virtual void PutBlock(const std::string& format, const std::vector<uint8_t>& data) = 0;
  virtual std::optional<std::vector<uint8_t>> GetBlock(const std::string& format) = 0;
};

class IClock {
 public:
  virtual ~IClock() = default;
  virtual int64_t NowMs() = 0;
};

// Available physical memory in bytes (MemAvailable on Linux).
uint64_t AvailablePhysicalMemory();
// Monotonic milliseconds.
int64_t SteadyNowMs();

} // namespace zrk
