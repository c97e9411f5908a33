#pragma once
// The floating selection: a group of cells lifted off a cell map, possibly turned or mirrored, and
// dropped again at the legal place nearest to where the user wants it. Dragging the selection, the
// field or the whole board, copying figures, pasting from the clipboard, turning and mirroring, and
// moving figures off the field when the end position becomes the start all use this one mechanism.
//
// A typical use, dragging the selected figures over the start position:
//
//   TFloatSel fs;
//   fs.Collect(FloatMode::Figs, task, /*fromEnd=*/false);          // lift the selected figures
//   fs.S = cellSize; fs.OffX = pressX - fs.S * fs.MinX; ...         // where the pointer holds it
//   fs.SetTarget(task.StartMap, task.DimX, task.DimY, /*takeOut=*/true);
//   fs.FindFigurePlacements(true, true, task.FlaggedCells > 0);     // on the field, then off it
//   ... on every pointer move:
//   if (fs.PlaceNearest(task, x, y, /*inEnd=*/false, /*keepIfSame=*/true)) task.RebuildFigs(false);
//
// Coordinates: placements are 0-based (column, row) of the group's top-left on the board; a
// placement's CellCode is MakeCell(column, row). Cells of the group are kept as codes relative to
// the group's top-left, (row << 7) | column, so that code + relative code names the board cell.
// The class only touches a task in PlaceNearest, MoveAll and WriteFloat; nothing survives the
// gesture or command that collected the group.

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "model/cell_code.h"
#include "model/task.h"

namespace zrk {

// What Collect lifts.
enum class FloatMode : uint8_t {
  Figs,  // the cells of the marked (selected) figures, each word reduced to figure index and pin
  Field, // every field cell with its whole word: the figures on it, walls, grooves and pins travel
  All,   // every non-zero cell with its whole word
};

// The occupancy a placement must respect, always built from the target map.
enum class OccKind : uint8_t {
  OnField,      // only field cells that carry no figure are free: figures dropped onto the field
  OffField,     // not on a figure, not on the field nor next to it (diagonally included): parking
  AroundOthers, // not on a figure nor next to one: the field dropped beside parked figures
};

// Turns and mirrors of TransformFloat, as the buttons number them.
enum FloatTurn : int {
  MirrorLeftRight = 0,
  MirrorTopBottom = 1,
  TurnCounterClockwise = 2,
  TurnClockwise = 3,
  HalfTurn = 4,
};

struct TFloatPlace {
  uint8_t Col = 0, Row = 0; // 0-based top-left of the group
  bool operator==(const TFloatPlace&) const = default;
};

struct TFloatCell {
  int16_t Rel = 0;   // code relative to the group's top-left
  uint16_t Word = 0; // the map word it carries
  uint16_t Join = 0; // WallBelow: the cell below is of the same figure; WallOnTheRight: the right one
};

// A general source for Collect: a map (the start or end map, or a clipboard snapshot's map), the
// figures that count as marked, and the extent to scan (rows 1..DimY, columns 1..DimX).
struct TFloatSource {
  const std::vector<uint16_t>* Map = nullptr;
  std::array<bool, FigSlots> Marked{};
  int DimX = 0, DimY = 0;
  // Field mode only: marked figures standing off the field come along as secondary cells (index
  // and pin only), which land under their own occupancy (BuildOcc with secondary).
  bool ParkedToo = false;
};

class TFloatSel {
 public:
  // --- set by the caller: pixel geometry of the pointer against the group ---
  int S = 30;               // cell side in pixels
  int OffX = 0, OffY = 0;   // pointer minus the group's top-left (pixels, main view, B left out)
  int EndOffX = 0, EndOffY = 0; // the same for the end view (where the image x also has MW left out)

  // --- the group, filled by Collect ---
  FloatMode Mode = FloatMode::Figs;
  int MinX = 0, MinY = 0;     // 0-based top-left of the bounding box when collected
  int FloatW = 0, FloatH = 0; // bounding box in cells (exchanged by quarter turns)
  std::vector<TFloatCell> Cells; // primary cells, then secondary cells, row-major each
  int PrimaryCount = 0;
  std::array<bool, FigSlots> Carried{}; // figure indices carried by the group

  // --- the current placement ---
  CellCode CurCode = 0; // top-left of the current placement; 0 when forgotten
  bool CurInEnd = false;

  // --- the drop ---
  std::vector<uint16_t> TargetMap = std::vector<uint16_t>(MapSize, 0);
  std::vector<TFloatPlace> MainCandidates, EndCandidates;

  // Lifts the group from the task's start map or (fromEnd) end map; a figure collection carries
  // the selected figures. False when nothing was collected. Placements and target are kept.
  bool Collect(FloatMode mode, const TTask& task, bool fromEnd);
  bool Collect(FloatMode mode, const TFloatSource& source);
  bool Empty() const { return Cells.empty(); }
  int SecondaryCount() const { return int(Cells.size()) - PrimaryCount; }

  // Turns or mirrors the group in place within its bounding box: figure indices and pins stay
  // with their cells, walls and grooves with the field cells' sides.
  void TransformFloat(int kind);

  // After figures were duplicated: every carried index i becomes copyOf[i] (0 leaves it).
  void RemapIndices(const std::array<uint8_t, FigSlots>& copyOf);

  // TargetMap = map, with the floating cells taken out when takeOut: cells of carried figures keep
  // only their field, wall and groove bits (figure modes), field cells become 0 (field mode), the
  // whole map is cleared (all mode). dimX, dimY bound the placements.
  void SetTarget(const std::vector<uint16_t>& map, int dimX, int dimY, bool takeOut);
  // Builds the occupancy for the primary cells, or (secondary) for the secondary ones.
  void BuildOcc(OccKind kind, bool secondary = false);
  // Appends every legal top-left, rows outer, to the end or the main list; with wallCheck no wall
  // of the target may cut two joined cells of the group. Returns the list's new length.
  int FindPlacements(bool inEnd, bool wallCheck);
  void ClearPlacements();
  // The main-view drops of a figure group, over a target already set: free field places (with the
  // wall check when asked) followed by parking places off the field, either run optional. Returns
  // the number of candidates.
  int FindFigurePlacements(bool onField, bool offField, bool wallCheck);

  // The candidate nearest to the pointer (px, py) less the view's offsets; ties to the earlier
  // one. With preferStart the group's own column and row count 2 pixels nearer.
  std::optional<TFloatPlace> Nearest(int px, int py, bool inEnd, bool preferStart) const;
  // Drops the group at the nearest candidate. False when there is none, or with keepIfSame when it
  // is the current placement. With commit the group is written into the target map and its cells
  // occupied there (groups dropped one after another); otherwise into the task: the main view
  // writes the start map (WriteFloat over the target), the end view sets the carried figures' end
  // positions from the offsets of NoteEndOffsets. The caller rebuilds the figures or the maps.
  bool PlaceNearest(TTask& task, int px, int py, bool inEnd, bool keepIfSame, bool preferStart = false,
                    bool commit = false);
  // The whole-board drag of an all-mode group: moves it by the pointer's displacement (dx, dy) in
  // whole cells, half a cell counting as a whole, never past the board's edge. False when the
  // placement did not change.
  bool MoveAll(TTask& task, int dx, int dy);
  // StartMap = the target map (or an empty map) with every floating word or-ed in at code.
  void WriteFloat(TTask& task, CellCode code, bool overTarget) const;
  // The placement is forgotten: the next PlaceNearest applies even at the same place.
  void ForgetPlacement() { CurCode = 0; }

  // Notes where each carried figure stands within the group, for end positions set by a drop into
  // the end view. fromEnd: the group was collected from the end map.
  void NoteEndOffsets(const TTask& task, bool fromEnd);
  bool HasEndOffset(int fig) const { return EndRel[size_t(fig)] != NoEndRel; }

 private:
  using Row128 = unsigned __int128; // one bit per map column
  static constexpr int16_t NoEndRel = INT16_MIN;

  int BoardW = 0, BoardH = 0;
  std::array<Row128, 128> Occ{}, Occ2{};
  std::array<int16_t, FigSlots> EndRel{}; // figure's top-left minus the group's, or NoEndRel

  void ComputeJoins();
  void SortCells();
  void SetEndPositions(TTask& task, CellCode code) const;
  void Commit(CellCode code);
};

} // namespace zrk
