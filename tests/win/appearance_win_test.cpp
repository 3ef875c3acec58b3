#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "app/app_win.h"
#include "appearance/appearance.h"
#include "document/document.h"
#include "resources/resource_ids.h"
#include "view/view_nav.h"
#include "win_test_support.h"

namespace {

struct Entry {
    std::string text;
    int image;
    bool selected;
};

std::vector<Entry> Items(HWND list) {
    std::vector<Entry> out;
    const int count = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        char text[64] = "";
        LVITEMA item = {};
        item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_STATE;
        item.iItem = i;
        item.stateMask = LVIS_SELECTED;
        item.pszText = text;
        item.cchTextMax = sizeof text;
        SendMessageA(list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
        out.push_back({text, item.iImage, (item.state & LVIS_SELECTED) != 0});
    }
    return out;
}

std::vector<std::string> Texts(const std::vector<Entry>& entries) {
    std::vector<std::string> out;
    for (const Entry& e : entries) out.push_back(e.text);
    return out;
}

std::string Selected(const std::vector<Entry>& entries) {
    std::string out;
    for (const Entry& e : entries)
        if (e.selected) out += (out.empty() ? "" : "|") + e.text;
    return out;
}

const Entry* Find(const std::vector<Entry>& entries, const std::string& text) {
    for (const Entry& e : entries)
        if (e.text == text) return &e;
    return nullptr;
}

// Selects an entry as a click would.
void Pick(HWND list, const char* text) {
    LVFINDINFOA find = {};
    find.flags = LVFI_STRING;
    find.psz = text;
    const int index = static_cast<int>(
        SendMessageA(list, LVM_FINDITEMA, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&find)));
    ASSERT_GE(index, 0) << text;
    LVITEMA item = {};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(list, LVM_SETITEMSTATE, index, reinterpret_cast<LPARAM>(&item));
}

// What the font dialog showed and how it is answered.
struct FontDialogRun {
    // answer
    const char* family = nullptr;
    const char* size = nullptr;
    int button = IDOK;
    // seen
    bool shown = false;
    std::string title;
    std::vector<Entry> families, sizes, sizesAfterFamily;
    LONG familyStyle = 0, sizeStyle = 0;
    int familyColumn = 0, sizeColumn = 0, familyWidth = 0, sizeWidth = 0;
    bool familyImages = false;
} FontRun;

void AnswerFontDialog(HWND dialog) {
    HWND families = GetDlgItem(dialog, 160);
    HWND sizes = GetDlgItem(dialog, 161);
    if (families && sizes) {
        FontRun.shown = true;
        char title[64] = "";
        GetWindowTextA(dialog, title, sizeof title);
        FontRun.title = title;
        FontRun.families = Items(families);
        FontRun.sizes = Items(sizes);
        FontRun.familyStyle = GetWindowLongA(families, GWL_STYLE);
        FontRun.sizeStyle = GetWindowLongA(sizes, GWL_STYLE);
        RECT r;
        GetClientRect(families, &r);
        FontRun.familyWidth = r.right;
        GetClientRect(sizes, &r);
        FontRun.sizeWidth = r.right;
        FontRun.familyColumn = static_cast<int>(SendMessageA(families, LVM_GETCOLUMNWIDTH, 0, 0));
        FontRun.sizeColumn = static_cast<int>(SendMessageA(sizes, LVM_GETCOLUMNWIDTH, 0, 0));
        FontRun.familyImages = SendMessageA(families, LVM_GETIMAGELIST, LVSIL_SMALL, 0) != 0;
        if (FontRun.family) Pick(families, FontRun.family);
        FontRun.sizesAfterFamily = Items(sizes);
        if (FontRun.size) Pick(sizes, FontRun.size);
    }
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(FontRun.button, BN_CLICKED), 0);
}

class FontDialog : public ShellTest {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        FontRun = FontDialogRun();
        DialogAnswer = AnswerFontDialog;
    }
    static void Choose(const char* family, const char* size, int button = IDOK) {
        FontRun.family = family;
        FontRun.size = size;
        FontRun.button = button;
        Command(CM_SELECT_FONT);
        ASSERT_TRUE(FontRun.shown);
    }
};

const std::vector<std::string> Heights = {" 8", " 9", "10", "11", "12", "14", "16", "18", "20"};

TEST_F(FontDialog, SortedReportListsOfTheModernAnsiAndOemFamilies) {
    Choose(nullptr, nullptr, IDCANCEL);
    EXPECT_EQ(FontRun.title, "Select Font and Size");
    const LONG wanted = LVS_REPORT | LVS_NOCOLUMNHEADER | LVS_SINGLESEL | LVS_SHOWSELALWAYS |
                        LVS_SORTASCENDING;
    EXPECT_EQ(FontRun.familyStyle & (wanted | LVS_TYPEMASK), wanted);
    EXPECT_EQ(FontRun.sizeStyle & (wanted | LVS_TYPEMASK), wanted);
    EXPECT_EQ(FontRun.familyColumn, FontRun.familyWidth - 20);
    EXPECT_EQ(FontRun.sizeColumn, FontRun.sizeWidth - 20);
    EXPECT_TRUE(FontRun.familyImages);
    EXPECT_EQ(ImageList_GetImageCount(hSmallImages), 2) << "the images outlive the dialog";

    const std::vector<std::string> names = Texts(FontRun.families);
    ASSERT_GT(names.size(), 3u);
    for (size_t i = 1; i < names.size(); ++i)
        EXPECT_LT(lstrcmpiA(names[i - 1].c_str(), names[i].c_str()), 0)
            << names[i - 1] << " / " << names[i] << ": sorted, each family once";

    const struct {
        const char* name;
        int image;  // -1: not listed
    } cases[] = {
        {"Terminal", 0},           // raster, OEM character set
        {"Courier", 0},            // raster, ANSI
        {"Fixedsys", 0},
        {"Courier New", 1},        // TrueType
        {"Liberation Mono", 1},
        {"MS Sans Serif", -1},     // Swiss
        {"Tahoma", -1},
        {"Liberation Sans", -1},
        {"Liberation Serif", -1},  // Roman
        {"DejaVu Serif", -1},
        {"Small Fonts", -1},
    };
    for (const auto& c : cases) {
        const Entry* e = Find(FontRun.families, c.name);
        if (c.image < 0) {
            EXPECT_EQ(e, nullptr) << c.name;
        } else {
            ASSERT_NE(e, nullptr) << c.name;
            EXPECT_EQ(e->image, c.image) << c.name;
        }
    }
}

TEST_F(FontDialog, DefaultsPreselectTerminalTwelveByEight) {
    FontWidth = 0;  // the stored width does not take part in the choice
    Choose(nullptr, nullptr);
    EXPECT_EQ(Selected(FontRun.families), "Terminal");
    EXPECT_EQ(Texts(FontRun.sizes), (std::vector<std::string>{" 8 x  8", "12 x  8", "16 x  8"}));
    EXPECT_EQ(Selected(FontRun.sizes), "12 x  8");
    EXPECT_STREQ(FontName, "Terminal");
    EXPECT_EQ(FontHeight, 12);
    EXPECT_EQ(FontWidth, 8);
}

TEST_F(FontDialog, TrueTypeHeightsAndTheirPreselection) {
    const struct {
        int16_t fontHeight;
        const char* selected;
    } cases[] = {{13, "12"}, {30, "20"}, {5, " 8"}, {14, "14"}};
    for (const auto& c : cases) {
        std::strcpy(FontName, "Liberation Mono");
        FontHeight = c.fontHeight;
        FontWidth = 8;
        Choose(nullptr, nullptr);
        EXPECT_EQ(Selected(FontRun.families), "Liberation Mono");
        EXPECT_EQ(Texts(FontRun.sizes), Heights);
        EXPECT_EQ(Selected(FontRun.sizes), c.selected) << c.fontHeight;
        EXPECT_STREQ(FontName, "Liberation Mono");
        EXPECT_EQ(FontHeight, std::atoi(c.selected));
        EXPECT_EQ(FontWidth, 0);
    }
}

TEST_F(FontDialog, AnOutlineFaceThatIsNotTrueTypeGetsTheHeights) {
    FontHeight = 13;
    Choose("Nimbus Mono PS", nullptr);  // PostScript outlines (fonts-urw-base35)
    const Entry* e = Find(FontRun.families, "Nimbus Mono PS");
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(e->image, 0);
    EXPECT_EQ(Texts(FontRun.sizesAfterFamily),
              Heights);
    EXPECT_EQ(Selected(FontRun.sizesAfterFamily), "12");
    EXPECT_STREQ(FontName, "Nimbus Mono PS");
    EXPECT_EQ(FontHeight, 12);
    EXPECT_EQ(FontWidth, 0);
}

TEST_F(FontDialog, AnotherFamilyRefillsTheSizes) {
    Choose("Courier New", "16");
    EXPECT_EQ(Texts(FontRun.sizesAfterFamily),
              Heights);
    EXPECT_EQ(Selected(FontRun.sizesAfterFamily), "12");
    EXPECT_STREQ(FontName, "Courier New");
    EXPECT_EQ(FontHeight, 16);
    EXPECT_EQ(FontWidth, 0);

    // Back to a raster family: its own sizes again, "12 x  8" chosen.
    Choose("Terminal", " 8 x  8");
    EXPECT_EQ(Selected(FontRun.sizesAfterFamily), "12 x  8");
    EXPECT_STREQ(FontName, "Terminal");
    EXPECT_EQ(FontHeight, 8);
    EXPECT_EQ(FontWidth, 8);

    // A raster family without 12 x 8: its first size.
    Choose("Fixedsys", nullptr);
    EXPECT_EQ(Selected(FontRun.sizesAfterFamily), FontRun.sizesAfterFamily.at(0).text);
    EXPECT_EQ(FontHeight, 15);
    EXPECT_EQ(FontWidth, 8);
}

TEST_F(FontDialog, CancelChangesNothingAndAnUnknownFaceTakesTheFirst) {
    Choose("Courier New", "20", IDCANCEL);
    EXPECT_STREQ(FontName, "Terminal");
    EXPECT_EQ(FontHeight, 12);
    EXPECT_EQ(FontWidth, 8);

    std::strcpy(FontName, "No Such Face");
    Choose(nullptr, nullptr);
    ASSERT_FALSE(FontRun.families.empty());
    EXPECT_EQ(Selected(FontRun.families), FontRun.families[0].text);
    EXPECT_EQ(std::string(FontName), FontRun.families[0].text);
}

// The cell width of a face as the view measures it.
int MeasuredWidth(const char* face, int height, int width) {
    HDC dc = GetDC(hViewWnd);
    HFONT font = CreateFontA(height, width, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0,
                             PROOF_QUALITY, FIXED_PITCH | FF_MODERN, face);
    HGDIOBJ old = SelectObject(dc, font);
    SIZE a{};
    GetTextExtentPoint32A(dc, "A", 1, &a);
    SelectObject(dc, old);
    DeleteObject(font);
    ReleaseDC(hViewWnd, dc);
    return a.cx;
}

void OpenFile(int mode, const std::string& bytes) {
    Command(mode);
    std::strcpy(FileName, TempFile("orvex-appearance.bin", bytes).c_str());
    Command(CM_OPEN_NAMED);
}

void PaintView() {
    InvalidateRect(hViewWnd, nullptr, TRUE);
    UpdateWindow(hViewWnd);
    Pump();
}

TEST_F(FontDialog, TheViewDrawsAndMarksInTheChosenTrueTypeFace) {
    OpenFile(CM_VIEW_HEX, std::string(256, 'p'));
    PaintView();
    EXPECT_EQ(CharWidth, 8);
    Choose("Liberation Mono", "18");
    MarkBkColor = RGB(255, 0, 0);
    MarkStart = 2;
    MarkEnd = 6;
    SetMarked();
    PaintView();
    const int width = MeasuredWidth("Liberation Mono", 18, 0);
    ASSERT_NE(width, 8);
    EXPECT_EQ(CharWidth, width);
    RECT r;
    GetClientRect(hViewWnd, &r);
    EXPECT_EQ(ScreenLines, r.bottom / 18);
    EXPECT_EQ(ScreenCols, (r.right - 4) / width);

    ViewCapture shot;
    const COLORREF red = RGB(255, 0, 0);
    // Bytes 2..5: digits in cells 16..24, characters in cells 56..59.
    for (int c = 16; c < 25; ++c) EXPECT_GT(shot.Count(c, 0, red), 0) << c;
    for (int c = 56; c < 60; ++c) EXPECT_GT(shot.Count(c, 0, red), 0) << c;
    for (int c : {15, 25, 55, 60}) EXPECT_EQ(shot.Count(c, 0, red), 0) << c;
    for (int c = 0; c < 71; ++c) EXPECT_EQ(shot.Count(c, 1, red), 0) << c;

    // A drag over cells of the new width marks the bytes under them: from
    // byte 5's character to byte 8's on the next row.
    auto cell = [width](int c, int r) {
        return MAKELPARAM(4 + width * c + width / 2, 4 + 18 * r + 9);
    };
    Route(hViewWnd, WM_LBUTTONDOWN, MK_LBUTTON, cell(54 + 5, 0));
    Route(hViewWnd, WM_MOUSEMOVE, MK_LBUTTON, cell(54 + 8, 1));
    Route(hViewWnd, WM_LBUTTONUP, 0, cell(54 + 8, 1));
    EXPECT_EQ(MarkStart, 5);
    EXPECT_EQ(MarkEnd, 16 + 9);
}

// --- the colour commands ---

// Controls of the colour dialog.
const int ColorRed = 706, ColorGreen = 707, ColorBlue = 708, ColorAdd = 712, ColorCustom = 721;

struct ColourDialogRun {
    COLORREF colour = 0;
    bool addCustom = false;
    int pickCustom = -1;  // a custom colour box clicked instead of the edits
    int button = IDOK;
    int shown = 0;
} ColourRun;

// A click on custom colour box `index` (8 boxes a row, 2 rows).
void ClickCustom(HWND dialog, int index) {
    HWND boxes = GetDlgItem(dialog, ColorCustom);
    RECT r;
    GetClientRect(boxes, &r);
    const int dx = r.right / 8, dy = r.bottom / 2;
    POINT p{dx * (index % 8) + dx / 2, dy * (index / 8) + dy / 2};
    MapWindowPoints(boxes, dialog, &p, 1);
    SendMessageA(dialog, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
    SendMessageA(dialog, WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
}

void AnswerColourDialog(HWND dialog) {
    if (GetDlgItem(dialog, ColorRed)) {
        ++ColourRun.shown;
        if (ColourRun.pickCustom >= 0) {
            ClickCustom(dialog, ColourRun.pickCustom);
        } else {
            SetDlgItemInt(dialog, ColorRed, GetRValue(ColourRun.colour), FALSE);
            SetDlgItemInt(dialog, ColorGreen, GetGValue(ColourRun.colour), FALSE);
            SetDlgItemInt(dialog, ColorBlue, GetBValue(ColourRun.colour), FALSE);
        }
        if (ColourRun.addCustom)
            SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(ColorAdd, BN_CLICKED),
                         reinterpret_cast<LPARAM>(GetDlgItem(dialog, ColorAdd)));
    }
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(ColourRun.button, BN_CLICKED), 0);
}

class Colours : public ShellTest {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        std::memcpy(saved_, CustColors, sizeof saved_);
        ColourRun = ColourDialogRun();
        DialogAnswer = AnswerColourDialog;
        // Row 0 "pppp...", bytes 2..5 marked.
        OpenFile(CM_VIEW_TEXT, std::string(40, 'p') + "\r\n" + std::string(40, 'q') + "\r\n");
        MarkStart = 2;
        MarkEnd = 6;
        SetMarked();
        PaintView();
    }
    void TearDown() override {
        std::memcpy(CustColors, saved_, sizeof saved_);
        ShellTest::TearDown();
    }
    static void Choose(int command, COLORREF colour, int button = IDOK) {
        ColourRun.colour = colour;
        ColourRun.button = button;
        const int before = ColourRun.shown;
        Command(command);
        ASSERT_EQ(ColourRun.shown, before + 1);
        PaintView();
    }

private:
    uint32_t saved_[CustColorCount];
};

TEST_F(Colours, EachCommandRepaintsTheViewInItsColour) {
    const struct {
        int command;
        uint32_t* field;
        COLORREF colour;
        int col;  // a cell that shows the colour: 3 is marked, 20 is not
        int absentCol;
    } cases[] = {
        {CM_TEXT_COLOR, &TextColor, RGB(0, 0, 255), 20, 3},
        {CM_BK_COLOR, &BkColor, RGB(0, 160, 0), 20, 3},
        {CM_MARK_TEXT_COLOR, &MarkTextColor, RGB(255, 255, 0), 3, 20},
        {CM_MARK_BK_COLOR, &MarkBkColor, RGB(160, 0, 160), 3, 20},
    };
    for (const auto& c : cases) {
        Choose(c.command, c.colour);
        EXPECT_EQ(*c.field, c.colour) << c.command;
        ViewCapture shot;
        EXPECT_GT(shot.Count(c.col, 0, c.colour), 0) << c.command;
        EXPECT_EQ(shot.Count(c.absentCol, 0, c.colour), 0) << c.command;
    }
    // The new background brush fills the view below the rows too.
    ViewCapture shot;
    RECT r;
    GetClientRect(hViewWnd, &r);
    EXPECT_EQ(shot.Pixel(r.right / 2, r.bottom - 2), RGB(0, 160, 0));
}

TEST_F(Colours, CancelLeavesTheColour) {
    const HBRUSH brush = hBkBrush;
    Choose(CM_BK_COLOR, RGB(1, 2, 3), IDCANCEL);
    EXPECT_EQ(BkColor, DefaultBkColor);
    EXPECT_EQ(hBkBrush, brush);
    ViewCapture shot;
    EXPECT_GT(shot.Count(20, 0, DefaultBkColor), 0);
}

TEST_F(Colours, CustomColoursEditedOnceAreOfferedAgain) {
    const COLORREF mine = RGB(10, 200, 30);
    ColourRun.addCustom = true;
    Choose(CM_TEXT_COLOR, mine);
    const uint32_t* slot = std::find(CustColors, CustColors + CustColorCount, mine);
    ASSERT_NE(slot, CustColors + CustColorCount) << "added to the custom colours";

    // The next colour dialog offers it: a click on its box chooses it.
    ColourRun.addCustom = false;
    ColourRun.pickCustom = static_cast<int>(slot - CustColors);
    Choose(CM_MARK_BK_COLOR, RGB(0, 0, 0));
    EXPECT_EQ(MarkBkColor, mine);
}

// --- stored at exit, shown after a restart ---

TEST_F(FontDialog, FontAndColoursSurviveARestart) {
    Choose("Liberation Mono", "16");
    DialogAnswer = AnswerColourDialog;
    ColourRun = ColourDialogRun();
    ColourRun.colour = RGB(0, 160, 0);
    Command(CM_BK_COLOR);
    ColourRun.colour = RGB(160, 0, 160);
    Command(CM_MARK_BK_COLOR);
    StopShell();

    const std::vector<uint8_t> font = ReadSetting("Font");
    EXPECT_EQ(std::string(font.begin(), font.end()), std::string("Liberation Mono", 16));
    const std::vector<uint8_t> settings = ReadSetting("Settings");
    ASSERT_EQ(settings.size(), 92u);
    EXPECT_EQ(std::vector<uint8_t>(settings.begin() + 52, settings.begin() + 56),
              (std::vector<uint8_t>{0, 160, 0, 0}));
    EXPECT_EQ(std::vector<uint8_t>(settings.begin() + 60, settings.begin() + 64),
              (std::vector<uint8_t>{160, 0, 160, 0}));
    EXPECT_EQ(std::vector<uint8_t>(settings.begin() + 76, settings.begin() + 80),
              (std::vector<uint8_t>{16, 0, 0, 0}));

    StartShell();
    EXPECT_STREQ(FontName, "Liberation Mono");
    EXPECT_EQ(FontHeight, 16);
    EXPECT_EQ(FontWidth, 0);
    EXPECT_EQ(BkColor, RGB(0, 160, 0));
    EXPECT_EQ(MarkBkColor, RGB(160, 0, 160));
    OpenFile(CM_VIEW_HEX, std::string(64, 'p'));
    PaintView();
    EXPECT_EQ(CharWidth, MeasuredWidth("Liberation Mono", 16, 0));
    ViewCapture shot;
    RECT r;
    GetClientRect(hViewWnd, &r);
    EXPECT_EQ(shot.Pixel(r.right / 2, r.bottom - 2), RGB(0, 160, 0));
}

}  // namespace

namespace {

// The default face of the prefix: "Terminal" 12 x 8 holds "g", "p", "y" and
// "_" whole in a 12-pixel row, their low parts below the baseline included.
TEST(TerminalFace, TwelvePixelRowsHoldWholeCharacters) {
    constexpr int W = 8, H = 16;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = W;
    info.bmiHeader.biHeight = -H;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    HDC dc = CreateCompatibleDC(nullptr);
    uint32_t* bits = nullptr;
    HBITMAP bmp = CreateDIBSection(dc, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits),
                                   nullptr, 0);
    ASSERT_NE(bits, nullptr);
    HGDIOBJ oldBmp = SelectObject(dc, bmp);
    HFONT font = CreateFontA(DefaultFontHeight, DefaultFontWidth, 0, 0, FW_NORMAL, 0, 0, 0,
                             DEFAULT_CHARSET, 0, 0, PROOF_QUALITY, FIXED_PITCH | FF_MODERN,
                             "Terminal");
    HGDIOBJ oldFont = SelectObject(dc, font);
    char face[32] = "";
    GetTextFaceA(dc, sizeof face, face);
    EXPECT_STREQ(face, "Terminal");
    TEXTMETRICA tm{};
    GetTextMetricsA(dc, &tm);
    EXPECT_EQ(tm.tmHeight, 12);
    EXPECT_EQ(tm.tmAveCharWidth, 8);
    EXPECT_EQ(tm.tmPitchAndFamily & TMPF_VECTOR, 0) << "a raster face";
    SetTextColor(dc, RGB(0, 0, 0));
    SetBkMode(dc, TRANSPARENT);
    for (char c : {'g', 'p', 'y', '_'}) {
        std::fill(bits, bits + W * H, 0xFFFFFFu);
        TextOutA(dc, 0, 0, &c, 1);
        GdiFlush();
        int below = 0, outside = 0;
        for (int y = 0; y < H; ++y)
            for (int x = 0; x < W; ++x) {
                if ((bits[y * W + x] & 0xFFFFFF) != 0) continue;
                if (y >= 12) ++outside;
                else if (y >= tm.tmAscent) ++below;
            }
        EXPECT_GT(below, 0) << c << ": drawn below the baseline";
        EXPECT_EQ(outside, 0) << c;
    }
    SelectObject(dc, oldFont);
    DeleteObject(font);
    SelectObject(dc, oldBmp);
    DeleteObject(bmp);
    DeleteDC(dc);
}

}  // namespace
