// The icons made from the file and the image pane that draws them, or one
// bitmap, above the view window.
#include <windows.h>

#include <cstring>
#include <vector>

#include "app/app_win.h"
#include "app/layout.h"
#include "app/settings.h"
#include "app/wheel_win.h"
#include "document/document.h"
#include "interpret/image_check.h"
#include "interpret/image_pane.h"
#include "interpret/image_table.h"
#include "interpret/interp_tree.h"
#include "interpret/interpret_win.h"
#include "interpret/selection.h"

HICON ImageIcons[MaxImages];

namespace {

// Which entries of ImageIcons have been made (or found unmakeable): icons
// are made when first drawn, so that a tree with hundreds of images is
// shown without waiting for all of them.
bool IconMade[MaxImages];

// The icon of image i, made from the file's bytes on first use once its
// header, colours, bits and mask are known to lie in the image and the file.
HICON IconOf(int16_t i) {
    if (IconMade[i]) return ImageIcons[i];
    IconMade[i] = true;
    ImageIcons[i] = 0;
    const int width = ImagePixels[i];
    if (width == 0 || !IconImageFits(ImageOffsets[i], ImageLengths[i])) return 0;
    // An icon file's entry asks for its own height; an executable's images
    // are square.
    int height = width;
    if (InterpKind == InterpIconFile) {
        height = FileBuf[static_cast<uint32_t>(ImageEntries[i]) + 1];
        if (height == 0) height = 256;
    }
    ImageIcons[i] = CreateIconFromResourceEx(FileBuf + ImageOffsets[i], ImageLengths[i], TRUE,
                                             0x00030000, width, height, 0);
    return ImageIcons[i];
}

constexpr unsigned DrawIconFailed = 2318;

void SetBar(HWND hwnd, int bar, int32_t max, int32_t page, int32_t pos) {
    SetScrollIfChanged(hwnd, bar, max, page, pos);
}

// Shows the bars the layout asks for, with their ranges, pages and
// positions; a bar with nothing to scroll is hidden.
void SetBars(HWND hwnd) {
    ShowScrollBar(hwnd, SB_VERT, PaneHasVBar);
    ShowScrollBar(hwnd, SB_HORZ, PaneHasHBar);
    if (PaneHasVBar) SetBar(hwnd, SB_VERT, PaneVRange(), PaneVPage(), VScrollPos);
    if (PaneHasHBar) SetBar(hwnd, SB_HORZ, PaneHRange(), PaneHPage(), HScrollPos);
}

void PaintIcons(HDC dc) {
    const int32_t count = static_cast<int32_t>(SelImages.size());
    const int64_t first = int64_t{PerRow} * VScrollPos;
    int64_t last = first + int64_t{RowsShown + 1} * PerRow - 1;  // and the part row below
    if (last > count - 1) last = count - 1;
    // Images without an icon take no cell: the drawn ones are packed.
    int32_t column = 0, y = 0;
    for (int64_t k = first; k <= last; ++k) {
        const int16_t i = SelImages[static_cast<size_t>(k)];
        if (i < 0 || i >= ImageCount || !IconOf(i)) continue;
        const int32_t size = ImagePixels[i];
        const int32_t x = column * CellWidth - HScrollPos;
        if (!DrawIconEx(dc, x + (CellWidth - size) / 2, y + (CellHeight - size) / 2, ImageIcons[i],
                        0, 0, 0, nullptr, DI_NORMAL))
            LastErrorBox(DrawIconFailed);
        if (++column == PerRow) {
            column = 0;
            y += CellHeight;
        }
    }
}

void PaintBitmap(HDC dc) {
    DibParts parts;
    const uint32_t at = static_cast<uint32_t>(ByteOffset);
    if (!BitmapFits(at, NumBytes, parts)) return;
    // The header and colour table go to the system from a copy that holds
    // the whole table it may read: its own count of colours is not used.
    struct {
        BITMAPINFOHEADER header;
        uint8_t rest[12 + 256 * 4];
    } info{};
    std::memcpy(&info, FileBuf + at, parts.InfoSize);
    info.header.biClrUsed = 0;
    info.header.biClrImportant = 0;
    const void* bits = FileBuf + at + parts.BitsOffset;
    HBITMAP bmp = CreateDIBitmap(dc, &info.header, CBM_INIT, bits,
                                 reinterpret_cast<const BITMAPINFO*>(&info), DIB_RGB_COLORS);
    if (!bmp) return;
    HDC mem = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(mem, bmp);
    // Only the part in the client area is copied: the offsets stay small
    // whatever the bitmap's size.
    const int32_t sx = HScrollPos > 2 ? HScrollPos - 2 : 0,
                  sy = VScrollPos > 2 ? VScrollPos - 2 : 0;
    const int32_t dx = HScrollPos > 2 ? 0 : 2 - HScrollPos,
                  dy = VScrollPos > 2 ? 0 : 2 - VScrollPos;
    BitBlt(dc, dx, dy, PaneClientWidth, PaneClientHeight, mem, sx, sy, SRCCOPY);
    SelectObject(mem, old);
    DeleteDC(mem);
    DeleteObject(bmp);
}

void Repaint(HWND hwnd) { InvalidateRect(hwnd, nullptr, TRUE); }

// What the pane's paint draws from: a new selection that shows the same
// images, or the same bitmap, laid out alike leaves the pane as it is.
struct PaneState {
    uint8_t show;
    int32_t offset, perRow, cellWidth, cellHeight, width, height, top, left;
    uint32_t bytes;
    std::vector<int16_t> images;
    bool operator==(const PaneState& o) const {
        return show == o.show && offset == o.offset && perRow == o.perRow &&
               cellWidth == o.cellWidth && cellHeight == o.cellHeight && width == o.width &&
               height == o.height && top == o.top && left == o.left && bytes == o.bytes &&
               images == o.images;
    }
};

PaneState Painted;

PaneState CurrentPane() {
    PaneState p{ImageShow,        0,          PerRow,     CellWidth, CellHeight, PaneClientWidth,
                PaneClientHeight, VScrollPos, HScrollPos, 0,         {}};
    if (ImageShow == ImagesBitmap) {
        p.offset = ByteOffset;
        p.bytes = NumBytes;
    } else {
        p.images = SelImages;
    }
    return p;
}

LRESULT Key(HWND hwnd, WPARAM wParam, LPARAM lParam) {
    BYTE keys[256];
    GetKeyboardState(keys);
    WORD chars[2] = {0, 0};
    const int n = ToAscii(static_cast<UINT>(wParam), (lParam >> 16) & 0xFF, keys, chars, 0);
    if (n > 0 && (chars[0] & 0xFF) > 31) return 0;
    if (PaneKey(static_cast<unsigned>(wParam), (keys[VK_CONTROL] & 0x80) != 0)) {
        SetBars(hwnd);
        Repaint(hwnd);
    }
    return 0;
}

LRESULT Scroll(HWND hwnd, bool vertical, WPARAM wParam) {
    SetFocus(hwnd);
    const int code = LOWORD(wParam);
    // The thumb's 32-bit position: the message holds only 16 bits.
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_TRACKPOS;
    const int32_t thumb =
        GetScrollInfo(hwnd, vertical ? SB_VERT : SB_HORZ, &si) ? si.nTrackPos : HIWORD(wParam);
    if (vertical ? PaneVScroll(code, thumb) : PaneHScroll(code, thumb)) {
        SetBars(hwnd);
        Repaint(hwnd);
    }
    return 0;
}

// The wheel through the scroll bars' line moves: rows of icons, or 16
// pixels a line of a bitmap.
LRESULT Wheel(HWND hwnd, UINT msg, WPARAM wParam) {
    static WheelTurn down, across;
    const bool sideways = msg == WM_MOUSEHWHEEL;
    const int32_t line = ImageIsBitmap ? 16 : 1;
    const int32_t page = sideways ? PaneHPage() : PaneVPage();
    const int32_t steps = WheelSteps(sideways ? &across : &down, msg, wParam, line, page);
    const int code = steps < 0 ? 0 : 1;  // a line up (left) or down (right)
    bool moved = false;
    for (int32_t i = 0; i < steps || i < -steps; ++i) {
        if (!(sideways ? PaneHScroll(code, 0) : PaneVScroll(code, 0))) break;
        moved = true;
    }
    if (moved) {
        SetBars(hwnd);
        Repaint(hwnd);
    }
    return 0;
}

// Moves a child of the main window unless it stands there already: most
// selections keep the pane's place and size.
void Place(HWND hwnd, int32_t x, int32_t y, int32_t width, int32_t height) {
    RECT r;
    GetWindowRect(hwnd, &r);
    MapWindowPoints(nullptr, wn, reinterpret_cast<POINT*>(&r), 2);
    if (r.left == x && r.top == y && r.right - r.left == width && r.bottom - r.top == height)
        return;
    SetWindowPos(hwnd, 0, x, y, width, height, SWP_NOZORDER);
}

// Lays the pane out for the views and moves it and the view window.
void PlacePanes() {
    ImagePaneHeight = LayOutPane(ViewWidth, ViewHeight, ScrollBarWidth, ScrollBarHeight);
    const int32_t left = TreeWidth + SplitterGap;
    Place(hImageWnd, left, ToolBarHeight, ViewWidth, ImagePaneHeight);
    SetBars(hImageWnd);
    Place(hViewWnd, left, ToolBarHeight + ImagePaneHeight + 4, ViewWidth,
          ViewHeight - ImagePaneHeight - 4);
}

}  // namespace

void MakeImageIcons() {
    for (int16_t i = 0; i < ImageCount; ++i) {
        ImageIcons[i] = 0;
        IconMade[i] = false;
    }
}

HICON ImageIcon(int16_t i) { return i >= 0 && i < ImageCount ? IconOf(i) : 0; }

void DestroyImageIcons() {
    for (int16_t i = 0; i < ImageCount; ++i) {
        if (ImageIcons[i]) DestroyIcon(ImageIcons[i]);
        ImageIcons[i] = 0;
        IconMade[i] = false;
    }
}

void ShowImagePane() {
    SetImageCells();
    VScrollPos = HScrollPos = 0;
    const bool existed = hImageWnd != 0;
    if (!hImageWnd) {
        hImageWnd = CreateWindowExA(
            WS_EX_CLIENTEDGE, "PlainVanilla", "", WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL,
            TreeWidth + SplitterGap, ToolBarHeight, ViewWidth, 0, wn, nullptr, hInst, nullptr);
        // Without a pane the view keeps the whole area.
        if (!hImageWnd) return;
    }
    PlacePanes();
    if (!existed || !(CurrentPane() == Painted)) InvalidateRect(hImageWnd, nullptr, TRUE);
}

int32_t PlaceImagePane() {
    if (!hImageWnd) return 0;
    PlacePanes();
    return ImagePaneHeight;
}

void RemoveImagePane() {
    if (!hImageWnd) return;
    HWND pane = hImageWnd;
    hImageWnd = 0;
    DestroyWindow(pane);
    SetWindowPos(hViewWnd, 0, TreeWidth + SplitterGap, ToolBarHeight, ViewWidth, ViewHeight,
                 SWP_NOZORDER);
}

LRESULT CALLBACK ImageWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        // Only the program's own pane draws the selection.
        if (hwnd == hImageWnd) {
            Painted = CurrentPane();
            if (ImageIsBitmap)
                PaintBitmap(dc);
            else
                PaintIcons(dc);
        }
        EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_HSCROLL: return Scroll(hwnd, false, wParam);
    case WM_VSCROLL: return Scroll(hwnd, true, wParam);
    case WM_KEYDOWN: return Key(hwnd, wParam, lParam);
    case WM_KEYUP: return 0;
    case WM_MOUSEWHEEL:
    case WM_MOUSEHWHEEL: return Wheel(hwnd, msg, wParam);
    default: return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
}
