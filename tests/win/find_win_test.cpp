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

// One step of a walk: what is typed in the find box (nullptr: nothing), the
// command or key, then the mark expected (start -1: none; kAny: not looked
// at) and the box shown (nullptr: none).
constexpr int kF3 = -1, kEnter = -2, kCtrlF = -3, kAny = -2;
struct Step {
    const char* typed;
    int command;
    int32_t start, end;
    const char* box;
};
const char* const NotFound = "Search String|Not found.";

TEST_F(Find, StepsThroughTheHitsWithTheBoxesShown) {
    const char* const badHex = "Error|Search string is not a valid hex value.";
    const struct {
        const char* file;
        std::vector<Step> steps;
    } walks[] = {
        // Hits without wrapping; Enter in the find box is find next, Ctrl+F
        // starts again from the top line; reverse starts beside the mark and
        // keeps its direction; exact case reaches the search.
        {"abcABC",
         {{"b", CM_FIND, 1, 2, nullptr}, {nullptr, kF3, 4, 5, nullptr},
          {nullptr, kEnter, 4, 5, NotFound}, {nullptr, kCtrlF, 1, 2, nullptr},
          {nullptr, kF3, 4, 5, nullptr}, {"b", CM_FIND_REVERSE, 1, 2, nullptr},
          {nullptr, kF3, 1, 2, NotFound}, {"c", CM_FIND_FORWARD, 2, 3, nullptr},
          {nullptr, CM_EXACT_CASE, kAny, 0, nullptr}, {"b", CM_FIND, 1, 2, nullptr},
          {nullptr, kF3, 1, 2, NotFound}, {"B", CM_FIND, 4, 5, nullptr},
          {nullptr, CM_EXACT_CASE, 4, 5, nullptr}}},
        // Hex takes pairs of digits and is exact; Find drops the mark before
        // a bad text.
        {"xxABxxab",
         {{nullptr, CM_HEX_SEARCH, kAny, 0, nullptr}, {"4142", CM_FIND, 2, 4, nullptr},
          {nullptr, kF3, 2, 4, NotFound}, {"414", CM_FIND, -1, 0, badHex},
          {"6162", CM_FIND_FORWARD, 6, 8, nullptr}, {nullptr, CM_HEX_SEARCH, 6, 8, nullptr}}},
        // No search string, and the history is left alone.
        {"abc", {{"a", CM_FIND, 0, 1, nullptr}, {"", CM_FIND_NEXT, 0, 1, "Error|No search string"}}},
    };
    for (const auto& w : walks) {
        Open(w.file);
        std::string typed = WindowText(hFindCombo);
        for (size_t i = 0; i < w.steps.size(); ++i) {
            const Step& s = w.steps[i];
            SCOPED_TRACE(std::string(w.file) + " step " + std::to_string(i));
            if (s.typed) Type(s.typed);
            if (s.typed) typed = s.typed;
            if (s.command == kF3) {
                F3();
            } else if (s.command == kEnter) {
                Enter();
            } else if (s.command == kCtrlF) {
                SetControl(true);
                Route(hFindEdit, WM_KEYDOWN, 'F', 0);
                SetControl(false);
            } else {
                Command(s.command);
            }
            EXPECT_EQ(Dialogs(), s.box ? Texts{s.box} : Texts{});
            if (s.start >= 0) {
                ExpectMark(s.start, s.end);
            } else if (s.start == -1) {
                EXPECT_EQ(MarkState, 0);
            }
            EXPECT_EQ(WindowText(hFindCombo), typed);  // the text typed stays
        }
        // A hit enables copy and export.
        if (MarkState) {
            EXPECT_EQ(MenuState(CM_COPY) & MF_GRAYED, 0u);
            EXPECT_EQ(MenuState(CM_EXPORT_MARKED) & MF_GRAYED, 0u);
            EXPECT_TRUE(ButtonState(CM_COPY) & TBSTATE_ENABLED);
        }
    }
    EXPECT_EQ(History().front(), "a");
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
