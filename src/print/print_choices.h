// The choices of the print dialogs as their lists show them, the sample of
// the print properties, and the margin fields of the preview.
#pragma once
#include <cstdint>

#include "print/print_settings.h"

extern const char* const PrintSizeTexts[PrintSizeCount];    // " 8" .. "24"
extern const char* const CpiTexts[CpiChoiceCount];          // "Default", " 8" .. "20"
extern const char* const SpacingTexts[3];                   // "1", "1\xBD", "2"
extern const char* const LineNumTexts[LineNumChoiceCount];  // "None", "2 digits" ..

// Line 1 or 2 of the sample with `lineNums` (0 none, 1..4 for 2..5 digits).
const char* SampleText(int line, int lineNums);
// The sample font's width for a characters-per-inch choice: 72 / cpi, or 0.
int32_t SampleFontWidth(int cpiIndex);
// Top of the sample's second line for a font `height` and spacing 2..4.
int32_t SampleSecondLineY(int32_t height, int spacing);

// --- margins ---
constexpr int32_t MarginStep = 5;  // one click of an arrow: 0.05 inch
enum MarginSide { MarginTop, MarginLeft, MarginRight, MarginBottom };

// Reads a margin field: at most its first 6 characters; whole inches before
// an optional ".", then tenths, hundredths and a third decimal rounding.
int32_t ParseMargin(const char* text);
// One click of a margin's arrows: `delta` as the up-down reports it
// (negative for the up and the right arrow).
int32_t StepMargin(MarginSide side, int32_t value, int delta);
// At most MaxMargin and at least the unprintable strip `least`.
int32_t LimitMargin(int32_t value, int32_t least);
// Inches with two decimals ("0.55", "1.25"); `out` has 16 bytes.
void FormatMargin(int32_t value, char* out);
