#include "view/view_nav.h"

#include <algorithm>
#include <cstring>

#include "document/document.h"
#include "document/line_index.h"
#include "document/text_number.h"
#include "view/hex_rows.h"
#include "view/view_modes.h"

int32_t ScrollScale = 1;
uint16_t ExportShown = 0;
int32_t CharWidth = 8;
uint8_t MarkDrag = 0;
uint8_t RowMark = 0;
int32_t DragAnchor = 0;
int32_t DragPos = -1;
int32_t AnchorRowStart = 0;
int32_t AnchorRowEnd = 0;

namespace {

constexpr int ScrollLineUp = 0;    // SB_LINEUP, SB_LINELEFT
constexpr int ScrollLineDown = 1;  // SB_LINEDOWN, SB_LINERIGHT
constexpr int ScrollThumbTrack = 5;

bool TextMode() { return ShowMode == _TEXT_; }

// The end of the shown bytes, never beyond the file. Text mode shows the
// whole file, whatever range an interpretation chose before.
int64_t ShownEnd() {
    if (TextMode()) return FileSize;
    return std::min<int64_t>(static_cast<int64_t>(ByteOffset) + NumBytes, FileSize);
}

// The position of the view, to tell whether an action changed it.
struct Position {
    int32_t line, col, byte;
    bool operator==(const Position& o) const {
        return line == o.line && col == o.col && byte == o.byte;
    }
};
Position Now() { return {LineNum, Col, ByteNum}; }

int32_t Clamp64(int64_t v, int64_t lo, int64_t hi) {
    return static_cast<int32_t>(std::max(lo, std::min(v, hi)));
}

// A mark that left the file is dropped rather than shown or copied.
MouseEffect Sound(MouseEffect e) {
    if (e.mark > 0 && !(MarkStart >= 0 && MarkStart < MarkEnd && MarkEnd <= FileSize)) e.mark = 0;
    return e;
}

constexpr MouseEffect Nothing{false, false, -1};

}  // namespace

void SetRowMetrics() {
    const bool chars = ShowMode == _CHAR_;
    RowBytes = chars ? 64 : 16;
    HexCols = chars ? CharRowWidth : HexRowWidth;
}

int32_t RowWidth() { return TextMode() ? NumCols : HexCols; }

int32_t ClampByteNum(int64_t n) {
    if (NumBytes == 0 || n < 0) return 0;
    return static_cast<int32_t>(std::min<int64_t>(n, static_cast<int64_t>(NumBytes) - 1));
}

int32_t ClampLineNum(int64_t n) { return Clamp64(std::min<int64_t>(n, NumLines), 1, INT32_MAX); }

int32_t ClampCol(int64_t n) { return Clamp64(std::min<int64_t>(n, RowWidth()), 1, INT32_MAX); }

void MoveUp(int32_t n) {
    if (TextMode()) {
        if (LineNum > 1) LineNum = Clamp64(static_cast<int64_t>(LineNum) - n, 1, INT32_MAX);
        return;
    }
    if (ByteNum != 0)
        ByteNum = Clamp64(static_cast<int64_t>(ByteNum) - static_cast<int64_t>(n) * RowBytes, 0,
                          INT32_MAX);
}

void MoveDown(int32_t n) {
    if (TextMode()) {
        LineNum = ClampLineNum(static_cast<int64_t>(LineNum) + n);
        return;
    }
    const int64_t next = static_cast<int64_t>(ByteNum) + static_cast<int64_t>(n) * RowBytes;
    if (next < static_cast<int64_t>(NumBytes)) {
        ByteNum = static_cast<int32_t>(next);
        return;
    }
    // The last row, at the same place within the row (but never past the
    // last byte of a short row).
    const int64_t last = (static_cast<int64_t>(NumBytes) - 1) & ~static_cast<int64_t>(RowBytes - 1);
    ByteNum = ClampByteNum(last | (ByteNum & (RowBytes - 1)));
}

bool ViewKey(unsigned key, bool ctrl) {
    const Position before = Now();
    const bool text = TextMode();
    const bool wrap = WrapFlag != 0;
    switch (key) {
    case KeyPageUp: MoveUp(ctrl ? (ScreenLines - 1) / 2 : ScreenLines - 1); break;
    case KeyPageDown: MoveDown(ctrl ? (ScreenLines - 1) / 2 : ScreenLines - 1); break;
    case KeyEnd:
        if (ctrl && text) {
            LineNum = Clamp64(static_cast<int64_t>(NumLines) + 2 - ScreenLines, 1, INT32_MAX);
        } else if (ctrl) {
            if (NumBytes == 0) {
                ByteNum = 0;
                break;
            }
            const int64_t rows = (static_cast<int64_t>(NumBytes) - 1) / RowBytes;
            const int64_t top = (rows + 2 - ScreenLines) * RowBytes;
            ByteNum =
                Clamp64(std::min<int64_t>(static_cast<int64_t>(NumBytes) - 1, top), 0, INT32_MAX);
        } else if (text) {
            if (!wrap) Col = Clamp64(static_cast<int64_t>(NumCols) + 1 - ScreenCols, 1, INT32_MAX);
        } else {
            Col = Clamp64(static_cast<int64_t>(HexCols) + 1 - ScreenCols, 1, INT32_MAX);
        }
        break;
    case KeyHome:
        if (ctrl) {
            LineNum = 1;
            ByteNum = 0;
        } else {
            Col = 1;
        }
        break;
    case KeyLeft:
        if (text)
            Col = Clamp64(static_cast<int64_t>(Col) - (ctrl ? 40 : 1), 1, INT32_MAX);
        else
            ByteNum = Clamp64(static_cast<int64_t>(ByteNum) - 1, 0, INT32_MAX);
        break;
    case KeyRight:
        if (text) {
            if (!wrap)
                Col =
                    Clamp64(std::min<int64_t>(static_cast<int64_t>(Col) + (ctrl ? 40 : 1), NumCols),
                            1, INT32_MAX);
        } else {
            ByteNum = ClampByteNum(static_cast<int64_t>(ByteNum) + 1);
        }
        break;
    case KeyUp: MoveUp(1); break;
    case KeyDown: MoveDown(1); break;
    default: break;
    }
    return !(Now() == before);
}

ScrollSpec VerticalScroll() {
    int64_t m, q;
    if (TextMode()) {
        m = std::max<int64_t>(static_cast<int64_t>(NumLines) - 1, 0);
        q = std::max<int64_t>(static_cast<int64_t>(LineNum) - 1, 0);
    } else {
        m = NumBytes == 0 ? 0 : (static_cast<int64_t>(NumBytes) - 1) / RowBytes;
        q = std::max<int32_t>(ByteNum, 0) / RowBytes;
    }
    ScrollScale = static_cast<int32_t>(m >> 16) + 1;
    if (ScrollScale > 1) {
        m = m / ScrollScale + 1;
        q = q / ScrollScale;
    }
    return {static_cast<int32_t>(m), std::max(ScreenLines - 1, 0) / ScrollScale,
            static_cast<int32_t>(q)};
}

ScrollSpec HorizontalScroll() {
    int32_t max;
    if (TextMode())
        max = WrapFlag ? 0 : std::max(NumCols - 1, 0);
    else
        max = HexCols - 1;
    return {max, ScreenCols, Col - 1};
}

bool VerticalScrollAction(int code, uint16_t thumb) {
    const Position before = Now();
    switch (code) {
    case ScrollLineUp: MoveUp(1); break;
    case ScrollLineDown: MoveDown(1); break;
    case ScrollThumbTrack: {
        const int64_t rows = static_cast<int64_t>(thumb) * std::max(ScrollScale, 1);
        if (TextMode())
            LineNum = ClampLineNum(rows + 1);
        else
            ByteNum = ClampByteNum(rows * RowBytes);
        break;
    }
    default: break;
    }
    return !(Now() == before);
}

bool HorizontalScrollAction(int code, uint16_t thumb) {
    const Position before = Now();
    switch (code) {
    case ScrollLineUp:
        if (Col > 1) --Col;
        break;
    case ScrollLineDown:
        if (Col < RowWidth()) ++Col;
        break;
    case ScrollThumbTrack: Col = static_cast<int32_t>(thumb) + 1; break;
    default: break;
    }
    return !(Now() == before);
}

bool PlaceAt(int32_t x, int32_t y, int32_t cellWidth, int32_t rowHeight, PointerPlace* place) {
    if (FileSize == 0 || cellWidth <= 0 || rowHeight <= 0) return false;
    GapFlag = 0;
    int32_t c;
    if (x < 4) {
        c = Col - 1;
        GapFlag = 1;
    } else {
        c = std::max((x - 4) / cellWidth + Col - 1, 0);
    }
    const int32_t r = std::max((y - 4) / rowHeight, 0);
    const int64_t end = ShownEnd();
    int64_t b, rs, re;
    if (TextMode()) {
        const int32_t lines = std::min(NumLines, TableLines());
        if (lines <= 0) return false;
        const int64_t line = static_cast<int64_t>(LineNum) - 1 + r;
        if (line >= lines) {
            // Below the last line: the end of the file, on the last line.
            rs = LineStart(lines - 1);
            re = LineEnd(lines - 1);
            b = FileSize;
            GapFlag = 1;
        } else {
            rs = LineStart(static_cast<int32_t>(line));
            re = LineEnd(static_cast<int32_t>(line));
            b = GetTextByte(static_cast<int32_t>(line), c);
        }
    } else {
        if (NumBytes == 0) return false;
        const int64_t first = static_cast<int64_t>(ByteOffset) + ByteNum;
        if (first >= end) return false;
        int64_t row = r;
        const int64_t lastRow = (end - 1 - first) / RowBytes;
        if (row > lastRow) {
            row = lastRow;
            c = INT32_MAX / 2;  // beyond the row: its end
        }
        rs = first + row * RowBytes;
        re = std::min(rs + RowBytes, end);
        int64_t k = static_cast<int64_t>(c) - 11;
        int64_t j;
        if (k < 0) {
            k = 0;
            GapFlag = 1;
        }
        if (ShowMode == _CHAR_) {
            if (k >= 64) {
                k = 64;
                GapFlag = 1;
            }
            j = k;
        } else {
            if (k <= 41)
                j = k < 22 ? 2 * (k + 1) / 5 : 2 * k / 5;
            else if (k == 42) {
                j = 0;
                GapFlag = 1;
            } else {
                j = k - 43;
            }
            if (j >= 16) {
                j = 16;
                GapFlag = 1;
            }
        }
        b = rs + j;
    }
    if (b >= end) {
        b = end;
        GapFlag = 1;
    }
    if (re > end) re = end;
    place->byte = static_cast<int32_t>(b);
    place->half = static_cast<int32_t>(2 * b - GapFlag);
    place->rowStart = static_cast<int32_t>(rs);
    place->rowEnd = static_cast<int32_t>(re);
    return true;
}

namespace {

MouseEffect Extend(const PointerPlace& p) {
    if (MarkState == 0) return Nothing;
    if (RowMark) {
        if (p.rowStart < MarkStart)
            MarkStart = p.rowStart;
        else
            MarkEnd = p.rowEnd;
    } else if (p.byte < MarkStart) {
        MarkStart = p.byte;
    } else {
        MarkEnd = std::max((p.half >> 1) + 1, MarkStart + 1);
    }
    return Sound({true, false, MarkState});
}

}  // namespace

MouseEffect ButtonDown(const PointerPlace& p, unsigned keys) {
    if (keys & KeyShift) return Extend(p);
    if (keys & KeyControl) {
        // An empty row (the last line after a final line end) starts the
        // drag without marking it: Sound drops the empty mark.
        const bool marked = MarkState != 0;
        AnchorRowStart = MarkStart = p.rowStart;
        AnchorRowEnd = MarkEnd = p.rowEnd;
        MarkDrag = 1;
        RowMark = 1;
        MouseEffect e = Sound({true, true, 1});
        if (e.mark == 0 && !marked) e = {false, true, -1};
        return e;
    }
    DragAnchor = p.half;
    DragPos = -1;
    MarkDrag = 1;
    RowMark = 0;
    if (MarkState) return {true, true, 0};
    return {false, true, -1};
}

MouseEffect DoubleClick(const PointerPlace& p, unsigned keys) {
    const int64_t end = ShownEnd();
    if (p.byte < 0 || p.byte >= end) return Nothing;
    int64_t s = static_cast<int64_t>(p.byte) - 1;
    while (s >= 0 && IsWordChar(FileBuf[s], keys)) --s;
    int64_t e = static_cast<int64_t>(p.byte) + 1;
    while (e < end && IsWordChar(FileBuf[e], keys)) ++e;
    MarkStart = static_cast<int32_t>(s + 1);
    MarkEnd = static_cast<int32_t>(e);
    RowMark = 0;
    return Sound({true, false, 1});
}

MouseEffect DragMove(const PointerPlace& p, unsigned keys, bool alt) {
    if (keys & KeyShift) return Extend(p);
    if (RowMark || (keys & KeyControl)) {
        if (p.rowStart == MarkStart && p.rowEnd == MarkEnd) return Nothing;
        if (p.rowStart <= AnchorRowStart) MarkStart = p.rowStart;
        if (p.rowEnd >= AnchorRowEnd) MarkEnd = p.rowEnd;
        return Sound({true, false, 1});
    }
    if (p.half == DragPos) return Nothing;
    DragPos = p.half;
    const int32_t lo = std::min(DragAnchor, DragPos);
    const int32_t hi = std::max(DragAnchor, DragPos);
    MarkStart = (lo + 1) >> 1;  // rounded up: a gap belongs to the byte after it
    MarkEnd = (hi >> 1) + 1;
    if (MarkEnd > MarkStart) return Sound({true, false, alt ? 2 : 1});
    return {true, false, 0};
}

bool GoToText(const char* text) {
    if (!text[0]) return false;
    if (TextMode())
        LineNum = ClampLineNum(static_cast<int32_t>(ParseDec(text)));
    else
        ByteNum = ClampByteNum(PositionOfAddress(ParseHex(text)));
    return true;
}

bool SetColumnText(const char* text) {
    if (!text[0]) return false;
    Col = ClampCol(static_cast<int32_t>(ParseDec(text)));
    return true;
}

namespace {
// The file offset of a typed mark address, without wrapping.
int64_t MarkOffset(uint32_t a) {
    switch (AddrMode) {
    case AddrZero: return static_cast<int64_t>(a) + ByteOffset;
    case AddrRva: return static_cast<int64_t>(a) - RvaBias;
    default: return a;
    }
}
}  // namespace

bool MarkBytesText(const char* first, const char* last, bool hex) {
    if (!first[0] || FileSize == 0) return false;
    auto parse = hex ? ParseHex : ParseDec;
    const int64_t start = MarkOffset(parse(first));
    const int64_t end = last[0] ? MarkOffset(parse(last)) + 1 : start + 1;
    // Kept inside the file: at least the first byte, at most up to its end.
    MarkStart = Clamp64(start, 0, FileSize - 1);
    MarkEnd = Clamp64(end, static_cast<int64_t>(MarkStart) + 1, FileSize);
    return true;
}

ConvertResult ConvertNumber(const char* input, bool toHex, char* out) {
    const size_t n = std::strlen(input);
    if (n == 0) return ConvertResult::NoInput;
    if (n > (toHex ? 10u : 8u)) return ConvertResult::TooBig;
    if (toHex)
        FormatHex(out, ParseDec(input), 10, ' ');
    else
        FormatDec(out, ParseHex(input), 10, ' ');
    out[10] = '\0';
    return ConvertResult::Done;
}
