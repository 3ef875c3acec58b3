// The view window's arithmetic, free of the window system: what a key or a
// scroll bar action does to the position, the scroll bar ranges, which byte
// lies under the pointer, what a mouse action does to the mark, and the
// values the navigation dialogs take.
#pragma once
#include <cstdint>

// --- kept by the view window ---
extern int32_t ScrollScale;     // rows per unit of the vertical scroll bar
extern uint16_t ExportShown;    // export item the view enabled last, 0 none
extern int32_t CharWidth;       // measured width of "A" in the view font
extern uint8_t MarkDrag;        // the button went down here; mouse captured
extern uint8_t RowMark;         // the mark grows by whole rows
extern int32_t DragAnchor;      // half-step position where the drag began
extern int32_t DragPos;         // half-step position of the last move
extern int32_t AnchorRowStart;  // the row where a row drag began
extern int32_t AnchorRowEnd;

// Virtual key codes of the navigation keys.
constexpr unsigned KeyPageUp = 0x21, KeyPageDown = 0x22, KeyEnd = 0x23, KeyHome = 0x24,
                   KeyLeft = 0x25, KeyUp = 0x26, KeyRight = 0x27, KeyDown = 0x28;

// Sets RowBytes and HexCols for ShowMode.
void SetRowMetrics();

// The moves of the keys and the scroll bar arrows, within their limits.
void MoveUp(int32_t n);
void MoveDown(int32_t n);
// A navigation key; returns true when the position changed.
bool ViewKey(unsigned key, bool ctrl);

// A scroll bar's range, page and position.
struct ScrollSpec {
    int32_t max;
    int32_t page;
    int32_t pos;
};
// The vertical scroll bar; sets ScrollScale.
ScrollSpec VerticalScroll();
ScrollSpec HorizontalScroll();
// Scroll bar codes (SB_LINEUP 0, SB_LINEDOWN 1, SB_THUMBTRACK 5); the others
// change nothing. Return true when the position changed.
bool VerticalScrollAction(int code, uint16_t thumb);
bool HorizontalScrollAction(int code, uint16_t thumb);

// The place under the pointer: its byte, the half-step position (2b for the
// byte itself, 2b - 1 for the gap before it) and the range of its row. All
// lie within the shown part of the document.
struct PointerPlace {
    int32_t byte;
    int32_t half;
    int32_t rowStart;
    int32_t rowEnd;
};
// The place at client point (x, y); false when there is nothing to point at.
bool PlaceAt(int32_t x, int32_t y, int32_t cellWidth, int32_t rowHeight, PointerPlace* place);

// What a mouse action asks of the window.
struct MouseEffect {
    bool repaint;
    bool capture;  // start a drag: capture the mouse
    int mark;      // -1 unchanged, 0 clear the mark, 1 byte range, 2 block
};
// `keys` holds the MK_SHIFT / MK_CONTROL bits of the message.
MouseEffect ButtonDown(const PointerPlace& p, unsigned keys);
MouseEffect DoubleClick(const PointerPlace& p, unsigned keys);
// A move while MarkDrag is set; `alt` is the Alt key's state.
MouseEffect DragMove(const PointerPlace& p, unsigned keys, bool alt);

// ByteNum for a byte number: below 0 becomes 0, NumBytes or more the last
// byte (0 when the range is empty).
int32_t ClampByteNum(int64_t n);
// LineNum within 1 .. NumLines, Col within 1 .. the width of the mode's rows.
int32_t ClampLineNum(int64_t n);
int32_t ClampCol(int64_t n);
// The width of the rows of the current mode: NumCols or HexCols.
int32_t RowWidth();

// The navigation dialogs' values. Each returns false, changing nothing, for
// an empty text.
bool GoToText(const char* text);  // a line in text mode, else an address
bool SetColumnText(const char* text);
// Marks from the address `first` to the address `last` (both included; an
// empty `last` marks one byte), read in hex or decimal. The mark is kept
// inside the file; false when there is nothing to mark.
bool MarkBytesText(const char* first, const char* last, bool hex);

enum class ConvertResult { Done, NoInput, TooBig };
// Decimal <-> hex: `out` receives the 10-character right-aligned result.
ConvertResult ConvertNumber(const char* input, bool toHex, char* out);
