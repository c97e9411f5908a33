#pragma once
// Cell coordinates and the bits of a cell-map word.
//
// A cell is addressed by a 16-bit code (row << 7) | column with a one-cell border around the
// board: the board cell at 0-based column x and row y has code ((y + 1) << 7) | (x + 1), so the
// top-left board cell is 0x81 and code 0 never names a cell. A 126 x 126 board fits a 128 x 128 grid.

#include <cstdint>

namespace zrk {

using CellCode = int16_t;

constexpr int MaxDim = 126;        // largest board width and height
constexpr int MapSize = 128 * 128; // words in a cell map
constexpr int RowStride = 128;     // code difference between vertically adjacent cells

constexpr CellCode MakeCell(int x, int y) { return CellCode(((y + 1) << 7) | (x + 1)); }
constexpr int CellX(int code) { return (code & 0x7F) - 1; } // 0-based board column
constexpr int CellY(int code) { return (code >> 7) - 1; }   // 0-based board row

// Directions: 0 down, 1 right, 2 up, 3 left; the opposite of d is (d + 2) mod 4.
enum Direction : int { DirDown = 0, DirRight = 1, DirUp = 2, DirLeft = 3 };
constexpr int DirStep[4] = {RowStride, 1, -RowStride, -1};
constexpr int OppositeDir(int d) { return (d + 2) & 3; }

// Bits of a cell-map word (StartMap, EndMap).
constexpr uint16_t CellFigMask = 0x00FF;  // index of the figure on the cell, 0 when none
constexpr uint16_t CellField = 0x0100;    // the cell belongs to the field
constexpr uint16_t WallBelow = 0x0200;    // field flags shifted left by 9
constexpr uint16_t WallOnTheRight = 0x0400;
constexpr uint16_t GrooveDown = 0x0800;
constexpr uint16_t GrooveToTheRight = 0x1000;
constexpr uint16_t CellFlagMask = 0x1E00;
constexpr uint16_t CellPin = 0x2000;      // the figure on this cell has a pin on it
constexpr int FieldFlagShift = 9;

// Bits of a field cell's flag byte (FieldFlags).
constexpr uint8_t FlagWallBelow = 1;
constexpr uint8_t FlagWallOnTheRight = 2;
constexpr uint8_t FlagGrooveDown = 4;
constexpr uint8_t FlagGrooveToTheRight = 8;

} // namespace zrk
