#include "view/hex_rows.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

#include "document/document.h"
#include "document/text_number.h"

#if defined(__SSE2__) && !defined(ORVEX_BYTE_LOOPS)
#include <emmintrin.h>
#endif

namespace {

// Two hex digits for every byte value, high nibble first.
struct HexPairs {
    std::array<char[2], 256> pair{};
    HexPairs() {
        for (int b = 0; b < 256; ++b) {
            pair[b][0] = HexDigits[b >> 4];
            pair[b][1] = HexDigits[b & 15];
        }
    }
};
const HexPairs Pairs;

// The character a byte shows with "convert special chars to period" on.
struct Converted {
    std::array<char, 256> ch{};
    Converted() {
        for (int b = 0; b < 256; ++b) ch[b] = (b < 0x20 || b > 0x7F) ? '.' : static_cast<char>(b);
    }
};
const Converted Convert;

std::vector<char>& RowBuffer(size_t size) {
    static std::vector<char> buffer;
    if (buffer.size() < size) buffer.resize(size);
    return buffer;
}

inline void PutAddress(char* row, uint32_t a) {
    std::memcpy(row + 0, Pairs.pair[a >> 24], 2);
    std::memcpy(row + 2, Pairs.pair[(a >> 16) & 0xFF], 2);
    std::memcpy(row + 4, Pairs.pair[(a >> 8) & 0xFF], 2);
    std::memcpy(row + 6, Pairs.pair[a & 0xFF], 2);
}

#if defined(__SSE2__) && !defined(ORVEX_BYTE_LOOPS)
// Sixteen nibbles (0..15 in each byte) as their hex digits.
inline __m128i NibbleDigits(__m128i n) {
    const __m128i letters = _mm_and_si128(_mm_cmpgt_epi8(n, _mm_set1_epi8(9)), _mm_set1_epi8(7));
    return _mm_add_epi8(_mm_add_epi8(n, _mm_set1_epi8('0')), letters);
}

inline void Store4(char* to, __m128i v) {
    const int32_t lane = _mm_cvtsi128_si32(v);
    std::memcpy(to, &lane, 4);
}

// The digits of eight bytes (16 characters) as four groups of four.
inline void PutDigitGroups(char* row, int32_t firstByte, __m128i digits) {
    Store4(row + HexDigitPos(firstByte), digits);
    Store4(row + HexDigitPos(firstByte + 2), _mm_srli_si128(digits, 4));
    Store4(row + HexDigitPos(firstByte + 4), _mm_srli_si128(digits, 8));
    Store4(row + HexDigitPos(firstByte + 6), _mm_srli_si128(digits, 12));
}

// A full hex row: digits and characters of 16 bytes.
inline void PutFullHexRow(char* row, const uint8_t* bytes, bool convert) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes));
    const __m128i low = _mm_set1_epi8(0x0F);
    const __m128i hi = _mm_and_si128(_mm_srli_epi16(v, 4), low);
    const __m128i lo = _mm_and_si128(v, low);
    PutDigitGroups(row, 0, NibbleDigits(_mm_unpacklo_epi8(hi, lo)));
    PutDigitGroups(row, 8, NibbleDigits(_mm_unpackhi_epi8(hi, lo)));
    __m128i chars = v;
    if (convert) {
        // 0x20..0x7F are the only bytes above 0x1F as signed values.
        const __m128i keep = _mm_cmpgt_epi8(v, _mm_set1_epi8(0x1F));
        chars = _mm_or_si128(_mm_and_si128(keep, v), _mm_andnot_si128(keep, _mm_set1_epi8('.')));
    }
    _mm_storeu_si128(reinterpret_cast<__m128i*>(row + HexFirstChar), chars);
}
#endif

inline void PutHexBytes(char* row, const uint8_t* bytes, int32_t n, bool convert) {
    char* chars = row + HexFirstChar;
#if defined(__SSE2__) && !defined(ORVEX_BYTE_LOOPS)
    if (n == 16) {
        PutFullHexRow(row, bytes, convert);
        return;
    }
#endif
    if (n == 16) {
        for (int32_t j = 0; j < 16; ++j) std::memcpy(row + HexDigitPos(j), Pairs.pair[bytes[j]], 2);
        if (convert)
            for (int32_t j = 0; j < 16; ++j) chars[j] = Convert.ch[bytes[j]];
        else
            std::memcpy(chars, bytes, 16);
        return;
    }
    for (int32_t j = 0; j < 16; ++j) {
        if (j < n) {
            std::memcpy(row + HexDigitPos(j), Pairs.pair[bytes[j]], 2);
            chars[j] = convert ? Convert.ch[bytes[j]] : static_cast<char>(bytes[j]);
        } else {
            std::memcpy(row + HexDigitPos(j), "  ", 2);
            chars[j] = ' ';
        }
    }
}

inline void PutCharBytes(char* row, const uint8_t* bytes, int32_t n, bool convert) {
    char* chars = row + CharFirstChar;
    if (convert)
        for (int32_t j = 0; j < n; ++j) chars[j] = Convert.ch[bytes[j]];
    else if (n > 0)
        std::memcpy(chars, bytes, static_cast<size_t>(n));
    std::memset(chars + n, ' ', static_cast<size_t>(64 - n));
}

// The pieces of a marked row, in the order they are drawn, clipped to the
// shown positions [shown, width) and counted in cells from `shown`.
struct PieceList {
    Row& row;
    int32_t shown;
    int32_t width;
    void Add(int32_t from, int32_t to, bool marked) {
        from = std::max(from, shown);
        to = std::min(to, width);
        if (from < to) row.pieces[row.count++] = {from - shown, to - from, marked};
    }
};

}  // namespace

int32_t BuildHexRows(int32_t rows, int32_t rowbytes, int32_t width, int32_t first, int32_t col,
                     int32_t mark, RowSink& sink) {
    // The layout decides how many bytes a row holds; a disagreeing rowbytes
    // would write digits outside the row.
    const bool charMode = ShowMode == _CHAR_;
    rowbytes = charMode ? 64 : 16;
    (void)rowbytes;
    const int32_t layoutWidth = charMode ? CharRowWidth : HexRowWidth;
    const int32_t firstChar = charMode ? CharFirstChar : HexFirstChar;
    const int32_t perRow = charMode ? 64 : 16;
    width = std::max(width, 0);
    const int32_t shown = std::min(std::max(col, 1) - 1, width);

    std::vector<char>& buffer = RowBuffer(static_cast<size_t>(std::max(width, layoutWidth)));
    char* row = buffer.data();
    std::memset(row, ' ', buffer.size());
    row[8] = ':';
    if (!charMode) {
        row[53] = '[';
        row[70] = ']';
    }

    // The bytes that can be read: never outside the file.
    const int64_t base = std::clamp<int64_t>(ByteOffset, 0, FileSize);
    const uint8_t* data = FileBuf + base;
    const int64_t limit = std::min<int64_t>(NumBytes, FileSize - base);
    const bool convert = ConvertFlag != 0;

    const int64_t d = int64_t{ByteOffset} + first;
    if (mark == 2) {
        const int32_t mask = perRow - 1;
        SetBlockColumns(static_cast<int32_t>((MarkStart - d) & mask) + firstChar,
                        static_cast<int32_t>((MarkEnd - d - 1) & mask) + firstChar + 1);
    }
    bool open = false;
    int32_t s = 0;
    int32_t e = 0;

    int64_t p = std::max(first, 0);
    int32_t built = 0;
    for (;; ++built) {
        if (built > 0 && (built >= rows || p >= NumBytes)) break;
        const int64_t n = std::clamp<int64_t>(limit - p, 0, perRow);
        if (built > 0 && n == 0) break;

        uint32_t a = static_cast<uint32_t>(p);
        if (AddrMode != AddrZero) a += static_cast<uint32_t>(ByteOffset);
        if (AddrMode == AddrRva) a += static_cast<uint32_t>(RvaBias);
        PutAddress(row, a);
        const uint8_t* bytes = data + (n ? p : 0);
        if (charMode)
            PutCharBytes(row, bytes, static_cast<int32_t>(n), convert);
        else
            PutHexBytes(row, bytes, static_cast<int32_t>(n), convert);

        Row out{row + shown, width - shown, {}, 0};
        if (mark != 0) {
            for (int32_t j = 0; j < n; ++j) {
                const int64_t offset = int64_t{ByteOffset} + p + j;
                const int32_t c = firstChar + j;
                const bool opens =
                    (built == 0 && j == 0 && MarkStart <= offset && offset < MarkEnd) ||
                    offset == MarkStart;
                if (opens) {
                    open = true;
                    if (mark == 2) {
                        s = BlockCol1;
                        e = BlockCol2;
                    } else {
                        s = c;
                    }
                } else if (offset == MarkEnd) {
                    open = false;
                    if (mark != 2)
                        e = c;
                    else if (j == 0)
                        s = e = 0;
                }
            }
        }
        if (mark != 0 && (s || e || open)) {
            const int32_t rowEnd =
                charMode ? std::min(width, CharRowWidth) : std::min(width, HexRowWidth) - 1;
            const int32_t S = std::clamp(s ? s : firstChar, firstChar, layoutWidth);
            const int32_t E = std::clamp(e ? e : rowEnd, S, layoutWidth);
            PieceList list{out, shown, width};
            if (charMode) {
                list.Add(shown, S, false);
                list.Add(E, width, false);
                list.Add(S, E, true);
            } else {
                const int32_t hs = HexDigitPos(std::min(S - HexFirstChar, 15));
                const int32_t he =
                    E <= HexFirstChar ? 11 : std::min(HexDigitPos(std::min(E - 55, 15)) + 2, 51);
                list.Add(shown, hs, false);
                list.Add(he, S, false);
                list.Add(E, width, false);
                list.Add(S, E, true);
                list.Add(hs, he, true);
            }
            if (mark != 2 || !open) s = e = 0;
        } else {
            out.pieces[out.count++] = {0, out.len, false};
        }
        sink.Put(out);
        p += n;
    }
    return built;
}
