// View modes and addressing: how a change of view mode keeps the reader's
// place, wrapping, and the three address modes. The menu and toolbar side is
// in view_modes_win.cpp.
#pragma once
#include <cstdint>

// View Text: builds the line table when the file has none, then makes the
// line that holds ByteNum the top line, at column 1. Returns false when the
// file has too many lines for text mode; nothing is changed then, and
// `reported` tells whether the build made now has already told the user.
bool TextModePosition(bool* reported);

// View Hex and View Char: the whole file as the byte range; from text mode
// the top line's first byte becomes the first byte shown.
void ByteModePosition();

// The steps every mode change ends with that touch the position: Col = 1
// outside text mode.
void ModeColumn(uint16_t mode);

// Wrap Lines: toggles WrapFlag and rebuilds the line table when wrapping
// goes off, or goes on while some line is wider than the view. Returns true
// when the table was rebuilt.
bool ToggleWrap();

// The address shown for position r of the byte range, in AddrMode.
uint32_t AddressOf(int32_t r);
// ByteNum for a typed address a, in AddrMode.
int32_t PositionOfAddress(uint32_t a);
// The file offset of a typed mark address a, in AddrMode.
int32_t MarkOffsetOfAddress(uint32_t a);

// The texts of status bar parts 2 and 3 for the current view (at least 40
// bytes each).
void PositionTexts(char* part2, char* part3);
