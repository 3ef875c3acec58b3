#include "app/search.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "doc_fixture.h"
#include "document/document.h"

namespace {

using Search = DocTest;
using V = std::vector<int64_t>;
constexpr uint8_t E = 1, H = 2, R = 4, C = 8;  // exact, hex, reverse, clear the mark first

TEST_F(Search, TheSearchStringFromWhatWasTyped) {
    const struct { const char* typed; uint8_t opts; FindStatus status; std::string bytes, mask; } cases[] = {
        {"", 0, FindNoString, "", ""}, {"", E | H, FindNoString, "", ""}, {"a[Z9", 0, FindFound, "a[Z9", std::string("\1\0\1\0", 4)},
        {"aZ", E, FindFound, "aZ", std::string(2, '\0')}, {"4142", H, FindFound, "AB", std::string(2, '\0')},  // hex: exact
        {"fF0a", H, FindFound, "\xFF\x0A", std::string(2, '\0')}, {"414", H, FindBadHex, "", ""}, {"41 42", H, FindBadHex, "", ""},
        {"4G", H, FindBadHex, "", ""}, {"0x41", H, FindBadHex, "", ""}, {"-1", H, FindBadHex, "", ""}, {"g0", H, FindBadHex, "", ""},
        {"09afAF", H, FindFound, "\x09\xAF\xAF", std::string(3, '\0')},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        ASSERT_EQ(SetFindText(c.typed, c.opts & E ? 8 : 0, c.opts & H ? 8 : 0), c.status);
        if (c.status != FindFound) continue;
        EXPECT_EQ(std::string(reinterpret_cast<char*>(FindText), static_cast<size_t>(FindLen)), c.bytes);
        EXPECT_EQ(std::string(reinterpret_cast<char*>(FindMask), static_cast<size_t>(FindLen)), c.mask);
    }
    ASSERT_EQ(SetFindText(std::string(300, 'q').c_str(), 0, 0), FindFound);
    EXPECT_EQ(FindLen, 255);  // what the find box gives
}

// Searches run one after the other as the find commands run them, from a view: each sets the mark on a hit; a
// mark outside an interpret view is dropped first. Step: the mark after it, -1 not looked at. Case: mode
// (_INTERP_: a table shown in hex), LineNum in text mode else ByteNum, table and mark ({-1, 0}: none).
TEST_F(Search, SuccessiveSearchesFromTheView) {
    struct Step { const char* text; uint8_t opts; FindStatus status; int32_t start, end; };
    struct Case { const char* what; uint16_t mode; std::string bytes; int32_t pos; std::pair<int32_t, int32_t> table, mark;
                  std::vector<Step> steps; };
    const std::string table = "hit.....hit..hithit..hit", keys = "key one\nkey two\nkey three\n";
    const std::pair<int32_t, int32_t> none{-1, 0}, at8{8, 8};
    const Case cases[] = {
        {"next without wrapping", _TEXT_, "abcABC", 1, none, none,
         {{"b", 0, FindFound, 1, 2}, {"b", 0, FindFound, 4, 5}, {"b", 0, FindNotFound, 4, 5},
          {"b", E | C, FindFound, 1, 2}, {"b", E, FindNotFound, 1, 2}, {"B", E | C, FindFound, 4, 5}}},
        {"only ASCII letters fold", _TEXT_, "{x}\xC1\xE1[X]", 1, none, none,
         {{"[x]", 0, FindFound, 5, 8}, {"\xE1", C, FindFound, 4, 5}, {"4142", H, FindNotFound, 4, 5},
          {"5b585d", H | C, FindFound, 5, 8}}},
        {"beside the mark", _TEXT_, "xbxxbxbx", 1, none, {4, 5},
         {{"b", R, FindFound, 1, 2}, {"b", R, FindNotFound, 1, 2}, {"b", 0, FindFound, 4, 5}}},
        {"inside the file", _TEXT_, "0123456789", 1, none, none,
         {{"789", E, FindFound, 7, 10}, {"7890", E | C, FindNotFound, -1, -1}}},
        {"back from the last byte shown", _HEX_, "0123456789", 9, none, none, {{"789", E | R, FindFound, 7, 10}}},
        {"from the top line", _TEXT_, keys, 2, none, none, {{"key", 0, FindFound, 8, 11}}},
        {"the top line is a candidate", _TEXT_, keys, 3, none, none, {{"key", R, FindFound, 16, 19}}},
        {"beyond the last line", _TEXT_, keys, 500, none, none,
         {{"key", 0, FindNotFound, -1, -1}, {"e\n", R, FindFound, 24, 26}}},
        {"from the first byte shown", _HEX_, "ab ab ab", 1, none, none, {{"ab", 0, FindFound, 3, 5}}},
        {"the table only", _INTERP_, table, 0, at8, none,
         {{"hit", 0, FindFound, 8, 11}, {"hit", 0, FindFound, 13, 16}, {"hit", 0, FindNotFound, 13, 16},
          {"hit", R, FindFound, 8, 11}, {"hit", R, FindNotFound, 8, 11}}},
        {"an empty table", _INTERP_, table, 0, {8, 0}, none,
         {{"hit", E, FindNotFound, -1, -1}, {"hit", R, FindNotFound, -1, -1}}},
        {"a table beyond the file", _INTERP_, table, 0, {29, 8}, none,
         {{"hit", 0, FindNotFound, -1, -1}, {"hit", R, FindNotFound, -1, -1}}},
        {"text mode ignores an earlier table", _TEXT_, "hit.....hit..hit", 1, {8, 3}, none,
         {{"hit", 0, FindFound, 0, 3}, {"hit", 0, FindFound, 8, 11}, {"hit", 0, FindFound, 13, 16}}},
        {"a mark above the view is dropped", _INTERP_, table, 4, at8, {8, 11}, {{"hit", 0, FindFound, 13, 16}}},
        {"a mark inside it is kept", _INTERP_, table, 4, at8, {13, 16}, {{"hit", R, FindFound, 8, 11}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Checked = c.mode;
        Load(c.bytes);
        ShowMode = c.mode == _TEXT_ ? _TEXT_ : _HEX_;
        (c.mode == _TEXT_ ? LineNum : ByteNum) = c.pos;
        if (c.table.first >= 0) ByteOffset = c.table.first, NumBytes = static_cast<uint32_t>(c.table.second);
        MarkState = c.mark.first >= 0, MarkStart = c.mark.first, MarkEnd = c.mark.second;
        int n = 0;
        for (const Step& s : c.steps) {
            SCOPED_TRACE(++n);
            if (s.opts & C) MarkState = 0;
            const FindResult r = RunFind(s.text, s.opts & E ? 8 : 0, s.opts & H ? 8 : 0, s.opts & R ? 1 : 0);
            if (r.dropMark) MarkState = 0;
            if (r.status == FindFound) MarkState = 1, MarkStart = r.start, MarkEnd = r.end;
            EXPECT_EQ(r.status, s.status);
            EXPECT_TRUE(s.start < 0 || (MarkStart == s.start && MarkEnd == s.end)) << MarkStart << ".." << MarkEnd;
        }
    }
}

TEST_F(Search, InterpretMarksAndRangesOutsideTheTable) {
    Checked = _INTERP_;
    Load("hit.....hit..hithit..hit");
    ShowMode = _HEX_, ByteOffset = 8, NumBytes = 8, ByteNum = 4;  // the first byte shown: 12
    MarkState = 1, MarkStart = 8, MarkEnd = 11;
    EXPECT_TRUE(RunFind("hit", 0, 0, 0).dropMark);
    MarkStart = 13, MarkEnd = 16;
    EXPECT_FALSE(RunFind("hit", 0, 0, 1).dropMark);
    MarkEnd = 21;  // runs past the table's end
    EXPECT_TRUE(RunFind("hit", 0, 0, 0).dropMark);
    MarkStart = 0;  // a bad hex string is reported before the mark is looked at
    const FindResult bad = RunFind("zz", 0, 8, 0);
    EXPECT_EQ(bad.status, FindBadHex);
    EXPECT_FALSE(bad.dropMark);
    NumBytes = 0xFFFFFFF0u;
    EXPECT_EQ(V({FindSearchRange().lo, FindSearchRange().hi}), V({8, 24}));
    ByteOffset = 29;
    EXPECT_EQ(FindSearchRange().lo, 24);
}

// The scans against a byte-by-byte scan by the matching rule, over few different bytes so that partial matches
// and hits are common.
TEST(SearchScan, AgreesWithAByteByByteScan) {
    std::mt19937 rng(7);
    const uint8_t alphabet[] = {'a', 'A', 'b', 'B', 0x00, 0xFF, '[', '{'};
    for (int round = 0; round < 3000; ++round) {
        std::vector<uint8_t> buf(rng() % 200);
        for (auto& b : buf) b = alphabet[rng() % (round % 7 + 2)];
        const size_t n = 1 + rng() % (round % 50 < 45 ? 4 : 40);
        std::vector<uint8_t> pat(n), mask(n);
        for (size_t i = 0; i < n; ++i) {
            pat[i] = alphabet[rng() % 6];
            // Flags on letters, as the find box makes them, and in some rounds on any byte.
            const bool letter = (pat[i] | 0x20) >= 'a' && (pat[i] | 0x20) <= 'z';
            mask[i] = (round & 1) && (letter || round % 4 == 3);
        }
        const int64_t end = static_cast<int64_t>(buf.size());
        const int64_t from = static_cast<int64_t>(rng() % (buf.size() + 3)) - 1;
        const int64_t lo = static_cast<int64_t>(rng() % (buf.size() / 2 + 1));
        auto at = [&](int64_t p) {
            for (size_t i = 0; i < n; ++i)
                if (buf[p + i] != pat[i] && !(mask[i] && (buf[p + i] ^ pat[i]) == 0x20)) return false;
            return true;
        };
        int64_t fwd = std::max<int64_t>(from, 0), back = std::min(from, end - static_cast<int64_t>(n));
        while (fwd + static_cast<int64_t>(n) <= end && !at(fwd)) ++fwd;
        while (back >= lo && !at(back)) --back;
        SCOPED_TRACE(round);
        EXPECT_EQ(ScanForward(buf.data(), from, end, pat.data(), mask.data(), static_cast<int32_t>(n)),
                  fwd + static_cast<int64_t>(n) <= end ? fwd : -1);
        EXPECT_EQ(ScanBackward(buf.data(), lo, from, end, pat.data(), mask.data(), static_cast<int32_t>(n)),
                  back >= lo ? back : -1);
    }
    const uint8_t four[4] = {'a', 'a', 'a', 'a'};  // lengths outside the string's limits
    EXPECT_EQ(V({ScanForward(four, 0, 4, four, nullptr, 0), ScanBackward(four, 0, 3, 4, four, nullptr, 0),
                 ScanForward(four, 0, 4, four, nullptr, 5), ScanBackward(four, 0, 3, 4, four, nullptr, FindMaxText + 1)}),
              V({-1, -1, -1, -1}));
}

}  // namespace
