#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "app/block_text.h"
#include "app/command_bar.h"
#include "app/command_line.h"
#include "app/find.h"
#include "app/layout.h"
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

// A record as hex digits, blanks ignored.
Bytes Record(const char* hex) {
    Bytes out;
    for (const char* p = hex; *p; ++p)
        if (*p != ' ')
            out.push_back(static_cast<uint8_t>(std::stoi(std::string(p, 2), nullptr, 16))), ++p;
    return out;
}

// WinRect 0,0,640,450; portrait and landscape margins; text, background, mark text and mark
// background colours; tree width, reserved; Checked 304, AddrMode 311, font 12 x 8; the flags and
// print choices.
const Bytes DefaultRecord = Record(
    "00000000 00000000 80020000 C2010000 64000000 37000000 32000000 37000000 "
    "37000000 64000000 37000000 32000000 00000000 FFFFC000 00000000 FF808000 "
    "B4000000 00000000 3001 3701 0C00 0800 000001000004000200000000");

TEST_F(Settings, EveryFieldAtItsOffset) {
    EXPECT_EQ(Packed(), DefaultRecord);
    WinRect = {-8, 20, 1000, 700}, PortraitMargins = {1, 2, 3, 4}, LandscapeMargins = {5, 6, 7, 8};
    TextColor = 0x00112233, BkColor = 0x00445566, MarkTextColor = 0x00778899,
    MarkBkColor = 0x00AABBCC;
    TreeWidth = 0x1234, Checked = _CHAR_, AddrMode = AddrRva, FontHeight = 16, FontWidth = 0;
    ConvertFlag = WrapFlag = 8, MaxFlag = 0, PrintBold = PrintItalic = 1, PrintSize = 9,
    PrintCpi = 6;
    PrintSpacing = 4, PrintLineNums = 3, ExactCase = HexSearch = 8;
    Bytes expect = Record(
        "F8FFFFFF 14000000 E8030000 BC020000 01000000 02000000 03000000 04000000 "
        "05000000 06000000 07000000 08000000 33221100 66554400 99887700 CCBBAA00 "
        "34120000 00000000 3201 3801 1000 0000 080800010109060403080800");
    EXPECT_EQ(Packed(), expect);
    expect[68] = 0xAB, expect[71] = 0xCD,
    expect[91] = 0x5A;  // read back: the same record, reserved bytes kept
    DefaultSettings();
    UnpackSettings(expect.data());
    EXPECT_EQ(Packed(), expect);

    // Unusable fields fall back to their defaults: Checked 313, AddrMode 304, font height 0 and
    // width -1, flags other than 0 and 8, print choices out of their lists, an empty WinRect, a
    // negative margin, a colour with a non-RGB top byte, a negative TreeWidth.
    Bytes in = DefaultRecord;
    for (const auto& b : std::vector<std::pair<size_t, uint8_t>>{
             {72, 0x39}, {74, 0x30}, {76, 0},    {78, 0xFF}, {79, 0xFF}, {80, 1},
             {81, 0x88}, {89, 9},    {90, 0xFF}, {85, 10},   {86, 7},    {87, 1},
             {88, 5},    {8, 0},     {9, 0},     {16, 0xFF}, {17, 0xFF}, {18, 0xFF},
             {19, 0xFF}, {55, 0xFF}, {64, 0xFF}, {65, 0xFF}, {66, 0xFF}, {67, 0xFF}})
        in[b.first] = b.second;
    Checked = _HEX_;
    UnpackSettings(in.data());
    EXPECT_EQ(Packed(), DefaultRecord);
}

TEST_F(Settings, StoredTextsAndLists) {
    const uint8_t stored[] = {0, 'a', '\t', 'b', 0};  // the footer: flag, text, NUL
    EXPECT_TRUE(AcceptFooter(stored, sizeof stored));
    EXPECT_EQ(std::string(FooterBlock, FooterStoredLength()), std::string("\0a\tb\0", 5));
    uint8_t big[FooterBlockSize + 1];
    std::memset(big, 'x', sizeof big);
    EXPECT_FALSE(AcceptFooter(big, sizeof big));
    EXPECT_EQ(FooterStoredLength(), 5u);  // the old footer kept
    EXPECT_TRUE(AcceptFooter(
        big, FooterBlockSize));  // a full value without its NUL is still a terminated text
    EXPECT_EQ(std::strlen(FooterBlock + 1), static_cast<size_t>(FooterBlockSize - 2));

    char out[StoredListSize];  // the recent files joined with nine tabs
    EXPECT_EQ(std::string(out, JoinRecent(out)), std::string(9, '\t'));
    std::strcpy(RecentFiles[0], "C:\\a.txt"), std::strcpy(RecentFiles[2], "b");
    EXPECT_EQ(std::string(out, JoinRecent(out)), "C:\\a.txt\t\tb\t\t\t\t\t\t\t");
    for (auto& e : RecentFiles)
        std::memset(e, 'p', RecentPathSize - 1), e[RecentPathSize - 1] = '\0';
    EXPECT_EQ(JoinRecent(out) + 1, StoredListSize);  // ten full paths still fit the value read back
    const std::string longName(300, 'L');
    const struct {
        std::string data;
        size_t entry;
        const char* want;
    } splits[] = {{"x\ty", 0, "x"},
                  {"x\ty", 1, "y"},
                  {"x\ty", 2, ""},
                  {"0\t1\t2\t3\t4\t5\t6\t7\t8\t9\t10\t11", 9, "9"},
                  {std::string("a\0b\tc", 5), 0, "a"},
                  {std::string("a\0b\tc", 5), 1, ""},  // the list ends at a NUL
                  {longName, 0, "255"}};               // an entry keeps at most 255 characters
    for (const auto& s : splits) {
        SplitRecent(s.data.c_str(), s.data.size() + 1);
        const char* e = RecentFiles[s.entry];
        EXPECT_EQ(std::strlen(e) == 255 ? "255" : e, std::string(s.want))
            << s.data.substr(0, 20) << " " << s.entry;
    }

    char joined[16];  // find fields: joined with tabs while they fit (8 + 10 + 1 > 16), split again
    size_t len = 0;
    std::string fits;
    for (const char* f : {"abc", "", "de", "123456789"})
        fits += AppendField(joined, sizeof joined, &len, f, !*fits.c_str()) ? "y" : "n";
    EXPECT_EQ(fits, "yyyn");
    EXPECT_EQ(std::string(joined, len + 1), std::string("abc\t\tde\0", 8));
    char field[8];
    std::string fields;
    for (size_t pos = 0; pos < len;)
        pos = NextField(joined, len, pos, field, sizeof field), fields += field + std::string("|");
    EXPECT_EQ(fields, "abc||de|");
    EXPECT_EQ(NextField("ab\t", 2, 0, field, sizeof field), 2u);  // the field ends at size
}

TEST(FrameLayout, StatusPartsSplitterAndImagePane) {
    SetStatusEdges(800);
    EXPECT_EQ(std::vector<int32_t>(StatusEdges, StatusEdges + 4),
              std::vector<int32_t>({430, 480, 650, 800}));
    for (const auto& p :
         {std::pair(0, 0), {430, 0}, {431, 1}, {480, 1}, {481, 2}, {650, 2}, {651, 3}})
        EXPECT_EQ(StatusPartAt(p.first), p.second) << p.first;
    TreeWidth = 180,
    ViewHeight = 500;  // the splitter: four pixels right of the tree, above the status bar
    for (const auto& s :
         {std::vector<int>{179, 10, 0}, {180, 10, 1}, {183, 10, 1}, {184, 10, 0}, {181, 500, 0}})
        EXPECT_EQ(OnSplitter(s[0], s[1]), s[2] != 0) << s[0] << "," << s[1];
}

TEST(CommandArgument, TheArgumentAfterTheProgramName) {
    const struct {
        std::string line;
        size_t size;
        std::string want;
    } cases[] = {
        {"orvex.exe", 256, ""},
        {"\"C:\\Program Files\\orvex.exe\"", 256, ""},
        {"", 256, ""},
        {"\"C:\\orvex.exe\" ", 256, ""},  // only the separator follows
        {"\"C:\\unclosed quote a.txt", 256, ""},
        {"orvex.exe \"C:\\my files\\a.txt\" tail", 256, "C:\\my files\\a.txt"},
        {"orvex.exe \"C:\\no close", 256, "C:\\no close"},
        {"orvex C:\\a b.txt", 256, "C:\\a b.txt"},  // as typed
        {"orvex  a.txt", 256, " a.txt"},
        {"orvex a\"b\" c", 256, "a\"b\" c"},
        {"\"orvex\"xa.txt", 256, "a.txt"},  // after a closing quote one character is skipped
        {"orvex " + std::string(300, 'x'), 256, std::string(255, 'x')},
        {"orvex abcd", 4, "abc"},
    };
    for (const auto& c : cases) {
        char out[256] = "unchanged";
        CommandArgument(c.line.c_str(), out, c.size);
        EXPECT_EQ(out, c.want) << c.line;
    }
}

using CommandBar = DocTest;

void Enter(const char* text) {
    while (*text) CmdInsert(*text++);
    ASSERT_TRUE(ExecuteCmd());
}

// Editing keys one after the other (I | c: the character c typed): whether the text or the place
// changed.
TEST_F(CommandBar, EditingKeys) {
    CmdErase();
    constexpr unsigned I = 0x100;
    const struct {
        unsigned key;
        bool changed;
        const char* text;
        int pos;
    } steps[] = {
        {I | '1', true, "1", 1},          {I | '2', true, "12", 2},
        {I | '3', true, "123", 3},        {I | '4', true, "1234", 4},
        {CmdKeyLeft, true, "1234", 3},    {CmdKeyLeft, true, "1234", 2},
        {I | 'x', true, "12x34", 3},      {CmdKeyBack, true, "1234", 2},
        {CmdKeyDelete, true, "124", 2},   {CmdKeyHome, true, "124", 0},
        {CmdKeyBack, false, "124", 0},    {CmdKeyLeft, false, "124", 0},
        {CmdKeyHome, false, "124", 0},    {I | '+', true, "+124", 1},
        {CmdKeyRight, true, "+124", 2},   {CmdKeyEnd, true, "+124", 4},
        {CmdKeyDelete, false, "+124", 4}, {CmdKeyRight, false, "+124", 4},
        {'Q', false, "+124", 4},
    };
    for (const auto& s : steps) {
        const bool changed = s.key & I ? CmdInsert(static_cast<char>(s.key)) : CmdEdit(s.key);
        EXPECT_EQ(changed, s.changed) << s.text << " " << s.pos;
        EXPECT_EQ(
            std::string(CmdBuf) + " " + std::to_string(CmdPos) + " " + std::to_string(CmdLen),
            s.text + (" " + std::to_string(s.pos)) + " " + std::to_string(std::strlen(s.text)));
    }
    EXPECT_TRUE(CmdErase());
    EXPECT_EQ(CmdLen + CmdPos, 0);
    EXPECT_FALSE(CmdErase());
    for (int i = 0; i < 256; ++i) EXPECT_TRUE(CmdInsert(static_cast<char>('a' + i % 26)));
    EXPECT_FALSE(CmdInsert('!'));  // at most 256 characters
    EXPECT_EQ(CmdLen, 256);
    EXPECT_EQ(CmdBuf[256], '\0');
    EXPECT_EQ(CmdBuf[255], 'a' + 255 % 26);
}

// Commands typed one after the other, each with the position it leads to; the Wine tests type and
// repeat some.
TEST_F(CommandBar, TextAndHexGrammar) {
    std::string text;
    for (int i = 0; i < 500; ++i) text += "x\n";
    LoadIn(_TEXT_, text + std::string(30, 'w'));
    CmdErase(), LastCmd[0] = '\0';
    EXPECT_FALSE(ExecuteCmd());  // Enter on nothing, and no command to repeat
    EXPECT_FALSE(RepeatCmd());
    const struct {
        const char* typed;
        int32_t line, col;
    } steps[] = {
        {"250", 250, 1}, {"+300", 501, 1},  {"-1000", 1, 1}, {"c12", 1, 12},
        {"c0", 1, 1},    {"C 9999", 1, 30}, {"c5", 1, 5},    {"c  7", 1, 1} /* "  7" reads 0 */,
        {"abc", 1, 1}};
    for (const auto& s : steps) {
        Enter(s.typed);
        EXPECT_EQ(V({LineNum, Col, CmdLen}), V({s.line, s.col, 0})) << s.typed;
        EXPECT_STREQ(LastCmd, s.typed);
    }
    LoadIn(_HEX_, std::string(0x800, 'h'));
    // A table at 0x400, 0x80 bytes long, from step 5 on.
    const struct {
        const char* typed;
        uint16_t addr;
        int32_t byte;
    } hex[] = {{"1A0", AddrPhysical, 0x1A0},   {"+10", AddrPhysical, 0x1B0},
               {"-1000", AddrPhysical, 0},     {"ZZ", AddrPhysical, 0},
               {"FFFFF", AddrPhysical, 0x7FF}, {"410", AddrPhysical, 0x10},
               {"410", AddrZero, 0x7F},        {"2420", AddrRva, 0x20}};
    for (const auto& s : hex) {
        if (s.typed[0] == '4' && s.addr == AddrPhysical) ByteOffset = 0x400, NumBytes = 0x80;
        AddrMode = s.addr, RvaBias = 0x2000;
        Enter(s.typed);
        EXPECT_EQ(ByteNum, s.byte) << s.typed << " " << s.addr;
    }
    Checked = _INTERP_, ShowMode = _TEXT_,
    NumLines = 40;  // the grammar follows ShowMode: a text listing
    Enter("12");
    EXPECT_EQ(LineNum, 12);
    LoadIn(_HEX_, "");  // empty ranges leave the start in place
    Enter("+10");
    EXPECT_EQ(ByteNum, 0);
    LoadIn(_TEXT_, "");
    NumLines = 0;
    Enter("5");
    EXPECT_EQ(LineNum, 1);
}

using MarkedText = DocTest;

// Columns [c1, c2) of the lines from the mark's start to its end; wrap: the view's width when lines
// are wrapped.
TEST_F(MarkedText, BlockColumnsPaddedAndTabsExpanded) {
    const std::string lines = "0123456789ab\r\nxy\r\nABCDEFGHIJKL\r\n",
                      tabs = "abcdefgh\tij\r\nabcdefghijkl\tm\r\n";
    const struct {
        std::string doc;
        int32_t from, to, c1, c2, wrap;
        const char* want;
    } cases[] = {
        {lines, 4, 25, 4, 10, 0, "456789\r\n      \r\nEFGHIJ\r\n"},  // short lines are padded
        {lines, 4, 4, 4, 10, 0, "456789\r\n"},
        {lines, 25, 4, 4, 10, 0, "456789\r\n      \r\nEFGHIJ\r\n"},  // either order
        {lines, 4, 25, 10, 4, 0, "\r\n\r\n\r\n"},
        // A tab at column 8 reaches 16; one across the right edge is expanded in full, one across
        // the left edge gives the spaces from the edge on.
        {tabs, 0, 14, 6, 18, 0, "gh        ij\r\nghijkl    m \r\n"},
        {tabs, 0, 0, 6, 10, 0, "gh        \r\n"},
        {tabs, 0, 14, 10, 18, 0, "      ij\r\nkl    m \r\n"},
        {"abcdefghi\tz\r\nx\ty\r\n", 0, 13, 4, 10, 0, "efghi       \r\n    y \r\n"},
        {"abcdef\nab\n\rabcdef", 0, 16, 1, 5, 0,
         "bcde\r\nb   \r\nbcde\r\n"},  // LF, LF CR, no line end
        {"abc", 0, 3, 2, 6, 0, "c   \r\n"},
        {"", 0, 0, 0, 3, 0, "   \r\n"},
        {"aaaa bbbb cccc\r\n", 0, 10, 2, 7, 10,
         "aa bb\r\ncc   \r\n"},  // display lines "aaaa bbbb " and "cccc"
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.want);
        WrapFlag = c.wrap ? 8 : 0, ScreenCols = c.wrap ? c.wrap : 80;
        Load(c.doc);
        MarkState = 2, MarkStart = c.from, MarkEnd = c.to, BlockCol1 = c.c1, BlockCol2 = c.c2;
        const int64_t room = BlockTextRoom();  // built in exactly the room it asks for
        std::vector<char> out(static_cast<size_t>(room), '#');
        const int32_t len = GetBlockText(out.data(), room);
        EXPECT_EQ(BlockSize, len + 1);
        EXPECT_EQ(std::string(out.data(), static_cast<size_t>(len) + 1),
                  c.want + std::string(1, '\0'));
    }
    char out[8];  // a small room cuts the text
    std::memset(out, '#', sizeof out);
    EXPECT_EQ(GetBlockText(out, 5), 4);
    EXPECT_EQ(std::string(out, 6), std::string("aa b\0#", 6));
    EXPECT_EQ(GetBlockText(out, 0), 0);
    EXPECT_EQ(out[5], '#');
}

using ShowMark = DocTest;

// The view position after showing a mark, 10 rows of 40 columns on screen: ByteNum for hex and char
// drawing, LineNum and Col for text.
TEST_F(ShowMark, MovesTheViewOnlyWhenTheMarkIsOutOfSight) {
    std::string L;  // 200 lines of 8 bytes: line i starts at i * 8
    for (int i = 0; i < 200; ++i)
        L += "L" + std::string(3, static_cast<char>('0' + i % 10)) + "abc\n";
    const std::string C = std::string("0123456789").append(60, '.') + "\n\t\t\t\t\t\tx\n",
                      B4(4096, 'x'), B8(8192, 'x');
    const ShowMarkStatus S = MarkShown, N = MarkNotInTable;
    const struct {
        const char* what;
        uint16_t checked, show;
        const std::string& doc;
        int32_t offset, num, pos, col, start, end;
        ShowMarkStatus status;
        int32_t toPos, toCol;
    } cases[] = {
        // start -1: nothing marked; toPos -1: any
        {"hex, nothing marked", _HEX_, _HEX_, B4, -1, 0, 512, 1, -1, 0, MarkNothing, 512, 1},
        {"hex, nine full rows in view", _HEX_, _HEX_, B4, -1, 0, 0, 1, 100, 144, S, 0, 1},
        {"hex, one byte beyond", _HEX_, _HEX_, B4, -1, 0, 0, 1, 100, 145, S, 80, 1},
        {"hex, a row's start goes to the second row", _HEX_, _HEX_, B4, -1, 0, 0, 1, 192, 193, S,
         176, 1},
        {"hex, above the view", _HEX_, _HEX_, B4, -1, 0, 1024, 1, 5, 6, S, 0, 1},
        {"table, in view", _INTERP_, _HEX_, B8, 1000, 500, 0, 1, 1100, 1104, S, 0, 1},
        {"table, below the rows", _INTERP_, _HEX_, B8, 1000, 500, 0, 1, 1400, 1404, S, 384, 1},
        {"before the table: its top", _INTERP_, _HEX_, B8, 1000, 500, 384, 1, 10, 12, N, 0, 1},
        {"after it: its last row", _INTERP_, _HEX_, B8, 1000, 500, 0, 1, 5000, 5002, N, 496, 1},
        {"its last byte", _INTERP_, _HEX_, B8, 1000, 500, 0, 1, 1499, 1500, S, -1, 1},
        {"the byte after it", _INTERP_, _HEX_, B8, 1000, 500, 0, 1, 1500, 1501, S, -1, 1},
        {"ending at its start", _INTERP_, _HEX_, B8, 1000, 500, 0, 1, 990, 1000, N, -1, 1},
        {"char table, on screen outside it", _INTERP_, _CHAR_, B8, 1000, 10, 0, 1, 1100, 1101, S, 0,
         1},
        {"hex table, on screen outside it", _INTERP_, _HEX_, B8, 1000, 10, 0, 1, 1100, 1101, N, -1,
         1},
        {"char table, off screen", _INTERP_, _CHAR_, B8, 1000, 10, 0, 1, 5000, 5001, N, -1, 1},
        {"text, the last whole line", _TEXT_, _TEXT_, L, -1, 0, 1, 1, 64, 66, S, 1, 1},
        {"text, the line below it", _TEXT_, _TEXT_, L, -1, 0, 1, 1, 72, 74, S, 1, 1},
        {"text, above the top line", _TEXT_, _TEXT_, L, -1, 0, 91, 1, 712, 713, S, 80, 1},
        {"column in view for its width", _TEXT_, _TEXT_, C, -1, 0, 1, 1, 20, 25, S, 1, 1},
        {"column too wide to fit", _TEXT_, _TEXT_, C, -1, 0, 1, 1, 20, 40, S, 1, 11},
        {"left of it", _TEXT_, _TEXT_, C, -1, 0, 1, 11, 9, 10, S, 1, 1},
        {"display columns after tabs", _TEXT_, _TEXT_, C, -1, 0, 1, 1, 77, 78, S, 1, 39},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Checked = c.show;
        Load(c.doc);
        Checked = c.checked, ShowMode = c.show, ScreenLines = 10, ScreenCols = 40;
        if (c.offset >= 0) ByteOffset = c.offset, NumBytes = static_cast<uint32_t>(c.num);
        int32_t& pos = c.show == _TEXT_ ? LineNum : ByteNum;
        pos = c.pos, Col = c.col, MarkState = c.start >= 0, MarkStart = c.start, MarkEnd = c.end;
        EXPECT_EQ(ShowMarkPosition(), c.status);
        EXPECT_EQ(V({c.toPos < 0 ? -1 : pos, Col}), V({c.toPos, c.toCol}));
    }
    MarkState = 0;
}

using Search = DocTest;
constexpr uint8_t E = 1, H = 2, R = 4;  // exact, hex, reverse

TEST_F(Search, TheSearchStringFromWhatWasTyped) {
    const struct {
        const char* typed;
        uint8_t opts;
        FindStatus status;
        std::string bytes, mask;
    } cases[] = {
        {"", 0, FindNoString, "", ""},
        {"", E | H, FindNoString, "", ""},
        {"a[Z9", 0, FindFound, "a[Z9", std::string("\1\0\1\0", 4)},
        {"aZ", E, FindFound, "aZ", std::string(2, '\0')},
        {"4142", H, FindFound, "AB", std::string(2, '\0')},  // hex: exact
        {"fF0a", H, FindFound, "\xFF\x0A", std::string(2, '\0')},
        {"414", H, FindBadHex, "", ""},
        {"41 42", H, FindBadHex, "", ""},
        {"4G", H, FindBadHex, "", ""},
        {"0x41", H, FindBadHex, "", ""},
        {"-1", H, FindBadHex, "", ""},
        {"g0", H, FindBadHex, "", ""},
        {"09afAF", H, FindFound, "\x09\xAF\xAF", std::string(3, '\0')},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        ASSERT_EQ(SetFindText(c.typed, c.opts & E ? 8 : 0, c.opts & H ? 8 : 0), c.status);
        if (c.status != FindFound) continue;
        EXPECT_EQ(std::string(reinterpret_cast<char*>(FindText), static_cast<size_t>(FindLen)),
                  c.bytes);
        EXPECT_EQ(std::string(reinterpret_cast<char*>(FindMask), static_cast<size_t>(FindLen)),
                  c.mask);
    }
    ASSERT_EQ(SetFindText(std::string(300, 'q').c_str(), 0, 0), FindFound);
    EXPECT_EQ(FindLen, 255);  // what the find box gives
}

// The hits themselves are compared with a byte-by-byte scan by the search fuzz target; here the
// edges.
TEST(SearchScan, LengthLimitsAndPartialMatches) {
    // Lengths outside the limits, and a place where the two rarest bytes match but not the rest.
    const uint8_t four[4] = {'a', 'a', 'a', 'a'}, hay[] = "xYb", pat[] = "aYb";
    EXPECT_EQ(
        V({ScanForward(four, 0, 4, four, nullptr, 0), ScanBackward(four, 0, 3, 4, four, nullptr, 0),
           ScanForward(four, 0, 4, four, nullptr, 5),
           ScanBackward(four, 0, 3, 4, four, nullptr, FindMaxText + 1),
           ScanForward(hay, 0, 3, pat, nullptr, 3), ScanBackward(hay, 0, 0, 3, pat, nullptr, 3)}),
        V({-1, -1, -1, -1, -1, -1}));
    const std::vector<uint8_t> longest(FindMaxText,
                                       'q');  // the shortest and the longest strings, both ways
    EXPECT_EQ(
        V({ScanForward(longest.data(), 0, FindMaxText, longest.data(), nullptr, FindMaxText),
           ScanBackward(longest.data(), 0, 0, FindMaxText, longest.data(), nullptr, FindMaxText),
           ScanForward(four, 1, 4, four, nullptr, 1),
           ScanBackward(four, 0, 3, 4, four, nullptr, 1)}),
        V({0, 0, 1, 3}));
}

}  // namespace
