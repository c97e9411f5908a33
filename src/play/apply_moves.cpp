// Appending a text of moves to the played line: every move is checked with the step rule and,
// where the task's rules differ from the text's, converted (a push into single-figure moves, a
// long move into unit steps).
#include <algorithm>
#include <cstdio>
#include <cstring>

#include "play/line_limits.h"
#include "play/notation.h"

namespace zrk {

namespace {

const char* const ErrFigNumber = "Номер фигурки";
const char* const ErrBlocked = "Заблокирован ход";
const char* const ErrCoupled = "Фигурки сцеплены";
const char* const ErrOutOfMemory = "Недостаточно памяти";

class TApplier {
 public:
  TApplier(TPlayEngine& e) : e_(e), line_(e.Line), o_(e.Task.Options), cost_(e.Task), work_(e.ScratchMap()) {}

  // Applies move i of the text; returns the error message or null.
  const char* Apply(const TMove& parsed) {
    const int p = line_.Count - 1;
    int16_t before[FigSlots];
    std::memcpy(before, line_.Positions(p), sizeof(int16_t) * size_t(line_.FigCount));
    if (o_.Gravity) {
      const int k = NewEntry(parsed);
      if (k < 0) return LineTooLongText;
      bool any = false, pushed = false;
      for (int guard = 0; guard < RowStride && e_.Step(line_.Positions(k), work_.data(), 0, parsed.Dir, pushed); ++guard)
        any = any || pushed;
      line_.Move(k).Pushed = any ? 1 : 0;
      return nullptr;
    }
    TMove m = parsed;
    if (m.Fig == 0) {
      const int code = e_.Task.Field().Pos + m.Cell;
      m.Fig = code >= 0 && code < MapSize ? uint8_t(work_[size_t(code)] & CellFigMask) : 0;
    }
    if (m.Fig == 0 || m.Fig >= e_.Task.FigCount) return ErrFigNumber;
    const bool split = o_.Cooperative || (o_.OneFig() && o_.MoveKind == OneCellMove);
    const bool grouping = o_.Cooperative || o_.GrSlide;
    if (!grouping) {
      // Try the move as a push; when it pushes, make the pushed figures move first, one by one.
      int16_t trial[FigSlots];
      std::memcpy(trial, before, sizeof(int16_t) * size_t(line_.FigCount));
      bool anyPushed = false, pushed = false;
      for (int s = 0; s < m.Len; ++s) {
        if (!e_.Step(trial, work_.data(), m.Fig, m.Dir, pushed, true)) {
          e_.SetPosition(before, work_.data(), true);
          return ErrBlocked;
        }
        anyPushed = anyPushed || pushed;
      }
      e_.SetPosition(before, work_.data(), true);
      if (anyPushed) return SingleFigureMoves(m, before, trial, split);
    }
    return Plain(m, before, split);
  }

  void DropFrom(int first) { line_.Count = first; }

 private:
  // A new entry after the last one, holding move and the last entry's positions; -1 when the line
  // would grow beyond what a task file may hold.
  int NewEntry(const TMove& move) {
    const int64_t work = lineWork_ + cost_.Move(move);
    if (!LineEntriesFit(int64_t(line_.Count) + 1, line_.FigCount) || work > MaxLineWork) return -1;
    lineWork_ = work;
    const int k = line_.Append();
    TMove& m = line_.Move(k);
    m = move;
    m.N = line_.Move(k - 1).N + 1;
    m.Sub = 0;
    m.Pushed = 0;
    return k;
  }

  int NewStepEntry(int fig, int dir, int len, const int16_t* before) {
    TMove m;
    m.Fig = uint8_t(fig);
    m.Dir = int8_t(dir);
    m.Len = int8_t(len);
    m.Cell = e_.FirstCell(fig, before[fig]);
    return NewEntry(m);
  }

  const char* Plain(const TMove& m, const int16_t* before, bool split) {
    const int first = line_.Count;
    int16_t pos[FigSlots];
    std::memcpy(pos, before, sizeof(int16_t) * size_t(line_.FigCount));
    if (split && m.Len > 1) {
      for (int s = 0; s < m.Len; ++s) {
        int16_t from[FigSlots];
        std::memcpy(from, pos, sizeof(int16_t) * size_t(line_.FigCount));
        bool pushed = false;
        if (!e_.Step(pos, work_.data(), m.Fig, m.Dir, pushed)) return Undo(first, before), ErrBlocked;
        const int k = NewStepEntry(m.Fig, m.Dir, 1, from);
        if (k < 0) return Undo(first, before), LineTooLongText;
        std::memcpy(line_.Positions(k), pos, sizeof(int16_t) * size_t(line_.FigCount));
        line_.Move(k).Pushed = pushed ? 1 : 0;
      }
      return nullptr;
    }
    bool any = false, pushed = false;
    for (int s = 0; s < m.Len; ++s) {
      if (!e_.Step(pos, work_.data(), m.Fig, m.Dir, pushed)) return Undo(first, before), ErrBlocked;
      any = any || pushed;
    }
    const int k = NewStepEntry(m.Fig, m.Dir, m.Len, before);
    if (k < 0) return Undo(first, before), LineTooLongText;
    std::memcpy(line_.Positions(k), pos, sizeof(int16_t) * size_t(line_.FigCount));
    line_.Move(k).Pushed = any ? 1 : 0;
    return nullptr;
  }

  const char* SingleFigureMoves(const TMove& m, const int16_t* before, const int16_t* trial, bool split) {
    const int first = line_.Count;
    const int delta = DirStep[m.Dir];
    int need[FigSlots] = {};
    for (int k = 1; k < line_.FigCount; ++k) need[k] = (trial[k] - before[k]) / delta;
    int16_t pos[FigSlots];
    std::memcpy(pos, before, sizeof(int16_t) * size_t(line_.FigCount));
    for (;;) {
      bool blocked = false, moved = false;
      for (int k = 1; k < line_.FigCount; ++k) {
        if (need[k] <= 0) continue;
        int16_t from[FigSlots];
        std::memcpy(from, pos, sizeof(int16_t) * size_t(line_.FigCount));
        int steps = 0;
        bool pushed = false;
        while (need[k] > 0) {
          int16_t stepFrom[FigSlots];
          std::memcpy(stepFrom, pos, sizeof(int16_t) * size_t(line_.FigCount));
          if (!e_.Step(pos, work_.data(), k, m.Dir, pushed)) {
            blocked = true;
            break;
          }
          --need[k];
          ++steps;
          moved = true;
          if (split) {
            const int entry = NewStepEntry(k, m.Dir, 1, stepFrom);
            if (entry < 0) return Undo(first, before), LineTooLongText;
            std::memcpy(line_.Positions(entry), pos, sizeof(int16_t) * size_t(line_.FigCount));
          }
        }
        if (!split && steps > 0) {
          const int entry = NewStepEntry(k, m.Dir, steps, from);
          if (entry < 0) return Undo(first, before), LineTooLongText;
          std::memcpy(line_.Positions(entry), pos, sizeof(int16_t) * size_t(line_.FigCount));
        }
      }
      if (!blocked) return nullptr;
      if (!moved) return Undo(first, before), ErrCoupled;
    }
  }

  void Undo(int first, const int16_t* before) {
    for (int k = first; k < line_.Count; ++k) lineWork_ -= cost_.Move(line_.Move(k));
    line_.Count = first;
    e_.SetPosition(before, work_.data(), true);
  }

 public:
  void Start() {
    e_.SetPosition(line_.Positions(line_.Count - 1), work_.data(), true);
    lineWork_ = 0;
    for (int k = 1; k < line_.Count; ++k) lineWork_ += cost_.Move(line_.Move(k));
  }

 private:
  TPlayEngine& e_;
  TMoves& line_;
  const TTaskOptions& o_;
  const TLineCost cost_;
  int64_t lineWork_ = 0; // the replay cost of the line's entries
  std::vector<uint16_t> work_;
};

// Gives the entries from first on their move numbers under the mini-move rules.
void Renumber(TPlayEngine& e, int first) {
  TMoves& line = e.Line;
  const TTaskOptions& o = e.Task.Options;
  if (o.OneFig() && o.MoveKind == AnyPathMove) {
    for (int k = first; k < line.Count; ++k) {
      const TMove& prev = line.Move(k - 1);
      TMove& m = line.Move(k);
      const bool continues = k > 1 && m.Fig == prev.Fig;
      m.N = continues ? prev.N : prev.N + 1;
      m.Sub = continues ? int16_t(prev.Sub + 1) : 0;
    }
  } else if (o.Cooperative) {
    const int count = line.Count;
    for (int k = first; k < count; ++k) {
      line.Count = k + 1;
      e.NumberLastEntry();
    }
    line.Count = count;
  }
}

} // namespace

namespace {

void ReportMoveError(IReporter* reporter, int move, const char* err) {
  if (!reporter) return;
  char head[64];
  std::snprintf(head, sizeof head, "Ошибка в ходе %d: ", move);
  reporter->Report(MsgKind::Error, AddMovesErrorCaption, std::string(head) + err);
}

TApplyResult Apply(TPlayEngine& e, std::string_view text, IReporter* reporter) {
  TApplyResult result;
  if (e.Line.Count < 1) return result;
  bool parseFailed = false;
  const TMoves0 parsed = ParseMoves(text, e.Task, reporter, &parseFailed);
  if (parsed.Count() == 0) return result;
  TMoves& line = e.Line;
  line.Count = line.Cur + 1;
  const int first = line.Count;
  TApplier applier(e);
  applier.Start();
  for (int i = 0; i < parsed.Count(); ++i) {
    if (const char* err = applier.Apply(parsed.Moves[size_t(i)])) {
      ReportMoveError(reporter, i + 1, err);
      Renumber(e, first);
      result.Appended = i > 0;
      return result;
    }
  }
  Renumber(e, first);
  result.Appended = true;
  result.Complete = !parseFailed;
  return result;
}

} // namespace

TApplyResult ApplyMoveList(TPlayEngine& e, std::string_view text, IReporter* reporter) {
  const int kept = e.Line.Cur + 1;
  try {
    return Apply(e, text, reporter);
  } catch (const std::bad_alloc&) {
    // Out of memory while the line grew: the moves of the text are dropped again.
    if (e.Line.Count > kept) e.Line.Count = kept;
    ReportMoveError(reporter, 1, ErrOutOfMemory);
    return TApplyResult();
  }
}

} // namespace zrk
