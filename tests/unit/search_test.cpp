#include "app/search.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "doc_fixture.h"
#include "document/document.h"

namespace {

using Search = DocTest;

constexpr uint8_t Exact = 8;
constexpr uint8_t Hex = 8;

// A search as the find commands run it: sets the mark on a hit, drops it when
// asked to.
FindStatus Find(const char* text, uint8_t exact, uint8_t hex, uint8_t reverse) {
    const FindResult r = RunFind(text, exact, hex, reverse);
    if (r.dropMark) MarkState = 0;
    if (r.status == FindFound) {
        MarkState = 1;
        MarkStart = r.start;
        MarkEnd = r.end;
    }
    return r.status;
}

TEST_F(Search, TheSearchStringFromWhatWasTyped) {
    EXPECT_EQ(SetFindText("", 0, 0), FindNoString);
    EXPECT_EQ(SetFindText("", Exact, Hex), FindNoString);

    ASSERT_EQ(SetFindText("a[Z9", 0, 0), FindFound);
    ASSERT_EQ(FindLen, 4);
    EXPECT_EQ(std::memcmp(FindText, "a[Z9", 4), 0);
    const uint8_t letters[] = {1, 0, 1, 0};
    EXPECT_EQ(std::memcmp(FindMask, letters, 4), 0);

    ASSERT_EQ(SetFindText("aZ", Exact, 0), FindFound);
    EXPECT_EQ(FindMask[0] | FindMask[1], 0);

    // The find box gives at most 255 characters.
    const std::string longText(300, 'q');
    ASSERT_EQ(SetFindText(longText.c_str(), 0, 0), FindFound);
    EXPECT_EQ(FindLen, FindMaxText);
}

TEST_F(Search, HexStringsArePairsOfDigits) {
    ASSERT_EQ(SetFindText("4142", 0, Hex), FindFound);
    ASSERT_EQ(FindLen, 2);
    EXPECT_EQ(FindText[0], 'A');
    EXPECT_EQ(FindText[1], 'B');
    EXPECT_EQ(FindMask[0] | FindMask[1], 0);  // hex is always exact

    ASSERT_EQ(SetFindText("fF0a", 0, Hex), FindFound);
    EXPECT_EQ(FindText[0], 0xFF);
    EXPECT_EQ(FindText[1], 0x0A);

    for (const char* bad : {"414", "41 42", "4G", "0x41", "-1", "g0"})
        EXPECT_EQ(SetFindText(bad, 0, Hex), FindBadHex) << bad;
}

TEST_F(Search, MessagesForEachOutcome) {
    const FindMessage none = FindMessageFor(FindNoString);
    EXPECT_STREQ(none.text, "No search string");
    EXPECT_EQ(none.caption, nullptr);
    EXPECT_TRUE(none.exclamation);
    const FindMessage hex = FindMessageFor(FindBadHex);
    EXPECT_STREQ(hex.text, "Search string is not a valid hex value.");
    EXPECT_TRUE(hex.exclamation);
    const FindMessage miss = FindMessageFor(FindNotFound);
    EXPECT_STREQ(miss.text, "Not found.");
    EXPECT_STREQ(miss.caption, "Search String");
    EXPECT_FALSE(miss.exclamation);
    EXPECT_EQ(FindMessageFor(FindFound).text, nullptr);
}

TEST_F(Search, FindNextWalksThroughHitsWithoutWrapping) {
    Load("abcABC");
    ASSERT_EQ(Find("b", 0, 0, 0), FindFound);
    EXPECT_EQ(MarkStart, 1);
    EXPECT_EQ(MarkEnd, 2);
    ASSERT_EQ(Find("b", 0, 0, 0), FindFound);
    EXPECT_EQ(MarkStart, 4);
    EXPECT_EQ(Find("b", 0, 0, 0), FindNotFound);
    EXPECT_EQ(MarkStart, 4);  // the mark stays

    MarkState = 0;
    ASSERT_EQ(Find("b", Exact, 0, 0), FindFound);
    EXPECT_EQ(MarkStart, 1);
    EXPECT_EQ(Find("b", Exact, 0, 0), FindNotFound);
    MarkState = 0;
    ASSERT_EQ(Find("B", Exact, 0, 0), FindFound);
    EXPECT_EQ(MarkStart, 4);
}

TEST_F(Search, CaseFoldsOnlyAsciiLetters) {
    Load("{x}\xC1\xE1[X]");
    ASSERT_EQ(Find("[x]", 0, 0, 0), FindFound);
    EXPECT_EQ(MarkStart, 5);  // "{x}" is no match: brackets are not letters
    MarkState = 0;
    ASSERT_EQ(Find("\xE1", 0, 0, 0), FindFound);
    EXPECT_EQ(MarkStart, 4);  // 0xC1 differs in bit 0x20 but is no letter
    ASSERT_EQ(Find("4142", 0, Hex, 0), FindNotFound);
    MarkState = 0;
    ASSERT_EQ(Find("5b585d", 0, Hex, 0), FindFound);
    EXPECT_EQ(MarkStart, 5);
}

TEST_F(Search, BackwardStartsBesideTheMark) {
    Load("xbxxbxbx");
    MarkState = 1;
    MarkStart = 4;
    MarkEnd = 5;
    EXPECT_EQ(FindStartPos(1).pos, 3);
    EXPECT_EQ(FindStartPos(0).pos, 5);
    ASSERT_EQ(Find("b", 0, 0, 1), FindFound);
    EXPECT_EQ(MarkStart, 1);
    EXPECT_EQ(Find("b", 0, 0, 1), FindNotFound);
    EXPECT_EQ(Find("b", 0, 0, 0), FindFound);
    EXPECT_EQ(MarkStart, 4);
}

TEST_F(Search, MatchesMustEndInsideTheFile) {
    Load("0123456789");
    ASSERT_EQ(Find("789", Exact, 0, 0), FindFound);
    EXPECT_EQ(MarkEnd, 10);
    MarkState = 0;
    EXPECT_EQ(Find("7890", Exact, 0, 0), FindNotFound);
    // Backward from the last byte shown: the candidate is moved down so that
    // the match fits.
    Checked = ShowMode = _HEX_;
    ByteNum = 9;
    ASSERT_EQ(Find("789", Exact, 0, 1), FindFound);
    EXPECT_EQ(MarkStart, 7);
}

TEST_F(Search, TextModeStartsAtTheTopLine) {
    Load("key one\nkey two\nkey three\n");
    LineNum = 2;
    ASSERT_EQ(Find("key", 0, 0, 0), FindFound);
    EXPECT_EQ(MarkStart, 8);
    MarkState = 0;
    LineNum = 3;
    ASSERT_EQ(Find("key", 0, 0, 1), FindFound);
    EXPECT_EQ(MarkStart, 16);  // the top line's start itself is a candidate
    MarkState = 0;
    LineNum = 500;  // beyond the last line: the last line's start
    EXPECT_EQ(FindStartPos(0).pos, 26);
}

TEST_F(Search, HexViewStartsAtTheFirstByteShown) {
    Checked = ShowMode = _HEX_;
    Load("ab ab ab");
    ByteNum = 1;
    ASSERT_EQ(Find("ab", 0, 0, 0), FindFound);
    EXPECT_EQ(MarkStart, 3);
}

class InterpSearch : public Search {
protected:
    // A table of 8 bytes at offset 8 of a file with hits before, inside,
    // across its end and after it.
    void SetUp() override {
        Search::SetUp();
        Checked = _INTERP_;
        ShowMode = _HEX_;
        Load("hit.....hit..hithit..hit");
        ByteOffset = 8;
        NumBytes = 8;
    }
};

TEST_F(InterpSearch, OnlyTheSelectedTableIsSearched) {
    ASSERT_EQ(Find("hit", 0, 0, 0), FindFound);
    EXPECT_EQ(MarkStart, 8);
    ASSERT_EQ(Find("hit", 0, 0, 0), FindFound);
    EXPECT_EQ(MarkStart, 13);
    // The hit at 13 ends at the table's last byte: find next goes on from
    // it (and does not start again at the top); 16 lies beyond the table.
    EXPECT_EQ(Find("hit", 0, 0, 0), FindNotFound);
    EXPECT_EQ(MarkStart, 13);

    ASSERT_EQ(Find("hit", 0, 0, 1), FindFound);
    EXPECT_EQ(MarkStart, 8);
    EXPECT_EQ(Find("hit", 0, 0, 1), FindNotFound);  // 0 lies before it

    NumBytes = 0;
    MarkState = 0;
    EXPECT_EQ(Find("hit", Exact, 0, 0), FindNotFound);
    EXPECT_EQ(Find("hit", 0, 0, 1), FindNotFound);
}

TEST_F(InterpSearch, AMarkOutsideTheViewIsDropped) {
    ByteNum = 4;  // first byte shown: 12
    MarkState = 1;
    MarkStart = 8;  // above the first byte shown
    MarkEnd = 11;
    FindResult r = RunFind("hit", 0, 0, 0);
    EXPECT_TRUE(r.dropMark);
    EXPECT_EQ(r.start, 13);

    MarkStart = 13;
    MarkEnd = 16;
    r = RunFind("hit", 0, 0, 1);
    EXPECT_FALSE(r.dropMark);
    EXPECT_EQ(FindStartPos(1).pos, 12);
    EXPECT_EQ(r.start, 8);

    MarkStart = 16;  // runs past the table's end
    MarkEnd = 21;
    EXPECT_TRUE(RunFind("hit", 0, 0, 0).dropMark);

    // A bad hex string is reported before the mark is looked at.
    MarkStart = 0;
    r = RunFind("zz", 0, Hex, 0);
    EXPECT_EQ(r.status, FindBadHex);
    EXPECT_FALSE(r.dropMark);
}

TEST_F(InterpSearch, RangesBeyondTheFileAreCut) {
    NumBytes = 0xFFFFFFF0u;
    const FindRange r = FindSearchRange();
    EXPECT_EQ(r.lo, 8);
    EXPECT_EQ(r.hi, FileSize);
    ByteOffset = FileSize + 5;
    EXPECT_EQ(FindSearchRange().lo, FileSize);
    EXPECT_EQ(Find("hit", 0, 0, 0), FindNotFound);
    EXPECT_EQ(Find("hit", 0, 0, 1), FindNotFound);
}

TEST_F(Search, TextViewSearchesTheWholeFileWhateverTheTableLeft) {
    Load("hit.....hit..hit");
    ByteOffset = 8;  // as interpret mode left them before text mode was chosen
    NumBytes = 3;
    ASSERT_EQ(Find("hit", 0, 0, 0), FindFound);
    EXPECT_EQ(MarkStart, 0);
    ASSERT_EQ(Find("hit", 0, 0, 0), FindFound);
    ASSERT_EQ(Find("hit", 0, 0, 0), FindFound);
    EXPECT_EQ(MarkStart, 13);
}

// Reference scans: every candidate, byte by byte, by the matching rule.
bool SlowMatch(const std::vector<uint8_t>& buf, int64_t p, const std::vector<uint8_t>& pat,
               const std::vector<uint8_t>& mask) {
    for (size_t i = 0; i < pat.size(); ++i) {
        const uint8_t d = buf[static_cast<size_t>(p) + i];
        if (d != pat[i] && !(mask[i] && (d ^ pat[i]) == 0x20)) return false;
    }
    return true;
}

TEST(SearchScan, AgreesWithAByteByByteScan) {
    std::mt19937 rng(7);
    for (int round = 0; round < 3000; ++round) {
        // Few different bytes so that partial matches and hits are common.
        const size_t size = rng() % 200;
        const uint8_t alphabet[] = {'a', 'A', 'b', 'B', 0x00, 0xFF, '[', '{'};
        std::vector<uint8_t> buf(size);
        for (auto& b : buf) b = alphabet[rng() % (round % 7 + 2)];
        const size_t n = 1 + rng() % (round % 50 < 45 ? 4 : 40);
        std::vector<uint8_t> pat(n), mask(n);
        for (size_t i = 0; i < n; ++i) {
            pat[i] = alphabet[rng() % 6];
            // Flags only on letters, as the find box makes them, and in some
            // rounds on any byte.
            const bool letter = (pat[i] | 0x20) >= 'a' && (pat[i] | 0x20) <= 'z';
            mask[i] = (round & 1) && (letter || round % 4 == 3);
        }
        const int64_t end = static_cast<int64_t>(size);
        const int64_t from = static_cast<int64_t>(rng() % (size + 3)) - 1;
        const int64_t lo = static_cast<int64_t>(rng() % (size / 2 + 1));

        int64_t want = -1;
        for (int64_t p = std::max<int64_t>(from, 0); p + static_cast<int64_t>(n) <= end; ++p)
            if (SlowMatch(buf, p, pat, mask)) { want = p; break; }
        EXPECT_EQ(ScanForward(buf.data(), from, end, pat.data(), mask.data(),
                              static_cast<int32_t>(n)), want) << "round " << round;

        want = -1;
        for (int64_t p = std::min(from, end - static_cast<int64_t>(n)); p >= lo; --p)
            if (SlowMatch(buf, p, pat, mask)) { want = p; break; }
        EXPECT_EQ(ScanBackward(buf.data(), lo, from, end, pat.data(), mask.data(),
                               static_cast<int32_t>(n)), want) << "round " << round;
    }
}

TEST(SearchScan, FindsTheOnlyHitAnywhereInALongBuffer) {
    // One hit, moved over every place of the last blocks and the first ones,
    // in a buffer of exactly its size so that any read past it is caught.
    const std::string pat = "NeedLe";
    const uint8_t mask[] = {1, 1, 1, 1, 1, 1};
    for (size_t size : {size_t{100}, size_t{1000}}) {
        for (size_t at = 0; at + pat.size() <= size; ++at) {
            std::vector<uint8_t> buf(size, 'e');
            std::memcpy(buf.data() + at, "nEEDlE", pat.size());
            const auto* p = reinterpret_cast<const uint8_t*>(pat.data());
            const int64_t end = static_cast<int64_t>(size);
            ASSERT_EQ(ScanForward(buf.data(), 0, end, p, mask, 6), static_cast<int64_t>(at));
            ASSERT_EQ(ScanBackward(buf.data(), 0, end, end, p, mask, 6), static_cast<int64_t>(at));
            ASSERT_EQ(ScanForward(buf.data(), 0, end, p, nullptr, 6), -1);
            ASSERT_EQ(ScanForward(buf.data(), static_cast<int64_t>(at) + 1, end, p, mask, 6), -1);
        }
    }
}

TEST(SearchScan, RejectsLengthsOutsideTheStringsLimits) {
    const uint8_t buf[4] = {'a', 'a', 'a', 'a'};
    EXPECT_EQ(ScanForward(buf, 0, 4, buf, nullptr, 0), -1);
    EXPECT_EQ(ScanBackward(buf, 0, 3, 4, buf, nullptr, 0), -1);
    EXPECT_EQ(ScanForward(buf, 0, 4, buf, nullptr, 5), -1);
    EXPECT_EQ(ScanBackward(buf, 0, 3, 4, buf, nullptr, FindMaxText + 1), -1);
}

}  // namespace
