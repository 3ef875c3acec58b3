// Building hex rows (16 bytes: address, digits, characters) and char rows
// (64 bytes: address, characters) of the byte range ByteOffset..+NumBytes.
#pragma once
#include <cstdint>

#include "view/rows.h"

constexpr int32_t HexRowWidth = 71;
constexpr int32_t CharRowWidth = 75;
constexpr int32_t HexFirstChar = 54;   // character column of byte 0, hex row
constexpr int32_t CharFirstChar = 11;  // character column of byte 0, char row

// Position of the first hex digit of byte j (0..15) in a hex row.
constexpr int32_t HexDigitPos(int32_t j) { return 11 + 2 * j + j / 2 + j / 8; }

// Builds rows from position `first` (counted from ByteOffset, not rounded to
// a row), `rowbytes` bytes each in the layout ShowMode chooses, `width`
// characters wide, shown from the 1-based position `col`. The first row is
// always built. Returns the rows built.
int32_t BuildHexRows(int32_t rows, int32_t rowbytes, int32_t width, int32_t first, int32_t col,
                     int32_t mark, RowSink& sink);
