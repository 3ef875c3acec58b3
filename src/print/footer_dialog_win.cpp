// The "Format Footer" dialog: the three parts of the footer in three edits.
#include <initializer_list>

#include "print/footer.h"
#include "print/print_settings.h"
#include "print/print_win.h"

namespace {

constexpr int IdLeft = 124, IdCentre = 125, IdRight = 126, IdDefault = 100;

void Show(HWND dlg, const char* text) {
    char left[FooterTextMax + 1], right[FooterTextMax + 1], centre[FooterTextMax + 1];
    SplitFooter(text, left, right, centre, sizeof left);
    SetDlgItemTextA(dlg, IdLeft, left);
    SetDlgItemTextA(dlg, IdRight, right);
    SetDlgItemTextA(dlg, IdCentre, centre);
}

}  // namespace

INT_PTR CALLBACK FooterDlgProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM) {
    switch (msg) {
    case WM_INITDIALOG:
        for (int id : {IdLeft, IdCentre, IdRight})
            SendDlgItemMessageA(dlg, id, EM_LIMITTEXT, FooterEditMax, 0);
        FooterBlock[FooterBlockSize - 1] = '\0';
        Show(dlg, FooterBlock + 1);
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IdDefault: Show(dlg, DefaultFooterText); return TRUE;
        case IDOK: {
            char left[FooterEditMax + 1], right[FooterEditMax + 1], centre[FooterEditMax + 1];
            GetDlgItemTextA(dlg, IdLeft, left, sizeof left);
            GetDlgItemTextA(dlg, IdRight, right, sizeof right);
            GetDlgItemTextA(dlg, IdCentre, centre, sizeof centre);
            JoinFooter(left, right, centre, FooterBlock + 1);
            EndDialog(dlg, 1);
            return TRUE;
        }
        case IDCANCEL: EndDialog(dlg, 0); return TRUE;
        }
        return FALSE;
    }
    return FALSE;
}
