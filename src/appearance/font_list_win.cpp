#include "appearance/font_list_win.h"

#include "app/app_win.h"

#include <commctrl.h>
#include <cstring>

namespace {

int CALLBACK AddFamily(const LOGFONTA* font, const TEXTMETRICA*, DWORD type, LPARAM param) {
    if ((font->lfPitchAndFamily & 0xF0) != FF_MODERN) return 1;
    const BYTE set = font->lfCharSet;
    if (set != ANSI_CHARSET && set != DEFAULT_CHARSET && set != OEM_CHARSET) return 1;
    char face[32];
    lstrcpynA(face, font->lfFaceName, sizeof face);
    // A family is reported once for each character set it has.
    LVFINDINFOA find = {};
    find.flags = LVFI_STRING;
    find.psz = face;
    HWND list = reinterpret_cast<HWND>(param);
    if (SendMessageA(list, LVM_FINDITEMA, static_cast<WPARAM>(-1),
                     reinterpret_cast<LPARAM>(&find)) >= 0)
        return 1;
    LVITEMA item = {};
    item.mask = LVIF_TEXT | LVIF_IMAGE;
    item.iItem = 0x7FFFFFFF;
    item.pszText = face;
    item.iImage = (type & TRUETYPE_FONTTYPE) ? 1 : 0;
    SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    return 1;
}

}  // namespace

void AddListColumn(HWND listView) {
    RECT box;
    GetClientRect(listView, &box);
    LVCOLUMNA column = {};
    column.mask = LVCF_WIDTH;
    column.cx = box.right - box.left - 20;
    SendMessageA(listView, LVM_INSERTCOLUMNA, 0, reinterpret_cast<LPARAM>(&column));
}

void InitFamilyList(HWND listView) {
    AddListColumn(listView);
    // The images belong to the main window: the list must not destroy them
    // when its dialog closes.
    SetWindowLongA(listView, GWL_STYLE, GetWindowLongA(listView, GWL_STYLE) | LVS_SHAREIMAGELISTS);
    SendMessageA(listView, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(hSmallImages));
}

void ListModernFonts(HWND listView) {
    HDC dc = GetDC(listView);
    EnumFontFamiliesA(dc, nullptr, reinterpret_cast<FONTENUMPROCA>(AddFamily),
                      reinterpret_cast<LPARAM>(listView));
    ReleaseDC(listView, dc);
}

int SelectFamily(HWND listView, const char* name) {
    const int count = static_cast<int>(SendMessageA(listView, LVM_GETITEMCOUNT, 0, 0));
    if (count <= 0) return -1;
    int found = 0;
    for (int i = 0; i < count; ++i) {
        char text[32];
        FamilyText(listView, i, text, sizeof text);
        if (std::strcmp(text, name) == 0) {
            found = i;
            break;
        }
    }
    LVITEMA item = {};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(listView, LVM_SETITEMSTATE, found, reinterpret_cast<LPARAM>(&item));
    SendMessageA(listView, LVM_ENSUREVISIBLE, found, FALSE);
    return found;
}

void FamilyText(HWND listView, int index, char* text, int size) {
    text[0] = '\0';
    LVITEMA item = {};
    item.iSubItem = 0;
    item.pszText = text;
    item.cchTextMax = size;
    SendMessageA(listView, LVM_GETITEMTEXTA, index, reinterpret_cast<LPARAM>(&item));
}
