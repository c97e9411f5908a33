#include "model/streams.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <filesystem>

namespace zrk {

const char* const CannotReadFileCaption = "Невозможно считать файл";
const char* const CannotWriteFileCaption = "Невозможно записать файл";

// ---------------------------------------------------------------------------------------------
// TWr

TWr::TWr() : buf_(new uint8_t[InitialCapacity]), cap_(InitialCapacity) {}

void TWr::Reserve(size_t n) {
  if (cap_ - size_ >= n) return;
  const size_t newCap = std::max(2 * cap_, size_ + n);
  std::unique_ptr<uint8_t[]> grown(new uint8_t[newCap]);
  if (size_) std::memcpy(grown.get(), buf_.get(), size_);
  buf_ = std::move(grown);
  cap_ = newCap;
}

void TWr::Put(const void* p, size_t n) {
  Reserve(n);
  if (n) std::memcpy(buf_.get() + size_, p, n);
  size_ += n;
}

void TWr::PutStr(const char* s) {
  if (!s) {
    PutU8(0);
    return;
  }
  PutBlock(s, std::strlen(s) + 1);
}

// ---------------------------------------------------------------------------------------------
// TRe

void TRe::Open(std::vector<uint8_t> block) {
  end_ = block.size();
  block_ = std::move(block);
  block_.push_back(0);
  cur_ = 0;
}

bool TRe::OpenFile(const std::string& name, IReporter* reporter, size_t maxBytes) {
  auto block = ReadWholeFile(name, reporter, maxBytes);
  if (!block) {
    Failed = true;
    Open({});
    return false;
  }
  Open(std::move(*block));
  return true;
}

uint8_t TRe::GetU8() {
  const uint8_t* p = GetBlock(1);
  return p ? p[0] : 0;
}

uint16_t TRe::GetU16() {
  const uint8_t* p = GetBlock(2);
  return p ? uint16_t(p[0] | (p[1] << 8)) : 0;
}

uint32_t TRe::GetU32() {
  const uint8_t* p = GetBlock(4);
  return p ? uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24) : 0;
}

const uint8_t* TRe::GetBlock(size_t n) {
  if (Remaining() < n) {
    Failed = true;
    return nullptr;
  }
  const uint8_t* p = block_.data() + cur_;
  cur_ += n;
  return p;
}

const char* TRe::GetStrRef() {
  const uint8_t* start = block_.data() + cur_;
  const void* zero = std::memchr(start, 0, Remaining());
  if (!zero) {
    Failed = true;
    cur_ = end_;
    return nullptr;
  }
  cur_ += static_cast<const uint8_t*>(zero) - start + 1;
  return reinterpret_cast<const char*>(start);
}

std::optional<std::string> TRe::GetStrCopy() {
  const char* s = GetStrRef();
  if (!s) return std::nullopt;
  return std::string(s);
}

// ---------------------------------------------------------------------------------------------
// TSWr

// ---------------------------------------------------------------------------------------------
// Whole files

namespace {

// A descriptor closed on every way out.
class TFd {
 public:
  explicit TFd(int fd) : fd_(fd) {}
  ~TFd() { Close(); }
  TFd(const TFd&) = delete;
  TFd& operator=(const TFd&) = delete;
  int Get() const { return fd_; }
  bool Close() {
    if (fd_ < 0) return true;
    const int rc = ::close(fd_);
    fd_ = -1;
    return rc == 0;
  }

 private:
  int fd_;
};

bool ReadAll(int fd, std::vector<uint8_t>& data, size_t maxBytes) {
  // Files in /proc and the like report no size: the loop reads until the end whatever fstat said.
  for (;;) {
    if (data.size() == data.capacity()) {
      if (data.size() > maxBytes) return false;
      data.reserve(std::min(maxBytes + 2, std::max<size_t>(2 * data.capacity(), 4096)));
    }
    const size_t room = data.capacity() - data.size();
    const size_t at = data.size();
    data.resize(at + room);
    const ssize_t got = ::read(fd, data.data() + at, room);
    if (got < 0 && errno == EINTR) {
      data.resize(at);
      continue;
    }
    if (got < 0) return false;
    data.resize(at + size_t(got));
    if (got == 0) return data.size() <= maxBytes;
  }
}

bool WriteAll(int fd, const uint8_t* p, size_t n) {
  while (n > 0) {
    const ssize_t put = ::write(fd, p, std::min<size_t>(n, size_t(1) << 30));
    if (put < 0 && errno == EINTR) continue;
    if (put <= 0) return false;
    p += put;
    n -= size_t(put);
  }
  return true;
}

// The file that a save replaces: through a symbolic link, its target, so the link stays a link.
std::string SaveTarget(const std::string& name) {
  std::error_code ec;
  if (!std::filesystem::is_symlink(name, ec)) return name;
  const std::filesystem::path target = std::filesystem::canonical(name, ec);
  return ec ? name : target.string();
}

// A new empty file beside target, created with the rights the target has (or the process's
// default rights for a new file).
int CreateTemporary(const std::string& target, std::string& tmpName) {
  struct stat old {};
  const bool hadOld = ::stat(target.c_str(), &old) == 0 && S_ISREG(old.st_mode);
  static std::atomic<unsigned> counter{0};
  for (int attempt = 0; attempt < 100; ++attempt) {
    tmpName = target + ".tmp" + std::to_string(::getpid()) + "_" + std::to_string(counter++);
    const int fd = ::open(tmpName.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0) {
      if (hadOld) (void)::fchmod(fd, old.st_mode & 07777);
      return fd;
    }
    if (errno != EEXIST) break;
  }
  tmpName.clear();
  return -1;
}

// The rename is only durable once the folder's entry is on the disk too; failing to flush it
// does not undo the save.
void SyncFolderOf(const std::string& target) {
  std::filesystem::path folder = std::filesystem::path(target).parent_path();
  if (folder.empty()) folder = ".";
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  (void)::fsync(fd);
  ::close(fd);
}

} // namespace

std::optional<std::vector<uint8_t>> ReadWholeFile(const std::string& name, IReporter* reporter, size_t maxBytes) {
  std::vector<uint8_t> data;
  bool ok = false;
  try {
    TFd fd(::open(name.c_str(), O_RDONLY | O_CLOEXEC));
    struct stat st {};
    if (fd.Get() >= 0 && ::fstat(fd.Get(), &st) == 0 && S_ISREG(st.st_mode) && uint64_t(st.st_size) <= maxBytes) {
      // One spare byte, so that the reader's terminating zero needs no second allocation.
      data.reserve(size_t(st.st_size) + 1);
      ok = ReadAll(fd.Get(), data, maxBytes);
    }
  } catch (const std::bad_alloc&) {
    ok = false;
  }
  if (!ok) {
    if (reporter) reporter->Report(MsgKind::Warning, CannotReadFileCaption, name);
    return std::nullopt;
  }
  return data;
}

bool WriteWholeFile(const std::string& name, const void* data, size_t n, IReporter* reporter) {
  const std::string target = SaveTarget(name);
  std::string tmpName;
  bool ok = false;
  {
    TFd fd(CreateTemporary(target, tmpName));
    ok = fd.Get() >= 0 && WriteAll(fd.Get(), static_cast<const uint8_t*>(data), n) && ::fsync(fd.Get()) == 0;
    ok = fd.Close() && ok;
  }
  if (ok) ok = ::rename(tmpName.c_str(), target.c_str()) == 0;
  if (ok) SyncFolderOf(target);
  if (!ok && !tmpName.empty()) ::unlink(tmpName.c_str());
  if (!ok && reporter) reporter->Report(MsgKind::Warning, CannotWriteFileCaption, name);
  return ok;
}

} // namespace zrk
