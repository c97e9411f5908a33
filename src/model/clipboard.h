#pragma once
// The clipboard as the program uses it, over the platform's IClipboard: two private formats whose
// contents are clipboard blocks (a 32-bit length, then the bytes), and Unicode text that the
// program keeps in code page 1251.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "model/platform.h"

namespace zrk {

// A whole task as a task file holds it (in play mode with its moves and tree).
inline constexpr const char* StateFormat = "ZRKState";
// An edit-mode snapshot of the editor, from which figures or the whole field are pasted.
inline constexpr const char* FigsFormat = "ZRKFigs";

// The length-prefixed block that carries n bytes.
std::vector<uint8_t> MakeClipBlock(const uint8_t* data, size_t n);
// The bytes a block carries: the stated length, cut to what the block really holds (a damaged
// block then fails the reader of its contents). Nullopt when the block has no length at all.
std::optional<std::vector<uint8_t>> ClipBlockBytes(const std::vector<uint8_t>& block);

void PutClipBlock(IClipboard& clipboard, const char* format, const std::vector<uint8_t>& bytes);
std::optional<std::vector<uint8_t>> GetClipBlock(IClipboard& clipboard, const char* format);

// text is in code page 1251; an empty text places an empty string.
void PutClipText(IClipboard& clipboard, const std::string& text);
// The clipboard's text in code page 1251, or nullopt when it holds none.
std::optional<std::string> GetClipText(IClipboard& clipboard);

// A clipboard in memory: the command line's, and the tests'.
class TMemoryClipboard final : public IClipboard {
 public:
  void PutText(const std::string& utf8) override;
  std::optional<std::string> GetText() override { return Text; }
  void PutBlock(const std::string& format, const std::vector<uint8_t>& data) override;
  std::optional<std::vector<uint8_t>> GetBlock(const std::string& format) override;

  // Whatever one copy placed; each copy replaces all of it.
  std::optional<std::string> Text;
  std::string Format;
  std::vector<uint8_t> Block;
};

} // namespace zrk
