// Copy and export of the marked area: the block mark of the text view as
// text lines, and the bytes of a byte-range mark.
#pragma once
#include <cstdint>

// Size of the last block text that GetBlockText built, its NUL included.
extern int32_t BlockSize;

// Room GetBlockText needs for the current block mark, its NUL included:
// (lines) x (width + 9) + 1, for a tab that crosses BlockCol2 is expanded in
// full. Never less than 1.
int64_t BlockTextRoom();

// Writes the block mark (the columns BlockCol1 .. BlockCol2 - 1 of the lines
// that hold MarkStart through MarkEnd) as text: tabs expanded to spaces,
// short lines padded with spaces, each line ended by CR LF, then a NUL.
// Never writes more than `room` bytes (the text is cut short when it does
// not fit). Returns the length without the NUL and sets BlockSize.
int32_t GetBlockText(char* out, int64_t room);

// The bytes of a byte-range mark, kept inside the file: [start, start + len).
struct MarkedSpan {
    int32_t start;
    int32_t len;
};
MarkedSpan MarkedBytes();

// The byte-range mark as clipboard text: its bytes up to the first zero byte,
// then a NUL. Reads nothing beyond the mark; writes at most `room` bytes
// (room MarkedBytes().len + 1 always fits). Returns the length without NUL.
int32_t GetMarkedText(char* out, int32_t room);
