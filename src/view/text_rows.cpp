#include "view/text_rows.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "document/document.h"
#include "document/line_index.h"
#include "document/text_number.h"

int32_t LineCounter = 1;

namespace {

constexpr uint8_t Tab = 9;
constexpr int32_t PrefixRoom = 8;  // five digits, a colon and two blanks

// The row buffer grows with the widest row asked for and is then reused:
// no allocation per row.
std::vector<char>& RowBuffer(size_t size) {
    static std::vector<char> buffer;
    if (buffer.size() < size) buffer.resize(size);
    return buffer;
}

// Cuts [lo, hi) to [0, limit).
inline void Clip(int64_t& lo, int64_t& hi, int64_t limit) {
    lo = std::clamp<int64_t>(lo, 0, limit);
    hi = std::clamp<int64_t>(hi, lo, limit);
}

void PutRow(RowSink& sink, const char* text, int32_t cols, int64_t m1, int64_t m2) {
    Row row{text, cols, {}, 0};
    if (m1 >= m2) {
        row.pieces[row.count++] = {0, cols, false};
    } else {
        const int32_t a = static_cast<int32_t>(m1);
        const int32_t b = static_cast<int32_t>(m2);
        if (a > 0) row.pieces[row.count++] = {0, a, false};
        row.pieces[row.count++] = {a, b - a, true};
        if (b < cols) row.pieces[row.count++] = {b, cols - b, false};
    }
    sink.Put(row);
}

}  // namespace

int32_t BuildTextRows(int32_t rows, int32_t cols, int32_t first, int32_t col, int32_t digits,
                      int32_t mark, RowSink& sink) {
    if (cols < 0) cols = 0;
    if (first < 1) first = 1;
    if (col < 1) col = 1;
    digits = std::clamp(digits, 0, 4);
    const int32_t prefix = digits ? digits + 4 : 0;
    const int32_t visible = cols - prefix;  // text cells of a row (may be <= 0)
    const int64_t shift = col - 1;

    // Rows are cols characters from the start of the prefix; keep room for
    // the prefix even when cols is narrower.
    std::vector<char>& buffer = RowBuffer(static_cast<size_t>(std::max(cols, PrefixRoom)) + 2);
    char* row = buffer.data();

    int32_t blockFirst = 0;
    int32_t blockLast = -1;
    if (mark == 2) {
        SetBlockColumns(GetTextColumn(MarkStart), GetTextColumn(MarkEnd));
        blockFirst = GetTextLine(MarkStart);
        blockLast = GetTextLine(MarkEnd);
    }

    const int32_t lines = std::min(NumLines, TableLines());
    int32_t built = 0;
    for (int32_t r = 0; r < rows; ++r) {
        const int64_t line = int64_t{first} - 1 + r;
        if (line >= lines) break;
        const int32_t L = static_cast<int32_t>(line);

        std::memset(row, ' ', static_cast<size_t>(std::max(cols, prefix)));
        if (prefix && (LinePtr[L] & RealLine)) {
            FormatDec(row, static_cast<uint32_t>(LineCounter), digits + 1, '0');
            row[digits + 1] = ':';
            ++LineCounter;
        }

        char* text = row + prefix;
        int64_t markLo = INT64_MAX;  // marked cells of the text, from shift
        int64_t markHi = INT64_MIN;
        const int32_t end = LineEnd(L);
        int64_t a = 0;  // display column from the line's start
        for (int32_t p = LineStart(L); p < end; ++p) {
            const int64_t k = a - shift;
            if (k >= visible) break;
            const uint8_t c = FileBuf[p];
            const bool lineEnd = c == 10 || c == 13;
            const int64_t next = c == Tab ? (a + 8) & ~int64_t{7} : a + 1;
            if (!lineEnd && c != Tab && k >= 0) text[k] = static_cast<char>(c);
            if (mark == 1 && p >= MarkStart && p < MarkEnd) {
                markLo = std::min(markLo, k);
                markHi = std::max(markHi, next - shift);
            }
            a = next;
            if (lineEnd) break;
        }

        if (mark == 2 && L >= blockFirst && L <= blockLast) {
            markLo = BlockCol1 - shift;
            markHi = BlockCol2 - shift;
        }
        if (markLo < markHi) {
            Clip(markLo, markHi, std::max(visible, 0));
            markLo += prefix;
            markHi += prefix;
        }
        PutRow(sink, row, cols, markLo, markHi);
        ++built;
    }
    return built;
}
