// The "Print Properties" dialog: print font, size, characters per inch, line
// spacing and line numbers, with a sample drawn at once.
#include <windows.h>
#include <commctrl.h>

#include <cstring>

#include "appearance/font_list_win.h"
#include "print/page_layout.h"
#include "print/print_choices.h"
#include "print/print_settings.h"
#include "print/print_win.h"

namespace {

constexpr int IdFamilies = 160, IdBold = 110, IdItalic = 111, IdSize = 104, IdCpi = 105,
              IdSpacing = 106, IdLineNums = 107, IdSample = 102;

// The working copy of the seven choices while the dialog is open.
struct PrintChoices {
    char face[32];
    uint8_t bold, italic, size, cpi, spacing, lineNums;
};
PrintChoices Work;

void Fill(HWND dlg, int id, const char* const* texts, int count, int selected) {
    HWND box = GetDlgItem(dlg, id);
    for (int i = 0; i < count; ++i)
        SendMessageA(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(texts[i]));
    SendMessageA(box, CB_SETCURSEL, selected, 0);
}

int Selected(HWND dlg, int id) {
    const LRESULT i = SendDlgItemMessageA(dlg, id, CB_GETCURSEL, 0, 0);
    return i < 0 ? 0 : static_cast<int>(i);
}

void DrawSample(const DRAWITEMSTRUCT& item) {
    HDC dc = item.hDC;
    FillRect(dc, &item.rcItem, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    const int32_t height = PrintSizes[Work.size];
    HFONT font =
        CreateFontA(height, SampleFontWidth(Work.cpi), 0, 0, Work.bold ? 700 : 400, Work.italic, 0,
                    0, DEFAULT_CHARSET, 0, 0, DRAFT_QUALITY, FIXED_PITCH, Work.face);
    const HGDIOBJ old = SelectObject(dc, font);
    SetTextColor(dc, RGB(0, 0, 0));
    SetBkColor(dc, RGB(255, 255, 255));
    const int left = item.rcItem.left + 4;
    const int top = item.rcItem.top;
    const char* one = SampleText(1, Work.lineNums);
    const char* two = SampleText(2, Work.lineNums);
    TextOutA(dc, left, top + 4, one, static_cast<int>(std::strlen(one)));
    TextOutA(dc, left, top + SampleSecondLineY(height, Work.spacing), two,
             static_cast<int>(std::strlen(two)));
    SelectObject(dc, old);
    DeleteObject(font);
}

void RedrawSample(HWND dlg) { InvalidateRect(GetDlgItem(dlg, IdSample), nullptr, FALSE); }

void Open(HWND dlg) {
    lstrcpynA(Work.face, PrintFontName, sizeof Work.face);
    Work.bold = PrintBold ? 1 : 0;
    Work.italic = PrintItalic ? 1 : 0;
    Work.size = PrintSize < PrintSizeCount ? PrintSize : 4;
    Work.cpi = PrintCpi < CpiChoiceCount ? PrintCpi : 0;
    Work.spacing = PrintSpacing >= 2 && PrintSpacing <= 4 ? PrintSpacing : 2;
    Work.lineNums = PrintLineNums < LineNumChoiceCount ? PrintLineNums : 0;

    HWND list = GetDlgItem(dlg, IdFamilies);
    InitFamilyList(list);
    ListModernFonts(list);
    const int chosen = SelectFamily(list, Work.face);
    if (chosen >= 0) FamilyText(list, chosen, Work.face, sizeof Work.face);
    CheckDlgButton(dlg, IdBold, Work.bold ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(dlg, IdItalic, Work.italic ? BST_CHECKED : BST_UNCHECKED);
    Fill(dlg, IdSize, PrintSizeTexts, PrintSizeCount, Work.size);
    Fill(dlg, IdCpi, CpiTexts, CpiChoiceCount, Work.cpi);
    Fill(dlg, IdSpacing, SpacingTexts, 3, Work.spacing - 2);
    Fill(dlg, IdLineNums, LineNumTexts, LineNumChoiceCount, Work.lineNums);
}

void Store(HWND dlg) {
    HWND list = GetDlgItem(dlg, IdFamilies);
    const int chosen = static_cast<int>(SendMessageA(list, LVM_GETNEXTITEM, -1, LVNI_SELECTED));
    if (chosen >= 0) FamilyText(list, chosen, PrintFontName, sizeof PrintFontName);
    PrintBold = Work.bold;
    PrintItalic = Work.italic;
    PrintSize = static_cast<uint8_t>(Selected(dlg, IdSize));
    PrintCpi = static_cast<uint8_t>(Selected(dlg, IdCpi));
    PrintLineNums = static_cast<uint8_t>(Selected(dlg, IdLineNums));
    PrintSpacing = static_cast<uint8_t>(Selected(dlg, IdSpacing) + 2);
}

}  // namespace

INT_PTR CALLBACK FormatDlgProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_INITDIALOG: Open(dlg); return TRUE;
    case WM_DRAWITEM:
        if (wParam != IdSample) return FALSE;
        DrawSample(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    case WM_NOTIFY: {
        const NMHDR* hdr = reinterpret_cast<const NMHDR*>(lParam);
        if (hdr->idFrom != IdFamilies || hdr->code != LVN_ITEMCHANGED) return FALSE;
        const NMLISTVIEW* change = reinterpret_cast<const NMLISTVIEW*>(lParam);
        if (!(change->uNewState & LVIS_SELECTED) || (change->uOldState & LVIS_SELECTED))
            return FALSE;
        FamilyText(hdr->hwndFrom, change->iItem, Work.face, sizeof Work.face);
        RedrawSample(dlg);
        return TRUE;
    }
    case WM_COMMAND: {
        const int id = LOWORD(wParam);
        const int code = HIWORD(wParam);
        switch (id) {
        case IDOK:
            Store(dlg);
            EndDialog(dlg, 1);
            return TRUE;
        case IDCANCEL: EndDialog(dlg, 0); return TRUE;
        case IdBold:
        case IdItalic:
            Work.bold = IsDlgButtonChecked(dlg, IdBold) == BST_CHECKED;
            Work.italic = IsDlgButtonChecked(dlg, IdItalic) == BST_CHECKED;
            break;
        case IdSize:
        case IdCpi:
        case IdSpacing:
        case IdLineNums: {
            if (code != CBN_SELCHANGE) return FALSE;
            const int i = Selected(dlg, id);
            if (id == IdSize) Work.size = static_cast<uint8_t>(i);
            if (id == IdCpi) Work.cpi = static_cast<uint8_t>(i);
            if (id == IdSpacing) Work.spacing = static_cast<uint8_t>(i + 2);
            if (id == IdLineNums) Work.lineNums = static_cast<uint8_t>(i);
            break;
        }
        default: return FALSE;
        }
        RedrawSample(dlg);
        return TRUE;
    }
    }
    return FALSE;
}
