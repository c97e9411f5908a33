#pragma once
// Runs a piece of a test in a child process whose heap may grow only by a given number of bytes,
// so that a reader that asks for too much is caught without taking the machine's memory.
//
// Under AddressSanitizer the child counts its live heap bytes through the sanitizer's allocation
// hooks; without it the child's address space is limited and a failed allocation ends the child
// from the new-handler, before any caller could catch std::bad_alloc and hide the excess.

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <fstream>
#include <functional>
#include <new>
#include <optional>
#include <string>

#if defined(__SANITIZE_ADDRESS__)
#define ZRK_TEST_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define ZRK_TEST_ASAN 1
#endif
#endif

#ifdef ZRK_TEST_ASAN
// The sanitizer's allocator interface (GCC ships no header for it).
extern "C" {
int __sanitizer_install_malloc_and_free_hooks(void (*malloc_hook)(const volatile void*, size_t),
                                              void (*free_hook)(const volatile void*));
size_t __sanitizer_get_allocated_size(const volatile void* p);
}
#endif

namespace zrk::test {

// The exit status of a child that went over its cap.
constexpr int OverMemoryCap = 97;

namespace memory_cap_detail {

inline std::atomic<long long> Live{0};
inline long long Cap = 0;

[[noreturn]] inline void Over() {
  static const char message[] = "the memory cap of the test was exceeded\n";
  (void)!::write(2, message, sizeof message - 1);
  ::_exit(OverMemoryCap);
}

#ifdef ZRK_TEST_ASAN
inline void OnMalloc(const volatile void*, size_t size) {
  if (Live.fetch_add((long long)size) + (long long)size > Cap) Over();
}
inline void OnFree(const volatile void* p) {
  Live.fetch_sub((long long)__sanitizer_get_allocated_size(p));
}
#endif

// The process's present address-space size in bytes.
inline long long VmSize() {
  std::ifstream statm("/proc/self/statm");
  long long pages = 0;
  statm >> pages;
  return pages * ::sysconf(_SC_PAGESIZE);
}

} // namespace memory_cap_detail

// Runs fn in a child process; returns its result, or nullopt when the child went over capBytes of
// heap growth or did not end normally.
inline std::optional<int> RunUnderMemoryCap(long long capBytes, const std::function<int()>& fn) {
  std::fflush(nullptr);
  const pid_t child = ::fork();
  if (child < 0) return std::nullopt;
  if (child == 0) {
    namespace d = memory_cap_detail;
    d::Cap = capBytes;
#ifdef ZRK_TEST_ASAN
    __sanitizer_install_malloc_and_free_hooks(d::OnMalloc, d::OnFree);
#else
    const rlim_t limit = rlim_t(d::VmSize() + capBytes);
    rlimit r{limit, limit};
    ::setrlimit(RLIMIT_AS, &r);
    std::set_new_handler(d::Over);
#endif
    const int result = fn();
    std::fflush(nullptr);
    ::_exit(result);
  }
  int status = 0;
  if (::waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) == OverMemoryCap)
    return std::nullopt;
  return WEXITSTATUS(status);
}

} // namespace zrk::test
