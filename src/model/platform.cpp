#include "model/platform.h"

#include <chrono>
#include <fstream>
#include <sstream>

namespace zrk {

uint64_t AvailablePhysicalMemory() {
  std::ifstream meminfo("/proc/meminfo");
  std::string line;
  while (std::getline(meminfo, line)) {
    if (line.rfind("MemAvailable:", 0) == 0) {
      std::istringstream fields(line.substr(13));
      uint64_t kib = 0;
      fields >> kib;
      return kib * 1024;
    }
  }
  return 0;
}

int64_t SteadyNowMs() {
  using namespace std::chrono;
  return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

} // namespace zrk
