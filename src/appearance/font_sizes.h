// The size entries of the screen-font dialog and what choosing one stores.
// A size entry is text: a TrueType height (" 8" ... "20") or a raster size
// "HH x WW" (height, then width, each two characters with a leading blank).
#pragma once
#include <cstdint>

// The heights offered for a TrueType family, in list order.
constexpr int TrueTypeHeightCount = 9;
extern const int16_t TrueTypeHeights[TrueTypeHeightCount];

// Room for any size text, NUL included.
constexpr int SizeTextSize = 8;

// " 8" ... "99"; false (and "") for a height outside 1..99.
bool FormatHeightText(int height, char text[SizeTextSize]);
// "%2u x %2u" of height and width; false (and "") when either is outside
// 1..99 and 0..99: such a size cannot be stored, so it is not offered.
bool FormatRasterSize(int height, int width, char text[SizeTextSize]);

// The height read back from a size text: its first two characters as digits,
// a blank counting 0.
int16_t SizeTextHeight(const char* text);
// The width of a raster size text: the two characters after " x ".
int16_t SizeTextWidth(const char* text);

// Index into TrueTypeHeights of the height preselected for fontHeight: the
// last one not above it, the first when fontHeight is below all.
int TrueTypeSizeIndex(int fontHeight);

// The raster size preselected among the listed texts: the one equal to
// "12 x  8", else the first (0). -1 for an empty list.
int RasterSizeIndex(const char* const* texts, int count);

// OK of the font dialog: FontName from the family (at most 31 characters),
// FontHeight from the size text, FontWidth from it too or 0 for TrueType.
void StoreFontChoice(const char* family, const char* size, bool trueType);
