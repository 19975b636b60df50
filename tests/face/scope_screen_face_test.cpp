// An oscilloscope's screen as the face shows it: the pixels where the traces, the graticule and
// the trigger marker are drawn have their colours, and the black between them stays black.
#include <QImage>
#include <QWidget>

#include <gtest/gtest.h>

#include "face_support.h"
#include "scope_screen.h"

namespace {

QColor colourOf(COLORREF color) { return QColor(GetRValue(color), GetGValue(color), GetBValue(color)); }

}  // namespace

TEST(QtFaceScopeScreen, TheScreenShowsItsTracesGraticuleAndMarker) {
    veltsim::ScopeScreen screen;
    ASSERT_TRUE(screen.Create("Screen", WS_POPUP | WS_VISIBLE, CRect(0, 0, 400, 300 + veltsim::ScopeScreen::kStripHeight), nullptr));
    veltsim::ScreenView view;
    // A falls as a straight line over the sweep, B stays at -2 V: both away from the marker.
    for (int i = 0; i <= 400; ++i) view.sweep.points.push_back({i * 1e-3 / 400, 3.0 - 6.0 * i / 400, -2.0});
    view.wired[0] = view.wired[1] = true;
    view.level = 1.6;
    screen.SetView(view);
    QWidget* widget = velttest::WidgetOf(screen);
    ASSERT_NE(widget, nullptr);
    const QImage shot = widget->grab().toImage();
    const QColor a = colourOf(veltsim::ScopeScreen::kTraceColor[0]);
    const QColor b = colourOf(veltsim::ScopeScreen::kTraceColor[1]);
    // A at 0 V in the middle of the sweep, B a quarter of the height below the middle line.
    EXPECT_EQ(shot.pixelColor(200, 150), a);
    EXPECT_EQ(shot.pixelColor(100, 225), b);
    EXPECT_EQ(shot.pixelColor(300, 225), b);
    // Grid lines where no trace crosses them; black inside a division.
    EXPECT_EQ(shot.pixelColor(0, 60), colourOf(veltsim::ScopeScreen::kGridColor));
    EXPECT_EQ(shot.pixelColor(320, 37), colourOf(veltsim::ScopeScreen::kGridColor));
    EXPECT_EQ(shot.pixelColor(330, 60), QColor(0, 0, 0));
    // The marker at 1.6 V on A's scale: 1.6 divisions above the middle line.
    EXPECT_EQ(shot.pixelColor(4, 90), colourOf(veltsim::ScopeScreen::kMarkerColor));
}
