#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>

#include "app/app_win.h"
#include "app/layout.h"
#include "document/document.h"
#include "resources/resource_ids.h"
#include "view/nav_dialogs.h"
#include "win_test_support.h"

namespace {

// What the answer types into the dialog and which button it presses.
std::string First, Second;
int Button = IDOK;
void Answer(HWND dialog) {
    if (!GetDlgItem(dialog, ID_EDIT_FIRST)) {  // a message box
        PostMessageA(dialog, WM_COMMAND, IDOK, 0);
        return;
    }
    SetDlgItemTextA(dialog, ID_EDIT_FIRST, First.c_str());
    if (GetDlgItem(dialog, ID_EDIT_SECOND)) SetDlgItemTextA(dialog, ID_EDIT_SECOND, Second.c_str());
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(Button, BN_CLICKED), 0);
    if (Button == ID_HEX) PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
}

class NavDialogs : public ShellTest {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        DialogAnswer = Answer;
        Button = IDOK;
        First = Second = "";
    }
    static void Open(const std::string& bytes, int mode) {
        DialogAnswer = nullptr;
        OpenInView("orvex-nav.bin", bytes, mode);
        DialogAnswer = Answer;
    }
    static void CtrlKey(UINT vk) {
        SetControl(true);
        Route(wn, WM_KEYDOWN, vk, 0);
        SetControl(false);
    }
};

TEST_F(NavDialogs, GoToLineAndColumnInText) {
    std::string text;
    for (int i = 0; i < 120; ++i) text += "a line of text " + std::to_string(i) + "\r\n";
    text += "last";
    Open(text, CM_VIEW_TEXT);
    First = "99999";
    CtrlKey('G');
    ASSERT_EQ(SeenDialogs.size(), 1u);
    EXPECT_EQ(SeenDialogs[0].substr(0, 11), "Go to Line|");
    EXPECT_EQ(LineNum, 121);
    First = "0";
    Command(CM_GOTO);
    EXPECT_EQ(LineNum, 1);
    First = "";
    LineNum = 7;
    Command(CM_GOTO);  // empty: cancelled
    EXPECT_EQ(LineNum, 7);
    First = "0";
    Col = 5;
    Command(CM_SET_COLUMN);
    EXPECT_EQ(Col, 1);
    First = "9999";
    Command(CM_SET_COLUMN);
    EXPECT_EQ(Col, NumCols);
    // The status bar's position parts open the same dialogs.
    ClearDialogs();
    First = "3";
    Route(hStatusBar, WM_LBUTTONDOWN, 0, MAKELPARAM(StatusEdges[1] + 5, 5));
    EXPECT_EQ(LineNum, 3);
    Route(hStatusBar, WM_LBUTTONDOWN, 0, MAKELPARAM(StatusEdges[2] + 5, 5));
    EXPECT_EQ(Col, 3);
    ASSERT_EQ(SeenDialogs.size(), 2u);
    EXPECT_EQ(SeenDialogs[1].substr(0, 14), "Set Column to|");
}

TEST_F(NavDialogs, GoToByteInHex) {
    Open(std::string(0x800, 'b'), CM_VIEW_HEX);
    First = "100000";
    Command(CM_GOTO);
    ASSERT_EQ(SeenDialogs.size(), 1u);
    EXPECT_EQ(SeenDialogs[0].substr(0, 11), "Go to Byte|");
    EXPECT_EQ(ByteNum, 0x7FF);
    First = "FFFFFFFF";
    Command(CM_GOTO);
    EXPECT_EQ(ByteNum, 0);
    First = "123";
    Route(hStatusBar, WM_LBUTTONDOWN, 0, MAKELPARAM(StatusEdges[2] + 5, 5));
    EXPECT_EQ(ByteNum, 0x123);
}

TEST_F(NavDialogs, MarkBytesInTheModesBase) {
    Open(std::string(0x800, 'k'), CM_VIEW_HEX);
    First = "10";
    Second = "1F";
    CtrlKey('M');
    EXPECT_EQ(MarkState, 1);
    EXPECT_EQ(MarkStart, 0x10);
    EXPECT_EQ(MarkEnd, 0x20);
    EXPECT_EQ(MarkHex, 1);
    EXPECT_EQ(MenuState(CM_COPY) & MF_GRAYED, 0u);
    Second = "";
    Command(CM_MARK_BYTES);
    EXPECT_EQ(MarkEnd, 0x11);
    First = "7F0";
    Second = "FFFF";
    Command(CM_MARK_BYTES);
    EXPECT_EQ(MarkStart, 0x7F0);
    EXPECT_EQ(MarkEnd, 0x800);

    Command(CM_VIEW_TEXT);
    First = "16";
    Second = "31";
    Command(CM_MARK_BYTES);
    EXPECT_EQ(MarkHex, 0);
    EXPECT_EQ(MarkStart, 16);
    EXPECT_EQ(MarkEnd, 32);
    // Hex chosen in the dialog.
    Button = ID_HEX;
    Command(CM_MARK_BYTES);  // the radio clicked, then cancelled
    EXPECT_EQ(MarkHex, 1);
    EXPECT_EQ(MarkStart, 16);
}

// CONVERT stays open until cancelled: its buttons are pressed on a modeless
// copy of the dialog, whose output is read back.
TEST_F(NavDialogs, ConvertShowsTenPlacesOrRefuses) {
    HWND dlg = CreateDialogParamA(hInst, "CONVERT", wn, ConvertDlgProc, 0);
    ASSERT_TRUE(dlg);
    auto press = [dlg](const char* input, int button) {
        SetDlgItemTextA(dlg, ID_EDIT_SECOND, "");
        SetDlgItemTextA(dlg, ID_EDIT_FIRST, input);
        SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
        char out[64] = "";
        GetDlgItemTextA(dlg, ID_EDIT_SECOND, out, sizeof out);
        return std::string(out);
    };
    ClearDialogs();
    EXPECT_EQ(press("255", ID_TO_HEX), "        FF");
    EXPECT_EQ(press("FFFFFFFF", ID_TO_DECIMAL), "4294967295");
    EXPECT_EQ(press("4294967296", ID_TO_HEX), "         0");
    EXPECT_TRUE(SeenDialogs.empty());
    // Closing a message box activates the dialog again: only the boxes count.
    EXPECT_EQ(press("123456789", ID_TO_DECIMAL), "");
    ASSERT_FALSE(SeenDialogs.empty());
    EXPECT_EQ(SeenDialogs[0], "Sorry|Number is too big for me.");
    ClearDialogs();
    EXPECT_EQ(press("", ID_TO_HEX), "");
    ASSERT_FALSE(SeenDialogs.empty());
    EXPECT_EQ(SeenDialogs[0].substr(SeenDialogs[0].find('|')), "|No input");
    // Enter does nothing: the dialog is still there.
    SendMessageA(dlg, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(IsWindow(dlg));
    DestroyWindow(dlg);
}

}  // namespace
