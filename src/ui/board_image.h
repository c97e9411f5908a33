#pragma once
// The widgets that show the board image `Im` and the palette strip `ImC`: each holds a bitmap the
// painter draws into and shows it unscaled.

#include <functional>

#include <QImage>
#include <QWidget>

namespace zrk {

class TImageView : public QWidget {
  Q_OBJECT
 public:
  explicit TImageView(QWidget* parent = nullptr) : QWidget(parent) {}
  QImage Bitmap;
  // Sizes the bitmap and the widget; false when they already had this size.
  bool SetImageSize(int w, int h);
  QSize sizeHint() const override { return Bitmap.size(); }

 protected:
  void paintEvent(QPaintEvent*) override;
};

} // namespace zrk
