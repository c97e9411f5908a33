#pragma once
// The "ZRKFigs" clipboard image: one edit-mode snapshot of the editor (the same 69,680 bytes the
// undo ring keeps), from which selected figures or the whole field with its figures are pasted.
// The image may come from another program, so it is read by its own checked decoder: every count,
// size, freedom and name is checked, and every map word that names a figure must name one of the
// image's figure entries, before anything of it is used.
//
//   offset 0     twelve 32-bit values: record version (1), cell width, board width and height,
//                two scroll positions, figure count, flagged cells, option bits, pressed tool,
//                grid colour, wall colour
//   offset 48    256 figure entries of 16 bytes: Selected, OnField, Freedom, Num (bytes),
//                EndPos (32 bits), Color (32 bits), Name (4 bytes, zero-terminated)
//   offset 4144  the start map, 128 x 128 little-endian words; zero bytes up to 69,680

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "model/task.h"

namespace zrk {

constexpr size_t FigsImageHeaderSize = 48;
constexpr size_t FigsImageEntrySize = 16;
constexpr size_t FigsImageMapOffset = FigsImageHeaderSize + FigsImageEntrySize * FigSlots; // 4144
// The snapshot has one size for both modes; an edit-mode one leaves the rest after the map zero.
constexpr size_t FigsImageSize = 69680;
static_assert(FigsImageMapOffset + 2 * size_t(MapSize) <= FigsImageSize);
constexpr uint32_t FigsImageVersion = 1;

// Option bits of the header that a paste reads.
constexpr uint32_t FigsOnlyFieldBit = 1u << 6; // the copy was made with "Только поле" on
constexpr uint32_t FigsPlayBit = 1u << 11;     // a play-mode snapshot: not a figure image at all

extern const char* const IncompatibleVersionText; // "Несовместимая версия приложения"

struct TFigsEntry {
  bool Selected = false;
  bool OnField = false; // as the map shows it, not as the entry says
  int8_t Freedom = FreeMove;
  uint8_t Num = 0;
  int16_t EndPos = 0;
  Colour Color = 0;
  char Name[4] = {0, 0, 0, 0};
};

struct TFigsImage {
  int DimX = 0, DimY = 0;
  int FigCount = 0;        // entries in use, the field (entry 0) included: 1..255
  bool OnlyField = false;
  std::array<TFigsEntry, FigSlots> Figs{};
  std::vector<uint16_t> Map; // MapSize words: only board cells, figure indices below FigCount

  int SelCount() const;
};

// Decodes an image; nullopt when it is shorter than an image, of another record version, a play
// snapshot, or damaged anywhere (counts, sizes, freedoms, names, map words), or when its map breaks
// a rule the editor always keeps (a figure on both sides of the field's edge, a parked figure
// touching the field, a wall inside a figure). A longer block is accepted and only its first
// FigsImageSize bytes are read.
std::optional<TFigsImage> DecodeFigsImage(const uint8_t* data, size_t size);

} // namespace zrk
