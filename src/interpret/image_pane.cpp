#include "interpret/image_pane.h"

#include "document/document.h"
#include "interpret/file_bytes.h"
#include "interpret/image_table.h"
#include "interpret/selection.h"

int32_t CellWidth = 0;
int32_t CellHeight = 0;
uint8_t ImageIsBitmap = 0;
int32_t PerRow = 1;
int32_t ContentHeight = 0;
int32_t ContentWidth = 0;
int32_t BmpWidth = 0;
int32_t BmpHeight = 0;
int32_t PaneClientWidth = 0;
int32_t PaneClientHeight = 0;
uint8_t PaneHasVBar = 0;
uint8_t PaneHasHBar = 0;
int32_t RowsShown = 0;
int32_t MaxRow = 0;
int32_t VScrollPos = 0;
int32_t HScrollPos = 0;

namespace {

constexpr int LineUp = 0, LineDown = 1, PageUp = 2, PageDown = 3, ThumbPosition = 4, ThumbTrack = 5,
              Top = 6, Bottom = 7;
constexpr unsigned KeyPageUp = 0x21, KeyPageDown = 0x22, KeyEnd = 0x23, KeyHome = 0x24,
                   KeyLeft = 0x25, KeyUp = 0x26, KeyRight = 0x27, KeyDown = 0x28;
constexpr int32_t Edge = 4;  // the pane's client edge, 2 pixels each side

// Sizes in pixels are kept below 2^31: a bitmap 2^31 - 1 pixels wide with
// its margin still has a size.
int32_t Clamp(int64_t v) {
    if (v > INT32_MAX) return INT32_MAX;
    return v < 0 ? 0 : static_cast<int32_t>(v);
}

int32_t ImagesShown() { return static_cast<int32_t>(SelImages.size()); }

int32_t PerRowIn(int32_t clientWidth) {
    const int32_t per = CellWidth > 0 ? clientWidth / CellWidth : 1;
    return per < 1 ? 1 : per;
}

// Rows of PerRow cells for the images shown; an empty range keeps one row.
int32_t RowsFor(int32_t perRow) {
    const int32_t n = ImagesShown();
    return n > 0 ? (n - 1) / perRow + 1 : 1;
}

int32_t Keep(int32_t pos, int32_t last) { return pos > last ? last : pos < 0 ? 0 : pos; }

bool MoveTo(int32_t& pos, int64_t to, int32_t last) {
    const int32_t next = Keep(Clamp(to < 0 ? 0 : to), last);
    if (next == pos) return false;
    pos = next;
    return true;
}

bool Scroll(int32_t& pos, int code, int32_t thumb, int32_t page, int32_t last) {
    switch (code) {
    case LineUp: return MoveTo(pos, int64_t{pos} - 1, last);
    case LineDown: return MoveTo(pos, int64_t{pos} + 1, last);
    case PageUp: return MoveTo(pos, int64_t{pos} - (page > 1 ? page : 1), last);
    case PageDown: return MoveTo(pos, int64_t{pos} + (page > 1 ? page : 1), last);
    case ThumbPosition:
    case ThumbTrack: return MoveTo(pos, thumb, last);
    case Top: return MoveTo(pos, 0, last);
    case Bottom: return MoveTo(pos, last, last);
    default: return false;
    }
}

}  // namespace

void SetImageCells() {
    ImageIsBitmap = ImageShow == ImagesBitmap;
    if (ImageIsBitmap) {
        uint32_t w = 0, h = 0;
        ReadU32(static_cast<uint32_t>(ByteOffset) + 4ull, w);
        ReadU32(static_cast<uint32_t>(ByteOffset) + 8ull, h);
        const int32_t height = static_cast<int32_t>(h);
        BmpWidth = Clamp(static_cast<int32_t>(w));
        BmpHeight = height == INT32_MIN ? INT32_MAX : height < 0 ? -height : height;
        CellWidth = Clamp(int64_t{BmpWidth} + 4);
        CellHeight = Clamp(int64_t{BmpHeight} + 4);
        HScrollPos = 0;
        return;
    }
    if (InterpKind == InterpExe) {
        int32_t largest = 0;
        for (int16_t i : SelImages)
            if (i >= 0 && i < ImageCount && ImagePixels[i] > largest) largest = ImagePixels[i];
        CellWidth = CellHeight = largest + 4;
    }
    if (CellHeight <= 0 || CellWidth <= 0) CellWidth = CellHeight = 4;
}

int32_t LayOutPane(int32_t width, int32_t height, int32_t barWidth, int32_t barHeight) {
    const int32_t limit = 7 * (height / 8);
    const int32_t firstShown = ImageIsBitmap ? 0 : VScrollPos * PerRow;
    int32_t rowsHeight = 0;
    if (ImageIsBitmap) {
        ContentWidth = CellWidth;
        ContentHeight = CellHeight;
        PaneHasVBar = int64_t{ContentHeight} + Edge > limit;
        rowsHeight = PaneHasVBar ? limit - Edge : ContentHeight;
    } else {
        // Without a vertical bar first; with it when the rows do not fit.
        PerRow = PerRowIn(width - Edge);
        const int32_t cell = CellHeight;
        PaneHasVBar = int64_t{RowsFor(PerRow)} * cell + Edge > limit;
        if (PaneHasVBar) PerRow = PerRowIn(width - Edge - barWidth);
        const int32_t rows = RowsFor(PerRow);
        ContentHeight = Clamp(int64_t{rows} * cell);
        ContentWidth = Clamp(int64_t{ImagesShown() < PerRow ? ImagesShown() : PerRow} * CellWidth);
        if (ContentWidth < CellWidth) ContentWidth = CellWidth;
        const int32_t fit = (limit - Edge) / cell;
        rowsHeight = PaneHasVBar ? (fit > 1 ? fit : 1) * cell : ContentHeight;
    }
    if (rowsHeight < 0) rowsHeight = 0;
    PaneClientWidth = width - Edge - (PaneHasVBar ? barWidth : 0);
    if (PaneClientWidth < 0) PaneClientWidth = 0;
    PaneHasHBar = ContentWidth > PaneClientWidth;
    PaneClientHeight = rowsHeight;

    const int32_t cell = CellHeight > 0 ? CellHeight : 1;
    MaxRow = ContentHeight / cell - 1;
    RowsShown = PaneClientHeight / cell;
    // The first icon shown stays in view when the rows change.
    if (!ImageIsBitmap) VScrollPos = firstShown / PerRow;
    VScrollPos = Keep(VScrollPos, PaneLastVPos());
    HScrollPos = Keep(HScrollPos, PaneLastHPos());
    return Clamp(int64_t{rowsHeight} + Edge + (PaneHasHBar ? barHeight : 0));
}

int32_t PaneVRange() { return ImageIsBitmap ? ContentHeight - 1 : MaxRow; }
int32_t PaneVPage() { return ImageIsBitmap ? PaneClientHeight : RowsShown; }
int32_t PaneHRange() { return ContentWidth > 0 ? ContentWidth - 1 : 0; }
int32_t PaneHPage() { return PaneClientWidth; }

int32_t PaneLastVPos() {
    const int32_t last = PaneVRange() + 1 - PaneVPage();
    return last > 0 ? last : 0;
}

int32_t PaneLastHPos() {
    const int32_t last = PaneHRange() + 1 - PaneHPage();
    return last > 0 ? last : 0;
}

bool PaneVScroll(int code, int32_t thumb, int32_t) {
    return Scroll(VScrollPos, code, thumb, PaneVPage(), PaneLastVPos());
}

bool PaneHScroll(int code, int32_t thumb, int32_t) {
    return Scroll(HScrollPos, code, thumb, PaneHPage(), PaneLastHPos());
}

bool PaneKey(unsigned key, bool ctrl, int32_t, int32_t) {
    const int32_t page = PaneVPage();
    const int32_t step = ctrl ? (page + 1) / 2 : page;
    const int32_t last = PaneLastVPos();
    switch (key) {
    case KeyPageUp: return MoveTo(VScrollPos, int64_t{VScrollPos} - step, last);
    case KeyPageDown: return MoveTo(VScrollPos, int64_t{VScrollPos} + step, last);
    case KeyEnd: return ctrl && MoveTo(VScrollPos, last, last);
    case KeyHome: return ctrl && MoveTo(VScrollPos, 0, last);
    case KeyLeft: return PaneHScroll(LineUp, 0);
    case KeyRight: return PaneHScroll(LineDown, 0);
    case KeyUp: return PaneVScroll(LineUp, 0);
    case KeyDown: return PaneVScroll(LineDown, 0);
    default: return false;
    }
}
