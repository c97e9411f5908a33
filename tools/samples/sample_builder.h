#pragma once
// A sample task as a readable description: rows of characters for the start and the end position,
// which figures are alike, how they may move, walls, grooves and pins, the move rules, and the
// words of its text. BuildSample turns it into a task for the task writer.

#include <string>
#include <vector>

#include "model/task.h"

namespace zrk::samples {

struct TXY {
  int X = 0, Y = 0;
};

enum TSide { Below, Right };
struct TWall {
  int X = 0, Y = 0;
  TSide Side = Below;
};

enum class TMode { OneFigure, Gravity, Cooperative };

struct TRules {
  int Kind = OneCellMove;
  bool Group = false;    // a moving figure pushes the figures in its way
  bool MinGroup = false; // ... and only as many as it must
  TMode Mode = TMode::OneFigure;
};

struct TSample {
  std::string File; // under the library folder, without ".zrk"
  // Start rows: ' ' no field cell, '.' an empty field cell, any other character a cell of the
  // figure named by it. End rows: the same board, with the figures that have an end position.
  std::vector<std::string> Start;
  std::vector<std::string> End;
  std::vector<std::string> Alike; // each string: figures of one colour (interchangeable when of equal shape)
  std::string Red;                // the figure the puzzle is about, in red
  std::string Horizontal, Vertical, Fixed;
  std::vector<TWall> Walls;
  std::vector<std::vector<TXY>> Grooves; // each a path of neighbouring cells
  std::vector<TXY> Pins;
  TRules Rules;
  bool ShowNums = false;
  // Tiles numbered by their characters, "1".."9" then "A", "B", ... for 10, 11, ... (instead of
  // the order in which they first appear).
  bool NumberByChar = false;
  // The text: the puzzle's name, where it comes from, what is to be done, and the fewest moves as
  // the solver finds them with the task's own rules.
  std::string Name, Origin, Goal;
  int MinMoves = 0;
};

// Fills the task; false (with a message on stderr) when the description does not hold together.
bool BuildSample(TTask& task, const TSample& s);

} // namespace zrk::samples
