// The search menu under Wine: the real find box and the navigation dialogs,
// shown by their commands, keys and status bar parts and answered through
// the hook; checked on the mark, the view position and the boxes shown.
#include "app/find.h"
#include "app/layout.h"
#include "view/nav_dialogs.h"
#include "win_test_support.h"

namespace {

using Texts = std::vector<std::string>;
using Ints = std::vector<int32_t>;
Ints Mark() { return MarkState ? Ints{MarkStart, MarkEnd} : Ints{}; }

void Type(const char* text) { SetWindowTextA(hFindCombo, text); }
void Search(const std::string& text) {
    Type(text.c_str());
    Command(CM_FIND);
}
Texts History() {
    Texts out(SendMessageA(hFindCombo, CB_GETCOUNT, 0, 0));
    for (size_t i = 0; i < out.size(); ++i) {
        out[i].resize(SendMessageA(hFindCombo, CB_GETLBTEXTLEN, i, 0));
        SendMessageA(hFindCombo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(&out[i][0]));
    }
    return out;
}

using Find = ShellTest;

// Each step: typed in the find box (nullptr: nothing), the command (or a key
// in the find box; 'F': Ctrl+F), the mark after it and the box shown.
TEST_F(Find, StepsThroughTheHitsWithTheBoxesShown) {
    const char* const notFound = "Search String|Not found.";
    const struct {
        const char* typed;
        int command;
        Ints mark;
        const char* box;
    } steps[] = {
        // Hex: pairs of digits, exact; Find drops the mark before a bad text.
        {nullptr, CM_HEX_SEARCH, {}, ""}, {"4142", CM_FIND, {0, 2}, ""}, {nullptr, VK_F3, {0, 2}, notFound},
        {"414", CM_FIND, {}, "Error|Search string is not a valid hex value."},
        {"6162", CM_FIND_FORWARD, {4, 6}, ""}, {nullptr, CM_HEX_SEARCH, {4, 6}, ""},
        // Enter in the find box is find next; Ctrl+F starts again from the
        // top line; reverse starts beside the mark and keeps its direction.
        {"b", CM_FIND, {1, 2}, ""}, {nullptr, VK_F3, {5, 6}, ""}, {nullptr, VK_RETURN, {5, 6}, notFound},
        {nullptr, 'F', {1, 2}, ""}, {nullptr, VK_F3, {5, 6}, ""}, {"b", CM_FIND_REVERSE, {1, 2}, ""},
        {nullptr, VK_F3, {1, 2}, notFound}, {"c", CM_FIND_FORWARD, {6, 7}, ""},
        {nullptr, CM_EXACT_CASE, {6, 7}, ""}, {"a", CM_FIND, {4, 5}, ""},
        {"", CM_FIND_NEXT, {4, 5}, "Error|No search string"},
    };
    OpenInView("orvex-find.txt", "ABxxabc");
    std::string typed;
    for (const auto& s : steps) {
        if (s.typed) Type((typed = s.typed).c_str());
        if (s.command >= CM_EXIT) {
            Command(s.command);
        } else if (s.command == 'F') {
            CtrlKey(hFindEdit, 'F');
        } else {
            Route(hFindEdit, WM_KEYDOWN, s.command, 0);
        }
        const Texts seen = TakeDialogs();
        EXPECT_EQ(seen.empty() ? "" : seen[0] + (seen.size() > 1 ? " and more" : ""), s.box) << &s - steps;
        EXPECT_EQ(Mark(), s.mark) << &s - steps;
        EXPECT_EQ(WindowText(hFindCombo), typed);  // the text typed stays
    }
}

TEST_F(Find, HistoryIsNewestFirstWithoutCaseDuplicatesAndKept) {
    OpenInView("orvex-find.txt", "abc");
    for (const char* text : {"abc", "ABC"}) Search(text);
    EXPECT_EQ(History(), Texts{"ABC"});
    for (int i = 10; i < 32; ++i) Search("s" + std::to_string(i));
    Search("S15");  // full at 21: an older entry typed again moves to the top
    Texts h = History();
    ASSERT_EQ(h.size(), 21u);
    EXPECT_EQ(h[0] + h[1] + h[20], "S15s31s11");
    StopShell();  // stored as "Find", read by the next run
    const auto stored = ReadSetting("Find");
    EXPECT_EQ(std::string(stored.begin(), stored.end()).rfind("S15\ts31\ts30\t", 0), 0u);
    StartShell();
    EXPECT_EQ(History(), h);
}

TEST_F(Find, AHitIsBroughtIntoViewAndNoMarkIsTold) {
    std::string text;
    for (int i = 0; i < 300; ++i) text += "line of text\r\n";
    OpenInView("orvex-find.txt", text + "\t\t\t\t\t\tneedle\r\n");
    ScreenLines = 20;
    ScreenCols = 30;
    Search("needle");
    EXPECT_EQ(Ints({MarkStart, LineNum, Col}), (Ints{300 * 14 + 6, 291, 39}));  // ten rows down, column 48
    CtrlKey(wn, 'U');  // drops the mark
    CtrlKey(wn, 'S');  // shows it
    EXPECT_EQ(TakeDialogs(), Texts{"Error|No marked area"});
    // A mark outside the table interpret mode shows.
    Command(CM_FIND);
    Checked = _INTERP_;
    RedrawWindow(wn, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    Pump();
    ShowMode = _HEX_;
    ByteOffset = 16;
    NumBytes = 16;
    ByteNum = 0;
    Command(CM_SHOW_MARKED);
    EXPECT_EQ(TakeDialogs(), Texts{"Sorry|Marked area is not in this table"});
    EXPECT_EQ(ByteNum, 0);
}

// What the answer types into the dialog and which button it presses.
const char *First = "", *Second = "";
int Button = IDOK;
void Answer(HWND dialog) {
    SetDlgItemTextA(dialog, ID_EDIT_FIRST, First);
    SetDlgItemTextA(dialog, ID_EDIT_SECOND, Second);
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(Button, BN_CLICKED), 0);
    if (Button == ID_HEX) PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
}

// The title of the one dialog `act` showed, answered with `first` and `second`.
std::string Ask(const char* first, const char* second, void (*act)(), int button = IDOK) {
    First = first;
    Second = second;
    Button = button;
    DialogAnswer = Answer;
    ClearDialogs();
    act();
    const std::string seen = SeenDialogs.size() == 1 ? SeenDialogs[0] : "shown: " + std::to_string(SeenDialogs.size());
    return seen.substr(0, seen.find('|'));
}

Ints MarkAndBase() { return {MarkState, MarkStart, MarkEnd, MarkHex}; }

void StatusPart(int part) { Route(hStatusBar, WM_LBUTTONDOWN, 0, MAKELPARAM(StatusEdges[part - 1] + 5, 5)); }

using NavDialogs = ShellTest;

TEST_F(NavDialogs, AnswersMoveThePlaceAndMark) {
    std::string text;
    for (int i = 0; i < 120; ++i) text += "a line of text " + std::to_string(i) + "\r\n";
    OpenInView("orvex-nav.txt", text + "last", CM_VIEW_TEXT);
    EXPECT_EQ(Ask("99999", "", [] { CtrlKey(wn, 'G'); }), "Go to Line");
    EXPECT_EQ(LineNum, 121);
    EXPECT_EQ(Ask("", "", [] { Command(CM_GOTO); }), "Go to Line");  // empty: nothing
    EXPECT_EQ(LineNum, 121);
    EXPECT_EQ(Ask("3", "", [] { StatusPart(2); }), "Go to Line");
    EXPECT_EQ(LineNum, 3);
    EXPECT_EQ(Ask("9999", "", [] { StatusPart(3); }), "Set Column to");
    EXPECT_EQ(Col, NumCols);
    EXPECT_EQ(Ask("16", "31", [] { Command(CM_MARK_BYTES); }), "Mark Bytes");
    EXPECT_EQ(MarkAndBase(), (Ints{1, 16, 32, 0}));
    Ask("", "", [] { Command(CM_MARK_BYTES); }, ID_HEX);  // the radio clicked, then cancelled
    EXPECT_EQ(MarkAndBase(), (Ints{1, 16, 32, 1}));

    Command(CM_VIEW_HEX);
    EXPECT_EQ(Ask("123", "", [] { StatusPart(3); }), "Go to Byte");
    EXPECT_EQ(ByteNum, 0x123);
    EXPECT_EQ(Ask("10", "1F", [] { CtrlKey(wn, 'M'); }), "Mark Bytes");
    EXPECT_EQ(MarkAndBase(), (Ints{1, 0x10, 0x20, 1}));
    EXPECT_EQ(MenuState(CM_COPY) & MF_GRAYED, 0u);
}

// Conversion stays open until cancelled: its buttons are pressed on a
// modeless copy of the dialog, whose output is read back.
TEST_F(NavDialogs, ConvertShowsTenPlacesOrRefuses) {
    HWND dlg = CreateDialogParamA(hInst, "CONVERT", wn, ConvertDlgProc, 0);
    ASSERT_TRUE(dlg);
    const struct {
        const char* input;
        int button;
        const char *out, *box;
    } cases[] = {{"255", ID_TO_HEX, "        FF", ""},
                 {"FFFFFFFF", ID_TO_DECIMAL, "4294967295", ""},
                 {"123456789", ID_TO_DECIMAL, "", "Sorry|Number is too big for me."},
                 {"", ID_TO_HEX, "", "Error|No input"}};
    for (const auto& c : cases) {
        SetDlgItemTextA(dlg, ID_EDIT_SECOND, "");
        SetDlgItemTextA(dlg, ID_EDIT_FIRST, c.input);
        ClearDialogs();
        SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(c.button, BN_CLICKED), 0);
        char out[64] = "";
        GetDlgItemTextA(dlg, ID_EDIT_SECOND, out, sizeof out);
        EXPECT_STREQ(out, c.out) << c.input;
        // Closing a box activates the dialog again: only the first counts.
        EXPECT_EQ(SeenDialogs.empty() ? "" : SeenDialogs[0], c.box);
    }
    SendMessageA(dlg, WM_COMMAND, IDOK, 0);  // Enter does nothing
    EXPECT_TRUE(IsWindow(dlg));
    DestroyWindow(dlg);
}

}  // namespace
