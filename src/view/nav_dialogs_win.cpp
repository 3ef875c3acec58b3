// The navigation dialogs: their procedures read the edits and hand the
// texts to the clamping of view_nav.
#include "view/nav_dialogs.h"

#include "app/app_win.h"
#include "document/document.h"
#include "resources/resource_ids.h"
#include "view/view_nav.h"

uint8_t MarkHex = 0;

namespace {

// The focus goes to the first edit; FALSE keeps it there.
INT_PTR FocusFirstEdit(HWND hwnd) {
    SetFocus(GetDlgItem(hwnd, ID_EDIT_FIRST));
    return FALSE;
}

// At most `max` characters of edit `id`.
template <int N>
void ReadEdit(HWND hwnd, int id, char (&text)[N], int max) {
    text[0] = '\0';
    GetDlgItemTextA(hwnd, id, text, max + 1);
}

// The OK of "LINE" and "COLUMN": the value is taken, or the dialog is
// cancelled for an empty edit.
INT_PTR OneNumber(HWND hwnd, WPARAM wParam, bool (*take)(const char*)) {
    if (LOWORD(wParam) == IDCANCEL) {
        EndDialog(hwnd, 2);
    } else if (LOWORD(wParam) == IDOK) {
        char text[16];
        ReadEdit(hwnd, ID_EDIT_FIRST, text, 10);
        EndDialog(hwnd, take(text) ? 1 : 2);
    }
    return TRUE;
}

}  // namespace

INT_PTR CALLBACK LineDlgProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM) {
    switch (msg) {
    case WM_INITDIALOG:
        if (ShowMode != _TEXT_)
            SendMessageA(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("Go to Byte"));
        return FocusFirstEdit(hwnd);
    case WM_COMMAND: return OneNumber(hwnd, wParam, GoToText);
    default: return FALSE;
    }
}

INT_PTR CALLBACK ColumnDlgProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM) {
    switch (msg) {
    case WM_INITDIALOG: return FocusFirstEdit(hwnd);
    case WM_COMMAND: return OneNumber(hwnd, wParam, SetColumnText);
    default: return FALSE;
    }
}

INT_PTR CALLBACK MarkDlgProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM) {
    switch (msg) {
    case WM_INITDIALOG:
        MarkHex = ShowMode == _TEXT_ ? 0 : 1;
        CheckRadioButton(hwnd, ID_DECIMAL, ID_HEX, MarkHex ? ID_HEX : ID_DECIMAL);
        return FocusFirstEdit(hwnd);
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case ID_DECIMAL: MarkHex = 0; break;
        case ID_HEX: MarkHex = 1; break;
        case IDCANCEL: EndDialog(hwnd, 2); break;
        case IDOK: {
            char first[16], last[16];
            ReadEdit(hwnd, ID_EDIT_FIRST, first, 10);
            ReadEdit(hwnd, ID_EDIT_SECOND, last, 10);
            if (!MarkBytesText(first, last, MarkHex != 0)) {
                EndDialog(hwnd, 2);
                break;
            }
            SetMarked();
            EndDialog(hwnd, 1);
            break;
        }
        default: break;
        }
        return TRUE;
    default: return FALSE;
    }
}

INT_PTR CALLBACK ConvertDlgProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM) {
    switch (msg) {
    case WM_INITDIALOG: return FocusFirstEdit(hwnd);
    case WM_COMMAND: {
        const int id = LOWORD(wParam);
        if (id == IDCANCEL) {
            EndDialog(hwnd, 2);
        } else if (id == ID_TO_HEX || id == ID_TO_DECIMAL) {
            char input[24], out[16];
            ReadEdit(hwnd, ID_EDIT_FIRST, input, 20);
            switch (ConvertNumber(input, id == ID_TO_HEX, out)) {
            case ConvertResult::NoInput: MessageBoxA(hwnd, "No input", nullptr, MB_OK); break;
            case ConvertResult::TooBig:
                MessageBoxA(hwnd, "Number is too big for me.", "Sorry", MB_OK);
                break;
            case ConvertResult::Done: SetDlgItemTextA(hwnd, ID_EDIT_SECOND, out); break;
            }
        }
        return TRUE;  // Enter (IDOK) does nothing: there is no OK button
    }
    default: return FALSE;
    }
}
