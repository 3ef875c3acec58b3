// Command dispatch: the command table, the shortcut keys, the simple
// commands and the orderly end of the program.
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <cstring>

#include "app/app_win.h"
#include "app/find.h"
#include "app/help_win.h"
#include "app/recent_files.h"
#include "appearance/appearance_win.h"
#include "document/document.h"
#include "document/document_win.h"
#include "print/print_win.h"
#include "interpret/interpret_win.h"
#include "resources/resource_ids.h"
#include "view/nav_dialogs.h"

namespace {

constexpr char HelpFile[] = "ORVEX.HLP";
constexpr char WebPage[] = "https://www.tarnwick.example/orvex.htm";

void Repaint() { InvalidateRect(wn, nullptr, FALSE); }

// Toggles ExactCase or HexSearch with its menu item and toolbar button.
void ToggleOption(uint8_t* flag, int id) {
    *flag ^= 8;
    CheckMenuItem(hMenu, id, *flag);
    SendMessageA(hToolBar, TB_CHECKBUTTON, id, *flag != 0);
}

// The help engine shows the help file where the system has both; elsewhere
// (current systems ship no engine for this format) the program's own guide
// opens.
void ShowHelp() {
    char path[MAX_PATH];
    if (SearchPathA(nullptr, HelpFile, nullptr, sizeof path, path, nullptr) &&
        WinHelpA(wn, HelpFile, HELP_FINDER, 0))
        return;
    ShowGuide();
}

void VisitWebsite() {
    const HINSTANCE result = ShellExecuteA(0, "open", WebPage, nullptr, "", SW_SHOWMAXIMIZED);
    if (reinterpret_cast<INT_PTR>(result) > 32) return;
    char text[256] = "Unable to open web browser.  Please open your web browser and point it to ";
    std::strncat(text, WebPage, sizeof text - std::strlen(text) - 1);
    MessageBoxA(wn, text, "Error", MB_ICONEXCLAMATION);
}

void OpenRecent(int index) {
    std::memcpy(FileName, RecentFiles[index], sizeof FileName);
    FileName[sizeof FileName - 1] = '\0';
    LoadFile(CM_RECENT + index, index);
}

// Ctrl+A: marks the shown range from the first byte shown to its end.
void MarkToEnd() {
    const int64_t start = static_cast<int64_t>(ByteNum) + ByteOffset;
    const int64_t end = static_cast<int64_t>(ByteOffset) + NumBytes;
    if (start >= 0 && start < end && end <= FileSize) {
        MarkStart = static_cast<int32_t>(start);
        MarkEnd = static_cast<int32_t>(end);
        SetMarked();
    }
    Repaint();
}

}  // namespace

LRESULT DoCommand(HWND hwnd, WPARAM wParam, LPARAM lParam) {
    const int id = LOWORD(wParam);
    switch (id) {
    case CM_EXIT: SendMessageA(wn, WM_CLOSE, 0, 0); return 0;
    case CM_OPEN: OpenWithDialog(); return 0;
    case CM_OPEN_NAMED: LoadFile(CM_OPEN_NAMED, RecentCount - 1); return 0;
    case CM_RELOAD: LoadFile(CM_RELOAD, 0); return 0;
    case CM_EXACT_CASE: ToggleOption(&ExactCase, id); return 0;
    case CM_HEX_SEARCH: ToggleOption(&HexSearch, id); return 0;
    case CM_VIEW_TEXT:
    case CM_VIEW_HEX:
    case CM_VIEW_CHAR:
    case CM_VIEW_INTERP: ViewModeCommand(id); return 0;
    case CM_WRAP: WrapCommand(); return 0;
    case CM_CONVERT: ConvertCommand(); return 0;
    case CM_ADDR_ZERO:
    case CM_ADDR_PHYSICAL:
    case CM_ADDR_RVA: AddrModeCommand(id); return 0;
    case CM_HELP: ShowHelp(); return 0;
    case CM_ABOUT: DialogBoxParamA(hInst, "ABOUTBOX", hwnd, GenericDlgProc, 0); break;
    case CM_WEBSITE: VisitWebsite(); return 0;
    case CM_FIND:
    case CM_FIND_NEXT:
    case CM_FIND_FORWARD:
    case CM_FIND_REVERSE: FindCommand(id); return 0;
    case CM_SHOW_MARKED: ShowMarkedArea(); return 0;
    case CM_COPY: CopyMarked(); return 0;
    case CM_EXPORT_MARKED: ExportMarked(); return 0;
    case CM_GOTO:
        if (DialogBoxParamA(hInst, "LINE", hwnd, LineDlgProc, 0) == 1) Repaint();
        return 0;
    case CM_SET_COLUMN:
        if (DialogBoxParamA(hInst, "COLUMN", hwnd, ColumnDlgProc, 0) == 1) Repaint();
        return 0;
    case CM_MARK_BYTES:
        if (DialogBoxParamA(hInst, "MARK", hwnd, MarkDlgProc, 0) == 1) {
            ShowMarkedArea();
        }
        return 0;
    case CM_CONVERSIONS: DialogBoxParamA(hInst, "CONVERT", hwnd, ConvertDlgProc, 0); return 0;

    // Resource export (interpretation).
    case CM_EXPORT_BITMAPS:
    case CM_EXPORT_CURSORS:
    case CM_EXPORT_ICONS: ExportResources(id); return 0;

    // Printing. The dialogs that the preview opens are owned by it.
    case CM_PRINT:
        DialogBoxParamA(hInst, "PREVIEW", hwnd, PreviewDlgProc, 0);
        Repaint();
        return 0;
    case CM_PRINT_PROPERTIES:
        DialogBoxParamA(hInst, "FORMAT", PrintDialogOwner(hwnd), FormatDlgProc, 0);
        return 0;
    case CM_FOOTER:
        DialogBoxParamA(hInst, "FOOTER", PrintDialogOwner(hwnd), FooterDlgProc, 0);
        return 0;

    // Screen font and colours.
    case CM_SELECT_FONT: SelectFontCommand(); return 0;
    case CM_TEXT_COLOR:
    case CM_BK_COLOR:
    case CM_MARK_TEXT_COLOR:
    case CM_MARK_BK_COLOR: ColorCommand(id); return 0;

    default:
        if (id >= CM_RECENT && id < CM_RECENT + RecentCount) {
            OpenRecent(id - CM_RECENT);
            return 0;
        }
        break;
    }
    return DefWindowProcA(hwnd, WM_COMMAND, wParam, lParam);
}

LRESULT DoKey(HWND hwnd, WPARAM wParam, LPARAM lParam) {
    if (wParam != VK_BACK) {
        BYTE keys[256];
        GetKeyboardState(keys);
        WORD chars[2] = {0, 0};
        const int n = ToAscii(static_cast<UINT>(wParam), (lParam >> 16) & 0xFF, keys, chars, 0);
        // A printable character belongs to the typed command (DEL, which
        // some systems give for Delete, is not one).
        if (n > 0 && (chars[0] & 0xFF) > 31 && (chars[0] & 0xFF) != 127) {
            CommandBarKey(wParam, static_cast<char>(chars[0] & 0xFF));
            return DefWindowProcA(hwnd, WM_KEYDOWN, wParam, lParam);
        }
    }
    if (CommandBarKey(wParam & 0xFF, 0)) return DefWindowProcA(hwnd, WM_KEYDOWN, wParam, lParam);
    int command = 0;
    switch (wParam & 0xFF) {
    case 'A': MarkToEnd(); return 0;
    case 'U':
        ClearMarked();
        Repaint();
        return 0;
    case VK_F2:
        if (MarkState) MarkState = MarkState == 1 ? 2 : 1;
        Repaint();
        return 0;
    case 'C': command = CM_COPY; break;
    case 'F': command = CM_FIND; break;
    case 'G': command = CM_GOTO; break;
    case 'H': command = CM_VIEW_HEX; break;
    case 'I': command = CM_VIEW_INTERP; break;
    case 'M': command = CM_MARK_BYTES; break;
    case 'O': command = CM_OPEN; break;
    case 'P': command = CM_PRINT; break;
    case 'R':
    case VK_F5: command = CM_RELOAD; break;
    case 'S': command = CM_SHOW_MARKED; break;
    case 'T': command = CM_VIEW_TEXT; break;
    case VK_F1: command = CM_HELP; break;
    case VK_F3: command = CM_FIND_NEXT; break;
    default: break;
    }
    if (command) return DoCommand(hwnd, command, 0);
    // The editing keys of the typed command and every other key.
    return DefWindowProcA(hwnd, WM_KEYDOWN, wParam, lParam);
}

INT_PTR CALLBACK GenericDlgProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM) {
    switch (msg) {
    case WM_INITDIALOG: return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) EndDialog(hwnd, 1);
        if (LOWORD(wParam) == IDCANCEL) EndDialog(hwnd, 0);
        return TRUE;
    default: return FALSE;
    }
}

void EndProgram() {
    if (hFile) {
        CloseHandle(hFile);
        hFile = 0;
    }
    ReleaseDocumentWin();
    SaveSettings();
    PostQuitMessage(0);
    WinHelpA(wn, HelpFile, HELP_QUIT, 0);
}
