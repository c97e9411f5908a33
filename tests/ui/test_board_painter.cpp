// The board painter and its geometry: the sizes derived from the cell size, the hit tests, and
// pixels of rendered boards in edit and play mode.

#include <QImage>
#include <QPainter>
#include <QtTest>

#include "../support/task_text.h"
#include "editor/board_geometry.h"
#include "ui/board_painter.h"

using namespace zrk;

namespace {

const QColor Background(240, 240, 240);

QImage Render(const TTask& task, const TBoardGeometry& g) {
  QImage image(g.W, g.H, QImage::Format_RGB32);
  image.fill(Qt::magenta); // anything the painter leaves untouched shows up
  QPainter p(&image);
  TBoardView view;
  view.Background = Background;
  DrawBoard(p, task, g, view);
  return image;
}

QColor At(const QImage& image, int x, int y) { return QColor(image.pixel(x, y)); }

// Centre pixel of board cell (x, y) in the main or the end view.
QPoint Centre(const TBoardGeometry& g, int x, int y, bool endView = false) {
  return {g.CellLeft(x, endView) + g.S / 2, g.CellTop(y) + g.S / 2};
}

} // namespace

class TestBoardPainter : public QObject {
  Q_OBJECT
 private slots:
  void geometryTable_data();
  void geometryTable();
  void endViewWidth();
  void cellUnderPointer();
  void wallUnderPointer();
  void editModePixels();
  void selectedFigureIsHatched();
  void playModeLeavesBoardInWindowColour();
  void endViewShowsEndPosition();
  void wallIsDrawnInWallColour();
  void gridOffKeepsOutlines();
};

void TestBoardPainter::geometryTable_data() {
  QTest::addColumn<int>("s");
  QTest::addColumn<int>("l");
  QTest::addColumn<int>("b");
  QTest::addColumn<int>("size");  // MW and H of a 10 x 10 board
  QTest::newRow("S=7") << 7 << 1 << 20 << 2 * 20 + 70 + 1;
  QTest::newRow("S=25") << 25 << 1 << 20 << 2 * 20 + 250 + 1;
  QTest::newRow("S=26") << 26 << 2 << 20 << 2 * 20 + 260 + 1;
  QTest::newRow("S=27") << 27 << 2 << 20 << 2 * 20 + 270 + 1;
  QTest::newRow("S=28") << 28 << 2 << 21 << 2 * 21 + 280 + 1;
  QTest::newRow("S=30") << 30 << 2 << 22 << 345;
  QTest::newRow("S=51") << 51 << 3 << 38 << 2 * 38 + 510 + 1;
  QTest::newRow("S=200") << 200 << 8 << 150 << 2 * 150 + 2000 + 1;
}

void TestBoardPainter::geometryTable() {
  QFETCH(int, s);
  QFETCH(int, l);
  QFETCH(int, b);
  QFETCH(int, size);
  const TBoardGeometry g = TBoardGeometry::Compute(s, 10, 10, false, 5);
  QCOMPARE(g.L, l);
  QCOMPARE(g.B, b);
  QCOMPARE(g.G0, b - l / 2);
  QCOMPARE(g.MW, size);
  QCOMPARE(g.H, size);
  QCOMPARE(g.W, size);
  QCOMPARE(g.Lh, (l + 1) / 2);
  QCOMPARE(g.Lg, l + (l + 1) / 2);
}

void TestBoardPainter::endViewWidth() {
  // S = 30: fifteen hundredths of 30 are exactly 4.5, truncated to 4; the band 9, arrowhead 2.
  const TBoardGeometry g = TBoardGeometry::Compute(30, 10, 10, true, 4);
  QCOMPARE(g.A1, 4);
  QCOMPARE(g.A2, 10);
  QCOMPARE(g.Band, 9);
  QCOMPARE(g.Aw, 2);
  QCOMPARE(g.Fi, 3);
  QCOMPARE(g.EX, 345 + 22);
  QCOMPARE(g.W, 367 + 120 + 30);
  // A narrow field still gets a 100-pixel view.
  QCOMPARE(TBoardGeometry::Compute(30, 10, 10, true, 2).W, 367 + 100 + 30);
  // No field cells: no end view even with EndPos on.
  QCOMPARE(TBoardGeometry::Compute(30, 10, 10, true, 0).W, 345);
  QCOMPARE(TBoardGeometry::Compute(30, 10, 10, false, 4).W, 345);
}

void TestBoardPainter::cellUnderPointer() {
  const TBoardGeometry g = TBoardGeometry::Compute(30, 10, 8, true, 4);
  struct Case { int px, py; bool found; int col, row; bool end; };
  const Case cases[] = {
      {22, 22, true, 0, 0, false},    {21, 22, false, 0, 0, false},  {51, 51, true, 0, 0, false},
      {52, 52, true, 1, 1, false},    {22 + 299, 22, true, 9, 0, false}, {22 + 300, 22, false, 10, 0, false},
      {22, 22 + 239, true, 0, 7, false}, {22, 22 + 240, false, 0, 8, false},
      {g.EX, 22, true, 0, 0, true},   {g.EX - 1, 22, false, 0, 0, true}, {g.EX + 95, 60, true, 3, 1, true},
  };
  for (const Case& c : cases) {
    const TCellHit hit = CellUnderPointer(g, c.px, c.py);
    QCOMPARE(hit.Found, c.found);
    QCOMPARE(hit.InEndView, c.end);
    if (c.found) {
      QCOMPARE(hit.Column, c.col);
      QCOMPARE(hit.Row, c.row);
    }
  }
}

void TestBoardPainter::wallUnderPointer() {
  TTask task;
  test::BuildTask(task, {{"AA..", "....", "...."}});
  const TBoardGeometry g = TBoardGeometry::ForTask(task);
  const int s = g.S, b = g.B;
  // Bottom edge of cell (2, 0): well inside the edge's middle third.
  TWallHit hit = WallUnderPointer(g, task, b + 2 * s + s / 2, b + s - 2);
  QVERIFY(hit.Allowed);
  QVERIFY(!hit.Vertical);
  QCOMPARE(int(hit.First), int(MakeCell(2, 0)));
  // Left edge of cell (3, 1): the wall is the right wall of its left neighbour.
  hit = WallUnderPointer(g, task, b + 3 * s + 2, b + s + s / 2);
  QVERIFY(hit.Allowed);
  QVERIFY(hit.Vertical);
  QCOMPARE(int(hit.First), int(MakeCell(2, 1)));
  // The same cell's centre is too far from every edge.
  QVERIFY(!WallUnderPointer(g, task, b + 3 * s + s / 2, b + s + s / 2 + 1).Allowed);
  // A corner is refused: the edge's outer quarter.
  QVERIFY(!WallUnderPointer(g, task, b + 2 * s + 1, b + s - 1).Allowed);
  // A wall may not cut figure A in two (between (0, 0) and (1, 0)).
  QVERIFY(!WallUnderPointer(g, task, b + s - 2, b + s / 2).Allowed);
  // Nor run along the field's outline: the top edge of row 0 has no field cell above.
  QVERIFY(!WallUnderPointer(g, task, b + 2 * s + s / 2, b + 2).Allowed);
}

void TestBoardPainter::editModePixels() {
  TTask task;
  test::BuildTask(task, {{"AA..", "....", "...."}});
  task.DimX = 8;
  task.DimY = 6;
  const TBoardGeometry g = TBoardGeometry::ForTask(task);
  const QImage im = Render(task, g);
  QCOMPARE(im.width(), g.W);
  QCOMPARE(At(im, 1, 1), Background);
  QCOMPARE(At(im, Centre(g, 3, 1).x(), Centre(g, 3, 1).y()), ToQColor(task.Field().Color));
  QCOMPARE(At(im, Centre(g, 0, 0).x(), Centre(g, 0, 0).y()), ToQColor(task.Figs[1].Color));
  // The grid between two empty field cells, centred on their shared edge.
  const int edgeX = g.B + 3 * g.S;
  QCOMPARE(At(im, edgeX, g.B + g.S + g.S / 2), ToQColor(task.GridColor));
  // The figure's outline below its cells, and the field's outline at its left.
  QCOMPARE(At(im, g.B + g.S / 2, g.B + g.S), QColor(Qt::black));
  QCOMPARE(At(im, g.B, g.B + 2 * g.S + g.S / 2), QColor(Qt::black));
  // No line inside the figure: its two cells are one shape.
  QCOMPARE(At(im, g.B + g.S, g.B + g.S / 2), ToQColor(task.Figs[1].Color));
  // Edit mode: the board off the field is white, crossed by the outer grid.
  const int offX = g.B + 6 * g.S + g.S / 2, offY = g.B + 5 * g.S + g.S / 2;
  QCOMPARE(At(im, offX, offY), QColor(Qt::white));
  QCOMPARE(At(im, g.G0 + 6 * g.S, offY), QColor(0xA0, 0xA0, 0xA0));
}

void TestBoardPainter::selectedFigureIsHatched() {
  TTask task;
  test::BuildTask(task, {{"A...", "...."}});
  task.Figs[1].Selected = 1;
  const TBoardGeometry g = TBoardGeometry::ForTask(task);
  const QImage im = Render(task, g);
  int black = 0, colour = 0;
  for (int y = g.B + g.L; y < g.B + g.S - g.L; ++y)
    for (int x = g.B + g.L; x < g.B + g.S - g.L; ++x) {
      const QColor c = At(im, x, y);
      if (c == QColor(Qt::black)) ++black;
      else if (c == ToQColor(task.Figs[1].Color)) ++colour;
    }
  QVERIFY2(black > 20, "the hatch draws black lines over the cell");
  QVERIFY2(colour > black, "the figure's colour shows between the hatch lines");
  // In play mode the selection is not shown.
  task.Options.Play = true;
  const QImage played = Render(task, g);
  QCOMPARE(At(played, g.B + g.S / 2, g.B + g.S / 2 + 1), ToQColor(task.Figs[1].Color));
}

void TestBoardPainter::playModeLeavesBoardInWindowColour() {
  TTask task;
  test::BuildTask(task, {{"A...", "...."}});
  task.DimX = 6;
  task.DimY = 4;
  task.Options.Play = true;
  const TBoardGeometry g = TBoardGeometry::ForTask(task);
  const QImage im = Render(task, g);
  const QPoint off = Centre(g, 5, 3);
  QCOMPARE(At(im, off.x(), off.y()), Background);
  QCOMPARE(At(im, g.G0 + 5 * g.S, off.y()), Background); // no outer grid either
  const QPoint field = Centre(g, 2, 1);
  QCOMPARE(At(im, field.x(), field.y()), ToQColor(task.Field().Color));
}

void TestBoardPainter::endViewShowsEndPosition() {
  TTask task;
  test::BuildTask(task, {{"  A..", "  ...", "  ..."}});
  // Figure A ends at the field's bottom-right corner: column 2, row 2 of the field.
  TFig& a = task.Figs[1];
  a.EndPos = int16_t(0x81 + (MakeCell(4, 2) - task.Field().Pos));
  task.BuildMaps(true, true);
  QCOMPARE(task.EndPosCount, 1);
  const TBoardGeometry g = TBoardGeometry::ForTask(task);
  QVERIFY(g.EndView);
  const QImage im = Render(task, g);
  // The end view lays the field with its left column at 0.
  const QPoint end = Centre(g, 2, 2, true);
  QCOMPARE(At(im, end.x(), end.y()), ToQColor(a.Color));
  const QPoint start = Centre(g, 0, 0, true);
  QCOMPARE(At(im, start.x(), start.y()), ToQColor(task.Field().Color));
  QCOMPARE(At(im, g.MW + 2, g.H - 2), Background);
  // Clicking there finds the figure in the end map.
  QCOMPARE(FigureUnderPointer(g, task, end.x(), end.y()), 1);
  QCOMPARE(FigureUnderPointer(g, task, start.x(), start.y()), 0);
}

void TestBoardPainter::wallIsDrawnInWallColour() {
  TTask task;
  test::BuildTask(task, {{"...", "..."}});
  task.StartMap[MakeCell(1, 0)] |= WallBelow;
  task.StartMap[MakeCell(0, 1)] |= WallOnTheRight;
  task.RebuildFigs(false);
  QCOMPARE(task.FlaggedCells, 2);
  const TBoardGeometry g = TBoardGeometry::ForTask(task);
  const QImage im = Render(task, g);
  const QColor wall = ToQColor(task.WallColor);
  QCOMPARE(At(im, g.B + g.S + g.S / 2, g.B + g.S), wall);
  QCOMPARE(At(im, g.B + g.S, g.B + g.S + g.S / 2), wall);
  // A wall is thicker than a grid line: Lh above and Lg below the edge.
  QCOMPARE(At(im, g.B + g.S + g.S / 2, g.B + g.S - g.L / 2 - g.Lh), wall);
  // Where there is no wall, the grid.
  QCOMPARE(At(im, g.B + 2 * g.S + g.S / 2, g.B + g.S), ToQColor(task.GridColor));
}

void TestBoardPainter::gridOffKeepsOutlines() {
  TTask task;
  test::BuildTask(task, {{"A..", "..."}});
  task.Options.GridF = false;
  const TBoardGeometry g = TBoardGeometry::ForTask(task);
  const QImage im = Render(task, g);
  QCOMPARE(At(im, g.B + 2 * g.S, g.B + g.S + g.S / 2), ToQColor(task.Field().Color));
  QCOMPARE(At(im, g.B + g.S, g.B + g.S / 2), QColor(Qt::black));       // the figure's outline
  QCOMPARE(At(im, g.B + 3 * g.S, g.B + g.S + g.S / 2), QColor(Qt::black)); // the field's outline
}

QTEST_MAIN(TestBoardPainter)
#include "test_board_painter.moc"
