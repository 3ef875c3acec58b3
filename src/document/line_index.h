// The line table of the text view: where each displayed line begins, with
// tab stops every 8 columns and optional wrapping at ScreenCols.
#pragma once
#include <cstdint>

// Bit 31 of a LinePtr entry: the line begins at the start of the range or
// right after a line end (it does not continue a wrapped line).
constexpr uint32_t RealLine = 0x80000000u;
constexpr uint32_t LineOffsetMask = 0x7FFFFFFFu;

// Entries 0..NumLines-1 are line starts; entry NumLines is the end entry.
// MaxLines + 1 entries are available.
extern uint32_t* const LinePtr;
extern int32_t MaxLines;
extern int32_t FileLines;    // lines found by the last build
extern int32_t FileCols;     // widest line of the last build, at least 1
extern uint8_t LineNumFlag;  // 1 once a build has run for the current file
extern int32_t WrapCols;     // ScreenCols at the last build
extern int32_t GapFlag;      // set by GetTextByte past a line's last character

// Called by GetLinePtrs when the scan found more than MaxLines lines. The
// window layer installs a handler that leaves text mode and tells the user.
extern void (*TooManyLinesHandler)();

// Builds the table for `count` bytes of FileBuf from offset `first`.
void GetLinePtrs(int32_t first, int32_t count);

// Empties the table: one empty line at offset 0.
void ClearLineTable();

// Line index (0-based) of the line that holds the file offset `byte`.
int32_t GetTextLine(int32_t byte);
// Display column (0-based) of `byte` within its line.
int32_t GetTextColumn(int32_t byte);
// File offset of the byte covering display column `column` of line `line`.
int32_t GetTextByte(int32_t line, int32_t column);

// Number of lines whose starts the table holds (NumLines of the last build,
// capped at MaxLines + 1), and the start and end offsets of line `line`
// (0 <= line < TableLines()); the end is never beyond FileSize.
int32_t TableLines();
int32_t LineStart(int32_t line);
int32_t LineEnd(int32_t line);
