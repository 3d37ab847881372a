#include "tests/support/Canvas.h"

#include <set>

namespace {

// The colours inside a glyph's square, as a set.
std::set<COLORREF> Colours(const CCanvas& canvas, RECT r) {
    std::set<COLORREF> colours;
    for (int y = r.top; y < r.bottom; ++y) {
        for (int x = r.left; x < r.right; ++x) {
            colours.insert(canvas.At(x, y));
        }
    }
    return colours;
}

std::vector<std::string> Draw(UINT kind, UINT state, int width = 13, int height = 13) {
    CCanvas canvas(width + 4, height + 4, kGreen);
    RECT r{2, 2, 2 + width, 2 + height};
    EXPECT_TRUE(DrawFrameControl(canvas.Dc(), &r, DFC_BUTTON, kind | state));
    std::map<char, COLORREF> key = BasicKey();
    std::vector<std::string> rows;
    for (int y = 0; y < canvas.Height(); ++y) {
        std::string row;
        for (int x = 0; x < canvas.Width(); ++x) {
            row += canvas.At(x, y) == kGreen ? 'g' : canvas.At(x, y) == kWhite ? '.' : 'x';
        }
        rows.push_back(row);
    }
    return rows;
}

TEST(FrameControl, CheckBoxIsA13PixelSquareWithATickWhenChecked) {
    const auto unchecked = Draw(DFCS_BUTTONCHECK, DFCS_TRANSPARENT);
    EXPECT_EQ(unchecked[0], std::string(17, 'g'));
    EXPECT_EQ(unchecked[2], "gg" + std::string(13, 'x') + "gg");
    EXPECT_EQ(unchecked[8], "ggx" + std::string(11, '.') + "xgg");
    EXPECT_EQ(unchecked[14], "gg" + std::string(13, 'x') + "gg");
    EXPECT_EQ(unchecked[15], std::string(17, 'g'));
    const auto checked = Draw(DFCS_BUTTONCHECK, DFCS_TRANSPARENT | DFCS_CHECKED);
    int tick = 0;
    for (int y = 3; y < 14; ++y) {
        for (int x = 3; x < 14; ++x) {
            tick += checked[std::size_t(y)][std::size_t(x)] == 'x';
        }
    }
    EXPECT_GT(tick, 10);
    EXPECT_EQ(checked[2], unchecked[2]); // the frame itself is unchanged
}

TEST(FrameControl, TheFourLooksDiffer) {
    const UINT looks[] = {0, DFCS_HOT, DFCS_PUSHED, DFCS_INACTIVE};
    std::set<std::set<COLORREF>> seen;
    for (UINT kind : {DFCS_BUTTONCHECK, DFCS_BUTTONRADIO}) {
        for (UINT look : looks) {
            CCanvas canvas(13, 13, kGreen);
            RECT r{0, 0, 13, 13};
            DrawFrameControl(canvas.Dc(), &r, DFC_BUTTON, kind | look | DFCS_CHECKED);
            EXPECT_TRUE(seen.insert(Colours(canvas, r)).second) << kind << " " << look;
        }
    }
}

TEST(FrameControl, RadioIsARoundTwelvePixelGlyphCentredInTheRectangle) {
    const auto radio = Draw(DFCS_BUTTONRADIO, DFCS_TRANSPARENT, 12, 20);
    // Centred vertically: rows 2..5 above the glyph are untouched.
    EXPECT_EQ(radio[5], std::string(16, 'g'));
    EXPECT_NE(radio[6], std::string(16, 'g'));
    EXPECT_EQ(radio[6][2], 'g');  // a round corner
    EXPECT_EQ(radio[12][2], 'x'); // the left edge at mid-height
    EXPECT_EQ(radio[18], std::string(16, 'g'));
    // Without DFCS_TRANSPARENT the rest of the rectangle gets the button face colour.
    const auto filled = Draw(DFCS_BUTTONRADIO, 0, 12, 20);
    EXPECT_EQ(filled[3][3], 'x');
    EXPECT_EQ(filled[0][0], 'g');
    CCanvas canvas(4, 4);
    RECT r{0, 0, 4, 4};
    EXPECT_FALSE(DrawFrameControl(canvas.Dc(), &r, 1, 0));
}

HICON MakeIcon(int w, int h, std::vector<std::uint32_t> pixels) {
    BITMAPINFO info;
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = -h;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    CGdiHandle<HBITMAP> bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits));
    std::memcpy(bits, pixels.data(), pixels.size() * 4);
    return CreateIconFromBitmap(bitmap);
}

TEST(Icon, DrawIconExStretchesAndHonoursAlpha) {
    // Opaque red, transparent, half-transparent blue, opaque black.
    HICON icon = MakeIcon(2, 2, {0xFFFF0000, 0x00FFFFFF, 0x800000FF, 0xFF000000});
    ASSERT_NE(icon, nullptr);
    CCanvas canvas(4, 4);
    EXPECT_TRUE(DrawIconEx(canvas.Dc(), 0, 0, icon, 4, 4, 0, nullptr, DI_NORMAL));
    const COLORREF halfBlue = RGB(127, 127, 255);
    EXPECT_EQ(canvas.Picture({{'r', kRed}, {'.', kWhite}, {'h', halfBlue}, {'#', kBlack}}),
              (std::vector<std::string>{"rr..", "rr..", "hh##", "hh##"}));
    // Shrinking averages what each pixel covers, weighted by alpha.
    CCanvas small(1, 1, kBlack);
    DrawIconEx(small.Dc(), 0, 0, icon, 1, 1, 0, nullptr, DI_NORMAL);
    const COLORREF mixed = small.At(0, 0);
    EXPECT_GT(GetRValue(mixed), 0);
    EXPECT_GT(GetBValue(mixed), 0);
    // Size 0 draws at the icon's own size.
    CCanvas own(3, 3);
    DrawIconEx(own.Dc(), 1, 1, icon, 0, 0, 0, nullptr, DI_NORMAL);
    EXPECT_EQ(own.At(1, 1), kRed);
    EXPECT_EQ(own.At(0, 0), kWhite);
    EXPECT_TRUE(DestroyIcon(icon));
    EXPECT_FALSE(DestroyIcon(icon));
    EXPECT_FALSE(DrawIconEx(own.Dc(), 0, 0, icon, 0, 0, 0, nullptr, DI_NORMAL));
}

TEST(Icon, AMaskGivesTransparencyToBitmapsWithoutAlpha) {
    CCanvas colour(2, 1, kRed);
    CGdiHandle<HBITMAP> mask(CreateBitmap(2, 1, 1, 1, nullptr));
    CMemoryDC maskDc;
    HBITMAP old = SelectObject(maskDc, mask.Get());
    SetPixel(maskDc, 1, 0, kWhite); // 1: transparent
    SelectObject(maskDc, old);
    ICONINFO info;
    info.hbmColor = colour.Bitmap();
    info.hbmMask = mask;
    HICON icon = CreateIconIndirect(&info);
    CCanvas canvas(2, 1, kBlue);
    DrawIconEx(canvas.Dc(), 0, 0, icon, 0, 0, 0, nullptr, DI_NORMAL);
    EXPECT_EQ(canvas.At(0, 0), kRed);
    EXPECT_EQ(canvas.At(1, 0), kBlue);
    DestroyIcon(icon);
}

TEST(Icon, SystemIconsAreSharedAndSurviveDestroyIcon) {
    HICON info = LoadIcon(nullptr, IDI_INFORMATION);
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(LoadIcon(nullptr, 32516), info);
    EXPECT_TRUE(DestroyIcon(info)); // the icon element destroys what it held; a shared one stays
    EXPECT_EQ(info->Width(), 32);
    CCanvas canvas(32, 32, kRed);
    EXPECT_TRUE(DrawIconEx(canvas.Dc(), 0, 0, info, 32, 32, 0, nullptr, DI_NORMAL));
    EXPECT_EQ(canvas.At(0, 0), kRed);              // round: the corners stay
    EXPECT_EQ(canvas.At(6, 16), RGB(0, 120, 215)); // the blue disc
    EXPECT_EQ(canvas.At(16, 16), kWhite);          // the stem of the "i"
    std::set<HICON> distinct;
    for (UINT id : {IDI_APPLICATION, IDI_HAND, IDI_QUESTION, IDI_EXCLAMATION, IDI_ASTERISK}) {
        distinct.insert(LoadIcon(nullptr, id));
    }
    EXPECT_EQ(distinct.size(), 5u);
    EXPECT_EQ(distinct.count(nullptr), 0u);
    EXPECT_EQ(LoadIcon(nullptr, 100), nullptr);
    int module = 0;
    EXPECT_EQ(LoadIcon(&module, IDI_HAND), nullptr);
}

} // namespace
