#include "model/streams.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>

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

bool TRe::OpenFile(const std::string& name, IReporter* reporter) {
  auto block = ReadWholeFile(name, reporter);
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

std::optional<std::vector<uint8_t>> ReadWholeFile(const std::string& name, IReporter* reporter) {
  // A folder or a device opens as a stream too, with a size that means nothing.
  std::error_code ec;
  const bool regular = std::filesystem::is_regular_file(name, ec);
  std::ifstream in;
  if (regular) in.open(name, std::ios::binary);
  std::vector<uint8_t> data;
  bool ok = false;
  if (regular && in) {
    in.seekg(0, std::ios::end);
    const std::streamoff size = in.tellg();
    in.seekg(0, std::ios::beg);
    if (size >= 0) {
      data.resize(size_t(size));
      ok = size == 0 || bool(in.read(reinterpret_cast<char*>(data.data()), size));
    }
  }
  if (!ok) {
    if (reporter) reporter->Report(MsgKind::Warning, CannotReadFileCaption, name);
    return std::nullopt;
  }
  return data;
}

bool WriteWholeFile(const std::string& name, const void* data, size_t n, IReporter* reporter) {
  std::ofstream out(name, std::ios::binary | std::ios::trunc);
  bool ok = bool(out);
  if (ok && n) ok = bool(out.write(static_cast<const char*>(data), std::streamsize(n)));
  if (ok) {
    out.close();
    ok = !out.fail();
  }
  if (!ok && reporter) reporter->Report(MsgKind::Warning, CannotWriteFileCaption, name);
  return ok;
}

} // namespace zrk
