// The main window frame: menu, toolbar with find box, status bar, the layout
// of tree, image pane and view, the splitter and the status bar clicks.
#include <windows.h>
#include <commctrl.h>

#include <cstring>

#include "app/app_win.h"
#include "app/find.h"
#include "app/layout.h"
#include "app/recent_files.h"
#include "app/settings.h"
#include "document/document.h"
#include "interpret/interpret_win.h"
#include "resources/resource_ids.h"

HMENU hMenu = 0;
HIMAGELIST hSmallImages = 0;
uint8_t ScrollBarWidth = 0, ScrollBarHeight = 0;

namespace {

constexpr char CommandHint[] = "Commands can be typed in and will appear here.";
HFONT hFindFont = 0;

TBBUTTON Button(int image, int command, BYTE state = TBSTATE_ENABLED) {
    TBBUTTON b{};
    b.iBitmap = image;
    b.idCommand = command;
    b.fsState = state;
    b.fsStyle = TBSTYLE_BUTTON;
    return b;
}

TBBUTTON Separator() {
    TBBUTTON b{};
    b.fsStyle = TBSTYLE_SEP;
    return b;
}

void CreateToolBar(HWND hwnd) {
    const TBBUTTON buttons[] = {
        Separator(),
        Button(0, CM_OPEN),
        Separator(),
        Button(1, CM_PRINT),
        Button(2, CM_COPY, TBSTATE_INDETERMINATE),
        Separator(),
        Button(3, CM_VIEW_TEXT),
        Button(4, CM_VIEW_HEX),
        Button(5, CM_VIEW_CHAR),
        Button(6, CM_VIEW_INTERP),
        Separator(),
        Button(7, CM_WRAP),
        Separator(),
        Button(8, CM_GOTO),
        Separator(),
        Button(9, CM_FIND_FORWARD),
        Button(10, CM_FIND_REVERSE),
        Button(11, CM_EXACT_CASE),
        Button(12, CM_HEX_SEARCH),
    };
    hToolBar = CreateToolbarEx(hwnd, WS_CHILD | WS_VISIBLE | TBSTYLE_TOOLTIPS, ID_TOOLBAR, 13,
                               hInst, IDB_TOOLBAR, buttons, sizeof buttons / sizeof buttons[0], 0,
                               0, 16, 16, sizeof(TBBUTTON));
    SendMessageA(hToolBar, TB_CHECKBUTTON, ShowMode, TRUE);
    SendMessageA(hToolBar, TB_CHECKBUTTON, CM_WRAP, WrapFlag);
    SendMessageA(hToolBar, TB_CHECKBUTTON, CM_EXACT_CASE, ExactCase);
    SendMessageA(hToolBar, TB_CHECKBUTTON, CM_HEX_SEARCH, HexSearch);
}

BOOL CALLBACK FirstChild(HWND child, LPARAM found) {
    *reinterpret_cast<HWND*>(found) = child;
    return FALSE;
}

void CreateFindBox() {
    hFindCombo = CreateWindowExA(0, "COMBOBOX", "",
                                 WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | CBS_DROPDOWN |
                                     CBS_AUTOHSCROLL | CBS_HASSTRINGS,
                                 360, 3, 225, 216, hToolBar, reinterpret_cast<HMENU>(ID_FIND_COMBO),
                                 hInst, nullptr);
    SendMessageA(hFindCombo, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), 13);
    hFindFont = CreateFontA(13, 0, 0, 0, 0, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "MS Sans Serif");
    SendMessageA(hFindCombo, WM_SETFONT, reinterpret_cast<WPARAM>(hFindFont), 0);
    hFindEdit = 0;
    EnumChildWindows(hFindCombo, FirstChild, reinterpret_cast<LPARAM>(&hFindEdit));

    // The stored history: every TAB-separated field is one entry.
    const size_t size = strnlen(StoredFind, StoredFindSize);
    for (size_t pos = 0; pos < size;) {
        char text[StoredListSize + 1];
        pos = NextField(StoredFind, size, pos, text, sizeof text);
        SendMessageA(hFindCombo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    }
    StoredFindSize = 0;
}

void AddListImage(int id) {
    HBITMAP bmp = LoadBitmapA(hInst, MAKEINTRESOURCE(id));
    if (!bmp) return;
    ImageList_AddMasked(hSmallImages, bmp, RGB(255, 255, 255));
    DeleteObject(bmp);
}

// Splitter and status bar clicks on the main window.
LRESULT LeftButtonDown(HWND hwnd, WPARAM wParam, LPARAM lParam) {
    const int32_t x = static_cast<int16_t>(LOWORD(lParam));
    const int32_t y = static_cast<int16_t>(HIWORD(lParam));
    if (OnSplitter(x, y)) {
        SetCursor(hSplitCursor);
        SetCapture(wn);
        SplitDrag = 1;
        DragOffset = static_cast<int16_t>(x - TreeWidth);
        return 0;
    }
    switch (StatusPartAt(x)) {
    case 1: RepeatCommand(); return 0;
    case 2:
        if (ShowMode == _TEXT_) {
            SendMessageA(wn, WM_COMMAND, CM_GOTO, 0);
            return 0;
        }
        break;
    case 3: SendMessageA(wn, WM_COMMAND, ShowMode == _TEXT_ ? CM_SET_COLUMN : CM_GOTO, 0); return 0;
    default: break;
    }
    return DefWindowProcA(hwnd, WM_LBUTTONDOWN, wParam, lParam);
}

LRESULT MouseMove(HWND hwnd, WPARAM wParam, LPARAM lParam) {
    if (!SplitDrag) return DefWindowProcA(hwnd, WM_MOUSEMOVE, wParam, lParam);
    TreeWidth = static_cast<int16_t>(LOWORD(lParam)) - DragOffset;
    if (TreeWidth < 0) TreeWidth = 0;
    if (hTreeView) {
        RECT r;
        GetWindowRect(hTreeView, &r);
        SetWindowPos(hTreeView, 0, 0, ToolBarHeight, TreeWidth, r.bottom - r.top, SWP_NOZORDER);
    }
    return 0;
}

LRESULT LeftButtonUp() {
    ReleaseCapture();
    SplitDrag = 0;
    SendMessageA(wn, WM_SIZE, 0, 0);
    return 0;
}

LRESULT Notify(HWND hwnd, WPARAM wParam, LPARAM lParam) {
    NMHDR* hdr = reinterpret_cast<NMHDR*>(lParam);
    if (hdr->code == TTN_NEEDTEXTA) {
        static char tip[64];
        LoadStringA(hInst, static_cast<UINT>(hdr->idFrom), tip, sizeof tip);
        reinterpret_cast<NMTTDISPINFOA*>(lParam)->lpszText = tip;
        return 0;
    }
    if (hTreeView && hdr->hwndFrom == hTreeView) {
        if (hdr->code == TVN_SELCHANGEDA || hdr->code == TVN_SELCHANGEDW) TreeSelChanged(lParam);
        return 0;
    }
    return DefWindowProcA(hwnd, WM_NOTIFY, wParam, lParam);
}

void Paint(HWND hwnd) {
    PAINTSTRUCT ps;
    BeginPaint(hwnd, &ps);
    EndPaint(hwnd, &ps);
    if (Checked == _INTERP_ && FileSize != 0 && !hTreeView) CreateTV(hwnd);
}

}  // namespace

void BuildFrame(HWND hwnd) {
    wn = hwnd;
    ScrollBarWidth = static_cast<uint8_t>(GetSystemMetrics(SM_CXVSCROLL));
    ScrollBarHeight = static_cast<uint8_t>(GetSystemMetrics(SM_CYVSCROLL));
    hMenu = LoadMenuA(hInst, "ORVEX");
    SetMenu(hwnd, hMenu);
    ShowMode = Checked;
    CheckMenuItem(hMenu, Checked, MF_CHECKED);
    CheckMenuItem(hMenu, AddrMode, MF_CHECKED);
    CheckMenuItem(hMenu, CM_CONVERT, ConvertFlag);
    CheckMenuItem(hMenu, CM_WRAP, WrapFlag);
    CheckMenuItem(hMenu, CM_EXACT_CASE, ExactCase);
    CheckMenuItem(hMenu, CM_HEX_SEARCH, HexSearch);
    ShowRecentItems(RecentCount - 1);

    InitCommonControls();
    CreateToolBar(hwnd);
    CreateFindBox();
    hStatusBar =
        CreateStatusWindowA(WS_CHILD | WS_VISIBLE | WS_BORDER, CommandHint, hwnd, ID_STATUS_BAR);
    hViewWnd = CreateWindowExA(WS_EX_CLIENTEDGE, "TextClient", nullptr,
                               WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL, 100, 100, 600, 300,
                               hwnd, reinterpret_cast<HMENU>(ID_VIEW_WINDOW), hInst, nullptr);
    hSmallImages = ImageList_Create(16, 16, ILC_MASK, 2, 0);
    AddListImage(IDB_LIST_FONT);
    AddListImage(IDB_LIST_TRUETYPE);
}

void LayoutFrame(WPARAM wParam, LPARAM lParam) {
    if (lParam != 0) {
        if (wParam == SIZE_RESTORED) IsMaximized = 0;
        if (wParam == SIZE_MAXIMIZED) IsMaximized = 1;
    }
    RECT r;
    GetClientRect(wn, &r);
    SetStatusEdges(r.right);
    int edges[4] = {StatusEdges[0], StatusEdges[1], StatusEdges[2], StatusEdges[3]};
    SendMessageA(hStatusBar, SB_SETPARTS, 4, reinterpret_cast<LPARAM>(edges));
    SendMessageA(hStatusBar, SB_SETTEXTA, 1 | SBT_POPOUT, reinterpret_cast<LPARAM>("\tRepeat"));
    SendMessageA(hStatusBar, WM_SIZE, wParam, lParam);

    RECT t;
    GetClientRect(hToolBar, &t);
    SetWindowPos(hToolBar, 0, 0, 0, r.right, t.bottom, SWP_NOZORDER);
    ToolBarHeight = t.bottom + 2;

    RECT s;
    GetClientRect(hStatusBar, &s);
    ViewWidth = r.right;
    ViewHeight = r.bottom - ToolBarHeight - s.bottom;

    int32_t left = 0;
    if (hTreeView) {
        SetWindowPos(hTreeView, 0, 0, ToolBarHeight, TreeWidth, ViewHeight, SWP_NOZORDER);
        left = TreeWidth + SplitterGap;
        ViewWidth -= left;
    }
    // The image pane places the view window below itself.
    if (PlaceImagePane() == 0)
        SetWindowPos(hViewWnd, 0, left, ToolBarHeight, ViewWidth, ViewHeight, SWP_NOZORDER);
}

void SetMarked() {
    MarkState = 1;
    SendMessageA(hToolBar, TB_SETSTATE, CM_COPY, TBSTATE_ENABLED);
    EnableMenuItem(hMenu, CM_COPY, MF_ENABLED);
    EnableMenuItem(hMenu, CM_EXPORT_MARKED, MF_ENABLED);
}

void ClearMarked() {
    MarkState = 0;
    SendMessageA(hToolBar, TB_SETSTATE, CM_COPY, TBSTATE_INDETERMINATE);
    EnableMenuItem(hMenu, CM_COPY, MF_GRAYED);
    EnableMenuItem(hMenu, CM_EXPORT_MARKED, MF_GRAYED);
}

LRESULT CALLBACK MainWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_CREATE: BuildFrame(hwnd); return 0;
    case WM_SIZE: LayoutFrame(wParam, lParam); return 0;
    case WM_GETMINMAXINFO:
        reinterpret_cast<MINMAXINFO*>(lParam)->ptMaxPosition = {-4, -4};
        return 0;
    case WM_ERASEBKGND:
        // A toolbar that leaves its background to its parent gets it erased.
        if (Checked == _INTERP_ || WindowFromDC(reinterpret_cast<HDC>(wParam)) != hwnd) break;
        return 1;
    case WM_PAINT: Paint(hwnd); return 0;
    case WM_LBUTTONDOWN: return LeftButtonDown(hwnd, wParam, lParam);
    case WM_MOUSEMOVE: return MouseMove(hwnd, wParam, lParam);
    case WM_LBUTTONUP: return LeftButtonUp();
    case WM_RBUTTONDOWN:
        if (static_cast<int16_t>(LOWORD(lParam)) < StatusEdges[0])
            DialogBoxParamA(hInst, "HELP", hwnd, GenericDlgProc, 0);
        return 0;
    case WM_NOTIFY: return Notify(hwnd, wParam, lParam);
    case WM_KEYUP: return 0;
    case WM_COMMAND: return DoCommand(hwnd, wParam, lParam);
    case WM_KEYDOWN: return DoKey(hwnd, wParam, lParam);
    case WM_DROPFILES: OpenDropped(reinterpret_cast<HDROP>(wParam)); return 0;
    case WM_DESTROY: EndProgram(); return 0;
    default: break;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}
