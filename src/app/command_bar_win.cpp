// The command bar in the main window: its text in status bar part 0, the
// editing keys and the execution that repaints the view.
#include "app/app_win.h"
#include "app/command_bar.h"

namespace {

void ShowCommandText() {
    SendMessageA(hStatusBar, SB_SETTEXTA, 0, reinterpret_cast<LPARAM>(CmdBuf));
}

void Executed() {
    InvalidateRect(hViewWnd, nullptr, TRUE);
    ShowCommandText();
}

}  // namespace

bool CommandBarKey(WPARAM key, char typed) {
    if (typed) {
        if (CmdInsert(typed)) ShowCommandText();
        return true;
    }
    switch (key) {
    case VK_RETURN:
        if (ExecuteCmd()) Executed();
        return true;
    case 'E':
        if (CmdErase()) ShowCommandText();
        return true;
    case VK_BACK:
    case VK_DELETE:
    case VK_HOME:
    case VK_END:
    case VK_LEFT:
    case VK_RIGHT:
        if (CmdEdit(static_cast<unsigned>(key))) ShowCommandText();
        return true;
    default: return false;
    }
}

void RepeatCommand() {
    if (RepeatCmd()) Executed();
}
