#include "ui/board_image.h"

#include <QPainter>

namespace zrk {

bool TImageView::SetImageSize(int w, int h) {
  if (Bitmap.width() == w && Bitmap.height() == h) return false;
  Bitmap = QImage(w, h, QImage::Format_RGB32);
  Bitmap.fill(palette().color(QPalette::Window));
  setFixedSize(w, h);
  return true;
}

void TImageView::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.drawImage(0, 0, Bitmap);
}

} // namespace zrk
