#include "tests/support/Canvas.h"

#include "platform/draw/fonts/FontConfig.h"

#include <set>

namespace {

CGdiHandle<HFONT> Font(const WString& face, int height, LONG weight = FW_NORMAL,
                       BYTE underline = 0) {
    LOGFONT lf;
    lf.lfFaceName = face;
    lf.lfHeight = height;
    lf.lfWeight = weight;
    lf.lfUnderline = underline;
    lf.lfQuality = ANTIALIASED_QUALITY;
    return CGdiHandle<HFONT>(CreateFontIndirect(&lf));
}

// The bounding box of the pixels that differ from the background.
RECT Inked(const CCanvas& canvas, COLORREF background = kWhite) {
    RECT box{};
    for (int y = 0; y < canvas.Height(); ++y) {
        for (int x = 0; x < canvas.Width(); ++x) {
            if (canvas.At(x, y) != background) {
                box = BoundingRect(box, RECT{x, y, x + 1, y + 1});
            }
        }
    }
    return box;
}

// The pixels of one character drawn alone, as a string of grey levels.
std::string GlyphImage(HFONT font, wchar_t c) {
    CCanvas canvas(24, 24);
    SelectObject(canvas.Dc(), font);
    TextOut(canvas.Dc(), 2, 2, WString(1, c));
    std::string image;
    for (int y = 0; y < 24; ++y) {
        for (int x = 0; x < 24; ++x) {
            image += char(GetRValue(canvas.At(x, y)));
        }
    }
    SelectObject(canvas.Dc(), static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)));
    return image;
}

TEST(Fonts, TheShippedConfigurationMapsTheSkinFaces) {
    struct Case {
        std::string face;
        std::string file;
    } cases[] = {{"微软雅黑", "wqy-microhei"}, {"宋体", "wqy-microhei"}, {"Tahoma", "DejaVuSans"}};
    for (const Case& c : cases) {
        const std::vector<CFaceSource> faces = MatchFaces(c.face, false, false);
        ASSERT_FALSE(faces.empty()) << c.face;
        EXPECT_NE(faces[0].file.find(c.file), std::string::npos) << c.face << ": " << faces[0].file;
    }
    // Chinese text in the Latin face still finds a face for every character.
    const std::vector<CFaceSource> tahoma = MatchFaces("Tahoma", false, false);
    EXPECT_TRUE(std::any_of(tahoma.begin(), tahoma.end(),
                            [](const CFaceSource& f) { return f.HasChar(U'摄'); }));
}

TEST(Fonts, ChineseTextRendersDistinctGlyphsNotBoxes) {
    for (const WString face : {L"微软雅黑", L"Tahoma"}) {
        CGdiHandle<HFONT> font = Font(face, -16);
        ASSERT_TRUE(font);
        // A private-use character has no glyph: it shows the missing-glyph box.
        const std::string missing = GlyphImage(font, 0xE000);
        std::set<std::string> seen;
        for (wchar_t c : WString(L"没有检测到摄像头！")) {
            const std::string image = GlyphImage(font, c);
            EXPECT_NE(image, missing) << int(c);
            EXPECT_NE(image, std::string(image.size(), char(255))) << int(c) << " drew nothing";
            EXPECT_TRUE(seen.insert(image).second) << int(c) << " looks like another glyph";
        }
    }
}

TEST(Fonts, HeightsAndMetrics) {
    struct Case {
        WString face;
        int height;
    } cases[] = {{L"微软雅黑", -12}, {L"Tahoma", -11}, {L"微软雅黑", -20}};
    for (const Case& c : cases) {
        CCanvas canvas(4, 4);
        CGdiHandle<HFONT> font = Font(c.face, c.height);
        SelectObject(canvas.Dc(), font.Get());
        TEXTMETRIC tm;
        ASSERT_TRUE(GetTextMetrics(canvas.Dc(), &tm));
        EXPECT_EQ(tm.tmHeight, tm.tmAscent + tm.tmDescent);
        EXPECT_GE(tm.tmHeight, -c.height);
        EXPECT_LE(tm.tmHeight, -c.height * 3 / 2);
        EXPECT_EQ(tm.tmInternalLeading, tm.tmHeight + c.height);
        EXPECT_GE(tm.tmExternalLeading, 0);
        EXPECT_GT(tm.tmAveCharWidth, 0);
        SIZE extent;
        ASSERT_TRUE(GetTextExtentPoint32(canvas.Dc(), L"Ab", &extent));
        SIZE a, b;
        GetTextExtentPoint32(canvas.Dc(), L"A", &a);
        GetTextExtentPoint32(canvas.Dc(), L"b", &b);
        EXPECT_EQ(extent.cx, a.cx + b.cx);
        EXPECT_EQ(extent.cy, tm.tmHeight);
        SelectObject(canvas.Dc(), static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)));
    }
    // A positive height is the cell height.
    CCanvas canvas(4, 4);
    CGdiHandle<HFONT> cell = Font(L"微软雅黑", 20);
    SelectObject(canvas.Dc(), cell.Get());
    TEXTMETRIC tm;
    GetTextMetrics(canvas.Dc(), &tm);
    EXPECT_NEAR(tm.tmHeight, 20, 1);
    SelectObject(canvas.Dc(), static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)));
}

TEST(Fonts, BoldIsWiderAndFaceNamesAreCut) {
    CCanvas canvas(4, 4);
    CGdiHandle<HFONT> normal = Font(L"微软雅黑", -12);
    CGdiHandle<HFONT> bold = Font(L"微软雅黑", -12, FW_BOLD);
    SIZE n, b;
    SelectObject(canvas.Dc(), normal.Get());
    GetTextExtentPoint32(canvas.Dc(), L"摄像头 camera", &n);
    SelectObject(canvas.Dc(), bold.Get());
    GetTextExtentPoint32(canvas.Dc(), L"摄像头 camera", &b);
    EXPECT_GT(b.cx, n.cx);
    SelectObject(canvas.Dc(), static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)));

    LOGFONT lf;
    lf.lfFaceName = WString(40, L'x');
    CGdiHandle<HFONT> cut(CreateFontIndirect(&lf));
    ASSERT_TRUE(cut);
    LOGFONT back;
    ASSERT_TRUE(GetObject(cut.Get(), &back));
    EXPECT_EQ(back.lfFaceName.size(), 31u);
    // The default GUI font describes itself, as the font pool reads it.
    ASSERT_TRUE(GetObject(static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)), &back));
    EXPECT_LT(back.lfHeight, 0);
}

TEST(Text, TextOutDrawsInsideTheCellInTheTextColour) {
    CCanvas canvas(60, 30);
    CGdiHandle<HFONT> font = Font(L"微软雅黑", -16);
    SelectObject(canvas.Dc(), font.Get());
    SetTextColor(canvas.Dc(), kRed);
    SetBkMode(canvas.Dc(), TRANSPARENT);
    ASSERT_TRUE(TextOut(canvas.Dc(), 5, 4, L"摄H"));
    SIZE extent;
    GetTextExtentPoint32(canvas.Dc(), L"摄H", &extent);
    const RECT inked = Inked(canvas);
    EXPECT_GE(inked.left, 5);
    EXPECT_GE(inked.top, 4);
    EXPECT_LE(inked.right, 5 + extent.cx + 1);
    EXPECT_LE(inked.bottom, 4 + extent.cy);
    // Anti-aliased: full text colour in the stems, blends at the edges.
    bool full = false, partial = false;
    for (int y = inked.top; y < inked.bottom; ++y) {
        for (int x = inked.left; x < inked.right; ++x) {
            const COLORREF c = canvas.At(x, y);
            full = full || c == kRed;
            partial = partial || (c != kRed && c != kWhite && GetRValue(c) == 255);
        }
    }
    EXPECT_TRUE(full);
    EXPECT_TRUE(partial);

    // Opaque mode fills the whole cell first.
    CCanvas opaque(60, 30);
    SelectObject(opaque.Dc(), font.Get());
    SetBkColor(opaque.Dc(), kBlue);
    TextOut(opaque.Dc(), 5, 4, L"摄H");
    EXPECT_EQ(Inked(opaque), (RECT{5, 4, 5 + extent.cx, 4 + extent.cy}));
    EXPECT_EQ(opaque.At(5, 4), kBlue);
    SelectObject(canvas.Dc(), static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)));
    SelectObject(opaque.Dc(), static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)));
}

TEST(Text, UnderlinedFontsDrawALineBelowTheBaseline) {
    CCanvas plain(40, 24), underlined(40, 24);
    CGdiHandle<HFONT> a = Font(L"Tahoma", -12);
    CGdiHandle<HFONT> b = Font(L"Tahoma", -12, FW_NORMAL, 1);
    SelectObject(plain.Dc(), a.Get());
    SelectObject(underlined.Dc(), b.Get());
    TextOut(plain.Dc(), 0, 0, L"ooo");
    TextOut(underlined.Dc(), 0, 0, L"ooo");
    TEXTMETRIC tm;
    GetTextMetrics(underlined.Dc(), &tm);
    const RECT p = Inked(plain), u = Inked(underlined);
    EXPECT_GT(u.bottom, p.bottom);
    EXPECT_GT(u.bottom, tm.tmAscent);
    EXPECT_LE(u.bottom, tm.tmHeight);
    SelectObject(plain.Dc(), static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)));
    SelectObject(underlined.Dc(), static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)));
}

TEST(Text, ExtTextOutClippedDrawsOnlyInsideTheRectangle) {
    CCanvas canvas(60, 24);
    CGdiHandle<HFONT> font = Font(L"微软雅黑", -16);
    SelectObject(canvas.Dc(), font.Get());
    SetBkMode(canvas.Dc(), TRANSPARENT);
    RECT r{0, 0, 12, 24};
    ExtTextOut(canvas.Dc(), 2, 2, ETO_CLIPPED, &r, L"检测到");
    EXPECT_LE(Inked(canvas).right, 12);
    EXPECT_FALSE(Inked(canvas).IsEmpty());
    SelectObject(canvas.Dc(), static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)));
}

TEST(Text, ExtentsReportHowManyCharactersFit) {
    CCanvas canvas(4, 4);
    CGdiHandle<HFONT> font = Font(L"微软雅黑", -12);
    SelectObject(canvas.Dc(), font.Get());
    SIZE one;
    GetTextExtentPoint32(canvas.Dc(), L"摄", &one);
    int fit = 0;
    int extents[4];
    SIZE all;
    ASSERT_TRUE(GetTextExtentExPoint(canvas.Dc(), L"摄像头！", one.cx * 2, &fit, extents, &all));
    EXPECT_EQ(fit, 2);
    EXPECT_EQ(extents[1], one.cx * 2);
    EXPECT_EQ(extents[3], all.cx);
    SelectObject(canvas.Dc(), static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)));
}

} // namespace
