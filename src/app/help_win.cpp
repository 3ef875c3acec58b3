// The guide window: the user's guide, read-only, scrolled and searched with
// the keyboard. Its text is the resource "HELPTEXT" (docs/help.txt).
#include "app/help_win.h"

#include <string>

#include "app/app_win.h"
#include "app/help_text.h"

HWND hHelpWnd = 0;

namespace {

constexpr int IdText = 100, IdFindLabel = 101, IdFind = 102, IdFindNext = 103;
constexpr size_t MostGuideBytes = 1 << 20;
constexpr char Title[] = "Orvex Help";

HWND hGuideText = 0, hGuideFind = 0;
HFONT hGuideFont = 0;
std::string Guide;  // as shown, CR LF line ends

HWND Item(int id) { return GetDlgItem(hHelpWnd, id); }

void LoadGuide() {
    HRSRC res = FindResourceA(hInst, "HELPTEXT", MAKEINTRESOURCEA(10));  // RT_RCDATA
    HGLOBAL block = res ? LoadResource(hInst, res) : 0;
    const char* text = block ? static_cast<const char*>(LockResource(block)) : nullptr;
    Guide = text ? GuideText(text, SizeofResource(hInst, res), MostGuideBytes)
                 : std::string("The guide is missing from this copy of the program.");
}

void Layout(HWND hwnd) {
    RECT r;
    GetClientRect(hwnd, &r);
    const int row = 26;
    MoveWindow(Item(IdFindLabel), 8, 7, 40, 16, TRUE);
    MoveWindow(hGuideFind, 48, 4, 220, 21, TRUE);
    MoveWindow(Item(IdFindNext), 276, 3, 90, 23, TRUE);
    MoveWindow(hGuideText, 0, row + 4, r.right, r.bottom - row - 4, TRUE);
}

// Finds the text of the find box from the selection on; selects and shows
// the place, or tells that there is none.
void FindNext(bool forward) {
    char what[256] = "";
    GetWindowTextA(hGuideFind, what, sizeof what);
    if (!what[0]) {
        SetFocus(hGuideFind);
        return;
    }
    DWORD start = 0, end = 0;
    SendMessageA(hGuideText, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    const long at = FindInGuide(Guide, what, forward ? end : start, forward);
    if (at < 0) {
        std::string text = std::string("\"") + what + "\" is not in the guide.";
        MessageBoxA(hHelpWnd, text.c_str(), Title, MB_ICONINFORMATION);
        return;
    }
    SendMessageA(hGuideText, EM_SETSEL, at, at + static_cast<long>(std::string(what).size()));
    SendMessageA(hGuideText, EM_SCROLLCARET, 0, 0);
}

void Create(HWND hwnd) {
    hHelpWnd = hwnd;
    hGuideFont = CreateFontA(-15, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0,
                             FIXED_PITCH | FF_MODERN, "Courier New");
    HFONT ui = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    const auto make = [&](const char* cls, const char* text, DWORD style, DWORD ex, int id) {
        HWND h = CreateWindowExA(ex, cls, text, WS_CHILD | WS_VISIBLE | style, 0, 0, 10, 10, hwnd,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), hInst, nullptr);
        SendMessageA(h, WM_SETFONT, reinterpret_cast<WPARAM>(ui), FALSE);
        return h;
    };
    make("STATIC", "&Find:", SS_LEFT, 0, IdFindLabel);
    hGuideFind = make("EDIT", "", ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE, IdFind);
    make("BUTTON", "Find &Next", BS_PUSHBUTTON | WS_TABSTOP, 0, IdFindNext);
    hGuideText =
        make("EDIT", "", ES_MULTILINE | ES_READONLY | ES_NOHIDESEL | WS_VSCROLL | WS_TABSTOP,
             WS_EX_CLIENTEDGE, IdText);
    SendMessageA(hGuideText, WM_SETFONT, reinterpret_cast<WPARAM>(hGuideFont), FALSE);
    SendMessageA(hGuideText, EM_SETLIMITTEXT, 0, 0);
    LoadGuide();
    SetWindowTextA(hGuideText, Guide.c_str());
    Layout(hwnd);
}

LRESULT Key(HWND hwnd, WPARAM key) {
    switch (key) {
    case VK_ESCAPE: DestroyWindow(hwnd); return 0;
    case VK_TAB: SetFocus(GetFocus() == hGuideText ? hGuideFind : hGuideText); return 0;
    case VK_RETURN:
    case VK_F3: FindNext(GetKeyState(VK_SHIFT) >= 0); return 0;
    case 'F':
        SetFocus(hGuideFind);
        SendMessageA(hGuideFind, EM_SETSEL, 0, -1);
        return 0;
    default: return 0;
    }
}

LRESULT CALLBACK GuideProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_CREATE: Create(hwnd); return 0;
    case WM_SIZE: Layout(hwnd); return 0;
    case WM_SETFOCUS: SetFocus(hGuideText); return 0;
    case WM_KEYDOWN: return Key(hwnd, wParam);
    case WM_COMMAND:
        if (LOWORD(wParam) == IdFindNext) FindNext(true);
        return 0;
    case WM_CTLCOLORSTATIC:
        // The guide reads as a page, not as a greyed control.
        if (reinterpret_cast<HWND>(lParam) != hGuideText) break;
        SetBkColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_WINDOW));
        SetTextColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_WINDOWTEXT));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
    case WM_GETMINMAXINFO:
        reinterpret_cast<MINMAXINFO*>(lParam)->ptMinTrackSize = {400, 200};
        return 0;
    case WM_DESTROY:
        hHelpWnd = hGuideText = hGuideFind = 0;
        DeleteObject(hGuideFont);
        hGuideFont = 0;
        return 0;
    default: break;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

}  // namespace

void ShowGuide() {
    if (hHelpWnd) {
        ShowWindow(hHelpWnd, SW_RESTORE);
        SetForegroundWindow(hHelpWnd);
        return;
    }
    WNDCLASSA wc{};
    wc.lpfnWndProc = GuideProc;
    wc.hInstance = hInst;
    wc.hIcon = LoadIconA(hInst, "AALOGO");
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = "OrvexGuide";
    RegisterClassA(&wc);  // fails harmlessly when already registered
    CreateWindowExA(0, "OrvexGuide", Title, WS_OVERLAPPEDWINDOW | WS_VISIBLE, CW_USEDEFAULT,
                    CW_USEDEFAULT, 720, 600, wn, nullptr, hInst, nullptr);
    if (hHelpWnd) SetFocus(hGuideText);
}

bool InGuide(HWND hwnd) { return hHelpWnd && (hwnd == hHelpWnd || IsChild(hHelpWnd, hwnd)); }

void RouteGuideKey(MSG* msg) {
    const WPARAM k = msg->wParam;
    const bool ctrl = GetKeyState(VK_CONTROL) < 0;
    if (k == VK_ESCAPE || k == VK_TAB || k == VK_F3 || (k == 'F' && ctrl) ||
        (k == VK_RETURN && msg->hwnd == hGuideFind))
        msg->hwnd = hHelpWnd;
}
