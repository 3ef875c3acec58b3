// The find commands under Wine: the real main window and find box, checked
// on the mark, the view position, the history, menus, toolbar and the
// message boxes the hook answers.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/app_win.h"
#include "app/find.h"
#include "app/search.h"
#include "document/document.h"
#include "resources/resource_ids.h"
#include "win_test_support.h"

namespace {

class Find : public ShellTest {
protected:
    static void Open(const std::string& bytes, const char* name = "orvex-find.txt") {
        OpenInView(name, bytes);
        ASSERT_EQ(FileSize, static_cast<int32_t>(bytes.size()));
    }
    static void Type(const char* text) { SetWindowTextA(hFindCombo, text); }
    // Types the text and runs the command.
    static void Search(const char* text, int id) {
        Type(text);
        Command(id);
    }
    static void F3() { Route(hFindEdit, WM_KEYDOWN, VK_F3, 0); }
    static void Enter() { Route(hFindEdit, WM_KEYDOWN, VK_RETURN, 0); }
    static std::vector<std::string> History() {
        std::vector<std::string> out;
        const LRESULT n = SendMessageA(hFindCombo, CB_GETCOUNT, 0, 0);
        for (LRESULT i = 0; i < n; ++i) {
            char text[300] = "";
            SendMessageA(hFindCombo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
            out.push_back(text);
        }
        return out;
    }
    static void ExpectMark(int32_t start, int32_t end) {
        EXPECT_EQ(MarkState, 1);
        EXPECT_EQ(MarkStart, start);
        EXPECT_EQ(MarkEnd, end);
    }
    static std::vector<std::string> Dialogs() {
        auto seen = SeenDialogs;
        ClearDialogs();
        return seen;
    }
    using Texts = std::vector<std::string>;
};

TEST_F(Find, CaseInsensitiveWalksTheHitsWithoutWrapping) {
    Open("abcABC");
    Search("b", CM_FIND);
    ExpectMark(1, 2);
    EXPECT_EQ(MenuState(CM_COPY) & MF_GRAYED, 0u);
    EXPECT_EQ(MenuState(CM_EXPORT_MARKED) & MF_GRAYED, 0u);
    EXPECT_TRUE(ButtonState(CM_COPY) & TBSTATE_ENABLED);
    F3();
    ExpectMark(4, 5);
    Enter();  // Enter in the find box is find next
    EXPECT_EQ(Dialogs(), Texts{"Search String|Not found."});
    ExpectMark(4, 5);
    EXPECT_EQ(WindowText(hFindCombo), "b");
}

TEST_F(Find, ExactCaseMatchesOnlyTheCaseTyped) {
    Open("abcABC");
    Command(CM_EXACT_CASE);
    Search("b", CM_FIND);
    ExpectMark(1, 2);
    F3();
    EXPECT_EQ(Dialogs(), Texts{"Search String|Not found."});
    Search("B", CM_FIND);
    ExpectMark(4, 5);
    // Letters only fold: [ does not find {, bytes above 127 only themselves.
    Command(CM_EXACT_CASE);
    Open("{x}\xE4\xC4[y]", "orvex-find2.txt");
    Search("[", CM_FIND);
    ExpectMark(5, 6);
    Search("\xC4", CM_FIND);
    ExpectMark(4, 5);
}

TEST_F(Find, HexModeTakesPairsOfDigits) {
    Open("xxABxxab");
    Command(CM_HEX_SEARCH);
    Search("4142", CM_FIND);
    ExpectMark(2, 4);
    EXPECT_EQ(WindowText(hFindCombo), "4142");  // the digits stay in the box
    F3();
    EXPECT_EQ(Dialogs(), Texts{"Search String|Not found."});  // hex is exact
    for (const char* bad : {"414", "41 42", "4G"}) {
        Search(bad, CM_FIND);
        EXPECT_EQ(Dialogs(), Texts{"Error|Search string is not a valid hex value."}) << bad;
    }
    EXPECT_EQ(MarkState, 0);  // Find dropped the mark before the bad text
    Search("6162", CM_FIND_FORWARD);
    ExpectMark(6, 8);
}

TEST_F(Find, NoSearchStringLeavesTheHistoryAlone) {
    Open("abc");
    Search("a", CM_FIND);
    Search("", CM_FIND_NEXT);
    EXPECT_EQ(Dialogs(), Texts{"Error|No search string"});
    EXPECT_EQ(History(), Texts{"a"});
}

TEST_F(Find, ReverseStartsBesideTheMark) {
    Open("abcABC");
    Search("b", CM_FIND);
    F3();
    ExpectMark(4, 5);
    Search("b", CM_FIND_REVERSE);
    ExpectMark(1, 2);
    F3();  // the direction is kept
    EXPECT_EQ(Dialogs(), Texts{"Search String|Not found."});
    Search("c", CM_FIND_FORWARD);  // forward from beside the kept mark
    ExpectMark(2, 3);
    // Reverse from the top with no mark: the string must fit before the end.
    Search("bc", CM_FIND);
    Search("bc", CM_FIND_REVERSE);
    ExpectMark(1, 3);
}

TEST_F(Find, AHitMayEndAtTheLastByteButNotRunPastIt) {
    Open("hello world");
    Search("world", CM_FIND);
    ExpectMark(6, 11);
    Search("worlds", CM_FIND);
    EXPECT_EQ(Dialogs(), Texts{"Search String|Not found."});
    EXPECT_EQ(MarkState, 0);
}

TEST_F(Find, CtrlFStartsAgainFromTheTopLine) {
    Open("abcABC");
    Search("b", CM_FIND);
    F3();
    ExpectMark(4, 5);
    SetControl(true);
    Route(hFindEdit, WM_KEYDOWN, 'F', 0);
    SetControl(false);
    ExpectMark(1, 2);
}

TEST_F(Find, HistoryIsNewestFirstWithoutCaseDuplicates) {
    Open("abc");
    Search("abc", CM_FIND);
    Search("ABC", CM_FIND);
    EXPECT_EQ(History(), Texts{"ABC"});
    for (int i = 0; i < 22; ++i) {
        char text[16];
        std::snprintf(text, sizeof text, "s%02d", i);
        Search(text, CM_FIND);
    }
    const Texts h = History();
    ASSERT_EQ(h.size(), 21u);
    EXPECT_EQ(h.front(), "s21");
    EXPECT_EQ(h.back(), "s01");
    // An older entry typed again moves to the top; the count stays.
    Search("S05", CM_FIND);
    EXPECT_EQ(History().size(), 21u);
    EXPECT_EQ(History()[0], "S05");
    EXPECT_EQ(History()[1], "s21");
    // The history is what is stored as "Find".
    StopShell();
    const auto stored = ReadSetting("Find");
    const std::string text(stored.begin(), stored.end());
    EXPECT_EQ(text.rfind("S05\ts21\t", 0), 0u) << text;
    StartShell();
    EXPECT_EQ(History().size(), 21u);
    EXPECT_EQ(History()[0], "S05");
}

TEST_F(Find, AHitScrollsTheViewToShowIt) {
    std::string text;
    for (int i = 0; i < 300; ++i) text += "line of text\r\n";
    text += "\t\t\t\t\t\tneedle\r\n";
    Open(text);
    ScreenLines = 20;
    ScreenCols = 30;
    Search("needle", CM_FIND);
    ExpectMark(300 * 14 + 6, 300 * 14 + 12);
    EXPECT_EQ(LineNum, 291);  // line index 300, ten rows down
    EXPECT_EQ(Col, 39);       // column 48 after the tabs
    // Hex view: the mark on the second row shown.
    Command(CM_VIEW_HEX);
    ByteNum = 0;
    ScreenLines = 20;
    Command(CM_SHOW_MARKED);
    EXPECT_EQ(ByteNum, (300 * 14 + 6 - 15) & ~15);
    EXPECT_TRUE(Dialogs().empty());
    SetControl(true);
    Route(wn, WM_KEYDOWN, 'U', 0);  // Ctrl+U drops the mark
    Route(wn, WM_KEYDOWN, 'S', 0);  // Ctrl+S shows it
    SetControl(false);
    EXPECT_EQ(Dialogs(), Texts{"Error|No marked area"});
}

TEST_F(Find, InterpretModeSearchesOnlyTheSelectedTable) {
    Open("key.....key.....table...key.....", "orvex-find3.bin");
    Command(CM_VIEW_HEX);
    Search("key", CM_FIND);
    ExpectMark(0, 3);
    // A selected table as the interpretation leaves it (the tree that
    // interpret mode builds at the next paint is made first).
    Checked = _INTERP_;
    RedrawWindow(wn, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    Pump();
    ShowMode = _HEX_;
    ByteOffset = 16;
    NumBytes = 16;
    ByteNum = 0;
    ScreenLines = 10;
    Command(CM_SHOW_MARKED);
    EXPECT_EQ(Dialogs(), Texts{"Sorry|Marked area is not in this table"});
    EXPECT_EQ(ByteNum, 0);
    // The mark lies above the first byte shown: it is given up, and the
    // search starts at the table's top.
    Search("key", CM_FIND_FORWARD);
    ExpectMark(24, 27);
    EXPECT_TRUE(Dialogs().empty());
    F3();
    EXPECT_EQ(Dialogs(), Texts{"Search String|Not found."});
    ExpectMark(24, 27);
    // Backwards the scan stops at the table's start.
    Search("key", CM_FIND_REVERSE);
    EXPECT_EQ(Dialogs(), Texts{"Search String|Not found."});
    ExpectMark(24, 27);
}

}  // namespace
