// The View menu's commands in the main window: view modes, wrapping,
// conversion and address modes, with their menu checks and toolbar buttons,
// and the position texts of the status bar.
#include <windows.h>
#include <commctrl.h>

#include <cstring>

#include "app/app_win.h"
#include "document/document.h"
#include "interpret/interp_tree.h"
#include "resources/resource_ids.h"
#include "view/view_modes.h"
#include "view/view_nav.h"

namespace {

void Repaint() { InvalidateRect(wn, nullptr, FALSE); }

bool PartShows(int part, const char* text) {
    char now[64] = "";
    const LRESULT length = SendMessageA(hStatusBar, SB_GETTEXTLENGTHA, part, 0);
    if (LOWORD(length) >= sizeof now) return false;
    SendMessageA(hStatusBar, SB_GETTEXTA, part, reinterpret_cast<LPARAM>(now));
    return std::strcmp(now, text) == 0;
}

}  // namespace

void ViewModeCommand(int id) {
    const uint16_t mode = static_cast<uint16_t>(id);
    if (mode == _TEXT_) {
        bool reported = false;
        if (!TextModePosition(&reported)) {
            if (!reported) TooManyLines();
            return;
        }
    } else if (mode == _HEX_ || mode == _CHAR_) {
        ByteModePosition();
    }

    if (Checked == _INTERP_) {
        DestroyTV();
        SendMessageA(wn, WM_SIZE, 0, 0);
    }
    ModeColumn(mode);
    if (mode != Checked) {
        // The button of a mode stays checked (pressed) while the mode is on.
        CheckMenuItem(hMenu, Checked, MF_UNCHECKED);
        SendMessageA(hToolBar, TB_CHECKBUTTON, Checked, FALSE);
        Checked = ShowMode = mode;
        CheckMenuItem(hMenu, Checked, MF_CHECKED);
        SendMessageA(hToolBar, TB_CHECKBUTTON, Checked, TRUE);
    }
    ExportCmd = 0;
    Repaint();
}

void WrapCommand() {
    // A rebuild changes the number of lines: the position stays on one of
    // them, as after a rebuild in the paint.
    if (ToggleWrap() && ShowMode == _TEXT_ && Checked != _INTERP_) LineNum = ClampLineNum(LineNum);
    CheckMenuItem(hMenu, CM_WRAP, WrapFlag);
    SendMessageA(hToolBar, TB_CHECKBUTTON, CM_WRAP, WrapFlag != 0);
    Repaint();
}

void ConvertCommand() {
    ConvertFlag ^= 8;
    CheckMenuItem(hMenu, CM_CONVERT, ConvertFlag);
    Repaint();
}

void AddrModeCommand(int id) {
    if (id == AddrMode) return;
    CheckMenuItem(hMenu, AddrMode, MF_UNCHECKED);
    AddrMode = static_cast<uint16_t>(id);
    CheckMenuItem(hMenu, AddrMode, MF_CHECKED);
    DestroyTV();
    Repaint();
}

// The bar repaints itself at once for every text it is given: only the
// texts that changed are written, and two are written with its drawing
// held, so that it repaints once, with the rest of the window.
void ShowPosition() {
    char part2[64] = "", part3[64] = "";
    // A file that cannot be interpreted shows no bytes, so no position.
    if (Checked != _INTERP_ || InterpKind != InterpNone) PositionTexts(part2, part3);
    const bool new2 = !PartShows(2, part2), new3 = !PartShows(3, part3);
    if (new2 != new3) {
        SendMessageA(hStatusBar, SB_SETTEXTA, new2 ? 2 : 3,
                     reinterpret_cast<LPARAM>(new2 ? part2 : part3));
        return;
    }
    if (!new2) return;
    RECT pending;
    const bool wasPending = GetUpdateRect(hStatusBar, &pending, FALSE);
    SendMessageA(hStatusBar, WM_SETREDRAW, FALSE, 0);
    SendMessageA(hStatusBar, SB_SETTEXTA, 2, reinterpret_cast<LPARAM>(part2));
    SendMessageA(hStatusBar, SB_SETTEXTA, 3, reinterpret_cast<LPARAM>(part3));
    SendMessageA(hStatusBar, WM_SETREDRAW, TRUE, 0);
    if (wasPending) InvalidateRect(hStatusBar, &pending, FALSE);
    RECT parts[2];
    if (SendMessageA(hStatusBar, SB_GETRECT, 2, reinterpret_cast<LPARAM>(&parts[0])) &&
        SendMessageA(hStatusBar, SB_GETRECT, 3, reinterpret_cast<LPARAM>(&parts[1]))) {
        RECT both;
        UnionRect(&both, &parts[0], &parts[1]);
        InvalidateRect(hStatusBar, &both, FALSE);
    } else {
        InvalidateRect(hStatusBar, nullptr, FALSE);
    }
}
