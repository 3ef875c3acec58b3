// The View menu's commands in the main window: view modes, wrapping,
// conversion and address modes, with their menu checks and toolbar buttons,
// and the position texts of the status bar.
#include <windows.h>
#include <commctrl.h>

#include "app/app_win.h"
#include "document/document.h"
#include "interpret/interp_tree.h"
#include "resources/resource_ids.h"
#include "view/view_modes.h"
#include "view/view_nav.h"

namespace {
void Repaint() { InvalidateRect(wn, nullptr, FALSE); }
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

void ShowPosition() {
    char part2[64] = "", part3[64] = "";
    // A file that cannot be interpreted shows no bytes, so no position.
    if (Checked != _INTERP_ || InterpKind != InterpNone) PositionTexts(part2, part3);
    SendMessageA(hStatusBar, SB_SETTEXTA, 2, reinterpret_cast<LPARAM>(part2));
    SendMessageA(hStatusBar, SB_SETTEXTA, 3, reinterpret_cast<LPARAM>(part3));
}
