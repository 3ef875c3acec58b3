// The page footer: three parts (left, right, centre) separated by TABs, with
// %-parameters for the file, its date, the current date and time and the
// page numbers; and the split and join of the footer dialog.
#pragma once
#include <cstdint>

#include "print/print_settings.h"

// A date and time on the local clock.
struct ClockTime {
    uint16_t year, month, day, hour, minute;
};

// What the %-parameters stand for on one page.
struct FooterFacts {
    const char* fileName;      // %F
    const char* fileNamePart;  // %f
    ClockTime fileTime;        // %D, %T
    ClockTime (*now)();        // %d, %t: read each time they are expanded
    int32_t pageNum;           // %p
    int32_t pageCount;         // %n
};

constexpr int FooterPartMax = 255;  // characters of an expanded part
constexpr int FooterTextMax = 126;  // characters of the stored text
constexpr int FooterEditMax = 62;   // characters of each edit of the dialog

// "%02u/%02u/%4u" with month, day, year; "%u:%02u am" on a 12-hour clock.
// `out` has room for 16 characters.
void FormatFooterDate(const ClockTime& t, char* out);
void FormatFooterTime(const ClockTime& t, char* out);

// Expands part `index` (0 left, 1 right, 2 centre) of the footer text into
// `out` (FooterPartMax + 1 bytes); returns its length. A missing part is empty.
int32_t ExpandFooterPart(const char* text, int index, const FooterFacts& facts, char* out);

// Places the parts of the measured widths cx on a line from x to x + width:
// left at x, right ending at x + width, centre centred in the room between
// them. A part as wide as the line or wider is not drawn.
struct FooterPlacement {
    int32_t x[3];
    bool drawn[3];
};
FooterPlacement PlaceFooter(const int32_t cx[3], int32_t x, int32_t width);

// Splits the footer text into its three parts, each cut to `size` - 1.
void SplitFooter(const char* text, char* left, char* right, char* centre, int size);
// Joins left, TAB, right, TAB, centre into `out` (FooterTextMax + 1 bytes).
// Left and right keep at most FooterEditMax characters; the centre keeps what
// room is left, so both TABs always stay.
void JoinFooter(const char* left, const char* right, const char* centre, char* out);
