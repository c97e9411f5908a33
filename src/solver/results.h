#pragma once
// The results of a solve as lines of moves: the solutions and the line to the farthest position,
// with the real figures, directions, lengths and mini-moves, placed where the play engine keeps them.
//
//   MakeLine        the line from the task's initial position to one stored position
//   MakeSolveLines  after a solve: Solution, RemoteLine and the further solutions in the tree
//   ShowLine        a stored line becomes the played line, at the entry where the solve started
//   ShowSolveLine   the played line becomes the solution (else the farthest line) at SolveFrom
//   PlaysLine       whether the played line is that stored line (the result buttons show pressed)

#include <cstdint>
#include <memory>
#include <vector>

#include "play/moves.h"
#include "play/play_engine.h"
#include "solver/solver.h"

namespace zrk {

// The line to `record`: the first played.SolveFrom moves of the played line, then one move per
// layer of the search. Null when a pair of positions cannot be reconstructed (never for a record of
// the last solve).
std::unique_ptr<TMoves0> MakeLine(TSolver& solver, uint32_t record, bool remote, int number, const TMoves& played);

// Replaces the engine's Solution and RemoteLine by the lines of the last solve and adds further
// solutions to the tree. Nothing is made when layers were forgotten. Returns CountsPartial.
// made, when given, receives a copy of every line made: the solutions in order, then the farthest.
bool MakeSolveLines(TSolver& solver, const TSolveOptions& options, TPlayEngine& engine,
                    std::vector<TMoves0>* made = nullptr);

// Loads line as the played line positioned at SolveFrom (kept). False when there is no line.
bool ShowLine(TPlayEngine& engine, const TMoves0* line);

// Loads the solution, or else the farthest line, as the played line positioned at SolveFrom.
// False when there is neither.
bool ShowSolveLine(TPlayEngine& engine);

// The played line holds exactly line's moves.
bool PlaysLine(const TMoves& played, const TMoves0* line);

} // namespace zrk
