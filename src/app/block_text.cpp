#include "app/block_text.h"

#include <algorithm>
#include <climits>
#include <cstring>

#include "document/document.h"
#include "document/line_index.h"

int32_t BlockSize = 0;

namespace {

constexpr uint8_t Tab = 9;
constexpr uint8_t Lf = 10;
constexpr uint8_t Cr = 13;

inline bool IsLineEnd(uint8_t c) { return c == Cr || c == Lf; }

// The block's columns [c1, c2), never negative and never reversed.
struct BlockCols {
    int64_t c1;
    int64_t c2;
};
BlockCols Columns() {
    const int64_t c1 = std::max(BlockCol1, 0);
    return {c1, std::max<int64_t>(BlockCol2, c1)};
}

// The first and last line index of the block.
void BlockLines(int32_t* first, int32_t* last) {
    const int32_t a = GetTextLine(std::clamp(MarkStart, 0, FileSize));
    const int32_t b = GetTextLine(std::clamp(MarkEnd, 0, FileSize));
    *first = std::min(a, b);
    *last = std::max(a, b);
}

// Output that never passes its room, one byte always kept for the NUL.
struct Writer {
    char* out;
    int64_t room;
    int64_t len;
    void Put(char c) {
        if (len < room - 1) out[len++] = c;
    }
    void Fill(char c, int64_t count) {
        const int64_t n = std::min(count, room - 1 - len);
        if (n <= 0) return;
        std::memset(out + len, c, static_cast<size_t>(n));
        len += n;
    }
};

// Offset of the byte that covers display column `column` in the line
// [p, end), or of the line end (or end) when the line is shorter.
int32_t ByteAtColumn(int32_t p, int32_t end, int64_t column) {
    int64_t col = 0;
    for (; p < end; ++p) {
        const uint8_t c = FileBuf[p];
        if (IsLineEnd(c)) break;
        const int64_t next = c == Tab ? (col + 8) & ~int64_t{7} : col + 1;
        if (next > column) break;
        col = next;
    }
    return p;
}

// One line of the block: from the byte that covers c1 with the column
// counter at c1, so a tab that straddles c1 gives the spaces from c1 on.
void PutBlockLine(Writer& w, int32_t line, const BlockCols& cols) {
    const int32_t end = LineEnd(line);
    int32_t p = ByteAtColumn(LineStart(line), end, cols.c1);
    int64_t c = cols.c1;
    while (c < cols.c2 && p < end) {
        const uint8_t b = FileBuf[p++];
        if (IsLineEnd(b)) break;
        if (b == Tab) {
            const int64_t stop = (c + 8) & ~int64_t{7};
            w.Fill(' ', stop - c);
            c = stop;
        } else {
            w.Put(static_cast<char>(b));
            ++c;
        }
    }
    if (c < cols.c2) w.Fill(' ', cols.c2 - c);
    w.Put('\r');
    w.Put('\n');
}

}  // namespace

int64_t BlockTextRoom() {
    int32_t first = 0, last = 0;
    BlockLines(&first, &last);
    const BlockCols cols = Columns();
    return (int64_t{last} - first + 1) * (cols.c2 - cols.c1 + 9) + 1;
}

int32_t GetBlockText(char* out, int64_t room) {
    BlockSize = 0;
    if (room < 1) return 0;
    Writer w{out, std::min<int64_t>(room, INT32_MAX), 0};
    int32_t first = 0, last = 0;
    BlockLines(&first, &last);
    const BlockCols cols = Columns();
    for (int32_t line = first; line <= last; ++line) PutBlockLine(w, line, cols);
    out[w.len] = '\0';
    BlockSize = static_cast<int32_t>(w.len + 1);
    return static_cast<int32_t>(w.len);
}

MarkedSpan MarkedBytes() {
    const int32_t size = std::max(FileSize, 0);
    const int32_t start = std::clamp(MarkStart, 0, size);
    const int32_t end = std::clamp(MarkEnd, start, size);
    return {start, end - start};
}

int32_t GetMarkedText(char* out, int32_t room) {
    if (room < 1) return 0;
    const MarkedSpan span = MarkedBytes();
    const size_t take = static_cast<size_t>(std::min(span.len, room - 1));
    const uint8_t* from = FileBuf + span.start;
    const void* zero = take ? std::memchr(from, 0, take) : nullptr;
    const size_t len = zero ? static_cast<size_t>(static_cast<const uint8_t*>(zero) - from) : take;
    if (len) std::memcpy(out, from, len);
    out[len] = '\0';
    return static_cast<int32_t>(len);
}
