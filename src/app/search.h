// Find: the search string, where a search starts, the range it covers and
// the scan itself. The window layer reads the find box, keeps the history,
// shows the messages and sets the mark from the result.
#pragma once
#include <cstdint>

constexpr int32_t FindMaxText = 255;  // characters taken from the find box

// The search string: the text typed, or in hex mode the bytes it stands for.
extern uint8_t FindText[FindMaxText + 1];
extern int32_t FindLen;
// 1 for each ASCII letter of FindText when case does not matter; all 0 for
// an exact search.
extern uint8_t FindMask[FindMaxText + 1];
// 0 forward, 1 backward; kept between searches.
extern uint8_t FindReverse;

enum FindStatus : uint8_t {
    FindFound,     // the hit is [start, end)
    FindNoString,  // nothing typed
    FindBadHex,    // hex mode and the text is not pairs of hex digits
    FindNotFound,
};

// What the window layer shows for a status (text nullptr for FindFound).
// caption nullptr: the system's own caption ("Error").
struct FindMessage {
    const char* text;
    const char* caption;
    bool exclamation;  // MB_ICONEXCLAMATION, else MB_OK
};
FindMessage FindMessageFor(FindStatus status);

// Takes the text typed (at most FindMaxText characters are used) into
// FindText, FindLen and FindMask. Options are 0 or 8 as the menu keeps them.
// Returns FindNoString, FindBadHex or FindFound (ready to search).
FindStatus SetFindText(const char* typed, uint8_t exactCase, uint8_t hexSearch);

// The bytes a search may cover, [lo, hi): the whole file, or in interpret
// mode the selected table; never beyond the file. A backward search goes on
// below lo, to the file's first byte.
struct FindRange {
    int32_t lo;
    int32_t hi;
};
FindRange FindSearchRange();

// Where a search in the direction `reverse` starts: the top line (text
// mode) or the first byte shown, or just beside the mark. In interpret mode a
// mark outside the view is given up: dropMark tells the caller to clear it.
struct FindStart {
    int64_t pos;
    bool dropMark;
};
FindStart FindStartPos(uint8_t reverse);

// The first candidate from `start` in the direction `reverse` at which
// FindText matches inside the search range; -1 when there is none.
int32_t FindFrom(int64_t start, uint8_t reverse);

// One whole search as the find commands run it, after the window layer has
// taken the text from the find box. The history is updated for every status
// but FindNoString; dropMark is to be honoured whatever the status.
struct FindResult {
    FindStatus status;
    bool dropMark;
    int32_t start;  // the hit, when status is FindFound
    int32_t end;
};
FindResult RunFind(const char* typed, uint8_t exactCase, uint8_t hexSearch, uint8_t reverse);

// The scans on plain memory. `pat` holds n bytes (1..FindMaxText), `mask`
// n flags (nullptr or all 0: exact). Candidates p have p + n <= end.
// ScanForward: the least p >= from; ScanBackward: the greatest p with
// lo <= p <= from. Both return -1 when nothing matches.
int64_t ScanForward(const uint8_t* buf, int64_t from, int64_t end, const uint8_t* pat,
                    const uint8_t* mask, int32_t n);
int64_t ScanBackward(const uint8_t* buf, int64_t lo, int64_t from, int64_t end, const uint8_t* pat,
                     const uint8_t* mask, int32_t n);
