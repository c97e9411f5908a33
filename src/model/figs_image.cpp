#include "model/figs_image.h"

#include <algorithm>
#include <cstring>

namespace zrk {

const char* const IncompatibleVersionText = "Несовместимая версия приложения";

namespace {

// Header longs.
constexpr int HeaderVersion = 0, HeaderDimX = 2, HeaderDimY = 3, HeaderFigCount = 6, HeaderOptions = 8;

// Bits a map word may carry; the two above the pin bit are never set by the editor.
constexpr uint16_t KnownBits = CellFigMask | CellField | CellFlagMask | CellPin;

uint32_t Get32(const uint8_t* p) { return p[0] | (p[1] << 8) | (p[2] << 16) | (uint32_t(p[3]) << 24); }

bool NameTerminated(const uint8_t* name) { return std::memchr(name, 0, 4) != nullptr; }

constexpr int NeighbourSteps[8] = {-RowStride - 1, -RowStride, -RowStride + 1, -1, 1, RowStride - 1, RowStride, RowStride + 1};

// The rules the editor never breaks: a figure stands wholly on the field or wholly off it, a
// parked figure does not touch the field (diagonally included), and no wall runs between two
// cells of one figure. An image that breaks one did not come from an editor. Records on which
// side each figure stands.
bool FollowsEditorRules(TFigsImage& image) {
  const std::vector<uint16_t>& map = image.Map;
  std::array<int8_t, FigSlots> side;
  side.fill(-1);
  for (int row = 1; row <= MaxDim; ++row) {
    for (int col = 1; col <= MaxDim; ++col) {
      const int code = (row << 7) | col;
      const uint16_t w = map[size_t(code)];
      const int fi = w & CellFigMask;
      if (fi == 0) continue;
      const int8_t onField = (w & CellField) ? 1 : 0;
      if (side[size_t(fi)] == -1) side[size_t(fi)] = onField;
      if (side[size_t(fi)] != onField) return false;
      if (!onField)
        for (int step : NeighbourSteps)
          if (map[size_t(code + step)] & CellField) return false;
      if ((w & WallBelow) && (map[size_t(code + RowStride)] & CellFigMask) == fi) return false;
      if ((w & WallOnTheRight) && (map[size_t(code + 1)] & CellFigMask) == fi) return false;
    }
  }
  for (int i = 1; i < image.FigCount; ++i) image.Figs[size_t(i)].OnField = side[size_t(i)] == 1;
  return true;
}

} // namespace

int TFigsImage::SelCount() const {
  int n = 0;
  for (int i = 1; i < FigCount; ++i) n += Figs[size_t(i)].Selected;
  return n;
}

std::optional<TFigsImage> DecodeFigsImage(const uint8_t* data, size_t size) {
  if (!data || size < FigsImageSize) return std::nullopt;
  uint32_t h[12];
  for (int i = 0; i < 12; ++i) h[i] = Get32(data + 4 * i);
  if (h[HeaderVersion] != FigsImageVersion || (h[HeaderOptions] & FigsPlayBit)) return std::nullopt;
  if (h[HeaderDimX] < 1 || h[HeaderDimX] > uint32_t(MaxDim) || h[HeaderDimY] < 1 || h[HeaderDimY] > uint32_t(MaxDim))
    return std::nullopt;
  if (h[HeaderFigCount] < 1 || h[HeaderFigCount] > uint32_t(MaxFigRecords)) return std::nullopt;

  TFigsImage image;
  image.DimX = int(h[HeaderDimX]);
  image.DimY = int(h[HeaderDimY]);
  image.FigCount = int(h[HeaderFigCount]);
  image.OnlyField = (h[HeaderOptions] & FigsOnlyFieldBit) != 0;

  for (int i = 0; i < image.FigCount; ++i) {
    const uint8_t* e = data + FigsImageHeaderSize + FigsImageEntrySize * size_t(i);
    if (e[2] > Fixed || !NameTerminated(e + 12)) return std::nullopt;
    TFigsEntry& f = image.Figs[size_t(i)];
    f.Selected = e[0] != 0;
    f.Freedom = int8_t(e[2]);
    f.Num = e[3];
    f.EndPos = int16_t(Get32(e + 4));
    f.Color = Get32(e + 8) & 0xFFFFFF;
    std::memcpy(f.Name, e + 12, 3);
    f.Name[3] = 0;
  }
  // The field has no freedom and is never part of a selection.
  image.Figs[0].Freedom = FreeMove;
  image.Figs[0].Selected = false;

  // Only board cells are kept; a word naming a figure the image does not have makes it damaged.
  image.Map.assign(MapSize, 0);
  const uint8_t* map = data + FigsImageMapOffset;
  for (int row = 1; row <= MaxDim; ++row) {
    for (int col = 1; col <= MaxDim; ++col) {
      const size_t code = size_t((row << 7) | col);
      uint16_t w = uint16_t(map[2 * code] | (map[2 * code + 1] << 8)) & KnownBits;
      const int fi = w & CellFigMask;
      if (fi >= image.FigCount) return std::nullopt;
      if (fi == 0) w &= uint16_t(~CellPin);
      if (!(w & CellField)) w &= uint16_t(~CellFlagMask);
      image.Map[code] = w;
    }
  }
  if (!FollowsEditorRules(image)) return std::nullopt;
  return image;
}

} // namespace zrk
