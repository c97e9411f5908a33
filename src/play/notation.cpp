#include "play/notation.h"

#include "model/cp1251.h"
#include "play/line_limits.h"

#include <array>
#include <cstdio>
#include <cstring>

namespace zrk {

const char* const AddMovesErrorCaption = "Ошибка при добавлении ходов";

namespace {

// "НПВЛ" and "нпвл" in code page 1251, then the Latin letters.
constexpr uint8_t CyrUpper[4] = {0xCD, 0xCF, 0xC2, 0xCB};
constexpr char LatUpper[4] = {'D', 'R', 'U', 'L'};

const std::array<uint8_t, 256>& LetterTable() {
  static const std::array<uint8_t, 256> table = [] {
    std::array<uint8_t, 256> t;
    t.fill(255);
    for (int d = 0; d < 4; ++d) {
      t[CyrUpper[d]] = uint8_t(d);
      t[uint8_t(CyrUpper[d] + 0x20)] = uint8_t(d); // lower case of А..Я in code page 1251
      t[uint8_t(LatUpper[d])] = uint8_t(d);
      t[uint8_t(LatUpper[d] + 0x20)] = uint8_t(d);
    }
    return t;
  }();
  return table;
}

bool IsDigit(uint8_t c) { return c >= '0' && c <= '9'; }

void PutColumn(TSWr& w, int x) {
  if (x < 26) {
    w.PutChar(char('a' + x));
  } else if (x < 52) {
    w.PutChar(char('A' + x - 26));
  } else if (x < 78) {
    w.PutChar(char('a' + x - 52));
    w.PutChar('_');
  } else if (x < 104) {
    w.PutChar(char('A' + x - 78));
    w.PutChar('_');
  } else {
    w.PutChar('_');
    w.PutChar(char('a' + std::min(x - 104, 25)));
  }
}

void PutSquare(TSWr& w, const TTask& task, int code) {
  const TFig& field = task.Field();
  const int r = code - field.Pos;
  PutColumn(w, r & 0x7F);
  w.PutInt(field.Height - (r >> 7));
}

void PutNumber(TSWr& w, const TMove& m, const TMove* next) {
  w.PutInt(m.N);
  if (m.Sub != 0 || (next && next->Sub != 0)) {
    w.PutChar('.');
    w.PutInt(m.Sub + 1);
  }
}

} // namespace

char DirLetter(int dir, bool latin) { return latin ? LatUpper[dir & 3] : char(CyrUpper[dir & 3]); }

int LetterDir(uint8_t byte) {
  const uint8_t d = LetterTable()[byte];
  return d == 255 ? -1 : d;
}

void PutMove(TSWr& w, const TTask& task, const TMove& m, bool pretty) {
  const TTaskOptions& o = task.Options;
  const char letter = DirLetter(m.Dir, o.LatNot);
  if (o.Gravity) {
    w.PutChar(letter);
    return;
  }
  if (o.ChessNot) {
    PutSquare(w, task, m.Cell);
    w.PutChar('-');
    PutSquare(w, task, m.Cell + m.Len * DirStep[m.Dir & 3]);
    return;
  }
  const TFig* f = m.Fig < task.FigCount ? &task.Figs[m.Fig] : nullptr;
  const bool named = f && f->HasName();
  if (named && !o.OrigMovesNums)
    w.PutText(f->NameStr());
  else
    w.PutInt(f ? f->Num : m.Fig);
  if (named) w.PutChar(' ');
  if (pretty) w.PutChar(' ');
  w.PutChar(letter);
  if (m.Len >= 2) {
    if (pretty) w.PutChar(' ');
    w.PutInt(m.Len);
  }
}

void PutEntryNumber(TSWr& w, const TPlayEngine& e, int k) {
  if (!e.MiniMoves) {
    w.PutInt(k);
    return;
  }
  PutNumber(w, e.Line.Move(k), k + 1 < e.Line.Count ? &e.Line.Move(k + 1) : nullptr);
}

void PutLineNumber(TSWr& w, bool miniMoves, const TMoves0& line, int k) {
  if (!miniMoves) {
    w.PutInt(k + 1);
    return;
  }
  PutNumber(w, line.Moves[size_t(k)], k + 1 < line.Count() ? &line.Moves[size_t(k) + 1] : nullptr);
}

std::string LineText(const TPlayEngine& e, bool fromCur) {
  TSWr w;
  const int a = fromCur ? e.Line.Cur + 1 : 1;
  const int end = fromCur ? e.Line.Count : e.Line.Cur + 1;
  for (int k = a; k < end; ++k) {
    if (k > a) w.PutChar(' ');
    PutEntryNumber(w, e, k);
    w.PutChar(')');
    PutMove(w, e.Task, e.Line.Move(k), false);
  }
  return w.Text();
}

std::string CounterText(const TPlayEngine& e, bool forwardAnimation) {
  TSWr w;
  const int last = e.Line.Count - 1;
  if (last < 0) return std::string();
  int a = e.Line.Cur;
  if (forwardAnimation && a < last) ++a;
  PutEntryNumber(w, e, a);
  if (a < last) {
    w.PutChar('(');
    w.PutInt(e.MiniMoves ? e.Line.Move(last).N : last);
    w.PutText(") ");
  } else {
    w.PutText(") ");
  }
  if (a > 0) PutMove(w, e.Task, e.Line.Move(a), true);
  return w.Text();
}

std::string NodeText(const TTask& task, bool miniMoves, const TMoves0& d) {
  if (!d.Parent) return "\xCD\xE0\xF7\xE0\xEB\xFC\xED\xE0\xFF \xEF\xEE\xE7\xE8\xF6\xE8\xFF"; // "Начальная позиция"
  TSWr w;
  if (d.Unfixed) w.PutChar('*');
  const int a = d.ParentCount();
  if (a < d.Count()) {
    PutLineNumber(w, miniMoves, d, a);
    w.PutChar(')');
    PutMove(w, task, d.Moves[size_t(a)], false);
    if (d.Count() - a > 1) {
      w.PutText(" - ");
      PutLineNumber(w, miniMoves, d, d.Count() - 1);
      w.PutChar(')');
      PutMove(w, task, d.Moves.back(), false);
    }
  }
  if (!d.PosText.empty()) {
    w.PutChar(' ');
    w.PutText(d.PosText);
  }
  return w.Text();
}

// ---------------------------------------------------------------------------------------------
// Parser

namespace {

const char* const ErrDirection = "Ожидается направление хода (НПВЛ нпвл DRUL drul)";
const char* const ErrSquare = "Ожидаются координаты клетки поля";
const char* const ErrFigure = "Ожидается номер или имя фигурки";
const char* const ErrLength = "Ожидается длина хода от 1 до 127";

constexpr int NumberCap = 1000000; // digits beyond this only keep a number too large

class TMoveParser {
 public:
  TMoveParser(std::string_view text, const TTask& task) : t_(text), task_(task) {}

  // Returns the message of the first error, or null; offset_ tells where.
  const char* Run(TMoves0& out) {
    out.Moves.reserve(16);
    for (;;) {
      SkipSpace();
      if (AtEnd()) return nullptr;
      SkipMoveNumber();
      SkipSpace();
      if (AtEnd()) return nullptr;
      TMove m;
      start_ = i_;
      // No line can take more moves than this; a text of more is not read on.
      if (int64_t(out.Moves.size()) >= MaxLineEntries) return Error(LineTooLongText, start_);
      const char* err = task_.Options.Gravity ? Gravity(m) : task_.Options.ChessNot ? Squares(m) : FigureMove(m);
      if (err) return err;
      out.Moves.push_back(m);
    }
  }
  size_t Offset() const { return offset_; }

 private:
  bool AtEnd() const { return i_ >= t_.size(); }
  uint8_t At(size_t k) const { return k < t_.size() ? uint8_t(t_[k]) : 0; }
  void SkipSpace() {
    while (!AtEnd() && At(i_) < 33) ++i_;
  }
  size_t DigitsEnd(size_t k) const {
    while (k < t_.size() && IsDigit(At(k))) ++k;
    return k;
  }
  // Reads digits at i_ into a number (saturating); false when there are none.
  bool Number(int& value) {
    if (AtEnd() || !IsDigit(At(i_))) return false;
    value = 0;
    while (!AtEnd() && IsDigit(At(i_))) {
      value = std::min(NumberCap, value * 10 + (At(i_) - '0'));
      ++i_;
    }
    return true;
  }
  const char* Error(const char* message, size_t offset) {
    offset_ = offset;
    return message;
  }

  // "7)", "7.", "7.2)" and "7.2." are move numbers; digits before anything else are a figure.
  void SkipMoveNumber() {
    const size_t j = DigitsEnd(i_);
    if (j == i_ || (At(j) != ')' && At(j) != '.') || j >= t_.size()) return;
    size_t k = j + 1;
    if (At(j) == '.') {
      const size_t j2 = DigitsEnd(k);
      if (j2 > k) {
        if (j2 < t_.size() && (At(j2) == ')' || At(j2) == '.'))
          k = j2 + 1;
        else
          return;
      }
    }
    i_ = k;
  }

  const char* Direction(TMove& m) {
    const int d = AtEnd() ? -1 : LetterDir(At(i_));
    if (d < 0) return Error(ErrDirection, i_);
    m.Dir = int8_t(d);
    ++i_;
    return nullptr;
  }

  const char* Gravity(TMove& m) { return Direction(m); }

  // A square: column letters with the "_" marks, then the row counted from the bottom.
  bool Square(int& col, int& row) {
    int add = 0;
    if (At(i_) == '_' && !AtEnd()) {
      add = 104;
      ++i_;
    }
    const uint8_t c = At(i_);
    if (AtEnd()) return false;
    if (c >= 'a' && c <= 'z')
      col = c - 'a';
    else if (c >= 'A' && c <= 'Z')
      col = c - 'A' + 26;
    else
      return false;
    ++i_;
    col += add;
    if (!AtEnd() && At(i_) == '_' && col <= 103) {
      col += 52;
      ++i_;
    }
    if (!Number(row)) return false;
    return row >= 1 && row <= 128;
  }

  const char* Squares(TMove& m) {
    int c0 = 0, r0 = 0, c1 = 0, r1 = 0;
    if (!Square(c0, r0)) return Error(ErrSquare, start_);
    SkipSpace();
    if (!AtEnd() && At(i_) == '-') ++i_;
    SkipSpace();
    if (!Square(c1, r1)) return Error(ErrSquare, start_);
    const int height = task_.Field().Height;
    if (r0 == r1 && c0 != c1) {
      m.Dir = c1 > c0 ? DirRight : DirLeft;
      m.Len = int8_t(std::min(std::abs(c1 - c0), MaxMoveLen + 1));
    } else if (c0 == c1 && r0 != r1) {
      m.Dir = r1 > r0 ? DirUp : DirDown;
      m.Len = int8_t(std::min(std::abs(r1 - r0), MaxMoveLen + 1));
    } else {
      return Error(ErrSquare, start_);
    }
    if (std::abs(c1 - c0) > MaxMoveLen || std::abs(r1 - r0) > MaxMoveLen) return Error(ErrSquare, start_);
    m.Cell = CellCode(c0 + (height - r0) * RowStride);
    return nullptr;
  }

  const TFig* ByName(std::string_view name) const {
    for (int j = 1; j < task_.FigCount; ++j) {
      const TFig& f = task_.Figs[size_t(j)];
      if (f.HasName() && name == std::string_view(f.Name)) return &f;
    }
    return nullptr;
  }

  const char* FigureMove(TMove& m) {
    const size_t digitsEnd = DigitsEnd(i_);
    int b = 0;
    bool named = false;
    if (digitsEnd > i_) {
      const size_t before = i_;
      Number(b);
      if (b <= 0) i_ = before; // no figure number: the text is a name
    }
    if (b > 0 && b < task_.FigCount) {
      m.Fig = uint8_t(b);
      if (task_.Figs[size_t(b)].Num != b) {
        for (int j = 1; j < task_.FigCount; ++j)
          if (task_.Figs[size_t(j)].Num == b) {
            m.Fig = uint8_t(j);
            break;
          }
      }
    } else if (b > 999) {
      return Error(ErrFigure, start_);
    } else if (b > 0) {
      const TFig* f = ByName(std::to_string(b));
      if (!f) return Error(ErrFigure, start_);
      m.Fig = f->Index;
      named = true;
    } else {
      const size_t from = i_;
      while (!AtEnd() && At(i_) > 32) ++i_;
      const size_t len = i_ - from;
      if (len < 1 || len > 3) return Error(ErrFigure, start_);
      const TFig* f = ByName(t_.substr(from, len));
      if (!f) return Error(ErrFigure, start_);
      m.Fig = f->Index;
      named = true;
    }
    if (named) SkipSpace();
    if (const char* err = Direction(m)) return err;
    m.Len = 1;
    const size_t lenAt = i_;
    int len = 0;
    if (Number(len)) {
      if (len > MaxMoveLen) return Error(ErrLength, lenAt);
      if (len > 0) m.Len = int8_t(len);
    }
    return nullptr;
  }

  std::string_view t_;
  const TTask& task_;
  size_t i_ = 0;
  size_t start_ = 0;
  size_t offset_ = 0;
};

} // namespace

TMoves0 ParseMoves(std::string_view text, const TTask& task, IReporter* reporter, bool* failed) {
  TMoves0 line;
  TMoveParser parser(text, task);
  const char* err = parser.Run(line);
  if (failed) *failed = err != nullptr;
  if (err && reporter) {
    char head[96];
    std::snprintf(head, sizeof head, "Ошибка в ходе %d (положение в тексте %d): ", line.Count() + 1,
                  int(parser.Offset()) + 1);
    reporter->Report(MsgKind::Error, AddMovesErrorCaption, std::string(head) + err);
  }
  return line;
}

namespace {

bool LooksLikeUtf8(const std::string& text) {
  bool multibyte = false;
  for (size_t i = 0; i < text.size();) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    const int follow = c < 0x80 ? 0 : (c >> 5) == 6 ? 1 : (c >> 4) == 14 ? 2 : (c >> 3) == 30 ? 3 : -1;
    if (follow < 0 || i + size_t(follow) >= text.size()) return false;
    for (int k = 1; k <= follow; ++k)
      if ((static_cast<unsigned char>(text[i + size_t(k)]) >> 6) != 2) return false;
    multibyte = multibyte || follow > 0;
    i += size_t(follow) + 1;
  }
  return multibyte;
}

} // namespace

std::string MoveTextToCp1251(const std::string& text) { return LooksLikeUtf8(text) ? Utf8ToCp1251(text) : text; }

} // namespace zrk
