#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "app/block_text.h"
#include "app/command_bar.h"
#include "app/command_line.h"
#include "app/find.h"
#include "app/recent_files.h"
#include "app/search.h"
#include "app/settings.h"
#include "app/show_mark.h"
#include "appearance/appearance.h"
#include "doc_fixture.h"
#include "document/document.h"
#include "print/print_settings.h"
#include "view/view_nav.h"

namespace {

using Bytes = std::vector<uint8_t>;

// A record as hex digits, blanks ignored.
Bytes Record(const char* hex) {
    Bytes out;
    for (const char* p = hex; *p; ++p) {
        if (*p == ' ') continue;
        out.push_back(static_cast<uint8_t>(std::stoi(std::string(p, 2), nullptr, 16)));
        ++p;
    }
    return out;
}

// WinRect 0,0,640,450; portrait and landscape margins; text, background, mark text and mark
// background colours; tree width, reserved; Checked 304, AddrMode 311, font 12 x 8; the flags and
// print choices.
const Bytes DefaultRecord = Record(
    "00000000 00000000 80020000 C2010000 64000000 37000000 32000000 37000000 "
    "37000000 64000000 37000000 32000000 00000000 FFFFC000 00000000 FF808000 "
    "B4000000 00000000 3001 3701 0C00 0800 000001000004000200000000");
// Every field changed: WinRect -8,20,1000,700; margins 1..8; colours 0x112233, 0x445566, 0x778899,
// 0xAABBCC; tree width 0x1234; Checked _CHAR_, AddrMode RVA, font 16 x 0; both flags on, not
// maximised, bold and italic, print size 9, cpi 6, spacing 4, line numbers 3, both find options.
const Bytes ChangedRecord = Record(
    "F8FFFFFF 14000000 E8030000 BC020000 01000000 02000000 03000000 04000000 "
    "05000000 06000000 07000000 08000000 33221100 66554400 99887700 CCBBAA00 "
    "34120000 00000000 3201 3801 1000 0000 080800010109060403080800");

class Settings : public ::testing::Test {
  protected:
    void SetUp() override { DefaultSettings(); }
    void TearDown() override { DefaultSettings(); }
    static Bytes Packed() {
        Bytes out(SettingsSize, 0xEE);
        PackSettings(out.data());
        return out;
    }
};

TEST_F(Settings, EveryFieldAtItsOffset) {
    EXPECT_EQ(Packed(), DefaultRecord);
    WinRect = {-8, 20, 1000, 700};
    PortraitMargins = {1, 2, 3, 4};
    LandscapeMargins = {5, 6, 7, 8};
    TextColor = 0x00112233;
    BkColor = 0x00445566;
    MarkTextColor = 0x00778899;
    MarkBkColor = 0x00AABBCC;
    TreeWidth = 0x1234;
    Checked = _CHAR_;
    AddrMode = AddrRva;
    FontHeight = 16;
    FontWidth = 0;
    ConvertFlag = 8;
    WrapFlag = 8;
    MaxFlag = 0;
    PrintBold = 1;
    PrintItalic = 1;
    PrintSize = 9;
    PrintCpi = 6;
    PrintSpacing = 4;
    PrintLineNums = 3;
    ExactCase = 8;
    HexSearch = 8;
    EXPECT_EQ(Packed(), ChangedRecord);

    Bytes stored = ChangedRecord;  // read back: the same record, reserved bytes kept
    stored[68] = 0xAB;
    stored[71] = 0xCD;
    stored[91] = 0x5A;
    DefaultSettings();
    UnpackSettings(stored.data());
    EXPECT_EQ(Packed(), stored);
}

// A field that cannot be used takes its default, whatever was there before.
TEST_F(Settings, UnusableFieldsTakeTheirDefaults) {
    const struct {
        const char* what;
        size_t at;
        const char* bytes;
    } cases[] = {
        {"an empty window rectangle", 8, "0000"},
        {"a window rectangle of no height", 12, "00000000"},
        {"Checked 313", 72, "3901"},
        {"a flag of 1", 80, "01"},
        {"spacing 1", 87, "01"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        UnpackSettings(ChangedRecord.data());
        Bytes stored = DefaultRecord;
        const Bytes bad = Record(c.bytes);
        std::copy(bad.begin(), bad.end(), stored.begin() + static_cast<ptrdiff_t>(c.at));
        UnpackSettings(stored.data());
        EXPECT_EQ(Packed(), DefaultRecord);
    }
    Bytes lowest = DefaultRecord;  // the lowest choice is kept
    lowest[85] = 0;
    UnpackSettings(lowest.data());
    EXPECT_EQ(PrintSize, 0);
}

// A stored footer of one byte, the least, is taken.
TEST_F(Settings, TheShortestStoredFooterIsTaken) {
    const uint8_t stored[1] = {0};
    EXPECT_TRUE(AcceptFooter(stored, sizeof stored));
}

// An opened file goes to the top; found in the list whatever its case, it moves from there.
TEST_F(Settings, RecentFilesPromoted) {
    std::strcpy(RecentFiles[0], "C:\\a.txt");
    std::strcpy(RecentFiles[1], "C:\\b.txt");
    std::strcpy(FileName, "c:\\B.TXT");
    PromoteRecent(RecentCount);  // beyond the list: looked for
    EXPECT_STREQ(RecentFiles[0], "c:\\B.TXT");
    EXPECT_STREQ(RecentFiles[1], "C:\\a.txt");
    EXPECT_STREQ(RecentFiles[2], "");
}

TEST_F(Settings, RecentListJoinedWithTabs) {
    char out[StoredListSize];
    std::strcpy(RecentFiles[0], "C:\\a.txt");
    std::strcpy(RecentFiles[2], "b");
    EXPECT_EQ(std::string(out, JoinRecent(out)), "C:\\a.txt\t\tb\t\t\t\t\t\t\t");
    for (auto& e : RecentFiles) {
        std::memset(e, 'p', RecentPathSize - 1);
        e[RecentPathSize - 1] = '\0';
    }
    // Ten full paths and nine tabs still fit the value read back.
    EXPECT_EQ(JoinRecent(out), 10u * (RecentPathSize - 1) + 9);

    const struct {
        const char* what;
        std::string stored;
        size_t entry;
        std::string want;
    } splits[] = {
        {"the tenth of twelve", "0\t1\t2\t3\t4\t5\t6\t7\t8\t9\t10\t11", 9, "9"},
        {"after a NUL: the list ended", std::string("a\0b\tc", 5), 1, ""},
        {"cut at 255 characters", std::string(300, 'L'), 0, std::string(255, 'L')},
    };
    for (const auto& s : splits) {
        SCOPED_TRACE(s.what);
        SplitRecent(s.stored.c_str(), s.stored.size() + 1);
        EXPECT_EQ(RecentFiles[s.entry], s.want);
    }
}

TEST(CommandArgument, TheArgumentAfterTheProgramName) {
    const struct {
        std::string line;
        size_t size;
        std::string want;
    } cases[] = {
        {"orvex.exe", 256, ""},
        {"orvex.exe \"C:\\my files\\a.txt\" tail", 256, "C:\\my files\\a.txt"},
        {"\"orvex\"xa.txt", 256, "a.txt"},  // after a closing quote one character is skipped
        {"orvex abcd", 4, "abc"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line.substr(0, 40));
        char out[256] = "unchanged";
        CommandArgument(c.line.c_str(), out, c.size);
        EXPECT_EQ(out, c.want);
    }
}

using CommandBar = DocTest;

void Enter(const char* text) {
    for (const char* p = text; *p; ++p) CmdInsert(*p);
    ASSERT_TRUE(ExecuteCmd());
}

std::string Bar() { return std::string(CmdBuf) + " at " + std::to_string(CmdPos); }

// Editing keys one after the other: whether the text or the place changed, and the bar after it.
TEST_F(CommandBar, EditingKeys) {
    CmdErase();
    constexpr unsigned Typed = 0x100;  // with a character: that character typed
    const struct {
        unsigned key;
        bool changed;
        const char* want;
    } steps[] = {
        {Typed | '1', true, "1 at 1"},     {Typed | '2', true, "12 at 2"},
        {Typed | '3', true, "123 at 3"},   {Typed | '4', true, "1234 at 4"},
        {CmdKeyLeft, true, "1234 at 3"},   {CmdKeyLeft, true, "1234 at 2"},
        {Typed | 'x', true, "12x34 at 3"}, {CmdKeyBack, true, "1234 at 2"},
        {CmdKeyDelete, true, "124 at 2"},  {CmdKeyHome, true, "124 at 0"},
        {CmdKeyBack, false, "124 at 0"},   {CmdKeyLeft, false, "124 at 0"},
        {Typed | '+', true, "+124 at 1"},  {CmdKeyRight, true, "+124 at 2"},
        {CmdKeyEnd, true, "+124 at 4"},    {CmdKeyDelete, false, "+124 at 4"},
        {CmdKeyRight, false, "+124 at 4"}, {'Q', false, "+124 at 4"},
    };
    for (const auto& s : steps) {
        SCOPED_TRACE(s.want);
        const bool changed = s.key & Typed ? CmdInsert(static_cast<char>(s.key)) : CmdEdit(s.key);
        EXPECT_EQ(changed, s.changed);
        EXPECT_EQ(Bar(), s.want);
        EXPECT_EQ(CmdLen, static_cast<int32_t>(std::strlen(CmdBuf)));
    }
    EXPECT_TRUE(CmdErase());
    EXPECT_EQ(Bar(), " at 0");
    EXPECT_FALSE(CmdErase());
    for (int i = 0; i < CmdMax; ++i) EXPECT_TRUE(CmdInsert('a'));
    EXPECT_FALSE(CmdInsert('!'));  // at most 256 characters
}

// Commands typed one after the other, each with the position it leads to.
TEST_F(CommandBar, TextAndHexGrammar) {
    std::string text;  // 500 short lines and a last of 30 columns
    for (int i = 0; i < 500; ++i) text += "x\n";
    LoadIn(_TEXT_, text + std::string(30, 'w'));
    CmdErase();
    LastCmd[0] = '\0';
    EXPECT_FALSE(ExecuteCmd());  // Enter on nothing, and no command to repeat
    EXPECT_FALSE(RepeatCmd());
    const struct {
        const char* typed;
        const char* want;
    } steps[] = {
        {"250", "line 250 col 1"}, {"+300", "line 501 col 1"},  {"-1000", "line 1 col 1"},
        {"c12", "line 1 col 12"},  {"C 9999", "line 1 col 30"}, {"c5", "line 1 col 5"},
        {"c  7", "line 1 col 1"},  // "  7" reads 0 as "c0" would
        {"abc", "line 1 col 1"},
    };
    for (const auto& s : steps) {
        SCOPED_TRACE(s.typed);
        Enter(s.typed);
        EXPECT_EQ("line " + std::to_string(LineNum) + " col " + std::to_string(Col), s.want);
        EXPECT_EQ(CmdLen, 0);
        EXPECT_STREQ(LastCmd, s.typed);
    }
    LoadIn(_HEX_, std::string(0x800, 'h'));
    const struct {
        const char* typed;
        int32_t offset;  // a table of 0x80 bytes there when not 0
        int32_t byte;
    } hex[] = {
        {"1A0", 0, 0x1A0}, {"+10", 0, 0x1B0},   {"-1000", 0, 0},
        {"ZZ", 0, 0},      {"FFFFF", 0, 0x7FF}, {"410", 0x400, 0x10},
    };
    for (const auto& s : hex) {
        SCOPED_TRACE(testing::Message() << s.typed << " in hex");
        if (s.offset) {
            ByteOffset = s.offset;
            NumBytes = 0x80;
        }
        Enter(s.typed);
        EXPECT_EQ(ByteNum, s.byte);
    }
}

using MarkedText = DocTest;

// Columns [c1, c2) of the lines from the mark's start to its end; wrap: the view's width when lines
// are wrapped.
TEST_F(MarkedText, BlockColumnsPaddedAndTabsExpanded) {
    const std::string lines = "0123456789ab\r\nxy\r\nABCDEFGHIJKL\r\n";
    const std::string tabs = "abcdefgh\tij\r\nabcdefghijkl\tm\r\n";
    const struct {
        const char* what;
        std::string doc;
        int32_t from, to, c1, c2, wrap;
        const char* want;
    } cases[] = {
        {"short lines padded, the mark given end first", lines, 25, 4, 4, 10, 0,
         "456789\r\n      \r\nEFGHIJ\r\n"},
        // A tab at column 8 reaches 16.
        {"tabs inside", tabs, 0, 14, 6, 18, 0, "gh        ij\r\nghijkl    m \r\n"},
        {"LF, LF CR, no line end", "abcdef\nab\n\rabcdef", 0, 16, 1, 5, 0,
         "bcde\r\nb   \r\nbcde\r\n"},
        {"wrapped: \"aaaa bbbb \" and \"cccc\"", "aaaa bbbb cccc\r\n", 0, 10, 2, 7, 10,
         "aa bb\r\ncc   \r\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        WrapFlag = c.wrap ? 8 : 0;
        ScreenCols = c.wrap ? c.wrap : 80;
        Load(c.doc);
        MarkState = 2;
        MarkStart = c.from;
        MarkEnd = c.to;
        BlockCol1 = c.c1;
        BlockCol2 = c.c2;
        const int64_t room = BlockTextRoom();  // built in exactly the room it asks for
        std::vector<char> out(static_cast<size_t>(room), '#');
        const int32_t len = GetBlockText(out.data(), room);
        EXPECT_EQ(std::string(out.data(), static_cast<size_t>(len) + 1),
                  c.want + std::string(1, '\0'));
    }
    char out[8];  // a small room cuts the text
    std::memset(out, '#', sizeof out);
    EXPECT_EQ(GetBlockText(out, 5), 4);
    EXPECT_EQ(std::string(out, 6), std::string("aa b\0#", 6));
}

using ShowMark = DocTest;

// The view position after showing a mark, 10 rows of 40 columns on screen: ByteNum for hex and char
// drawing, LineNum and Col for text. Documents: Hex4K and Hex8K bytes; TwoHundredLines of 8 bytes
// (line i starts at 8 i); Columns, a line of 70.
TEST_F(ShowMark, MovesTheViewOnlyWhenTheMarkIsOutOfSight) {
    std::string TwoHundredLines;
    for (int i = 0; i < 200; ++i) TwoHundredLines += "L" + std::string(3, 'a') + "abc\n";
    const std::string Columns = std::string("0123456789").append(60, '.');
    const std::string Hex4K(4096, 'x'), Hex8K(8192, 'x');
    const ShowMarkStatus S = MarkShown, N = MarkNotInTable;
    const int32_t Any = -1;
    const struct {
        const char* what;
        uint16_t checked, show;
        const std::string& doc;
        int32_t offset, num, pos, col, start, end;  // offset -1: no table; start -1: no mark
        ShowMarkStatus status;
        int32_t toPos, toCol;
    } cases[] = {
        {"nothing marked", _HEX_, _HEX_, Hex4K, -1, 0, 512, 1, -1, 0, MarkNothing, 512, 1},
        {"nine full rows in view", _HEX_, _HEX_, Hex4K, -1, 0, 0, 1, 100, 144, S, 0, 1},
        {"one byte beyond", _HEX_, _HEX_, Hex4K, -1, 0, 0, 1, 100, 145, S, 80, 1},
        {"after the table", _INTERP_, _HEX_, Hex8K, 1000, 500, 0, 1, 5000, 5002, N, 496, 1},
        {"just after the table", _INTERP_, _HEX_, Hex8K, 1000, 500, 0, 1, 1500, 1501, S, Any, 1},
        {"ending at the table", _INTERP_, _HEX_, Hex8K, 1000, 500, 0, 1, 990, 1000, N, Any, 1},
        {"char table, on screen outside it", _INTERP_, _CHAR_, Hex8K, 1000, 10, 0, 1, 1100, 1101, S,
         0, 1},
        {"char table, off screen", _INTERP_, _CHAR_, Hex8K, 1000, 10, 0, 1, 5000, 5001, N, Any, 1},
        {"text, above the top line", _TEXT_, _TEXT_, TwoHundredLines, -1, 0, 91, 1, 712, 713, S, 80,
         1},
        {"left of the first column shown", _TEXT_, _TEXT_, Columns, -1, 0, 1, 11, 9, 10, S, 1, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Checked = c.show;
        Load(c.doc);
        Checked = c.checked;
        ShowMode = c.show;
        ScreenLines = 10;
        ScreenCols = 40;
        if (c.offset >= 0) {
            ByteOffset = c.offset;
            NumBytes = static_cast<uint32_t>(c.num);
        }
        int32_t& pos = c.show == _TEXT_ ? LineNum : ByteNum;
        pos = c.pos;
        Col = c.col;
        MarkState = c.start >= 0;
        MarkStart = c.start;
        MarkEnd = c.end;
        EXPECT_EQ(ShowMarkPosition(), c.status);
        if (c.toPos != Any) {
            EXPECT_EQ(pos, c.toPos);
        }
        EXPECT_EQ(Col, c.toCol);
    }
    MarkState = 0;
}

using Search = DocTest;
constexpr uint8_t Exact = 1, Hex = 2;

TEST_F(Search, TheSearchStringFromWhatWasTyped) {
    const std::string caseless("\1\0\1\0", 4);  // the letters of "a[Z9"
    const struct {
        const char* typed;
        uint8_t opts;
        FindStatus status;
        std::string bytes, mask;
    } cases[] = {
        {"", 0, FindNoString, "", ""},
        {"a[Z9", 0, FindFound, "a[Z9", caseless},
        {"aZ", Exact, FindFound, "aZ", std::string(2, '\0')},
        {"4142", Hex, FindFound, "AB", std::string(2, '\0')},  // hex: exact
        {"09afAF", Hex, FindFound, "\x09\xAF\xAF", std::string(3, '\0')},
        {"4G", Hex, FindBadHex, "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        ASSERT_EQ(SetFindText(c.typed, c.opts & Exact ? 8 : 0, c.opts & Hex ? 8 : 0), c.status);
        if (c.status != FindFound) continue;
        const size_t n = static_cast<size_t>(FindLen);
        EXPECT_EQ(std::string(reinterpret_cast<char*>(FindText), n), c.bytes);
        EXPECT_EQ(std::string(reinterpret_cast<char*>(FindMask), n), c.mask);
    }
    ASSERT_EQ(SetFindText(std::string(300, 'q').c_str(), 0, 0), FindFound);
    EXPECT_EQ(FindLen, FindMaxText);  // what the find box gives
}

// The hits themselves are compared with a byte-by-byte scan by the view fuzz target; here the
// lengths outside the limits, and the shortest and the longest strings both ways.
TEST(SearchScan, LengthLimits) {
    const uint8_t four[4] = {'a', 'a', 'a', 'a'};
    EXPECT_EQ(ScanForward(four, 0, 4, four, nullptr, 0), -1);
    EXPECT_EQ(ScanBackward(four, 0, 3, 4, four, nullptr, FindMaxText + 1), -1);
    const std::vector<uint8_t> longest(FindMaxText, 'q');
    const uint8_t* q = longest.data();
    EXPECT_EQ(ScanForward(q, 0, FindMaxText, q, nullptr, FindMaxText), 0);
    EXPECT_EQ(ScanBackward(q, 0, 0, FindMaxText, q, nullptr, FindMaxText), 0);
    EXPECT_EQ(ScanBackward(four, 0, 3, 4, four, nullptr, 1), 3);
    // In a long text the candidates of a block are tried lowest first: at 0 the two rarest bytes
    // of "aYb" match but not the rest; the hit is at 7.
    std::string text = "xYb" + std::string(37, '.');
    text.replace(7, 3, "aYb");
    const auto* bytes = reinterpret_cast<const uint8_t*>(text.data());
    EXPECT_EQ(ScanForward(bytes, 0, 40, bytes + 7, nullptr, 3), 7);
}

}  // namespace
