#pragma once
// Figure numbers: the numbers of figures 1..FigCount-1 are kept a permutation of 1..FigCount-1.

#include "model/task.h"

namespace zrk {

// Sets every figure's Index to its slot and closes the gaps in the numbers, moving as few numbers
// as possible: each missing number, from the top down, goes to the holder of the highest number
// that is out of range. Figures whose number is 0 or repeats an earlier figure's take the
// numbers still free, in index order.
void CompactNumbers(TTask& task);
// Numbers the figures in the order their first cells appear row by row on the board; figures
// without cells follow in index order.
void NumberByRows(TTask& task);
// Gives figure index the number num; the figure holding num takes the old number. False when the
// figure has num already, or index or num is out of range.
bool SetNum(TTask& task, int index, int num);

} // namespace zrk
