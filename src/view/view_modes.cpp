#include "view/view_modes.h"

#include <cstring>

#include "document/document.h"
#include "document/line_index.h"
#include "document/text_number.h"

bool TextModePosition(bool* reported) {
    *reported = false;
    if (LineNumFlag == 0) {
        GetLinePtrs(0, FileSize);
        *reported = FileLines > MaxLines;
    }
    if (FileLines > MaxLines) return false;
    NumLines = FileLines;
    NumCols = FileCols;
    LineNum = GetTextLine(ByteNum) + 1;
    Col = 1;
    return true;
}

void ByteModePosition() {
    ByteOffset = 0;
    NumBytes = static_cast<uint32_t>(FileSize);
    if (Checked == _TEXT_) {
        int32_t line = LineNum - 1;
        if (line < 0) line = 0;
        if (line > TableLines() - 1) line = TableLines() - 1;
        ByteNum = LineStart(line);
    }
}

void ModeColumn(uint16_t mode) {
    if (mode != _TEXT_) Col = 1;
}

bool ToggleWrap() {
    WrapFlag ^= 8;
    if (WrapFlag) Col = 1;
    if (!WrapFlag || NumCols > ScreenCols) {
        GetLinePtrs(0, FileSize);
        return true;
    }
    return false;
}

uint32_t AddressOf(int32_t r) {
    const uint32_t pos = static_cast<uint32_t>(r);
    switch (AddrMode) {
    case AddrZero: return pos;
    case AddrRva: return static_cast<uint32_t>(ByteOffset) + pos + static_cast<uint32_t>(RvaBias);
    default: return static_cast<uint32_t>(ByteOffset) + pos;
    }
}

int32_t PositionOfAddress(uint32_t a) {
    switch (AddrMode) {
    case AddrZero: return static_cast<int32_t>(a);
    case AddrRva:
        return static_cast<int32_t>(a - static_cast<uint32_t>(ByteOffset) -
                                    static_cast<uint32_t>(RvaBias));
    default: return static_cast<int32_t>(a - static_cast<uint32_t>(ByteOffset));
    }
}

int32_t MarkOffsetOfAddress(uint32_t a) {
    switch (AddrMode) {
    case AddrZero: return static_cast<int32_t>(a + static_cast<uint32_t>(ByteOffset));
    case AddrRva: return static_cast<int32_t>(a - static_cast<uint32_t>(RvaBias));
    default: return static_cast<int32_t>(a);
    }
}

namespace {
// Copies `tmpl` into `out` and overwrites the 7-character fields at `at1`
// and, when `at2` is not negative, at `at2`.
void FillTemplate(char* out, const char* tmpl, int at1, uint32_t v1, int at2, uint32_t v2,
                  bool hex) {
    std::strcpy(out, tmpl);
    auto put = hex ? FormatHex : FormatDec;
    put(out + at1, v1, 7, ' ');
    if (at2 >= 0) put(out + at2, v2, 7, ' ');
}
}  // namespace

void PositionTexts(char* part2, char* part3) {
    if (ShowMode == _TEXT_) {
        // "\tLine " is 6 characters, " of " 4: the fields start at 6 and 17.
        FillTemplate(part2, "\tLine       1 of     ???", 6, static_cast<uint32_t>(LineNum), 17,
                     static_cast<uint32_t>(NumLines), false);
        FillTemplate(part3, "\tColumn       1 of     ???", 8, static_cast<uint32_t>(Col), 19,
                     static_cast<uint32_t>(NumCols), false);
        return;
    }
    if (Checked == _INTERP_ && ByteOffset != 0)
        FillTemplate(part2, "\tOffset to table =        bytes", 18,
                     static_cast<uint32_t>(ByteOffset), -1, 0, true);
    else
        std::strcpy(part2, "\tByte values are in hex.");
    FillTemplate(part3, "\tByte       0 of     ???", 6, static_cast<uint32_t>(ByteNum), 17,
                 NumBytes, true);
}
