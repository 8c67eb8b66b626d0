// The painting half of the main window: picture decoding, fonts, frame strips, and what a paint puts where.
#include "forms/win32/painter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "forms/controls.h"
#include "forms/win32/fonts.h"
#include "forms/win32/handles.h"
#include "forms/win32/layout.h"
#include "forms/win32/picture.h"
#include "forms/win32/win32.h"
#include "resources/resource_ids.h"
#include "tests/wine/decoded_picture.h"
#include "tests/wine/wine_test_support.h"

namespace zantiro::wine_tests {
namespace {

using namespace forms::win32;
using forms::Colour;
using forms::rgb;

constexpr int kDpi = 96;  // painting is given its DPI; these tests do not depend on the prefix's
const forms::Font kDigits{"宋体", 72, 700, 134};

// The picture as the program loads it.
Picture background() {
    return Picture::load(IDR_BACKGROUND);
}

// The exe holds the sky decoded, so start-up needs no imaging component: it must stay the JPEG as that decodes it.
TEST(Picture, TheEmbeddedBitmapIsTheSkyJpegAsTheImagingComponentDecodesIt) {
    const Picture embedded = background();
    const auto jpeg = readFile(hostPath(std::string(ZANTIRO_RESOURCES_DIR) + "/background.jpg"));
    ASSERT_TRUE(jpeg.has_value());
    const Picture decoded = decodePicture(*jpeg);
    ASSERT_TRUE(embedded.decoded());
    ASSERT_TRUE(decoded.decoded());
    EXPECT_EQ(embedded.size().cx, 399);
    EXPECT_EQ(embedded.size().cy, 176);
    ASSERT_EQ(embedded.size().cx, decoded.size().cx);
    ASSERT_EQ(embedded.size().cy, decoded.size().cy);
    MemoryCanvas mine;
    mine.select(embedded.bitmap());
    MemoryCanvas theirs;
    theirs.select(decoded.bitmap());
    int largest = 0;
    for (int y = 0; y < embedded.size().cy; ++y) {
        for (int x = 0; x < embedded.size().cx; ++x) {
            const COLORREF a = GetPixel(mine.dc(), x, y);
            const COLORREF b = GetPixel(theirs.dc(), x, y);
            largest = std::max({largest, std::abs(GetRValue(a) - GetRValue(b)), std::abs(GetGValue(a) - GetGValue(b)),
                                std::abs(GetBValue(a) - GetBValue(b))});
        }
    }
    EXPECT_LE(largest, 1) << "the largest difference in a channel";
}

// The design gives the picture's size at 96 dpi (5985 x 2640 twips), so it grows with the DPI (598.5 pixels across
// at 144 dpi round up); what it shows stays where it was.
TEST(Picture, IsScaledToItsSizeInTwips) {
    const Picture original = background();
    const Picture same = original.atDpi(96);  // the same pixels, without the imaging component
    ASSERT_TRUE(same.decoded());
    EXPECT_EQ(same.size().cx, 399);
    const Picture scaled = original.atDpi(144);
    ASSERT_TRUE(scaled.decoded());
    EXPECT_EQ(scaled.size().cx, 599);
    EXPECT_EQ(scaled.size().cy, 264);
    MemoryCanvas was;
    was.select(original.bitmap());
    MemoryCanvas now;
    now.select(scaled.bitmap());
    // Open sky, the middle of a cloud, and the cloud along the bottom edge.
    for (const POINT at : {POINT{200, 12}, POINT{332, 74}, POINT{40, 172}}) {
        const COLORREF before = GetPixel(was.dc(), at.x, at.y);
        const COLORREF after = GetPixel(now.dc(), at.x * 3 / 2, at.y * 3 / 2);
        EXPECT_NEAR(GetRValue(after), GetRValue(before), 16) << at.x << "," << at.y;
        EXPECT_NEAR(GetGValue(after), GetGValue(before), 16) << at.x << "," << at.y;
        EXPECT_NEAR(GetBValue(after), GetBValue(before), 16) << at.x << "," << at.y;
    }
}

TEST(Picture, BytesThatAreNoImageGiveNoPicture) {
    const std::vector<std::uint8_t> garbage(600, 0x5A);
    EXPECT_FALSE(decodePicture(garbage).decoded());
    EXPECT_FALSE(decodePicture({}).decoded());
    EXPECT_FALSE(Picture::load(9999).decoded());
    EXPECT_FALSE(Picture::load(IDI_ZANTIRO).decoded()) << "an icon is no bitmap";
}

TEST(Fonts, HeightRoundsFractionalPointsInsteadOfTruncating) {
    EXPECT_EQ(fontHeight(10.5f, 96), -14);
    EXPECT_EQ(fontHeight(10.5f, 120), -18);  // 17.5 pixels: MulDiv(10, 120, 72) would give 17
    EXPECT_EQ(fontHeight(10.5f, 144), -21);
    EXPECT_EQ(fontHeight(72, 96), -96);
}

TEST(Fonts, CreatedWithTheDesignsFaceWeightAndCharset) {
    const UniqueFont font = createFont(kDigits, 144);
    LOGFONTW log{};
    ASSERT_EQ(GetObjectW(font.get(), sizeof(log), &log), static_cast<int>(sizeof(log)));
    EXPECT_EQ(log.lfHeight, -144);
    EXPECT_EQ(log.lfWeight, 700);
    EXPECT_EQ(log.lfCharSet, 134);
    EXPECT_STREQ(log.lfFaceName, L"宋体");
}

TEST(BorderStrips, CoverTheEdgesInsideTheRectangleAndLeaveTheInterior) {
    const RECT frame{2, 2, 259, 99};
    UniqueRegion covered(CreateRectRgn(0, 0, 0, 0));
    int area = 0;
    for (const RECT& strip : borderStrips(frame, 5)) {
        UniqueRegion part(CreateRectRgnIndirect(&strip));
        CombineRgn(covered.get(), covered.get(), part.get(), RGN_OR);
        area += (strip.right - strip.left) * (strip.bottom - strip.top);
    }
    EXPECT_EQ(area, 257 * 97 - 247 * 87) << "the strips overlap or leave gaps";
    EXPECT_TRUE(PtInRegion(covered.get(), 2, 2));
    EXPECT_TRUE(PtInRegion(covered.get(), 6, 50));
    EXPECT_FALSE(PtInRegion(covered.get(), 7, 50));
    EXPECT_TRUE(PtInRegion(covered.get(), 258, 98));
    EXPECT_FALSE(PtInRegion(covered.get(), 259, 99)) << "right and bottom edges are exclusive";
}

TEST(BorderStrips, ABorderThickerThanHalfTheShapeFillsItOnce) {
    int area = 0;
    for (const RECT& strip : borderStrips(RECT{0, 0, 10, 5}, 9)) {
        area += std::max(0L, strip.right - strip.left) * std::max(0L, strip.bottom - strip.top);
    }
    EXPECT_EQ(area, 50);
}

TEST(Colours, SystemColoursAreLookedUpAndPackedRgbPassesThrough) {
    EXPECT_EQ(colorRef(forms::kButtonTextColour), GetSysColor(COLOR_BTNTEXT));
    EXPECT_EQ(colorRef(forms::kWindowTextColour), GetSysColor(COLOR_WINDOWTEXT));
    EXPECT_EQ(colorRef(rgb(1, 2, 3)), RGB(1, 2, 3));
}

// A small window design: a frame, a line, a shown and a hidden digit label.
class PainterScene : public ::testing::Test {
protected:
    static constexpr COLORREF kFrame = RGB(0, 200, 0);
    static constexpr COLORREF kLine = RGB(255, 0, 255);
    static constexpr COLORREF kDigitsColour = RGB(255, 0, 0);
    static constexpr COLORREF kHiddenColour = RGB(0, 0, 255);

    PainterScene() {
        shown.setForeColour(rgb(255, 0, 0));
        hidden.setForeColour(rgb(0, 0, 255));
        shown.setMeasuredSize(1470, 1815);
        hidden.setMeasuredSize(1470, 1815);
    }
    Scene scene() { return Scene{shapes, lines, labels, fonts, kDpi}; }

    forms::Shape frame{
        "Shape1",
        {.left = 25, .top = 25, .width = 3850, .height = 1455, .borderWidth = 5, .borderColour = rgb(0, 200, 0)}};
    forms::Line line{"Line1", {.x1 = 0, .y1 = 2040, .x2 = 6120, .y2 = 2040, .colour = rgb(255, 0, 255)}};
    forms::Label shown{"Label3", {"00", 120, 0, 0, 0, &kDigits, true, 0}};
    forms::Label hidden{"Label1", {"00", 2280, 0, 0, 0, &kDigits, false, 0}};
    std::array<forms::Shape*, 1> shapes{&frame};
    std::array<forms::Line*, 1> lines{&line};
    std::array<forms::Label*, 2> labels{&shown, &hidden};
    FontCache fonts{kDpi};
};

TEST_F(PainterScene, DrawsPictureFrameLineAndOnlyVisibleLabels) {
    const Picture reference = background();  // a bitmap is selected into one DC at a time
    MemoryCanvas original;
    original.select(reference.bitmap());
    Painter painter;
    painter.setPicture(background());
    painter.resize(SIZE{450, 163});
    Surface target(450, 163);
    painter.paint(target.dc(), nullptr, scene());

    EXPECT_EQ(target.at(180, 50), GetPixel(original.dc(), 180, 50)) << "the frame's interior shows the picture";
    EXPECT_EQ(target.at(1, 1), GetPixel(original.dc(), 1, 1)) << "outside the frame";
    EXPECT_EQ(target.at(2, 2), kFrame);
    EXPECT_EQ(target.at(6, 60), kFrame);
    EXPECT_EQ(target.at(7, 60), GetPixel(original.dc(), 7, 60)) << "the border is 5 pixels, inside the shape";
    EXPECT_EQ(target.at(200, 136), kLine);
    EXPECT_EQ(target.at(420, 140), GetPixel(original.dc(), 377, 140)) << "beyond the picture's 399 columns, mirrored";
    EXPECT_GT(target.count(pixelRect(shown, kDpi), kDigitsColour), 500);
    EXPECT_EQ(target.count(pixelRect(hidden, kDpi), kHiddenColour), 0);
}

TEST_F(PainterScene, PaintTouchesOnlyTheDirtyRegionAndKeepsTheRest) {
    Painter painter;
    painter.setPicture(background());
    painter.resize(SIZE{261, 163});
    Surface target(261, 163);
    painter.paint(target.dc(), nullptr, scene());
    const RECT digits = pixelRect(shown, kDpi);
    ASSERT_GT(target.count(digits, kDigitsColour), 500);

    PatBlt(target.dc(), 0, 0, 261, 163, BLACKNESS);
    shown.setForeColour(rgb(0, 0, 255));
    UniqueRegion corner(CreateRectRgn(0, 140, 20, 163));
    painter.paint(target.dc(), corner.get(), scene());
    EXPECT_NE(target.at(10, 150), RGB(0, 0, 0));
    EXPECT_EQ(target.count(digits, RGB(0, 0, 0)), (digits.right - digits.left) * (digits.bottom - digits.top))
        << "the digits lie outside the dirty region, so they must not be copied";

    // The digits and a far corner dirty at once (the seconds and the clock in one tick): only those two are
    // copied, not the box around both.
    PatBlt(target.dc(), 0, 0, 261, 163, BLACKNESS);
    UniqueRegion both(CreateRectRgnIndirect(&digits));
    CombineRgn(both.get(), both.get(), corner.get(), RGN_OR);
    const long area = (digits.right - digits.left) * (digits.bottom - digits.top) + 20 * 23;
    EXPECT_EQ(painter.paint(target.dc(), both.get(), scene()), area);
    EXPECT_GT(target.count(digits, kHiddenColour), 500) << "the label repainted in its new colour";
    EXPECT_EQ(target.count(digits, kDigitsColour), 0);
    EXPECT_NE(target.at(10, 150), RGB(0, 0, 0));
    EXPECT_EQ(target.at(10, digits.bottom + 5), RGB(0, 0, 0)) << "between the two rectangles";
}

TEST_F(PainterScene, FillsLightBlueWhereThePictureDidNotDecode) {
    const std::vector<std::uint8_t> garbage(64, 1);
    Painter painter;
    painter.setPicture(decodePicture(garbage));
    painter.resize(SIZE{261, 163});
    Surface target(261, 163);
    painter.paint(target.dc(), nullptr, scene());
    EXPECT_EQ(target.at(180, 50), kNoPictureFill);
    EXPECT_EQ(target.at(2, 2), kFrame);
}

}  // namespace
}  // namespace zantiro::wine_tests
