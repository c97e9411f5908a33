#include "ui/board_painter.h"

#include <algorithm>
#include <array>

#include <QFontMetrics>
#include <QPainter>
#include <QPolygon>

#include "model/cp1251.h"

namespace zrk {

QColor ToQColor(Colour c) { return QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF)); }

Colour FromQColor(const QColor& c) {
  return Colour(c.red()) | (Colour(c.green()) << 8) | (Colour(c.blue()) << 16);
}

namespace {

const QColor Black(0, 0, 0);
const QColor OuterGridColour(0xA0, 0xA0, 0xA0);
const QColor CounterColour(0x80, 0, 0); // 000080 in BBGGRR: dark red
const QColor CaptionGrey(0x80, 0x80, 0x80);

// Rectangles are given by their corners, the right and bottom edges excluded, as the board's
// arithmetic counts them.
void Fill(QPainter& p, int l, int t, int r, int b, const QColor& c) {
  if (r > l && b > t) p.fillRect(QRect(l, t, r - l, b - t), c);
}

// Label fonts are sized in points as on a 96 dpi screen, whatever the device reports.
QFont LabelFont(const QFont& base, int points) {
  QFont f = base;
  f.setPixelSize(std::max(1, points * 96 / 72));
  return f;
}

// Draws text with its top-left corner at (x, y), on a transparent background.
void TextAt(QPainter& p, int x, int y, const QString& text) {
  p.drawText(x, y + QFontMetrics(p.font()).ascent(), text);
}

struct TFont {
  QFont Font;
  int Size = 0;       // pixel height used to centre the text
  int Adjustment = 0; // lifts the digits to the middle of the cell
};

TFont MakeLabelFont(const QFont& base, int points) {
  TFont f;
  f.Font = LabelFont(base, points);
  f.Size = f.Font.pixelSize();
  const int height = QFontMetrics(f.Font).height();
  f.Adjustment = (height - f.Size * 92 / 100) / 2;
  return f;
}

class TPositionPainter {
 public:
  TPositionPainter(QPainter& p, const TTask& task, const TBoardGeometry& g, const TBoardView& view, bool endView)
      : P(p), Task(task), G(g), EndView(endView), Map(endView ? task.EndMap : task.StartMap),
        Play(task.Options.Play),
        Labels(task.Options.ShowNums || view.NumsMode || task.Options.DifByName),
        Font1(MakeLabelFont(view.Font, g.F1)), Font2(MakeLabelFont(view.Font, g.F2)),
        AnimDirs(endView || view.AnimFrac <= 0 ? nullptr : view.AnimDirs), AnimFrac(view.AnimFrac) {}

  void Draw() {
    ForEachCell([&](int code, int x, int y) { FieldBackground(code, x, y); });
    ForEachCell([&](int code, int x, int y) { GridAndBorder(code, x, y); });
    ForEachCell([&](int code, int x, int y) { FigureCell(code, x, y); });
    ForEachCell([&](int code, int x, int y) { FigureOutline(code, x, y); });
    if (Task.FlaggedCells > 0) ForEachCell([&](int code, int x, int y) { WallsAndGrooves(code, x, y); });
    ForEachCell([&](int code, int x, int y) { Marks(code, x, y); });
  }

 private:
  QPainter& P;
  const TTask& Task;
  const TBoardGeometry& G;
  const bool EndView;
  const std::vector<uint16_t>& Map;
  const bool Play;
  const bool Labels;
  const TFont Font1, Font2;
  const uint8_t* AnimDirs; // null unless an animation step is drawn (main view only)
  const int AnimFrac;
  std::array<bool, FigSlots> Marked{};

  bool Animating() const { return AnimDirs != nullptr; }
  // The direction (0..3) in which figure f slides, or -1 when it stands still.
  int Sliding(int f) const { return Animating() && f > 0 && AnimDirs[f] ? AnimDirs[f] - 1 : -1; }
  // Where the cell at (x, y) of figure f is drawn.
  QPoint Shifted(int f, int x, int y) const {
    switch (Sliding(f)) {
      case DirDown: return {x, y + AnimFrac};
      case DirRight: return {x + AnimFrac, y};
      case DirUp: return {x, y - AnimFrac};
      case DirLeft: return {x - AnimFrac, y};
      default: return {x, y};
    }
  }
  // A sliding figure's cell whose trailing edge uncovers the field: the cell behind it holds no
  // figure sliding the same way.
  bool Trailing(int code) const {
    const int f = Fig(Word(code));
    const int dir = Sliding(f);
    if (dir < 0) return false;
    const int behind = Fig(Word(code - DirStep[dir]));
    return behind == 0 || Sliding(behind) != dir;
  }

  // Every map cell of the board and its one-cell ring, row by row; (x, y) is its top-left pixel.
  template <class F>
  void ForEachCell(F f) {
    const int left = EndView ? G.EX : G.B;
    for (int row = 0; row <= G.DimY + 1 && row < 128; ++row)
      for (int col = 0; col <= G.DimX + 1 && col < 128; ++col)
        f((row << 7) | col, left + G.S * (col - 1), G.B + G.S * (row - 1));
  }

  uint16_t Word(int code) const { return code >= 0 && code < MapSize ? Map[code] : 0; }
  static int Fig(uint16_t w) { return w & CellFigMask; }

  // The bar along the cell's edge towards neighbour k, with (gx, gy) the top-left of its grid lines.
  void EdgeBar(int x, int y, int k, const QColor& c) {
    const int gx = x - G.L / 2, gy = y - G.L / 2, s = G.S, l = G.L;
    switch (k) {
      case DirDown: Fill(P, gx, gy + s, gx + s + l, gy + s + l, c); break;
      case DirRight: Fill(P, gx + s, gy, gx + s + l, gy + s + l, c); break;
      case DirUp: Fill(P, gx, gy, gx + s + l, gy + l, c); break;
      default: Fill(P, gx, gy, gx + l, gy + s + l, c); break;
    }
  }

  void FieldBackground(int code, int x, int y) {
    const uint16_t w = Word(code);
    const bool uncovered = (w & CellField) && Trailing(code);
    if ((w != 0 && Fig(w) == 0) || uncovered) Fill(P, x, y, x + G.S, y + G.S, ToQColor(Task.Field().Color));
  }

  void GridAndBorder(int code, int x, int y) {
    const uint16_t w = Word(code);
    if (w == 0 || (Fig(w) != 0 && !((w & CellField) && Trailing(code)))) return;
    // While figures slide, the cells under them count as empty field.
    const int mask = Animating() ? CellField : 0x1FF;
    for (int k = 0; k < 4; ++k) {
      const int v = 0x100 - (Word(code + DirStep[k]) & mask);
      if (v < 0) continue;
      if (v == 0 && !(Task.Options.GridF && (k == DirDown || k == DirRight))) continue;
      if (k == DirDown && (w & WallBelow)) continue;
      if (k == DirRight && (w & WallOnTheRight)) continue;
      EdgeBar(x, y, k, v > 0 ? Black : ToQColor(Task.GridColor));
    }
  }

  void FigureCell(int code, int x, int y) {
    const int f = Fig(Word(code));
    if (f == 0) return;
    const QPoint at = Shifted(f, x, y);
    x = at.x(), y = at.y();
    const TFig& fig = Task.Figs[f];
    Fill(P, x, y, x + G.S, y + G.S, ToQColor(fig.Color));
    if (!Play && fig.Selected) {
      P.setPen(Qt::NoPen);
      P.setBrush(QBrush(Black, Qt::FDiagPattern));
      P.drawRect(QRect(x, y, G.S + 1, G.S + 1));
      P.setBrush(Qt::NoBrush);
    }
  }

  void FigureOutline(int code, int x, int y) {
    const uint16_t w = Word(code);
    if (Fig(w) == 0) return;
    const QPoint at = Shifted(Fig(w), x, y);
    for (int k = 0; k < 4; ++k) {
      const int dv = (w & 0x1FF) - (Word(code + DirStep[k]) & 0x1FF);
      // While figures slide apart every figure draws its whole outline itself.
      if (dv == 0 || (dv < 0 && !Animating())) continue;
      if (!Animating() && k == DirDown && (w & WallBelow)) continue;
      if (!Animating() && k == DirRight && (w & WallOnTheRight)) continue;
      EdgeBar(at.x(), at.y(), k, Black);
    }
  }

  void WallsAndGrooves(int code, int x, int y) {
    const uint16_t w = Word(code);
    if (w <= 0x1FF) return;
    const QColor c = ToQColor(Task.WallColor);
    const int gx = x - G.L / 2, gy = y - G.L / 2, s = G.S, h = G.Half, lh = G.Lh, lg = G.Lg;
    if (w & WallBelow) Fill(P, gx - lh, gy + s - lh, gx + s + lg, gy + s + lg, c);
    if (w & WallOnTheRight) Fill(P, gx + s - lh, gy - lh, gx + s + lg, gy + s + lg, c);
    if (w & GrooveDown) Fill(P, gx + h - lh, gy + h - lh, gx + h + lg, gy + s + h + lg, c);
    if (w & GrooveToTheRight) Fill(P, gx + h - lh, gy + h - lh, gx + s + h + lg, gy + h + lg, c);
  }

  void Marks(int code, int x, int y) {
    const uint16_t w = Word(code);
    const int f = Fig(w);
    if (f == 0) return;
    const QPoint at = Shifted(f, x, y);
    x = at.x(), y = at.y();
    if (w & CellPin) Pin(x, y);
    if (Marked[f]) return;
    Marked[f] = true;
    FirstCellMarks(Task.Figs[f], w, x, y);
  }

  void Pin(int x, int y) {
    const int l = G.L;
    const int r = (G.S >= 10 && G.S <= 29) ? 3 * l : 2 * l;
    const int cx = x + G.Half - l / 2, cy = y + G.Half - l / 2;
    const QColor c = ToQColor(Task.WallColor);
    P.setPen(Qt::NoPen);
    P.setBrush(c);
    P.drawEllipse(QRect(cx - r - G.Lh, cy - r - G.Lh, 2 * r + G.Lh + G.Lg, 2 * r + G.Lh + G.Lg));
    P.setBrush(Qt::NoBrush);
  }

  struct TBox { int Left, Top, Right, Bottom; };

  void FirstCellMarks(const TFig& fig, uint16_t w, int x, int y) {
    const bool tempFixed = Play && Task.TempFixed[fig.Index];
    const int kind = tempFixed ? int(Fixed) : int(fig.Freedom);
    if (kind == FreeMove && !Labels) return;
    const bool bandFill = !Play && fig.Selected;
    TBox box{x, y, x + G.S, y + G.S};
    if (kind == HorSlide) {
      const int top = Labels ? y + G.L : (y + y + G.S - G.Band) / 2;
      if (Labels) box.Top += G.Band2;
      if (bandFill) Fill(P, x + G.A3, top, x + G.S - G.A3, top + G.Band, ToQColor(fig.Color));
      HorizontalArrow(x, top + G.Band2);
    }
    int arrowLeft = 0;
    if (kind == VertSlide) {
      arrowLeft = Labels ? x + G.L : (x + x + G.S - G.Band) / 2;
      if (Labels) box.Left += G.Band2;
      if (bandFill) Fill(P, arrowLeft, y + G.A3, arrowLeft + G.Band, y + G.S - G.A3, ToQColor(fig.Color));
    }
    if (kind == Fixed) FixFrame(tempFixed, x, y, box);
    if (Labels && (!Task.Options.OnlyNames || fig.HasName())) Label(fig, w, box);
    if (kind == VertSlide) VerticalArrow(arrowLeft + G.Band2, y);
  }

  void Triangle(QPoint a, QPoint b, QPoint c) {
    P.setPen(QPen(Black, 0));
    P.setBrush(Black);
    P.drawPolygon(QPolygon({a, b, c}));
    P.setBrush(Qt::NoBrush);
  }

  void HorizontalArrow(int x, int cy) {
    const int s = G.S;
    Fill(P, x + G.A2, cy - G.L / 2, x + s - G.A2, cy - G.L / 2 + G.L, Black);
    Triangle({x + G.A1, cy}, {x + G.A2, cy - G.Aw}, {x + G.A2, cy + G.Aw});
    Triangle({x + s - G.A1, cy}, {x + s - G.A2, cy - G.Aw}, {x + s - G.A2, cy + G.Aw});
  }

  void VerticalArrow(int cx, int y) {
    const int s = G.S;
    Fill(P, cx - G.L / 2, y + G.A2, cx - G.L / 2 + G.L, y + s - G.A2, Black);
    Triangle({cx, y + G.A1}, {cx - G.Aw, y + G.A2}, {cx + G.Aw, y + G.A2});
    Triangle({cx, y + s - G.A1}, {cx - G.Aw, y + s - G.A2}, {cx + G.Aw, y + s - G.A2});
  }

  void FixFrame(bool tempFixed, int x, int y, TBox& box) {
    const int l = G.L, odd = G.L & 1;
    const int fl = x + G.Fi, ft = y + G.Fi, fr = x + G.S + odd - G.Fi, fb = y + G.S + odd - G.Fi;
    if (tempFixed) {
      // Dotted frames drawn like the platform's Rectangle: right and bottom edges excluded.
      P.setPen(QPen(Black, 0, Qt::DotLine));
      P.setBrush(Qt::NoBrush);
      P.drawRect(QRect(fl + l, ft + l, fr - fl - l - 1, fb - ft - l - 1));
      P.drawRect(QRect(fl + l + 1, ft + l + 1, fr - fl - l - 3, fb - ft - l - 3));
      return;
    }
    Fill(P, fl, ft, fr, ft + l, Black);
    Fill(P, fl, fb - l, fr, fb, Black);
    Fill(P, fl, ft, fl + l, fb, Black);
    Fill(P, fr - l, ft, fr, fb, Black);
    box = {fl + G.Lg, ft + l, fr - l, fb - l};
  }

  void Label(const TFig& fig, uint16_t w, const TBox& box) {
    const bool byNumber = !fig.HasName() || Task.Options.OrigNums;
    const QString text = byNumber ? QString::number(fig.Num) : QString::fromStdString(Cp1251ToUtf8(fig.NameStr()));
    if (text == " ") return;
    const TFont& font = text.size() <= 2 ? Font1 : Font2;
    P.setFont(font.Font);
    const int width = QFontMetrics(font.Font).horizontalAdvance(text);
    const int tx = (box.Left + box.Right - width) / 2;
    const int ty = (box.Top + box.Bottom - font.Size) / 2;
    const QRect clip(QPoint(std::max(tx - G.L, box.Left), std::max(ty - G.L, box.Top)),
                     QPoint(std::min(tx + width + G.L, box.Right) - 1, std::min(ty + font.Size + G.L, box.Bottom) - 1));
    if (clip.isEmpty()) return;
    P.save();
    P.setClipRect(clip);
    if (fig.Selected && w < 0x800) P.fillRect(clip, ToQColor(fig.Color));
    P.setPen(Black);
    TextAt(P, tx, ty - font.Adjustment, text);
    P.restore();
  }
};

int CaptionPoints(const TBoardGeometry& g) { return std::max(g.F2, 8); }

} // namespace

namespace {

// A dotted black frame on a white one, one pixel outside the cells, visible on any colour.
void DrawGestureRect(QPainter& p, const TBoardGeometry& g, const TBoardView& view) {
  const int x0 = std::min(CellX(view.RectFrom), CellX(view.RectTo)), x1 = std::max(CellX(view.RectFrom), CellX(view.RectTo));
  const int y0 = std::min(CellY(view.RectFrom), CellY(view.RectTo)), y1 = std::max(CellY(view.RectFrom), CellY(view.RectTo));
  const QRect frame(QPoint(g.CellLeft(x0, view.RectInEnd) - 1, g.CellTop(y0) - 1),
                    QPoint(g.CellLeft(x1, view.RectInEnd) + g.S, g.CellTop(y1) + g.S));
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(Qt::white, 1));
  p.drawRect(frame);
  p.setPen(QPen(Qt::black, 1, Qt::DotLine));
  p.drawRect(frame);
}

} // namespace

void DrawBoard(QPainter& p, const TTask& task, const TBoardGeometry& g, const TBoardView& view) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing, false);
  p.setRenderHint(QPainter::TextAntialiasing, true);
  const bool play = task.Options.Play;
  Fill(p, 0, 0, g.MW, g.H, view.Background);
  if (!play) {
    Fill(p, g.B, g.B, g.MW - g.B, g.H - g.B, Qt::white);
    if (task.Options.GridE) {
      const int l = g.L, s = g.S, g0 = g.G0;
      for (int i = 0; i <= g.DimY; ++i) Fill(p, g0, g0 + i * s, g0 + s * g.DimX + l, g0 + i * s + l, OuterGridColour);
      for (int i = 0; i <= g.DimX; ++i) Fill(p, g0 + i * s, g0, g0 + i * s + l, g0 + s * g.DimY + l, OuterGridColour);
    }
  }
  TPositionPainter(p, task, g, view, false).Draw();
  const QFont captionFont = LabelFont(view.Font, CaptionPoints(g));
  if (play && !view.CounterText.empty()) {
    p.setFont(captionFont);
    p.setPen(CounterColour);
    const QString text = QString::fromStdString(view.CounterText);
    TextAt(p, (g.MW - QFontMetrics(captionFont).horizontalAdvance(text)) / 2, 0, text);
  }
  if (g.EndView) {
    Fill(p, g.MW, 0, g.W, g.H, view.Background);
    p.setFont(captionFont);
    p.setPen(CaptionGrey);
    const QString caption = task.Options.LatNot ? QStringLiteral("End position") : QStringLiteral("Конечная позиция");
    const int fw = task.Field().Width;
    TextAt(p, g.MW + g.B + (fw * g.S - QFontMetrics(captionFont).horizontalAdvance(caption)) / 2, 0, caption);
    TPositionPainter(p, task, g, view, true).Draw();
  }
  if (view.HasRect) DrawGestureRect(p, g, view);
  p.restore();
}

} // namespace zrk
