#include "ui/colour_strip.h"

#include <QFontMetrics>
#include <QPainter>

#include "ui/board_painter.h"

namespace zrk {

void DrawColourStrip(QPainter& p, const TColourState& state, const QFont& font) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing, false);
  p.setFont(font);
  const QFontMetrics fm(font);
  for (int i = 0; i < StripColours; ++i) {
    const int left = i * StripSquare;
    p.fillRect(QRect(left, 0, StripSquare, StripSquare), ToQColor(StandardPalette[size_t(i)]));
    if (state.PalUsage[size_t(i)] <= 0) continue;
    const QString text = QString::number(state.PalUsage[size_t(i)]);
    const int tx = left + (StripSquare - fm.horizontalAdvance(text)) / 2 + 1;
    const int ty = (StripSquare - fm.height()) / 2 + 1;
    p.setPen(Qt::black);
    p.drawText(tx, ty + fm.ascent(), text);
  }
  // Separators and the surrounding frame, one pixel wide, on the squares' shared edges.
  p.setPen(QPen(Qt::black, 0));
  for (int i = 0; i <= StripColours; ++i) p.drawLine(i * StripSquare, 0, i * StripSquare, StripSquare);
  p.drawLine(0, 0, StripColours * StripSquare, 0);
  p.drawLine(0, StripSquare, StripColours * StripSquare, StripSquare);
  if (state.SelPalIndex >= 0 && state.SelPalIndex < StripColours) {
    p.setPen(QPen(Qt::white, 0, Qt::DotLine));
    p.drawRect(QRect(state.SelPalIndex * StripSquare + 2, 2, StripSquare - 4, StripSquare - 4));
  }
  p.restore();
}

int StripSquareAt(int x) {
  if (x < 0) return -1;
  const int i = x / StripSquare;
  return i < StripColours ? i : -1;
}

} // namespace zrk
