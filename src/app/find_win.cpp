// The find commands: the find box and its history, the messages of a
// search, and the mark a hit leaves, brought into view.
#include <windows.h>

#include "app/app_win.h"
#include "app/find.h"
#include "app/search.h"
#include "app/show_mark.h"
#include "document/document.h"
#include "resources/resource_ids.h"

namespace {

constexpr LRESULT HistoryMax = 21;

// Puts the text at the top of the history: an entry equal to it without
// regard to case goes, and so does the oldest one when the list is full.
void AddToHistory(const char* text) {
    const LPARAM t = reinterpret_cast<LPARAM>(text);
    const LRESULT found = SendMessageA(hFindCombo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), t);
    if (found != CB_ERR) {
        SendMessageA(hFindCombo, CB_DELETESTRING, found, 0);
    } else {
        const LRESULT count = SendMessageA(hFindCombo, CB_GETCOUNT, 0, 0);
        if (count >= HistoryMax) SendMessageA(hFindCombo, CB_DELETESTRING, count - 1, 0);
    }
    SendMessageA(hFindCombo, CB_INSERTSTRING, 0, t);
    SendMessageA(hFindCombo, CB_SETCURSEL, 0, 0);
}

void ShowFindMessage(FindStatus status) {
    const FindMessage m = FindMessageFor(status);
    MessageBoxA(wn, m.text, m.caption, m.exclamation ? MB_ICONEXCLAMATION : MB_OK);
}

// Brings the mark into view and repaints; `complain` for the commands that
// tell the user when there is nothing to show.
void ShowMark(bool complain) {
    const ShowMarkStatus status = ShowMarkPosition();
    if (status == MarkNothing) {
        if (complain) MessageBoxA(wn, "No marked area", nullptr, MB_OK);
        return;
    }
    InvalidateRect(wn, nullptr, FALSE);
    if (status == MarkNotInTable)
        MessageBoxA(wn, "Marked area is not in this table", "Sorry", MB_OK);
}

void Search() {
    char typed[FindMaxText + 1] = "";
    SendMessageA(hFindCombo, WM_GETTEXT, sizeof typed, reinterpret_cast<LPARAM>(typed));
    const FindResult res = RunFind(typed, ExactCase, HexSearch, FindReverse);
    if (res.status != FindNoString) AddToHistory(typed);
    if (res.dropMark) ClearMarked();
    if (res.status != FindFound) {
        ShowFindMessage(res.status);
        return;
    }
    MarkStart = res.start;
    SetMarked();
    MarkEnd = res.end;
    ShowMark(false);
}

}  // namespace

void FindCommand(int id) {
    switch (id) {
    case CM_FIND:
        ClearMarked();
        FindReverse = 0;
        break;
    case CM_FIND_FORWARD: FindReverse = 0; break;
    case CM_FIND_REVERSE: FindReverse = 1; break;
    default: break;
    }
    Search();
}

void ShowMarkedArea() { ShowMark(true); }
