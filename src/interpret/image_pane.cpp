#include "interpret/image_pane.h"

#include "app/layout.h"
#include "document/document.h"
#include "interpret/file_bytes.h"
#include "interpret/image_table.h"
#include "interpret/selection.h"

int32_t PerRow = 1;
int16_t RowsShown = 0;
int16_t MaxRow = 0;
int16_t VScrollPos = 0;
int16_t HScrollPos = 0;
int32_t BmpWidth = 0;
int32_t BmpHeight = 0;

namespace {
constexpr int LineUp = 0, LineDown = 1, ThumbTrack = 5;
constexpr unsigned KeyPageUp = 0x21, KeyPageDown = 0x22, KeyEnd = 0x23, KeyHome = 0x24,
                   KeyLeft = 0x25, KeyUp = 0x26, KeyRight = 0x27, KeyDown = 0x28;
}  // namespace

int32_t PerRowFor(int32_t viewWidth, int32_t barWidth) {
    const int32_t per = CellWidth > 0 ? (viewWidth - 4 - barWidth) / CellWidth : 1;
    return per < 1 ? 1 : per;
}

void SetImageCells(int32_t viewWidth, int32_t barWidth) {
    ImageIsBitmap = ImageShow == ImagesBitmap;
    if (ImageIsBitmap) {
        uint32_t w = 0, h = 0;
        ReadU32(static_cast<uint32_t>(ByteOffset) + 4ull, w);
        ReadU32(static_cast<uint32_t>(ByteOffset) + 8ull, h);
        BmpWidth = static_cast<int32_t>(w);
        const int32_t height = static_cast<int32_t>(h);
        BmpHeight = height < 0 ? -height : height;
        CellWidth = BmpWidth + 4;
        CellHeight = BmpHeight + 4;
        ContentHeight = CellHeight;
        HScrollPos = 0;
        return;
    }
    if (InterpKind == InterpExe) {
        int32_t largest = 0;
        for (int16_t i : SelImages)
            if (i >= 0 && i < ImageCount && ImagePixels[i] > largest) largest = ImagePixels[i];
        CellWidth = CellHeight = largest + 4;
    }
    if (CellHeight <= 0) CellWidth = CellHeight = 4;
    PerRow = PerRowFor(viewWidth, barWidth);
    const int32_t last = static_cast<int32_t>(SelImages.size()) - 1;
    ContentHeight = (last / PerRow + 1) * CellHeight;
}

void SetPaneRows(int32_t rowsHeight) {
    const int32_t cell = CellHeight > 0 ? CellHeight : 1;
    MaxRow = static_cast<int16_t>(ContentHeight / cell - 1);
    RowsShown = static_cast<int16_t>(rowsHeight / cell);
}

int32_t PaneLastPosition() { return ImageIsBitmap ? BmpHeight + 7 : MaxRow; }

int32_t PanePage(int32_t paneHeight) { return ImageIsBitmap ? paneHeight : RowsShown; }

bool PaneVScroll(int code, int32_t thumb, int32_t) {
    const int32_t last = PaneLastPosition();
    if (code == LineUp && VScrollPos != 0) {
        --VScrollPos;
        return true;
    }
    if (code == LineDown && VScrollPos < last) {
        ++VScrollPos;
        return true;
    }
    if (code == ThumbTrack && VScrollPos != static_cast<int16_t>(thumb)) {
        VScrollPos = static_cast<int16_t>(thumb);
        return true;
    }
    return false;
}

bool PaneHScroll(int code, int32_t thumb, int32_t viewWidth) {
    if (!ImageIsBitmap) return false;
    if (code == LineUp && HScrollPos > 0) {
        --HScrollPos;
        return true;
    }
    if (code == LineDown && HScrollPos < BmpWidth + 8 - viewWidth) {
        ++HScrollPos;
        return true;
    }
    if (code == ThumbTrack && HScrollPos != static_cast<int16_t>(thumb)) {
        HScrollPos = static_cast<int16_t>(thumb);
        return true;
    }
    return false;
}

bool PaneKey(unsigned key, bool ctrl, int32_t paneHeight, int32_t viewWidth) {
    const int32_t page = PanePage(paneHeight);
    const int32_t last = PaneLastPosition();
    const int32_t step = ctrl ? (page + 1) / 2 : page;
    const int16_t before = VScrollPos;
    int32_t pos = VScrollPos;
    switch (key) {
    case KeyPageUp: pos = pos - step < 0 ? 0 : pos - step; break;
    case KeyPageDown: pos = pos + step > last ? (pos > last ? pos : last) : pos + step; break;
    case KeyEnd:
        if (!ctrl) return false;
        pos = last + 1 - page < 0 ? 0 : last + 1 - page;
        break;
    case KeyHome:
        if (!ctrl) return false;
        pos = 0;
        break;
    case KeyLeft: return PaneHScroll(LineUp, 0, viewWidth);
    case KeyRight: return PaneHScroll(LineDown, 0, viewWidth);
    case KeyUp: return PaneVScroll(LineUp, 0, paneHeight);
    case KeyDown: return PaneVScroll(LineDown, 0, paneHeight);
    default: return false;
    }
    VScrollPos = static_cast<int16_t>(pos);
    return VScrollPos != before;
}
