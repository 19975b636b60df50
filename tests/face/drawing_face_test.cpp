#include <QFontDatabase>
#include <QFontInfo>
#include <QImage>
#include <QPointer>
#include <QWidget>

#include <gtest/gtest.h>

#include "face_support.h"
#include "veltutil/platform/host/drawing/dc.h"
#include "veltutil/platform/host/drawing/system_colors.h"
#include "veltutil/platform/host/windows/dialog.h"

namespace {

using velttest::WidgetOf;

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kGreen = RGB(0, 160, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);

// Paints a red background, a blue-outlined green box, a blue line and white-on-black text.
class PaintingWindow : public CWnd {
public:
    int paints = 0;
    CSize textExtent;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message != WM_PAINT) return CWnd::WindowProc(message, wParam, lParam);
        ++paints;
        CPaintDC dc(this);
        CBrush background(kRed);
        CRect all(0, 0, 200, 100);
        dc.FillRect(&all, &background);
        CPen pen(PS_SOLID, 1, kBlue);
        CBrush fill(kGreen);
        dc.SelectObject(&pen);
        dc.SelectObject(&fill);
        dc.Rectangle(10, 10, 50, 40);
        dc.MoveTo(100, 5);
        dc.LineTo(100, 60);
        dc.SetTextColor(RGB(255, 255, 255));
        dc.SetBkColor(RGB(0, 0, 0));
        CRect textRect(120, 60, 200, 100);
        dc.DrawText("WWWW", &textRect, DT_SINGLELINE);
        textExtent = dc.GetTextExtent("WWWW");
        return 0;
    }
};

QColor pixel(const QImage& image, int x, int y) { return image.pixelColor(x, y); }

TEST(QtFaceDrawing, APaintedWindowShowsWhatItDrewThroughItsDeviceContext) {
    PaintingWindow window;
    ASSERT_TRUE(window.Create("Paint", WS_CAPTION | WS_VISIBLE, CRect(0, 0, 200, 100), nullptr));
    QImage shot = WidgetOf(window)->grab().toImage();
    ASSERT_GE(window.paints, 1);
    EXPECT_EQ(pixel(shot, 5, 5), QColor(255, 0, 0));
    EXPECT_EQ(pixel(shot, 30, 25), QColor(0, 160, 0));
    // The outline runs inside the rectangle: its left and top edges, and the pixel before the
    // right and bottom ones; the right edge itself stays outside.
    EXPECT_EQ(pixel(shot, 10, 25), QColor(0, 0, 255));
    EXPECT_EQ(pixel(shot, 30, 10), QColor(0, 0, 255));
    EXPECT_EQ(pixel(shot, 49, 25), QColor(0, 0, 255));
    EXPECT_EQ(pixel(shot, 50, 25), QColor(255, 0, 0));
    EXPECT_EQ(pixel(shot, 100, 30), QColor(0, 0, 255));
    // Opaque text: black behind the characters, white in them, red past their extent.
    EXPECT_EQ(pixel(shot, 121, 61), QColor(0, 0, 0));
    bool white = false;
    for (int x = 120; x < 120 + window.textExtent.cx; ++x) white = white || pixel(shot, x, 68) == QColor(255, 255, 255);
    EXPECT_TRUE(white);
    EXPECT_EQ(pixel(shot, 121 + static_cast<int>(window.textExtent.cx), 61), QColor(255, 0, 0));

    // Painting outside the screen's paint event draws nothing and still validates.
    int before = window.paints;
    window.Invalidate();
    window.UpdateWindow();
    EXPECT_EQ(window.paints, before + 1);
    EXPECT_FALSE(window.GetUpdateRect(nullptr));
}

TEST(QtFaceDrawing, TextIsMeasuredFromTheRealFont) {
    CDC dc;
    CSize wide = dc.GetTextExtent("WWWWWWWW");
    CSize narrow = dc.GetTextExtent("iiiiiiii");
    // Headless both would be eight cells of 8 pixels.
    EXPECT_GT(wide.cx, narrow.cx);
    EXPECT_GT(wide.cy, 0);
    CSize twoLines = dc.GetTextExtent("WWWWWWWW\nW");
    EXPECT_EQ(twoLines.cx, wide.cx);
    EXPECT_GT(twoLines.cy, wide.cy);
    EXPECT_GT(dc.GetTextExtent("命令行").cx, 0);
}

TEST(QtFaceDrawing, DialogUnitsComeFromTheTemplatesFontAndAMissingFontFallsBack) {
    DialogTemplate small{"Small", "Noto Sans", 8, WS_CAPTION, 0, 0, 100, 50, {}};
    DialogTemplate large = small;
    large.pointSize = 16;
    DialogTemplate missing = small;
    missing.fontName = "No Such Face 42";
    missing.caption = "命令行";

    CDialog smallDialog;
    CDialog largeDialog;
    CDialog missingDialog;
    ASSERT_TRUE(smallDialog.CreateIndirect(small));
    ASSERT_TRUE(largeDialog.CreateIndirect(large));
    ASSERT_TRUE(missingDialog.CreateIndirect(missing));
    CRect smallRect;
    CRect largeRect;
    smallDialog.GetClientRect(&smallRect);
    largeDialog.GetClientRect(&largeRect);
    EXPECT_GT(largeRect.Width(), smallRect.Width() * 3 / 2);
    EXPECT_GT(largeRect.Height(), smallRect.Height() * 3 / 2);

    QWidget* widget = WidgetOf(missingDialog);
    ASSERT_NE(widget, nullptr);
    QString family = QFontInfo(widget->font()).family();
    EXPECT_NE(family, "No Such Face 42");
    EXPECT_TRUE(QFontDatabase::hasFamily(family)) << family.toStdString();
    // The template's size: 8 points at 96 pixels per inch.
    EXPECT_EQ(widget->font().pixelSize(), 10);
    EXPECT_EQ(widget->windowTitle(), QString::fromUtf8("命令行"));
}

// Destroys itself the first time it paints.
class SelfDestroyingWindow : public CWnd {
public:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message != WM_PAINT) return CWnd::WindowProc(message, wParam, lParam);
        CPaintDC dc(this);
        DestroyWindow();
        return 0;
    }
};

TEST(QtFaceDrawing, AWindowThatGoesWhileItPaintsLeavesItsWidgetToQt) {
    SelfDestroyingWindow window;
    ASSERT_TRUE(window.Create("Gone", WS_CAPTION | WS_VISIBLE, CRect(0, 0, 50, 50), nullptr));
    QPointer<QWidget> widget = WidgetOf(window);
    ASSERT_FALSE(widget.isNull());
    widget->grab();
    EXPECT_EQ(window.GetSafeHwnd(), nullptr);
    velttest::PumpPosted();
    EXPECT_TRUE(widget.isNull());
}

}  // namespace
