#include "document/line_index.h"

#include <algorithm>

#include "document/document.h"

#if defined(__SSE2__) && !defined(ORVEX_BYTE_LOOPS)
#include <emmintrin.h>
#endif

int32_t MaxLines = MaxLinesInArea;
int32_t FileLines = 1;
int32_t FileCols = 1;
uint8_t LineNumFlag = 0;
int32_t WrapCols = 0;
int32_t GapFlag = 0;
void (*TooManyLinesHandler)() = nullptr;

namespace {

constexpr uint8_t Tab = 9;
constexpr uint8_t Lf = 10;
constexpr uint8_t Cr = 13;

// Entries the storage behind LinePtr can hold, for each place of the file.
constexpr int32_t TableCapacityInArea = MaxLinesInArea + 1;
constexpr int32_t TableCapacityInBlock = MaxLinesInBlock + 1;

inline bool IsLineEnd(uint8_t c) { return c == Lf || c == Cr; }

#if defined(__SSE2__) && !defined(ORVEX_BYTE_LOOPS)
inline unsigned Mask16(__m128i v, __m128i a, __m128i b, __m128i c) {
    const __m128i hit = _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(v, a), _mm_cmpeq_epi8(v, b)),
                                     _mm_cmpeq_epi8(v, c));
    return static_cast<unsigned>(_mm_movemask_epi8(hit));
}
#endif

// Offset of the first CR, LF or TAB at or after p (end when there is none).
int32_t FindLineBreak(const uint8_t* buf, int32_t p, int32_t end) {
#if defined(__SSE2__) && !defined(ORVEX_BYTE_LOOPS)
    const __m128i cr = _mm_set1_epi8(static_cast<char>(Cr));
    const __m128i lf = _mm_set1_epi8(static_cast<char>(Lf));
    const __m128i tab = _mm_set1_epi8(static_cast<char>(Tab));
    while (end - p >= 64) {
        const __m128i* v = reinterpret_cast<const __m128i*>(buf + p);
        const unsigned m0 = Mask16(_mm_loadu_si128(v), cr, lf, tab);
        const unsigned m1 = Mask16(_mm_loadu_si128(v + 1), cr, lf, tab);
        const unsigned m2 = Mask16(_mm_loadu_si128(v + 2), cr, lf, tab);
        const unsigned m3 = Mask16(_mm_loadu_si128(v + 3), cr, lf, tab);
        if ((m0 | m1 | m2 | m3) != 0) {
            const uint64_t all = m0 | (m1 << 16) | (static_cast<uint64_t>(m2) << 32) |
                                 (static_cast<uint64_t>(m3) << 48);
            return p + __builtin_ctzll(all);
        }
        p += 64;
    }
    while (end - p >= 16) {
        const unsigned m =
            Mask16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(buf + p)), cr, lf, tab);
        if (m != 0) return p + __builtin_ctz(m);
        p += 16;
    }
#endif
    while (p < end && buf[p] != Cr && buf[p] != Lf && buf[p] != Tab) ++p;
    return p;
}

// Offset of the first CR, LF, TAB or blank at or after p.
int32_t FindWrapBreak(const uint8_t* buf, int32_t p, int32_t end) {
#if defined(__SSE2__) && !defined(ORVEX_BYTE_LOOPS)
    const __m128i cr = _mm_set1_epi8(static_cast<char>(Cr));
    const __m128i lf = _mm_set1_epi8(static_cast<char>(Lf));
    const __m128i tab = _mm_set1_epi8(static_cast<char>(Tab));
    const __m128i blank = _mm_set1_epi8(' ');
    while (end - p >= 16) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(buf + p));
        const unsigned m = Mask16(v, cr, lf, tab) |
                           static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(v, blank)));
        if (m != 0) return p + __builtin_ctz(m);
        p += 16;
    }
#endif
    while (p < end && buf[p] != Cr && buf[p] != Lf && buf[p] != Tab && buf[p] != ' ') ++p;
    return p;
}

// Offset of the last byte of the line end that starts at p: the second byte
// of a CR LF or LF CR pair inside the range, else p itself.
inline int32_t LineEndLast(const uint8_t* buf, int32_t p, int32_t end) {
    if (p + 1 < end && buf[p + 1] == (buf[p] ^ (Cr ^ Lf))) return p + 1;
    return p;
}

inline int64_t TabStop(int64_t col) { return (col + 1 + 7) & 0x7FF8; }

struct ScanResult {
    int32_t lines;
    int64_t widest;
};

// The running state of a scan: lines so far, the current column, the widest
// line and the offset being looked at.
struct Scan {
    int32_t n = 1;
    int64_t col = 0;
    int64_t w = 1;
    int32_t p;

    // Records the line end that starts at q; false when the limit is passed.
    bool EndLine(const uint8_t* buf, int32_t q, int32_t end, int32_t limit) {
        const int32_t last = LineEndLast(buf, q, end);
        LinePtr[n] = static_cast<uint32_t>(last + 1) | RealLine;
        if (++n > limit) return false;
        w = std::max(w, col);
        col = 0;
        p = last + 1;
        return true;
    }

    ScanResult Result() const { return {n, std::max(w, col)}; }
};

ScanResult ScanUnwrapped(const uint8_t* buf, int32_t first, int32_t end, int32_t limit) {
    Scan s{};
    s.p = first;
    while (s.p < end) {
        const int32_t q = FindLineBreak(buf, s.p, end);
        s.col += q - s.p;
        if (q == end) break;
        if (buf[q] == Tab) {
            s.col = TabStop(s.col);
            s.p = q + 1;
        } else if (!s.EndLine(buf, q, end, limit)) {
            break;
        }
    }
    return s.Result();
}

ScanResult ScanWrapped(const uint8_t* buf, int32_t first, int32_t end, int32_t limit,
                       int32_t width) {
    Scan s{};
    s.p = first;
    int64_t b = 0;  // offset just after the last blank seen
    while (s.p < end) {
        const int32_t p = s.p;
        const uint8_t c = buf[p];
        if (IsLineEnd(c)) {
            if (!s.EndLine(buf, p, end, limit)) break;
            continue;
        }
        const bool blank = c == ' ' || c == Tab;
        if (s.col >= width) {
            // Break the line before c.
            s.w = width;
            if (blank) {
                LinePtr[s.n] = static_cast<uint32_t>(p + 1);
                s.col = 0;
                b = p + 1;
            } else if (b <= static_cast<int64_t>(LinePtr[s.n - 1] & LineOffsetMask)) {
                LinePtr[s.n] = static_cast<uint32_t>(p);
                s.col = 1;
                b = p;
            } else {
                LinePtr[s.n] = static_cast<uint32_t>(b);
                s.col = p + 1 - b;
            }
            if (++s.n > limit) break;
            ++s.p;
            continue;
        }
        if (blank) {
            b = p + 1;
            s.col = c == Tab ? TabStop(s.col) : s.col + 1;
            ++s.p;
            continue;
        }
        // A run of ordinary bytes: count as many as fit before the width.
        int64_t run = FindWrapBreak(buf, p + 1, end) - p;
        run = std::min<int64_t>(run, width - s.col);
        s.col += run;
        s.p += static_cast<int32_t>(run);
    }
    return s.Result();
}

}  // namespace

void ClearLineTable() {
    LinePtr[0] = RealLine;
    LinePtr[1] = 0;
    FileLines = 1;
    FileCols = 1;
    LineNumFlag = 0;
}

void GetLinePtrs(int32_t first, int32_t count) {
    // Never scan outside the file, and never let the table grow over a file
    // that is held in FileArea.
    first = std::clamp(first, 0, FileSize);
    count = std::clamp(count, 0, FileSize - first);
    const int32_t capacity = FileBuf == FileArea ? TableCapacityInArea : TableCapacityInBlock;
    const int32_t limit = std::clamp(MaxLines, 1, capacity - 1);

    WrapCols = ScreenCols;
    LinePtr[0] = static_cast<uint32_t>(first) | RealLine;
    const int32_t end = first + count;
    const ScanResult r = WrapFlag ? ScanWrapped(FileBuf, first, end, limit, ScreenCols)
                                  : ScanUnwrapped(FileBuf, first, end, limit);
    FileCols = NumCols = static_cast<int32_t>(std::clamp<int64_t>(r.widest, 1, INT32_MAX));
    FileLines = NumLines = r.lines;
    if (r.lines <= limit) LinePtr[r.lines] = static_cast<uint32_t>(end);
    LineNumFlag = 1;
    if (NumLines > limit && TooManyLinesHandler) TooManyLinesHandler();
}

int32_t TableLines() {
    const int32_t capacity = FileBuf == FileArea ? TableCapacityInArea : TableCapacityInBlock;
    return std::clamp(FileLines, 1, capacity);
}

int32_t LineStart(int32_t line) {
    const int32_t start = static_cast<int32_t>(LinePtr[line] & LineOffsetMask);
    return std::min(start, FileSize);
}

int32_t LineEnd(int32_t line) {
    const int32_t lines = TableLines();
    int32_t end = FileSize;
    if (line + 1 < lines)
        end = LineStart(line + 1);
    else if (lines <= MaxLines)
        end = LineStart(lines);  // the end entry
    return std::max(end, LineStart(line));
}

int32_t GetTextLine(int32_t byte) {
    const int32_t lines = TableLines();
    if (byte >= LineStart(lines - 1)) return lines - 1;
    int32_t lo = 0;
    int32_t hi = lines - 1;  // LineStart(hi) > byte
    while (hi - lo > 1) {
        const int32_t mid = lo + (hi - lo) / 2;
        if (LineStart(mid) <= byte)
            lo = mid;
        else
            hi = mid;
    }
    return lo;
}

int32_t GetTextColumn(int32_t byte) {
    const int32_t line = GetTextLine(byte);
    const int32_t start = LineStart(line);
    const int32_t stop = std::min(byte, FileSize);
    int64_t col = 0;
    for (int32_t p = start; p < stop; ++p)
        col = FileBuf[p] == Tab ? (col + 8) & ~int64_t{7} : col + 1;
    return static_cast<int32_t>(std::min<int64_t>(col, INT32_MAX));
}

int32_t GetTextByte(int32_t line, int32_t column) {
    line = std::clamp(line, 0, TableLines() - 1);
    const int32_t end = LineEnd(line);
    int64_t col = 0;
    int32_t p = LineStart(line);
    for (; p < end; ++p) {
        const uint8_t c = FileBuf[p];
        if (c == Tab) {
            do {
                ++col;
                if (column < col) return p;
            } while (col % 8 != 0);
        } else if (IsLineEnd(c)) {
            break;
        } else {
            ++col;
            if (column < col) return p;
        }
    }
    GapFlag = 1;
    return p;
}
