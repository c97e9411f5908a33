#include "model/clipboard.h"

#include <algorithm>

#include "model/cp1251.h"

namespace zrk {

namespace {

constexpr size_t LengthSize = 4;

} // namespace

std::vector<uint8_t> MakeClipBlock(const uint8_t* data, size_t n) {
  std::vector<uint8_t> block(LengthSize + n);
  const uint32_t len = uint32_t(n);
  for (size_t i = 0; i < LengthSize; ++i) block[i] = uint8_t(len >> (8 * i));
  if (n > 0) std::copy(data, data + n, block.begin() + LengthSize);
  return block;
}

std::optional<std::vector<uint8_t>> ClipBlockBytes(const std::vector<uint8_t>& block) {
  if (block.size() < LengthSize) return std::nullopt;
  const uint32_t len = block[0] | (block[1] << 8) | (block[2] << 16) | (uint32_t(block[3]) << 24);
  const size_t n = std::min<size_t>(len, block.size() - LengthSize);
  return std::vector<uint8_t>(block.begin() + LengthSize, block.begin() + LengthSize + std::ptrdiff_t(n));
}

void PutClipBlock(IClipboard& clipboard, const char* format, const std::vector<uint8_t>& bytes) {
  clipboard.PutBlock(format, MakeClipBlock(bytes.data(), bytes.size()));
}

std::optional<std::vector<uint8_t>> GetClipBlock(IClipboard& clipboard, const char* format) {
  const std::optional<std::vector<uint8_t>> block = clipboard.GetBlock(format);
  if (!block) return std::nullopt;
  return ClipBlockBytes(*block);
}

void PutClipText(IClipboard& clipboard, const std::string& text) { clipboard.PutText(Cp1251ToUtf8(text)); }

std::optional<std::string> GetClipText(IClipboard& clipboard) {
  const std::optional<std::string> text = clipboard.GetText();
  if (!text) return std::nullopt;
  return Utf8ToCp1251(*text);
}

void TMemoryClipboard::PutText(const std::string& utf8) {
  Text = utf8;
  Format.clear();
  Block.clear();
}

void TMemoryClipboard::PutBlock(const std::string& format, const std::vector<uint8_t>& data) {
  Text.reset();
  Format = format;
  Block = data;
}

std::optional<std::vector<uint8_t>> TMemoryClipboard::GetBlock(const std::string& format) {
  if (Format.empty() || format != Format) return std::nullopt;
  return Block;
}

} // namespace zrk
