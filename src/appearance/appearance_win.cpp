#include "appearance/appearance_win.h"

#include <commctrl.h>
#include <commdlg.h>

#include <cstring>

#include "app/app_win.h"
#include "appearance/appearance.h"
#include "appearance/font_list_win.h"
#include "appearance/font_sizes.h"
#include "resources/resource_ids.h"

static_assert(sizeof(COLORREF) == sizeof(uint32_t), "colours are stored as COLORREF");

namespace {

// The size chosen in the open dialog: its text ("" for none) and whether it
// is a height alone (a TrueType or other scalable family, width 0).
char ChosenSize[SizeTextSize];
bool ChosenTrueType;

HWND Families(HWND dialog) { return GetDlgItem(dialog, IdFamilyList); }
HWND Sizes(HWND dialog) { return GetDlgItem(dialog, IdSizeList); }

int ItemCount(HWND list) { return static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0)); }

int SelectedItem(HWND list) {
    return static_cast<int>(
        SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

void SelectItem(HWND list, int index) {
    LVITEMA item = {};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(list, LVM_SETITEMSTATE, index, reinterpret_cast<LPARAM>(&item));
    SendMessageA(list, LVM_ENSUREVISIBLE, index, FALSE);
}

int FindText(HWND list, const char* text) {
    LVFINDINFOA find = {};
    find.flags = LVFI_STRING;
    find.psz = text;
    return static_cast<int>(SendMessageA(list, LVM_FINDITEMA, static_cast<WPARAM>(-1),
                                         reinterpret_cast<LPARAM>(&find)));
}

// Adds a size text unless the list already holds it.
void AddSize(HWND list, const char* text) {
    if (FindText(list, text) >= 0) return;
    LVITEMA item = {};
    item.mask = LVIF_TEXT;
    item.iItem = 0x7FFFFFFF;
    item.pszText = const_cast<char*>(text);
    SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
}

// Enumerating the sizes of a family that is not TrueType.
struct SizeScan {
    HWND list;
    bool scalable;  // a scalable face of another kind: any height serves
};

// One entry per size of a raster family; a size that two digits cannot hold
// is left out, because it could not be stored.
int CALLBACK AddRasterSize(const LOGFONTA* font, const TEXTMETRICA*, DWORD type, LPARAM param) {
    auto* scan = reinterpret_cast<SizeScan*>(param);
    if (!(type & RASTER_FONTTYPE)) {
        scan->scalable = true;
        return 0;
    }
    char text[SizeTextSize];
    if (FormatRasterSize(font->lfHeight, font->lfWidth, text)) AddSize(scan->list, text);
    return 1;
}

// The TrueType heights; returns the index of the one to select.
int AddHeights(HWND sizes) {
    for (int16_t height : TrueTypeHeights) {
        char text[SizeTextSize];
        FormatHeightText(height, text);
        AddSize(sizes, text);
    }
    char text[SizeTextSize];
    FormatHeightText(TrueTypeHeights[TrueTypeSizeIndex(FontHeight)], text);
    return FindText(sizes, text);
}

// The raster sizes of the family; returns the index of the one to select,
// or -2 when the family turns out to be scalable.
int AddRasterSizes(HWND sizes, const char* name) {
    SizeScan scan{sizes, false};
    HDC dc = GetDC(sizes);
    EnumFontFamiliesA(dc, name, reinterpret_cast<FONTENUMPROCA>(AddRasterSize),
                      reinterpret_cast<LPARAM>(&scan));
    ReleaseDC(sizes, dc);
    if (scan.scalable) return -2;
    constexpr int Most = 64;
    char texts[Most][SizeTextSize];
    const char* shown[Most];
    const int count = ItemCount(sizes);
    const int n = count < Most ? count : Most;
    for (int i = 0; i < n; ++i) {
        FamilyText(sizes, i, texts[i], SizeTextSize);
        shown[i] = texts[i];
    }
    return RasterSizeIndex(shown, n);
}

// Refills the size list for the family at `index` and selects its size.
// A scalable family that is not TrueType (a PostScript outline face) is
// offered the TrueType heights too: it has no fixed sizes to list.
void FillSizes(HWND dialog, int index) {
    HWND sizes = Sizes(dialog);
    SendMessageA(sizes, LVM_DELETEALLITEMS, 0, 0);
    ChosenSize[0] = '\0';
    char name[32] = "";
    LVITEMA family = {};
    family.mask = LVIF_TEXT | LVIF_IMAGE;
    family.iItem = index;
    family.pszText = name;
    family.cchTextMax = sizeof name;
    if (!SendMessageA(Families(dialog), LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&family))) return;
    ChosenTrueType = family.iImage == 1;
    int select = ChosenTrueType ? AddHeights(sizes) : AddRasterSizes(sizes, name);
    if (select == -2) {
        SendMessageA(sizes, LVM_DELETEALLITEMS, 0, 0);
        ChosenTrueType = true;
        select = AddHeights(sizes);
    }
    if (select < 0) return;
    SelectItem(sizes, select);
    FamilyText(sizes, select, ChosenSize, sizeof ChosenSize);
}

// A list item that has just become selected.
bool NewlySelected(const NMLISTVIEW* change) {
    return (change->uChanged & LVIF_STATE) && (change->uNewState & LVIS_SELECTED) &&
           !(change->uOldState & LVIS_SELECTED);
}

void Notify(HWND dialog, const NMHDR* header) {
    if (header->code != LVN_ITEMCHANGED) return;
    const auto* change = reinterpret_cast<const NMLISTVIEW*>(header);
    if (!NewlySelected(change)) return;
    if (header->idFrom == IdFamilyList)
        FillSizes(dialog, change->iItem);
    else if (header->idFrom == IdSizeList)
        FamilyText(Sizes(dialog), change->iItem, ChosenSize, sizeof ChosenSize);
}

void Ok(HWND dialog) {
    const int family = SelectedItem(Families(dialog));
    if (family >= 0 && ChosenSize[0]) {
        char name[32];
        FamilyText(Families(dialog), family, name, sizeof name);
        if (name[0]) StoreFontChoice(name, ChosenSize, ChosenTrueType);
    }
    EndDialog(dialog, 1);
}

}  // namespace

INT_PTR CALLBACK FontDlgProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_INITDIALOG: {
        ChosenSize[0] = '\0';
        ChosenTrueType = false;
        HWND families = Families(hwnd);
        InitFamilyList(families);
        AddListColumn(Sizes(hwnd));
        ListModernFonts(families);
        const int index = SelectFamily(families, FontName);
        if (index >= 0) FillSizes(hwnd, index);
        return TRUE;
    }
    case WM_NOTIFY: Notify(hwnd, reinterpret_cast<const NMHDR*>(lParam)); return FALSE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK)
            Ok(hwnd);
        else if (LOWORD(wParam) == IDCANCEL)
            EndDialog(hwnd, 0);
        return TRUE;
    default: return FALSE;
    }
}

void SelectFontCommand() {
    DialogBoxParamA(hInst, "FONTSELECT", wn, FontDlgProc, 0);
    InvalidateRect(wn, nullptr, TRUE);
}

void ColorCommand(int id) {
    uint32_t* colour = CommandColor(id);
    if (!colour) return;
    CHOOSECOLORA choice = {};
    choice.lStructSize = sizeof choice;
    choice.hwndOwner = wn;
    choice.rgbResult = *colour;
    choice.lpCustColors = reinterpret_cast<COLORREF*>(CustColors);
    choice.Flags = CC_RGBINIT;
    if (!ChooseColorA(&choice)) return;
    *colour = choice.rgbResult;
    if (id == CM_BK_COLOR) {
        HBRUSH brush = CreateSolidBrush(BkColor);
        if (brush) {
            HBRUSH old = hBkBrush;
            hBkBrush = brush;
            if (old) DeleteObject(old);
        }
    }
    InvalidateRect(wn, nullptr, TRUE);
}
