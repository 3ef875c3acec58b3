// Building rows of the text view from the line table: tabs, the left scroll
// column, the row width, the mark and the printer's line numbers.
#pragma once
#include <cstdint>

#include "view/rows.h"

// The number put in front of the next numbered line.
extern int32_t LineCounter;

// Builds up to `rows` rows of `cols` characters (the line-number prefix
// included), from the 1-based line `first`, showing from the 1-based column
// `col`. `digits` is 0 for no line numbers, else the number of digits - 1.
// `mark` is 0, 1 (byte range) or 2 (block). Returns the rows built.
int32_t BuildTextRows(int32_t rows, int32_t cols, int32_t first, int32_t col, int32_t digits,
                      int32_t mark, RowSink& sink);
