#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "appearance/appearance.h"
#include "document/document.h"
#include "document/line_index.h"
#include "view/hex_rows.h"
#include "view/row_draw.h"

namespace {

// A 32-bit memory bitmap with a fixed-pitch font selected, in the normal
// colours, as the view window's paint prepares its device context.
class MemoryDc {
public:
    MemoryDc(int width, int height) : width_(width), height_(height) {
        BITMAPINFO info{};
        // Top-down rows of 32 bits.
        info.bmiHeader = {sizeof info.bmiHeader, width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        dc_ = CreateCompatibleDC(nullptr);
        bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_),
                                   nullptr, 0);
        old_bitmap_ = SelectObject(dc_, bitmap_);
        font_ = CreateFontA(16, 8, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                            CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FIXED_PITCH | FF_MODERN,
                            "Courier New");
        old_font_ = SelectObject(dc_, font_);
        TEXTMETRICA tm;
        GetTextMetricsA(dc_, &tm);
        cell_width = tm.tmAveCharWidth;
        cell_height = tm.tmHeight;
        SetTextColor(dc_, TextColor);
        SetBkColor(dc_, BkColor);
        SetBkMode(dc_, OPAQUE);
        RECT all{0, 0, width, height};
        HBRUSH white = CreateSolidBrush(RGB(255, 255, 255));
        FillRect(dc_, &all, white);
        DeleteObject(white);
    }
    ~MemoryDc() {
        SelectObject(dc_, old_font_);
        SelectObject(dc_, old_bitmap_);
        DeleteObject(font_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    HDC dc() const { return dc_; }

    // The pixel as a COLORREF (0x00BBGGRR).
    COLORREF Pixel(int x, int y) const {
        const uint32_t p = bits_[y * width_ + x];  // 0x00RRGGBB
        return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }
    // The colour that covers most of a character cell: its background.
    COLORREF CellColour(int x0, int y0, int col) const {
        std::map<COLORREF, int> seen;
        for (int y = y0; y < y0 + cell_height; ++y)
            for (int x = x0 + col * cell_width; x < x0 + (col + 1) * cell_width; ++x)
                ++seen[Pixel(x, y)];
        auto most = seen.begin();
        for (auto s = seen.begin(); s != seen.end(); ++s)
            if (s->second > most->second) most = s;
        return most->first;
    }

    int cell_width = 0;
    int cell_height = 0;

private:
    int width_;
    int height_;
    HDC dc_;
    HBITMAP bitmap_;
    uint32_t* bits_ = nullptr;
    HGDIOBJ old_bitmap_;
    HFONT font_;
    HGDIOBJ old_font_;
};

class RowDraw : public ::testing::Test {
protected:
    void SetUp() override {
        ResetDocument();
        Checked = ShowMode = _HEX_;
        AddrMode = AddrPhysical;
        ConvertFlag = 0;
        TextColor = RGB(0, 0, 0);
        BkColor = RGB(255, 255, 192);
        MarkTextColor = RGB(0, 0, 0);
        MarkBkColor = RGB(255, 128, 128);
    }
    void TearDown() override { ResetDocument(); }

    void Load(const std::string& bytes) {
        std::memcpy(FileArea, bytes.data(), bytes.size());
        AdoptFile(FileArea, static_cast<int32_t>(bytes.size()));
    }
};

// The marks of hex rows are drawn by the view window's test, on the screen.
TEST_F(RowDraw, TextRowsDrawTheBlockColumnsOnEveryRow) {
    Checked = ShowMode = _TEXT_;
    Load("0123456789\nab\n0123456789\n");
    MemoryDc m(400, 100);
    FontWidth = static_cast<int16_t>(m.cell_width);
    MarkStart = 2;
    MarkEnd = 11 + 3 + 6;  // column 6 of the third line
    const int y = DrawTextLines(m.dc(), 4, 4, m.cell_height, 10, 12, 1, 1, 0, 2);
    EXPECT_EQ(y, 4 + 4 * m.cell_height);  // three lines and the empty last one
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 12; ++col) {
            const bool marked = col >= 2 && col < 6;
            EXPECT_EQ(m.CellColour(4, 4 + row * m.cell_height, col), marked ? MarkBkColor : BkColor)
                << "row " << row << " column " << col;
        }
    // The colours are set back after the marked pieces.
    EXPECT_EQ(GetBkColor(m.dc()), BkColor);
    EXPECT_EQ(GetTextColor(m.dc()), TextColor);
    // Hex rows too give the y below the last row drawn.
    Checked = ShowMode = _HEX_;
    EXPECT_EQ(DrawHexLines(m.dc(), 4, 4, m.cell_height, 2, 16, HexRowWidth, 0, 1, 1),
              4 + 2 * m.cell_height);
}

}  // namespace
