// The view window: paints the rows of the current mode, keeps the scroll
// bars, moves on keys and scroll bar actions, marks with the mouse and opens
// the font and colour pop-up menu. The arithmetic is in view_nav.
#include <windows.h>
#include <windowsx.h>

#include <algorithm>
#include <cstring>

#include "app/app_win.h"
#include "app/wheel_win.h"
#include "appearance/appearance.h"
#include "document/document.h"
#include "document/line_index.h"
#include "document/text_number.h"
#include "interpret/interp_tree.h"
#include "interpret/listings.h"
#include "interpret/selection.h"
#include "view/row_draw.h"
#include "view/view_nav.h"

namespace {

constexpr uint8_t ExportListing = 16;
constexpr uint8_t ImportListing = 33;

void Repaint(HWND hwnd) { InvalidateRect(hwnd, nullptr, TRUE); }

int32_t RowHeight() { return std::max<int32_t>(FontHeight, 1); }

// Draws listing lines from their first column, whatever Col says: a listing
// is not scrolled sideways. Each line fills its row to the right edge as it
// is drawn, so the rows need no erasing first.
class ListingDc final : public ListingSink {
  public:
    ListingDc(HDC hdc, const RECT& client) : hdc_(hdc), right_(client.right), y_(4) {}
    void Put(const ListingLine& line) override {
        const RECT row{4, y_, right_, y_ + RowHeight()};
        Text(4, row, ETO_OPAQUE, line.Text);
        if (line.Name[0]) Text(4 + ImportNameIndent, row, 0, line.Name);
        y_ += RowHeight();
    }
    int y() const { return y_; }

  private:
    void Text(int x, const RECT& row, UINT opaque, const char* s) {
        ExtTextOutA(hdc_, x, y_, ETO_CLIPPED | opaque, &row, s, static_cast<UINT>(std::strlen(s)),
                    nullptr);
    }
    HDC hdc_;
    int right_;
    int y_;
};

void Fill(HDC dc, int left, int top, int right, int bottom) {
    if (right <= left || bottom <= top) return;
    const RECT r{left, top, right, bottom};
    FillRect(dc, &r, hBkBrush);
}

bool SetScroll(HWND hwnd, int bar, const ScrollSpec& s, bool redraw = true) {
    return SetScrollIfChanged(hwnd, bar, s.max, s.page, s.pos, redraw);
}

// A bar is disabled, and shows no thumb, when its page holds the whole range.
bool WholeRangeFits(int64_t min, int64_t max, int64_t page) {
    return min >= max - std::max<int64_t>(page - 1, 0);
}

// Drawn again as it is: a bar set without drawing whose frame was not
// repainted after all.
void RedrawScrollBar(HWND hwnd, int bar) {
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    if (!GetScrollInfo(hwnd, bar, &si)) return;
    si.fMask |= SIF_DISABLENOSCROLL;
    SetScrollInfo(hwnd, bar, &si, TRUE);
}

// Set when the window's size changes, cleared when its frame is painted: a
// resized window has its frame, scroll bars included, drawn by BeginPaint.
bool FrameDue = false;

// Menu item of the export command the interpretation offers.
void ShowExportItem() {
    if (ExportCmd == ExportShown) return;
    if (ExportShown) EnableMenuItem(hMenu, ExportShown, MF_GRAYED);
    if (ExportCmd) EnableMenuItem(hMenu, ExportCmd, MF_ENABLED);
    ExportShown = ExportCmd;
}

// The rows of the document; returns the y below the last.
int DrawRows(HDC dc, const RECT& client) {
    if (Checked == _INTERP_) {
        if (InterpKind == 0) {
            FillRect(dc, &client, hBkBrush);
            TextOutA(dc, 4, 4, "Cannot interpret this file!", 27);
            return 4 + RowHeight();
        }
        if (SelKind == ExportListing || SelKind == ImportListing) {
            ListingDc sink(dc, client);
            if (SelKind == ExportListing)
                ListExportLines(LineNum, ScreenLines, sink);
            else
                ListImportLines(LineNum, ScreenLines, sink);
            return sink.y();
        }
    }
    if (ShowMode == _TEXT_)
        return DrawTextLines(dc, 4, 4, RowHeight(), ScreenLines, ScreenCols, LineNum, Col, 0,
                             MarkState);
    return DrawHexLines(dc, 4, 4, RowHeight(), ScreenLines, RowBytes, HexCols, ByteNum, Col,
                        MarkState);
}

// The screen font, kept from paint to paint and made again only when its
// face or size changed.
HFONT ViewFont() {
    static HFONT font = 0;
    static char name[sizeof FontName];
    static int16_t height, width;
    if (font && height == FontHeight && width == FontWidth &&
        std::strncmp(name, FontName, sizeof name) == 0)
        return font;
    if (font) DeleteObject(font);
    font = CreateFontA(FontHeight, FontWidth, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0,
                       PROOF_QUALITY, FIXED_PITCH | FF_MODERN, FontName);
    std::memcpy(name, FontName, sizeof name);
    height = FontHeight;
    width = FontWidth;
    return font;
}

// The rows and columns the client area holds with the view font selected
// into `dc`. The cell width is the measured width of "A": a TrueType face
// leaves FontWidth at 0.
void Measure(HDC dc, const RECT& client) {
    ScreenLines = client.bottom / RowHeight();
    SIZE a{};
    GetTextExtentPoint32A(dc, "A", 1, &a);
    CharWidth = std::max<int32_t>(a.cx, 1);
    ScreenCols = std::max<int32_t>((client.right - 4) / CharWidth, 1);
}

void Paint(HWND hwnd) {
    ShowExportItem();
    RECT client;
    GetClientRect(hwnd, &client);
    SetRowMetrics();
    ScreenLines = client.bottom / RowHeight();
    // The vertical bar is set before BeginPaint, which draws it with the
    // frame of a resized window: it is then drawn once, not twice.
    const bool barUndrawn = SetScroll(hwnd, SB_VERT, VerticalScroll(), !FrameDue);
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    if (barUndrawn && FrameDue) RedrawScrollBar(hwnd, SB_VERT);
    FrameDue = false;
    SetBkColor(dc, BkColor);
    SetTextColor(dc, TextColor);
    if (NumBytes == 0) {
        FillRect(dc, &client, hBkBrush);
    } else {
        Fill(dc, 0, 0, 4, client.bottom);
        Fill(dc, 0, 0, client.right, 4);
    }
    HGDIOBJ old = SelectObject(dc, ViewFont());
    Measure(dc, client);

    // Right of the rows' last whole cell up to the scroll bar: the rows never
    // draw there, and the window does not erase.
    const int rowsRight =
        ShowMode == _TEXT_ ? 4 + CharWidth * ScreenCols : CharWidth * (HexCols + 1 - Col) + 4;
    Fill(dc, rowsRight, 0, client.right, client.bottom);
    if (WrapFlag && ScreenCols != WrapCols && FileSize) {
        GetLinePtrs(0, FileSize);
        if (ShowMode == _TEXT_ && Checked != _INTERP_) LineNum = ClampLineNum(LineNum);
    } else {
        WrapCols = ScreenCols;
    }
    SetScroll(hwnd, SB_HORZ, HorizontalScroll());

    if (FileSize != 0) {
        const int y = DrawRows(dc, client);
        Fill(dc, 0, y, client.right, client.bottom);
    }
    SelectObject(dc, old);
    EndPaint(hwnd, &ps);
    ShowPosition();
}

LRESULT Key(HWND hwnd, WPARAM wParam, LPARAM lParam) {
    BYTE keys[256];
    GetKeyboardState(keys);
    if (wParam != VK_BACK) {
        WORD chars[2] = {0, 0};
        const int n = ToAscii(static_cast<UINT>(wParam), (lParam >> 16) & 0xFF, keys, chars, 0);
        if (n > 0 && (chars[0] & 0xFF) > 31 && (chars[0] & 0xFF) != 127)
            return 0;  // typed: the command bar's
    }
    if (ViewKey(static_cast<unsigned>(wParam), (keys[VK_CONTROL] & 0x80) != 0)) Repaint(hwnd);
    return 0;
}

LRESULT Scroll(HWND hwnd, bool vertical, WPARAM wParam) {
    SetFocus(hwnd);
    const int code = LOWORD(wParam);
    const uint16_t thumb = HIWORD(wParam);
    if (vertical ? VerticalScrollAction(code, thumb) : HorizontalScrollAction(code, thumb))
        Repaint(hwnd);
    return 0;
}

// The wheel: the lines a notch the user set (a page as Page Down moves it),
// through the scroll bar's moves; the tilt wheel by columns.
LRESULT Wheel(HWND hwnd, UINT msg, WPARAM wParam) {
    static WheelTurn down, across;
    const bool sideways = msg == WM_MOUSEHWHEEL;
    const int32_t steps = WheelSteps(sideways ? &across : &down, msg, wParam, 1,
                                     sideways ? ScreenCols : ScreenLines - 1);
    if (sideways ? WheelScrollViewSideways(steps) : WheelScrollView(steps)) Repaint(hwnd);
    return 0;
}

// The listings and the "cannot interpret" text have no bytes to mark.
bool Markable() {
    if (FileSize == 0) return false;
    return Checked != _INTERP_ ||
           (InterpKind != 0 && SelKind != ExportListing && SelKind != ImportListing);
}

LRESULT Mouse(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_MOUSEMOVE && !MarkDrag) return 0;
    if (!Markable()) return 0;
    PointerPlace p;
    if (!PlaceAt(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam), CharWidth, RowHeight(), &p)) return 0;
    const unsigned keys = static_cast<unsigned>(wParam) & (MK_SHIFT | MK_CONTROL);
    MouseEffect e;
    if (msg == WM_LBUTTONDBLCLK)
        e = DoubleClick(p, keys);
    else if (msg == WM_LBUTTONDOWN)
        e = ButtonDown(p, keys);
    else
        e = DragMove(p, keys, GetKeyState(VK_MENU) < 0);
    if (e.capture) SetCapture(hwnd);
    if (e.mark == 0) {
        ClearMarked();
    } else if (e.mark > 0) {
        SetMarked();
        MarkState = static_cast<uint8_t>(e.mark);
    }
    if (e.repaint) Repaint(hwnd);
    return 0;
}

void PopupMenu(HWND hwnd, LPARAM lParam) {
    POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    RECT client;
    GetClientRect(hwnd, &client);
    if (!PtInRect(&client, pt)) return;
    HMENU menu = LoadMenuA(hInst, "POPUP");
    if (!menu) return;
    ClientToScreen(hwnd, &pt);
    TrackPopupMenuEx(GetSubMenu(menu, 0), 0, pt.x, pt.y, hwnd, nullptr);
    DestroyMenu(menu);
}

}  // namespace

// A scroll bar is set only when its range, page or position changed: most
// repaints leave both bars as they are. The bar keeps its page within the
// range and its position within what the page leaves, so the values asked
// for are compared in that form. A bar that is disabled before and after
// (the whole range fits) looks the same whatever its values: it is not
// drawn again.
bool SetScrollIfChanged(HWND hwnd, int bar, int32_t max, int32_t page, int32_t pos, bool redraw) {
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
    si.nMin = 0;
    si.nMax = max;
    si.nPage = static_cast<UINT>(std::max(page, 0));
    si.nPos = pos;
    const int64_t range = std::max<int64_t>(int64_t{si.nMax} - si.nMin + 1, 0);
    const int64_t kept = std::min<int64_t>(si.nPage, range);
    const int64_t last = std::max<int64_t>(si.nMax - std::max<int64_t>(kept - 1, 0), si.nMin);
    const int64_t at = std::clamp<int64_t>(si.nPos, si.nMin, last);
    SCROLLINFO now{};
    now.cbSize = sizeof now;
    now.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    const bool known = GetScrollInfo(hwnd, bar, &now) != 0;
    if (known && now.nMin == si.nMin && now.nMax == si.nMax && now.nPage == kept && now.nPos == at)
        return false;
    const bool unseen = known && WholeRangeFits(now.nMin, now.nMax, now.nPage) &&
                        WholeRangeFits(si.nMin, si.nMax, kept);
    const bool draw = redraw && !unseen;
    SetScrollInfo(hwnd, bar, &si, draw);
    return !draw && !unseen;
}

void MeasureView() {
    if (!hViewWnd) return;
    RECT client;
    GetClientRect(hViewWnd, &client);
    HDC dc = GetDC(hViewWnd);
    HGDIOBJ old = SelectObject(dc, ViewFont());
    Measure(dc, client);
    SelectObject(dc, old);
    ReleaseDC(hViewWnd, dc);
}

LRESULT CALLBACK ViewWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_PAINT: Paint(hwnd); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_SIZE: FrameDue = true; return 0;
    case WM_NCPAINT: FrameDue = false; return DefWindowProcA(hwnd, msg, wParam, lParam);
    case WM_KEYDOWN: return Key(hwnd, wParam, lParam);
    case WM_KEYUP: return 0;
    case WM_VSCROLL: return Scroll(hwnd, true, wParam);
    case WM_HSCROLL: return Scroll(hwnd, false, wParam);
    case WM_MOUSEWHEEL:
    case WM_MOUSEHWHEEL: return Wheel(hwnd, msg, wParam);
    case WM_LBUTTONDOWN:
    case WM_MOUSEMOVE:
    case WM_LBUTTONDBLCLK: return Mouse(hwnd, msg, wParam, lParam);
    case WM_LBUTTONUP:
        ReleaseCapture();
        MarkDrag = 0;
        return 0;
    case WM_RBUTTONUP: PopupMenu(hwnd, lParam); return 0;
    default: return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
}
