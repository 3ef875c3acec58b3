#include "app/search.h"

#include <algorithm>
#include <cstring>

#include "document/document.h"
#include "document/line_index.h"

#if defined(__SSE2__) && !defined(ORVEX_BYTE_LOOPS)
#include <emmintrin.h>
#endif

uint8_t FindText[FindMaxText + 1];
int32_t FindLen = 0;
uint8_t FindMask[FindMaxText + 1];
uint8_t FindReverse = 0;

namespace {

inline bool IsAsciiLetter(uint8_t c) { return (c | 0x20) >= 'a' && (c | 0x20) <= 'z'; }

inline int HexNibble(uint8_t c) {
    if (c >= '0' && c <= '9') return c - '0';
    if ((c | 0x20) >= 'a' && (c | 0x20) <= 'f') return (c | 0x20) - 'a' + 10;
    return -1;
}

// How often a byte turns up in ordinary files, roughly: the scan looks for
// the two least common bytes of the search string first.
int Commonness(uint8_t c) {
    static const char ByFrequency[] = "etaoinsrhldcumfpgwybvkxjqz";
    if (c == ' ') return 60;
    if (c == 0 || c == 0xFF) return 40;
    if (c == '\r' || c == '\n') return 25;
    const char* at = c >= 'a' && c <= 'z' ? std::strchr(ByFrequency, c) : nullptr;
    if (at) return 50 - static_cast<int>(at - ByFrequency);
    if (c >= 'A' && c <= 'Z') return 12;
    if (c >= '0' && c <= '9') return 15;
    if (c > ' ' && c < 0x7F) return 10;
    return 2;
}

// The search string prepared for a scan: a byte at i matches when
// (byte | fold[i]) == want[i]; fold[i] is 0x20 where case does not matter.
struct Needle {
    const uint8_t* pat;
    int32_t n;
    bool folded;
    int32_t a, b;  // the two positions compared first
    uint8_t want[FindMaxText];
    uint8_t fold[FindMaxText];
};

void PickAnchors(Needle& nd) {
    int best = 1 << 30, second = 1 << 30;
    nd.a = nd.b = 0;
    for (int32_t i = 0; i < nd.n; ++i) {
        const uint8_t c = nd.pat[i];
        int score = Commonness(c);
        if (nd.fold[i]) score += Commonness(static_cast<uint8_t>(c ^ 0x20));
        if (score < best) {
            second = best;
            nd.b = nd.a;
            best = score;
            nd.a = i;
        } else if (score < second) {
            second = score;
            nd.b = i;
        }
    }
    if (nd.n > 1 && nd.a == nd.b) nd.b = nd.a == 0 ? nd.n - 1 : 0;
}

void MakeNeedle(Needle& nd, const uint8_t* pat, const uint8_t* mask, int32_t n) {
    nd.pat = pat;
    nd.n = n;
    nd.folded = false;
    for (int32_t i = 0; i < n; ++i) {
        nd.fold[i] = mask && mask[i] ? 0x20 : 0;
        nd.want[i] = static_cast<uint8_t>(pat[i] | nd.fold[i]);
        nd.folded |= nd.fold[i] != 0;
    }
    PickAnchors(nd);
}

template <bool Fold>
inline bool MatchAt(const uint8_t* p, const Needle& nd) {
    if (!Fold) return std::memcmp(p, nd.pat, static_cast<size_t>(nd.n)) == 0;
    for (int32_t i = 0; i < nd.n; ++i)
        if ((p[i] | nd.fold[i]) != nd.want[i]) return false;
    return true;
}

template <bool Fold>
inline bool AnchorsMatch(const uint8_t* p, const Needle& nd) {
    return (p[nd.a] | nd.fold[nd.a]) == nd.want[nd.a] && (p[nd.b] | nd.fold[nd.b]) == nd.want[nd.b];
}

#if defined(__SSE2__) && !defined(ORVEX_BYTE_LOOPS)
// The candidates among the 32 that start at q whose two anchor bytes match:
// bit i for the candidate q + i.
template <bool Fold>
struct AnchorScan {
    __m128i wa, fa, wb, fb;
    explicit AnchorScan(const Needle& nd)
        : wa(_mm_set1_epi8(static_cast<char>(nd.want[nd.a]))),
          fa(_mm_set1_epi8(static_cast<char>(nd.fold[nd.a]))),
          wb(_mm_set1_epi8(static_cast<char>(nd.want[nd.b]))),
          fb(_mm_set1_epi8(static_cast<char>(nd.fold[nd.b]))) {}

    __m128i Eq(const uint8_t* at, __m128i want, __m128i fold) const {
        __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
        if (Fold) v = _mm_or_si128(v, fold);
        return _mm_cmpeq_epi8(v, want);
    }
    uint32_t Hits16(const uint8_t* q, int32_t a, int32_t b) const {
        const __m128i both = _mm_and_si128(Eq(q + a, wa, fa), Eq(q + b, wb, fb));
        return static_cast<uint32_t>(_mm_movemask_epi8(both));
    }
    uint32_t Hits32(const uint8_t* q, int32_t a, int32_t b) const {
        return Hits16(q, a, b) | (Hits16(q + 16, a, b) << 16);
    }
};
#endif

// Candidates from..last (inclusive), lowest first.
template <bool Fold>
int64_t Forward(const uint8_t* buf, int64_t p, int64_t last, const Needle& nd) {
#if defined(__SSE2__) && !defined(ORVEX_BYTE_LOOPS)
    const AnchorScan<Fold> scan(nd);
    while (last - p >= 31) {
        const uint8_t* q = buf + p;
        for (uint32_t m = scan.Hits32(q, nd.a, nd.b); m != 0; m &= m - 1) {
            const int i = __builtin_ctz(m);
            if (MatchAt<Fold>(q + i, nd)) return p + i;
        }
        p += 32;
    }
#endif
    for (; p <= last; ++p)
        if (AnchorsMatch<Fold>(buf + p, nd) && MatchAt<Fold>(buf + p, nd)) return p;
    return -1;
}

// Candidates p..lo (inclusive), highest first.
template <bool Fold>
int64_t Backward(const uint8_t* buf, int64_t lo, int64_t p, const Needle& nd) {
#if defined(__SSE2__) && !defined(ORVEX_BYTE_LOOPS)
    const AnchorScan<Fold> scan(nd);
    while (p - lo >= 31) {
        const uint8_t* q = buf + (p - 31);
        uint32_t m = scan.Hits32(q, nd.a, nd.b);
        while (m != 0) {
            const int i = 31 - __builtin_clz(m);
            if (MatchAt<Fold>(q + i, nd)) return p - 31 + i;
            m &= ~(1u << i);
        }
        p -= 32;
    }
#endif
    for (; p >= lo; --p)
        if (AnchorsMatch<Fold>(buf + p, nd) && MatchAt<Fold>(buf + p, nd)) return p;
    return -1;
}

}  // namespace

int64_t ScanForward(const uint8_t* buf, int64_t from, int64_t end, const uint8_t* pat,
                    const uint8_t* mask, int32_t n) {
    if (n < 1 || n > FindMaxText) return -1;
    from = std::max<int64_t>(from, 0);
    const int64_t last = end - n;
    if (from > last) return -1;
    Needle nd;
    MakeNeedle(nd, pat, mask, n);
    return nd.folded ? Forward<true>(buf, from, last, nd) : Forward<false>(buf, from, last, nd);
}

int64_t ScanBackward(const uint8_t* buf, int64_t lo, int64_t from, int64_t end, const uint8_t* pat,
                     const uint8_t* mask, int32_t n) {
    if (n < 1 || n > FindMaxText) return -1;
    lo = std::max<int64_t>(lo, 0);
    from = std::min(from, end - n);
    if (from < lo) return -1;
    Needle nd;
    MakeNeedle(nd, pat, mask, n);
    return nd.folded ? Backward<true>(buf, lo, from, nd) : Backward<false>(buf, lo, from, nd);
}

FindMessage FindMessageFor(FindStatus status) {
    switch (status) {
    case FindNoString: return {"No search string", nullptr, true};
    case FindBadHex: return {"Search string is not a valid hex value.", nullptr, true};
    case FindNotFound: return {"Not found.", "Search String", false};
    case FindFound: break;
    }
    return {nullptr, nullptr, false};
}

FindStatus SetFindText(const char* typed, uint8_t exactCase, uint8_t hexSearch) {
    int32_t n = 0;
    while (n < FindMaxText && typed[n] != '\0') ++n;
    FindLen = 0;
    std::memset(FindMask, 0, sizeof FindMask);
    if (n == 0) return FindNoString;
    if (hexSearch) {
        if (n % 2 != 0) return FindBadHex;
        for (int32_t i = 0; i < n; i += 2) {
            const int hi = HexNibble(static_cast<uint8_t>(typed[i]));
            const int lo = HexNibble(static_cast<uint8_t>(typed[i + 1]));
            if (hi < 0 || lo < 0) return FindBadHex;
            FindText[i / 2] = static_cast<uint8_t>(hi << 4 | lo);
        }
        FindLen = n / 2;
        return FindFound;
    }
    std::memcpy(FindText, typed, static_cast<size_t>(n));
    FindLen = n;
    if (!exactCase)
        for (int32_t i = 0; i < n; ++i) FindMask[i] = IsAsciiLetter(FindText[i]) ? 1 : 0;
    return FindFound;
}

FindRange FindSearchRange() {
    // Outside interpret mode the whole file is shown, whatever range a table
    // left behind.
    if (Checked != _INTERP_) return {0, std::max(FileSize, 0)};
    const int64_t lo = std::clamp<int64_t>(ByteOffset, 0, std::max(FileSize, 0));
    const int64_t hi = std::clamp<int64_t>(int64_t{ByteOffset} + NumBytes, lo, FileSize);
    return {static_cast<int32_t>(lo), static_cast<int32_t>(hi)};
}

FindStart FindStartPos(uint8_t reverse) {
    FindStart st{0, false};
    if (Checked == _TEXT_)
        st.pos = LineStart(std::clamp(LineNum - 1, 0, TableLines() - 1));
    else
        st.pos = int64_t{ByteNum} + ByteOffset;
    if (MarkState == 0) return st;
    // In interpret mode a mark above the first byte shown, or one that runs
    // past the range, is given up; a hit that ends at the table's last byte
    // is kept, so find next goes on from it.
    if (Checked == _INTERP_ && (MarkStart < st.pos || st.pos + NumBytes < MarkEnd)) {
        st.dropMark = true;
        return st;
    }
    st.pos = int64_t{MarkStart} + (reverse ? -1 : 1);
    return st;
}

int32_t FindFrom(int64_t start, uint8_t reverse) {
    // Backward the scan may go on below the range, down to the file's first
    // byte: in interpret mode a hit before the selected table is found (and
    // told to lie outside it when shown).
    const FindRange r = FindSearchRange();
    const int64_t p = reverse ? ScanBackward(FileBuf, 0, start, r.hi, FindText, FindMask, FindLen)
                              : ScanForward(FileBuf, std::max<int64_t>(start, r.lo), r.hi, FindText,
                                            FindMask, FindLen);
    return static_cast<int32_t>(p);
}

FindResult RunFind(const char* typed, uint8_t exactCase, uint8_t hexSearch, uint8_t reverse) {
    FindResult res{SetFindText(typed, exactCase, hexSearch), false, -1, -1};
    if (res.status != FindFound) return res;
    const FindStart st = FindStartPos(reverse);
    res.dropMark = st.dropMark;
    const int32_t p = FindFrom(st.pos, reverse);
    if (p < 0) {
        res.status = FindNotFound;
        return res;
    }
    res.start = p;
    res.end = p + FindLen;
    return res;
}
