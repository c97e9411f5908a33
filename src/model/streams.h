#pragma once
// Everything ZRK stores is built in memory and handed over in one piece; everything it loads is
// read whole and parsed from memory. TWr appends little-endian binary values, TRe reads them back
// with checked bounds, TSWr builds 8-bit text.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "model/report.h"

namespace zrk {

// The largest file the whole-file reader takes in: far above any task file with a picture.
constexpr size_t MaxFileBytes = size_t(128) << 20;

// Binary writer over a growable buffer.
class TWr {
 public:
  static constexpr size_t InitialCapacity = 1024;
  TWr();

  // Makes room for n more bytes: the new capacity is max(2 * capacity, written + n).
  void Reserve(size_t n);
  void PutU8(uint8_t v) { Put(&v, 1); }
  void PutU16(uint16_t v) { uint8_t b[2] = {uint8_t(v), uint8_t(v >> 8)}; Put(b, 2); }
  void PutU32(uint32_t v) {
    uint8_t b[4] = {uint8_t(v), uint8_t(v >> 8), uint8_t(v >> 16), uint8_t(v >> 24)};
    Put(b, 4);
  }
  void PutBlock(const void* p, size_t n) { Put(p, n); }
  // The characters and a zero byte; a null string writes the zero byte alone.
  void PutStr(const char* s);
  void PutStr(const std::string& s) { PutStr(s.c_str()); }
  void Reset() { size_ = 0; }

  const uint8_t* Data() const { return buf_.get(); }
  size_t Size() const { return size_; }
  size_t Capacity() const { return cap_; }
  std::vector<uint8_t> Bytes() const { return std::vector<uint8_t>(Data(), Data() + size_); }

 private:
  void Put(const void* p, size_t n);
  std::unique_ptr<uint8_t[]> buf_;
  size_t size_ = 0;
  size_t cap_ = 0;
};

// Reading cursor over one block that it owns (a whole file or a clipboard block). Every read is
// bounded: a read past the end sets Failed and yields zero instead of touching foreign memory.
class TRe {
 public:
  TRe() = default;
  explicit TRe(std::vector<uint8_t> block) { Open(std::move(block)); }

  void Open(std::vector<uint8_t> block);
  // Reads the whole file; a failure is reported with the file name and sets Failed.
  bool OpenFile(const std::string& name, IReporter* reporter, size_t maxBytes = MaxFileBytes);

  size_t Remaining() const { return end_ - cur_; }
  size_t Position() const { return cur_; }
  size_t Size() const { return end_; }
  bool AtEnd() const { return cur_ >= end_; }

  uint8_t GetU8();
  uint16_t GetU16();
  uint32_t GetU32();
  // Pointer to n bytes inside the block, or null (Failed set, position kept) when fewer remain.
  const uint8_t* GetBlock(size_t n);
  // A zero-terminated string inside the block, or null (Failed set, position at the end).
  const char* GetStrRef();
  // An empty string when the byte at the cursor is zero (advancing by one), else a copy of the
  // terminated string. Returns nullopt and sets Failed when no zero byte ends it inside the block.
  std::optional<std::string> GetStrCopy();

  int Version = 0;
  bool Failed = false;

 private:
  std::vector<uint8_t> block_; // holds one zero byte after the data
  size_t cur_ = 0;
  size_t end_ = 0;
};

// Text writer for 8-bit text (the JSON export, move texts).
class TSWr {
 public:
  explicit TSWr(size_t initial = 0) { text_.reserve(initial); }
  void PutChar(char c) { text_ += c; ++Column; }
  void PutText(const char* s) { PutText(std::string(s)); }
  void PutText(const std::string& s) { text_ += s; Column += int(s.size()); }
  void PutInt(long long v) { PutText(std::to_string(v)); }
  void Indent(int level) { PutText(std::string(size_t(2 * level), ' ')); }
  void NewLine() { text_ += "\r\n"; Column = 0; }
  const std::string& Text() const { return text_; }

  int Column = 0;

 private:
  std::string text_;
};

// Whole-file helpers. A failure is reported as a warning whose caption says what failed and
// whose text is the file name, when a reporter is given.
//
// ReadWholeFile reads a regular file of at most maxBytes; a folder, a device or a larger file is
// refused like an unreadable one, so that no name can make the program allocate without bound.
// WriteWholeFile never destroys the old file: the bytes go to a temporary file in the same folder,
// which replaces the old one only after the whole write reached the disk; on any failure the old
// file stays as it was and the temporary file is removed.
std::optional<std::vector<uint8_t>> ReadWholeFile(const std::string& name, IReporter* reporter,
                                                  size_t maxBytes = MaxFileBytes);
bool WriteWholeFile(const std::string& name, const void* data, size_t n, IReporter* reporter);

extern const char* const CannotReadFileCaption;  // "Невозможно считать файл"
extern const char* const CannotWriteFileCaption; // "Невозможно записать файл"

} // namespace zrk
