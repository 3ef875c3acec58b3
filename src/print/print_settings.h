// The print choices that persist between runs: margins, print font, line
// spacing, line numbers and the footer.
#pragma once
#include <cstdint>

// Page margins in 1/100 inch.
struct Margins {
    int32_t left, top, right, bottom;
};

extern Margins PortraitMargins;   // used when the page is taller than wide
extern Margins LandscapeMargins;  // used otherwise
extern char PrintFontName[32];
extern uint8_t PrintBold;  // non-zero = bold
extern uint8_t PrintItalic;
extern uint8_t PrintSize;      // index into the font sizes, 0..9
extern uint8_t PrintCpi;       // index into the characters per inch, 0..6
extern uint8_t PrintSpacing;   // 2, 3 or 4: line pitch in half font heights
extern uint8_t PrintLineNums;  // 0 none, 1..4 for 2..5 digits

constexpr int PrintSizeCount = 10;
constexpr int CpiChoiceCount = 7;
constexpr int LineNumChoiceCount = 5;
inline constexpr int32_t PrintSizes[PrintSizeCount] = {8,  9,  10, 11, 12,
                                                       14, 16, 18, 20, 24};        // points
inline constexpr int32_t CpiChoices[CpiChoiceCount] = {0, 8, 10, 12, 15, 17, 20};  // 0 = Default

// The margins a new user starts with, and the largest margin a side may have.
inline constexpr Margins DefaultPortraitMargins = {100, 55, 50, 55};
inline constexpr Margins DefaultLandscapeMargins = {55, 100, 55, 50};
constexpr int32_t MaxMargin = 333;  // 3.33 inches

// Byte 0: 1 to print the footer, 0 not; then the footer text, NUL-terminated,
// its three sections separated by TABs.
constexpr int FooterBlockSize = 128;
extern char FooterBlock[FooterBlockSize];
// The footer a new user starts with: left, right and centre part.
inline constexpr char DefaultFooterText[] = "%F\tPage %p of %n\t%D  %T";
// FooterBlock switched on with the default text.
void SetDefaultFooter();
