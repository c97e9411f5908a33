#pragma once

namespace zrk::bench {

// The solve driver on the command line's path and on the window's worker-thread path.
int RunDriverPaths(const char* only);

} // namespace zrk::bench
