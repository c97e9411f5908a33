#pragma once
// Checks a move line of the solver by replaying it with the play engine's step rule from the
// task's initial position: every move legal under the task's move kind, the recorded cells where
// the figures really stood, and the position reached equal to the stored position it was made for.

#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "play/play_engine.h"
#include "solver/solver.h"

namespace zrk::test {

struct TLineCheck {
  int Moves = 0;              // moves, not mini-moves
  std::vector<int16_t> End;   // figure positions at the end
};

inline TLineCheck ReplayLine(TPlayEngine& engine, const TMoves0& line) {
  TLineCheck out;
  const TTaskOptions& o = engine.Task.Options;
  std::vector<int16_t> pos(engine.InitialPositions.begin(), engine.InitialPositions.end());
  std::vector<uint16_t> map = engine.ScratchMap();
  engine.SetPosition(pos.data(), map.data(), true);
  std::set<int> numbers;
  for (size_t k = 0; k < line.Moves.size(); ++k) {
    const TMove& m = line.Moves[k];
    SCOPED_TRACE(testing::Message() << "entry " << k + 1);
    numbers.insert(m.N);
    bool pushed = false;
    if (o.Gravity) {
      int steps = 0;
      while (engine.Step(pos.data(), map.data(), 0, m.Dir, pushed) && steps < 200) ++steps;
      EXPECT_GT(steps, 0) << "a tilt that moves nothing";
      continue;
    }
    EXPECT_EQ(m.Cell, engine.FirstCell(m.Fig, pos[m.Fig])) << "the recorded cell is not where the figure stood";
    EXPECT_GE(m.Len, 1);
    for (int s = 0; s < m.Len; ++s) {
      if (engine.Step(pos.data(), map.data(), m.Fig, m.Dir, pushed)) continue;
      ADD_FAILURE() << "illegal step of figure " << int(m.Fig) << " in direction " << int(m.Dir);
      out.Moves = -1;
      return out;
    }
    // Without group slide the step rule refuses any push, so a legal step moved the figure alone.
  }
  out.Moves = int(numbers.size());
  out.End = pos;
  return out;
}

// The key of the position with the figures at `positions`, from a fresh set-up of the task.
inline std::vector<uint8_t> KeyAt(TPlayEngine& engine, const std::vector<int16_t>& positions) {
  engine.SetPosition(positions.data(), engine.Task.StartMap.data(), false);
  TSolver fresh;
  fresh.PrepareSolver(engine.Task);
  std::vector<uint8_t> key(fresh.KeySize());
  fresh.EncodePosition(fresh.Occupancy().data(), key.data());
  engine.SetPosition(engine.InitialPositions.data(), engine.Task.StartMap.data(), false);
  return key;
}

// Replays the line and checks that it ends at the record's position after `layer` + solveFrom moves.
inline void ExpectLineReaches(TPlayEngine& engine, TSolver& solver, const TMoves0& line, uint32_t record,
                              int solveFrom) {
  const TLineCheck c = ReplayLine(engine, line);
  if (c.Moves < 0) return;
  EXPECT_EQ(c.Moves, solver.Store().Layer(record) + solveFrom);
  const std::vector<uint8_t> key = KeyAt(engine, c.End);
  const uint8_t* stored = solver.Store().Key(record);
  EXPECT_EQ(key, std::vector<uint8_t>(stored, stored + solver.KeySize())) << "the line ends elsewhere";
}

} // namespace zrk::test
