#include "ui/layer_chart.h"

#include <algorithm>
#include <cmath>

#include <QPainter>

#include "solver/distribution.h"

namespace zrk {

namespace {

constexpr int LeftMargin = 6, RightMargin = 6, TopMargin = 18, BottomMargin = 18;
const QColor BarColour(70, 110, 180);
const QColor GrowingColour(150, 180, 225);
const QColor SolutionColour(0, 150, 0);
const QColor FarthestColour(200, 0, 0);

QString Utf8(const std::string& text) { return QString::fromStdString(text); }

} // namespace

TLayerChart::TLayerChart(QWidget* parent) : QWidget(parent) {
  setObjectName("ChartP");
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void TLayerChart::SetData(TData data) {
  data_ = std::move(data);
  update();
}

bool TLayerChart::LogScale(const std::vector<uint32_t>& counts) {
  uint32_t smallest = 0, largest = 0;
  for (uint32_t c : counts) {
    if (c == 0) continue;
    smallest = smallest ? std::min(smallest, c) : c;
    largest = std::max(largest, c);
  }
  return smallest && uint64_t(largest) > uint64_t(smallest) * 1000;
}

int TLayerChart::BarHeight(uint32_t count, uint32_t largest, bool log, int height) {
  if (count == 0 || largest == 0 || height <= 0) return 0;
  // On the logarithmic scale a count of 1 keeps a sliver of one decade's height.
  const double share = log ? (std::log10(double(count)) + 1.0) / (std::log10(double(largest)) + 1.0)
                           : double(count) / double(largest);
  return std::clamp(int(std::lround(share * height)), 1, height);
}

std::vector<TLayerChart::TColumn> TLayerChart::Columns(const TData& data, int width) {
  std::vector<TColumn> columns;
  const int layers = int(data.Counts.size());
  if (layers == 0 || width <= 0) return columns;
  const int bars = std::min(layers, width);
  columns.resize(size_t(bars));
  for (int b = 0; b < bars; ++b) {
    TColumn& col = columns[size_t(b)];
    col.FirstLayer = int(int64_t(b) * layers / bars);
    col.LastLayer = int(int64_t(b + 1) * layers / bars) - 1;
    for (int i = col.FirstLayer; i <= col.LastLayer; ++i) col.Count = std::max(col.Count, data.Counts[size_t(i)]);
    auto covers = [&](int layer) { return layer >= col.FirstLayer && layer <= col.LastLayer; };
    col.Solution = covers(data.SolutionLayer);
    col.Farthest = covers(data.FarthestLayer);
    col.Growing = data.LastGrowing && covers(layers - 1);
  }
  return columns;
}

void TLayerChart::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), Qt::white);
  p.setPen(palette().color(QPalette::Mid));
  p.drawRect(rect().adjusted(0, 0, -1, -1));

  const QRect plot(LeftMargin, TopMargin, width() - LeftMargin - RightMargin, height() - TopMargin - BottomMargin);
  const std::vector<TColumn> columns = Columns(data_, plot.width());
  if (columns.empty() || plot.height() <= 0) return;
  uint32_t largest = 0;
  for (const TColumn& c : columns) largest = std::max(largest, c.Count);
  const bool log = LogScale(data_.Counts);

  // A layer per bar gets the plot's width shared out, with a gap once the bars are wide enough.
  const double step = double(plot.width()) / double(columns.size());
  const int gap = step >= 4 ? 1 : 0;
  for (size_t b = 0; b < columns.size(); ++b) {
    const TColumn& c = columns[b];
    const int x0 = plot.left() + int(b * step);
    const int x1 = plot.left() + int((b + 1) * step) - gap;
    const int w = std::max(1, x1 - x0);
    const int h = BarHeight(c.Count, largest, log, plot.height());
    const QColor colour = c.Solution ? SolutionColour : c.Farthest ? FarthestColour : c.Growing ? GrowingColour : BarColour;
    if (c.Solution || c.Farthest) {
      // A thin full-height band finds the mark even where its bar is low.
      QColor band = colour;
      band.setAlpha(60);
      p.fillRect(x0, plot.top(), w, plot.height(), band);
    }
    if (h > 0) p.fillRect(x0, plot.bottom() + 1 - h, w, h, colour);
  }

  // Captions: the largest count and the scale at the top, the first and last layer below.
  p.setPen(Qt::black);
  const QString top = QStringLiteral("макс. ") + Utf8(CountText(largest, false)) +
                      (log ? QStringLiteral("  (лог. шкала)") : QString());
  p.drawText(QRect(LeftMargin, 2, plot.width(), TopMargin - 4), Qt::AlignLeft | Qt::AlignVCenter, top);
  const QRect bottom(LeftMargin, plot.bottom() + 2, plot.width(), BottomMargin - 3);
  p.drawText(bottom, Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("0"));
  p.drawText(bottom, Qt::AlignRight | Qt::AlignVCenter, QString::number(int(data_.Counts.size()) - 1));
  QStringList marks;
  if (data_.SolutionLayer >= 0) marks << QStringLiteral("решение: %1").arg(data_.SolutionLayer);
  if (data_.FarthestLayer >= 0) marks << QStringLiteral("дальняя: %1").arg(data_.FarthestLayer);
  p.drawText(bottom, Qt::AlignHCenter | Qt::AlignVCenter, marks.join(QStringLiteral(", ")));
}

} // namespace zrk
