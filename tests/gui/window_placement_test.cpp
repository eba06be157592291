// Where the window opens when its designed place would put it off the screen.
#include "app/window_placement.h"

#include "tests/gui/gui_test_fixture.h"

namespace tarnel::gui_test {

class WindowPlacementTest : public QObject {
  Q_OBJECT

 private slots:
  void place_keeps_frame_on_screen_data();
  void place_keeps_frame_on_screen();
};

void WindowPlacementTest::place_keeps_frame_on_screen_data() {
  QTest::addColumn<QSize>("frame");
  QTest::addColumn<QRect>("available");
  QTest::addColumn<QPoint>("place");

  const QSize window(520, 252);
  QTest::newRow("fits where designed") << window << QRect(0, 0, 1024, 768) << QPoint(97, 114);
  QTest::newRow("exactly fits") << window << QRect(0, 0, 617, 366) << QPoint(97, 114);
  QTest::newRow("one pixel too narrow") << window << QRect(0, 0, 616, 768) << QPoint(96, 114);
  QTest::newRow("too low") << window << QRect(0, 0, 1024, 300) << QPoint(97, 48);
  QTest::newRow("panel above, too low") << window << QRect(0, 30, 1024, 300) << QPoint(97, 78);
  QTest::newRow("panel at the left edge") << window << QRect(120, 0, 904, 768) << QPoint(120, 114);
  QTest::newRow("scaled twice on 1024x768: wider than the screen")
      << QSize(1038, 483) << QRect(0, 0, 1024, 768) << QPoint(0, 114);
  QTest::newRow("wider and taller than the screen")
      << QSize(1038, 800) << QRect(10, 20, 1014, 748) << QPoint(10, 20);
  QTest::newRow("second screen to the right")
      << window << QRect(1024, 0, 800, 600) << QPoint(1024, 114);
}

void WindowPlacementTest::place_keeps_frame_on_screen() {
  QFETCH(QSize, frame);
  QFETCH(QRect, available);
  QFETCH(QPoint, place);
  QCOMPARE(PlaceWithin(kDesignedWindowPlace, frame, available), place);
}

}  // namespace tarnel::gui_test

TARNEL_GUI_TEST_MAIN(tarnel::gui_test::WindowPlacementTest)
#include "window_placement_test.moc"
