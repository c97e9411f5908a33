#pragma once
// TLayerChart: a bar chart of the positions per layer of a solve, beside the distribution list.
// Every pixel column shows the largest layer it covers, so ten thousand layers cost no more than a
// few hundred bars; the scale turns logarithmic when the counts span more than three decades. The
// solution layer and the farthest layer are marked, the layer still growing is drawn lighter.

#include <cstdint>
#include <vector>

#include <QWidget>

namespace zrk {

class TLayerChart : public QWidget {
  Q_OBJECT
 public:
  explicit TLayerChart(QWidget* parent = nullptr);

  struct TData {
    std::vector<uint32_t> Counts; // layers 0..L
    int SolutionLayer = -1;       // -1: none
    int FarthestLayer = -1;       // -1: not known (a search not run to its end)
    bool LastGrowing = false;     // the last layer is still being built
  };
  void SetData(TData data);
  const TData& Data() const { return data_; }

  // One bar per pixel column: the layers it covers and the largest count among them.
  struct TColumn {
    int FirstLayer = 0, LastLayer = 0;
    uint32_t Count = 0;
    bool Solution = false, Farthest = false, Growing = false;
  };
  // The bars for a plot width of `width` pixels: a layer per bar when they fit, else a bar per pixel.
  static std::vector<TColumn> Columns(const TData& data, int width);
  // Logarithmic when the largest count exceeds the smallest non-zero one a thousandfold.
  static bool LogScale(const std::vector<uint32_t>& counts);
  // The bar height in pixels for a count on a plot of `height` pixels.
  static int BarHeight(uint32_t count, uint32_t largest, bool log, int height);

  QSize sizeHint() const override { return {320, 240}; }
  QSize minimumSizeHint() const override { return {120, 80}; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  TData data_;
};

} // namespace zrk
