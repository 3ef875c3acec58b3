// The navigation dialogs under Wine, shown by their commands, keys and status
// bar parts and answered through the hook.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "app/app_win.h"
#include "app/layout.h"
#include "document/document.h"
#include "resources/resource_ids.h"
#include "view/nav_dialogs.h"
#include "win_test_support.h"

namespace {

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

using Ints = std::vector<int32_t>;
Ints Mark() { return {MarkState, MarkStart, MarkEnd, MarkHex}; }

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
    EXPECT_EQ(Mark(), (Ints{1, 16, 32, 0}));
    Ask("", "", [] { Command(CM_MARK_BYTES); }, ID_HEX);  // the radio clicked, then cancelled
    EXPECT_EQ(Mark(), (Ints{1, 16, 32, 1}));

    Command(CM_VIEW_HEX);
    EXPECT_EQ(Ask("123", "", [] { StatusPart(3); }), "Go to Byte");
    EXPECT_EQ(ByteNum, 0x123);
    EXPECT_EQ(Ask("10", "1F", [] { CtrlKey(wn, 'M'); }), "Mark Bytes");
    EXPECT_EQ(Mark(), (Ints{1, 0x10, 0x20, 1}));
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
