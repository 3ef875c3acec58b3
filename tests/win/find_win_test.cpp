// The find commands under Wine: the real find box, checked on the mark, the
// view position, the history and the message boxes the hook answers.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "app/app_win.h"
#include "app/find.h"
#include "document/document.h"
#include "resources/resource_ids.h"
#include "win_test_support.h"

namespace {

using Texts = std::vector<std::string>;

void Type(const char* text) { SetWindowTextA(hFindCombo, text); }
void Search(const std::string& text) {
    Type(text.c_str());
    Command(CM_FIND);
}
Texts History() {
    Texts out;
    for (LRESULT i = 0; i < SendMessageA(hFindCombo, CB_GETCOUNT, 0, 0); ++i) {
        char text[300] = "";
        SendMessageA(hFindCombo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
        out.push_back(text);
    }
    return out;
}

using Find = ShellTest;

// Each step: typed in the find box (nullptr: nothing), the command or key,
// the mark after it (start -1: none) and the box shown (nullptr: none).
TEST_F(Find, StepsThroughTheHitsWithTheBoxesShown) {
    constexpr int F3 = -1, Enter = -2, CtrlF = -3;
    const char* const notFound = "Search String|Not found.";
    const struct {
        const char* typed;
        int command;
        int32_t start, end;
        const char* box;
    } steps[] = {
        // Hex: pairs of digits, exact; Find drops the mark before a bad text.
        {nullptr, CM_HEX_SEARCH, -1, 0, nullptr}, {"4142", CM_FIND, 0, 2, nullptr},
        {nullptr, F3, 0, 2, notFound}, {"414", CM_FIND, -1, 0, "Error|Search string is not a valid hex value."},
        {"6162", CM_FIND_FORWARD, 4, 6, nullptr}, {nullptr, CM_HEX_SEARCH, 4, 6, nullptr},
        // Enter in the find box is find next; Ctrl+F starts again from the
        // top line; reverse starts beside the mark and keeps its direction.
        {"b", CM_FIND, 1, 2, nullptr}, {nullptr, F3, 5, 6, nullptr}, {nullptr, Enter, 5, 6, notFound},
        {nullptr, CtrlF, 1, 2, nullptr}, {nullptr, F3, 5, 6, nullptr}, {"b", CM_FIND_REVERSE, 1, 2, nullptr},
        {nullptr, F3, 1, 2, notFound}, {"c", CM_FIND_FORWARD, 6, 7, nullptr},
        {nullptr, CM_EXACT_CASE, 6, 7, nullptr}, {"a", CM_FIND, 4, 5, nullptr},
        {"", CM_FIND_NEXT, 4, 5, "Error|No search string"},
    };
    OpenInView("orvex-find.txt", "ABxxabc");
    std::string typed;
    for (const auto& s : steps) {
        SCOPED_TRACE(std::to_string(&s - steps));
        if (s.typed) {
            Type(s.typed);
            typed = s.typed;
        }
        if (s.command == F3 || s.command == Enter) {
            Route(hFindEdit, WM_KEYDOWN, s.command == F3 ? VK_F3 : VK_RETURN, 0);
        } else if (s.command == CtrlF) {
            CtrlKey(hFindEdit, 'F');
        } else {
            Command(s.command);
        }
        EXPECT_EQ(TakeDialogs(), s.box ? Texts{s.box} : Texts{});
        EXPECT_EQ(MarkState, s.start >= 0);
        if (s.start >= 0) {
            EXPECT_EQ(std::make_pair(MarkStart, MarkEnd), std::make_pair(s.start, s.end));
        }
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
    // The history is stored as "Find" and read by the next run.
    StopShell();
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
    EXPECT_EQ(MarkStart, 300 * 14 + 6);
    EXPECT_EQ(LineNum, 291);  // line index 300, ten rows down
    EXPECT_EQ(Col, 39);       // column 48 after the tabs
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

}  // namespace
