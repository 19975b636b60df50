// A person's view of a page: headless Chromium draws the page the module wrote, and the
// screenshot's pixels must show each trace in its colour where its data put it.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <numbers>
#include <sstream>
#include <string>
#include <vector>

#include "plot_fixture.h"
#include "svgplotter/graph_view.h"
#include "svgplotter/html_writer.h"

namespace {

constexpr int kShotWidth = 1000;
constexpr int kShotHeight = 1000;

struct Rgb {
    int r, g, b;
};

// A binary PPM (P6, maxval 255), as pngtopnm writes it.
struct Image {
    int width = 0, height = 0;
    std::vector<unsigned char> bytes;

    bool Read(const std::string& file) {
        std::ifstream in(file, std::ios::binary);
        std::string magic;
        int maxval = 0;
        in >> magic >> width >> height >> maxval;
        in.get();
        if (magic != "P6" || maxval != 255 || width <= 0 || height <= 0) return false;
        bytes.resize(static_cast<std::size_t>(width) * height * 3);
        return static_cast<bool>(in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size())));
    }
    Rgb At(int x, int y) const {
        std::size_t i = (static_cast<std::size_t>(y) * width + x) * 3;
        return {bytes[i], bytes[i + 1], bytes[i + 2]};
    }
    // Whether a pixel within `radius` of (x, y) passes `test`.
    template <class Test>
    bool Near(double x, double y, int radius, Test test) const {
        int cx = static_cast<int>(std::lround(x)), cy = static_cast<int>(std::lround(y));
        for (int py = cy - radius; py <= cy + radius; ++py)
            for (int px = cx - radius; px <= cx + radius; ++px)
                if (px >= 0 && py >= 0 && px < width && py < height && test(At(px, py))) return true;
        return false;
    }
};

bool isRed(Rgb c) { return c.r > 170 && c.g < 110 && c.b < 110; }
bool isBlue(Rgb c) { return c.b > 170 && c.r < 110 && c.g < 110; }
bool isDark(Rgb c) { return c.r < 90 && c.g < 90 && c.b < 90; }

bool have(const char* tool) { return std::system(("command -v " + std::string(tool) + " >/dev/null 2>&1").c_str()) == 0; }

double attribute(const std::string& text, std::size_t from, const std::string& name) {
    std::size_t at = text.find(name + "=\"", from);
    return at == std::string::npos ? NAN : std::atof(text.c_str() + at + name.size() + 2);
}

double sine(double x) { return std::sin(2 * std::numbers::pi * 3 * x); }
double square(double x) { return std::fmod(x, 0.5) < 0.25 ? 10 : 0; }

using Browser = PlotFixture;

}  // namespace

TEST_F(Browser, ShowsEachTraceInItsColourWhereItsDataSays) {
    if (!have("chromium")) GTEST_SKIP() << "chromium (Debian package chromium) is not installed";
    if (!have("pngtopnm")) GTEST_SKIP() << "pngtopnm (Debian package netpbm) is not installed";

    // A sine on the left axis and a square wave on the right one, over fixed ranges.
    CGraphPage* page = nullptr;
    CGraph* graph = NewGraph(2, &page);
    ASSERT_EQ(grapher.SetPageTitle(page, "Browser check"), S_OK);
    ASSERT_EQ(grapher.SetGraphTitle(graph, "Sine and square"), S_OK);
    ASSERT_EQ(grapher.SetTraceLabel(graph, 0, "sine"), S_OK);
    ASSERT_EQ(grapher.SetTraceLabel(graph, 1, "square"), S_OK);
    ASSERT_EQ(grapher.SetTracePen(graph, 0, 0, 0x0000ff), S_OK);
    ASSERT_EQ(grapher.SetTracePen(graph, 1, 0, 0xff0000), S_OK);
    ASSERT_EQ(grapher.SetTraceAxis(graph, 1, AXIS_POSITION_0, AXIS_POSITION_1), S_OK);
    ASSERT_EQ(grapher.SetAxisRange(graph, AXIS_POSITION_0, 0, 1), S_OK);
    ASSERT_EQ(grapher.SetAxisRange(graph, AXIS_POSITION_3, -1.5, 1.5), S_OK);
    ASSERT_EQ(grapher.SetAxisRange(graph, AXIS_POSITION_1, -2, 12), S_OK);
    ASSERT_EQ(grapher.SetAxisLabel(graph, AXIS_POSITION_0, "Time (s)"), S_OK);
    for (int i = 0; i <= 1000; ++i) {
        double x = i / 1000.0;
        ASSERT_EQ(Add(graph, {x, sine(x), square(x)}), S_OK);
    }
    CChart* chart = nullptr;
    ASSERT_EQ(grapher.CreateChart(page, 2, &chart), S_OK);
    ASSERT_EQ(grapher.SetChartTitle(chart, "Measurements"), S_OK);
    ASSERT_EQ(grapher.AddColumn(chart, "Trace", 100, ChartType{3}), S_OK);
    ASSERT_EQ(grapher.AddColumn(chart, "Mean", 100, ChartType{2}), S_OK);
    ASSERT_EQ(grapher.SetColumnPrecision(chart, 1, 3), S_OK);
    for (int row = 0; row < 2; ++row) {
        ASSERT_EQ(grapher.AddRow(chart), S_OK);
        ASSERT_EQ(grapher.SetRowItemText(chart, row, 0, row == 0 ? "sine" : "square"), S_OK);
        ASSERT_EQ(grapher.SetRowItemDouble(chart, row, 1, row == 0 ? 0.0 : 5.0), S_OK);
    }
    ASSERT_EQ(grapher.UpdateDisplay(graph), S_OK);

    // The plot rectangle, from the picture's clipping rectangle.
    std::string svg = ReadFile(Out("page1-graph2.svg"));
    std::size_t clip = svg.find("<clipPath");
    ASSERT_NE(clip, std::string::npos);
    double left = svgplotter::kBlockMargin + attribute(svg, clip, "x");
    double top = svgplotter::kPageHeaderHeight + svgplotter::kBlockMargin + attribute(svg, clip, "y");
    double width = attribute(svg, clip, "width"), height = attribute(svg, clip, "height");
    auto column = [&](double x) { return left + x * width; };
    auto onLeftAxis = [&](double y) { return top + height - (y + 1.5) / 3 * height; };
    auto onRightAxis = [&](double y) { return top + height - (y + 2) / 14 * height; };

    std::string shot = dir / "shot.png", pixels = dir / "shot.ppm";
    std::ostringstream command;
    command << "timeout 120 chromium --headless --no-sandbox --disable-gpu --disable-quic --no-first-run"
            << " --disable-background-networking --disable-component-update --disable-sync --hide-scrollbars"
            << " --force-device-scale-factor=1 --user-data-dir='" << (dir / "profile") << "'"
            << " --window-size=" << kShotWidth << "," << kShotHeight << " --screenshot='" << shot << "'"
            << " 'file://" << Out("page1.html") << "' >'" << (dir / "chromium.log") << "' 2>&1"
            << " && pngtopnm '" << shot << "' >'" << pixels << "'";
    ASSERT_EQ(std::system(command.str().c_str()), 0) << ReadFile(dir / "chromium.log");
    Image image;
    ASSERT_TRUE(image.Read(pixels));
    // A failed check leaves the picture for a person to look at.
    auto keepShot = [&] {
        if (HasFailure()) std::filesystem::copy_file(shot, VELT_TEST_BINARY_DIR "/svgplotter-browser-test.png",
                                                     std::filesystem::copy_options::overwrite_existing);
    };
    ASSERT_EQ(image.width, kShotWidth);

    // Not blank: the frame, the texts and the traces leave a good share of dark pixels.
    std::size_t dark = 0;
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x) dark += isDark(image.At(x, y)) ? 1 : 0;
    EXPECT_GT(dark, 2000u);

    for (int k = 1; k < 50; ++k) {
        double x = k / 50.0;
        if (std::fabs(std::fmod(x, 0.25)) < 0.015 || std::fabs(std::fmod(x, 0.25) - 0.25) < 0.015) continue;
        SCOPED_TRACE("x = " + std::to_string(x));
        EXPECT_TRUE(image.Near(column(x), onLeftAxis(sine(x)), 3, isRed));
        EXPECT_TRUE(image.Near(column(x), onRightAxis(square(x)), 3, isBlue));
        // ...and not mirrored: nothing of either trace where the data are not.
        if (std::fabs(sine(x)) > 0.3) {
            EXPECT_FALSE(image.Near(column(x), onLeftAxis(-sine(x)), 3, isRed));
        }
        EXPECT_FALSE(image.Near(column(x), onRightAxis(10 - square(x)), 3, isBlue));
    }

    // The table follows the graph: its texts darken the band below it.
    int tableTop = svgplotter::kPageHeaderHeight + 2 * svgplotter::kBlockMargin + svgplotter::kGraphHeight;
    std::size_t tableInk = 0;
    for (int y = tableTop; y < tableTop + 120 && y < image.height; ++y)
        for (int x = 0; x < 400; ++x) tableInk += isDark(image.At(x, y)) ? 1 : 0;
    EXPECT_GT(tableInk, 200u);
    keepShot();
}
