// Start-up and the one message loop with its routing of keys and clicks.
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <cstring>

#include "app/app_win.h"
#include "app/help_win.h"
#include "app/layout.h"
#include "app/settings.h"
#include "app/wheel_win.h"
#include "appearance/appearance.h"
#include "document/document.h"
#include "document/line_index.h"
#include "document/text_number.h"
#include "interpret/interpret_win.h"
#include "resources/resource_ids.h"

HINSTANCE hInst = 0;
HWND wn = 0;
HWND hViewWnd = 0;
HWND hStatusBar = 0;
HWND hToolBar = 0;
HWND hFindCombo = 0;
HWND hFindEdit = 0;
HWND hTreeView = 0;
HWND hImageWnd = 0;
HCURSOR hArrowCursor = 0, hSplitCursor = 0, hWaitCursor = 0;
HBRUSH hBkBrush = 0;
char FileTitle[64];

void RegisterClasses() {
    WNDCLASSA wc{};
    wc.hInstance = hInst;
    wc.hCursor = hArrowCursor;

    wc.style = CS_VREDRAW | CS_HREDRAW;
    wc.lpfnWndProc = MainWndProc;
    wc.hIcon = LoadIconA(hInst, "AALOGO");
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_SCROLLBAR + 1);
    wc.lpszClassName = "Orvex";
    RegisterClassA(&wc);

    wc.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
    wc.lpfnWndProc = ViewWndProc;
    wc.hIcon = 0;
    wc.hbrBackground = 0;
    wc.lpszClassName = "TextClient";
    RegisterClassA(&wc);

    wc.style = CS_VREDRAW | CS_HREDRAW;
    wc.lpfnWndProc = ImageWndProc;
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = "PlainVanilla";
    RegisterClassA(&wc);
}

bool CreateMainWindow() {
    // Created at its stored rectangle and maximised only when it was so when
    // last closed: a window created maximised could never start restored.
    wn = CreateWindowExA(0, "Orvex", "Orvex", WS_OVERLAPPEDWINDOW, WinRect.left, WinRect.top,
                         WinRect.right - WinRect.left, WinRect.bottom - WinRect.top, 0, 0, hInst,
                         nullptr);
    if (!wn) return false;
    DragAcceptFiles(wn, TRUE);
    ShowWindow(wn, SW_SHOW);
    if (MaxFlag) ShowWindow(wn, SW_SHOWMAXIMIZED);
    return true;
}

namespace {

// Moves a message to another window.
void Retarget(MSG* msg, HWND to) { msg->hwnd = to; }

void RouteKey(MSG* msg) {
    const WPARAM k = msg->wParam;
    const bool findEdit = hFindEdit && msg->hwnd == hFindEdit;
    if (k >= VK_F1 && k <= VK_F9) return Retarget(msg, wn);
    if (findEdit && (k == 'C' || k == 'V')) return;
    if (k >= 'A' && k <= 'Z' && (GetKeyState(VK_CONTROL) & 0x80)) return Retarget(msg, wn);
    if (findEdit && k == VK_RETURN) {
        msg->wParam = VK_F3;
        return Retarget(msg, wn);
    }
    if (findEdit) return;
    if (k >= VK_PRIOR && k <= VK_DOWN) {
        if ((hImageWnd && msg->hwnd == hImageWnd) || (hTreeView && msg->hwnd == hTreeView)) return;
        return Retarget(msg, hViewWnd);
    }
    if (k < 0x20) return;
    SetFocus(wn);
    Retarget(msg, wn);
}

// The modal dialogs' own loops: a wheel message goes to the window under
// the pointer there too.
LRESULT CALLBACK DialogLoopFilter(int code, WPARAM wParam, LPARAM lParam) {
    MSG* msg = reinterpret_cast<MSG*>(lParam);
    if (code == MSGF_DIALOGBOX && msg) {
        if (HWND under = WheelTarget(msg)) {
            SendMessageA(under, msg->message, msg->wParam, msg->lParam);
            return TRUE;
        }
    }
    return CallNextHookEx(0, code, wParam, lParam);
}

}  // namespace

void RouteMessage(MSG* msg) {
    switch (msg->message) {
    case WM_COMMAND: Retarget(msg, wn); break;
    case WM_MOUSEMOVE: {
        const int32_t x = LOWORD(msg->lParam);
        if (msg->hwnd == wn && msg->wParam == 0 && x >= TreeWidth && x <= TreeWidth + 3)
            SetCursor(hSplitCursor);
        else if (msg->hwnd == wn && SplitDrag)
            SetCursor(hSplitCursor);
        else
            SetCursor(hArrowCursor);
        break;
    }
    case WM_LBUTTONDOWN:
        if (hTreeView && msg->hwnd == hTreeView) break;
        [[fallthrough]];
    case WM_RBUTTONDOWN:
        if (hStatusBar && msg->hwnd == hStatusBar) {
            Retarget(msg, wn);
            msg->lParam += static_cast<LPARAM>(ViewHeight) * 65536;
        } else if (hViewWnd && msg->hwnd == hViewWnd) {
            SetFocus(hViewWnd);
        }
        break;
    case WM_KEYDOWN:
        if (InGuide(msg->hwnd))
            RouteGuideKey(msg);
        else
            RouteKey(msg);
        break;
    case WM_MOUSEWHEEL:
    case WM_MOUSEHWHEEL:
        // The window under the pointer scrolls, whichever has the focus.
        if (HWND under = WheelTarget(msg)) Retarget(msg, under);
        break;
    default: break;
    }
}

void OpenArgument(const char* argument) {
    if (!argument || !argument[0]) return;
    std::strncpy(FileName, argument, sizeof FileName - 1);
    FileName[sizeof FileName - 1] = '\0';
    std::strncpy(FileTitle, NamePart(FileName), sizeof FileTitle - 1);
    FileTitle[sizeof FileTitle - 1] = '\0';
    SendMessageA(wn, WM_COMMAND, CM_OPEN_NAMED, 0);
}

bool StartUp(HINSTANCE instance, bool registerClasses) {
    hInst = instance;
    hArrowCursor = LoadCursor(nullptr, IDC_ARROW);
    hSplitCursor = LoadCursor(hInst, MAKEINTRESOURCE(IDC_SPLIT));
    hWaitCursor = LoadCursor(nullptr, IDC_WAIT);
    if (registerClasses) RegisterClasses();
    static HHOOK dialogFilter =
        SetWindowsHookExA(WH_MSGFILTER, DialogLoopFilter, nullptr, GetCurrentThreadId());
    (void)dialogFilter;
    TooManyLinesHandler = LeaveTextMode;
    LoadSettings();
    hBkBrush = CreateSolidBrush(BkColor);
    return CreateMainWindow();
}

void DispatchWaiting() {
    MSG msg;
    while (PeekMessageA(&msg, 0, 0, 0, PM_REMOVE)) {
        RouteMessage(&msg);
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

int WINAPI OrvexMain(HINSTANCE instance, HINSTANCE previous, LPSTR argument, int) {
    if (!StartUp(instance, !previous)) return 0;
    OpenArgument(argument);

    MSG msg;
    while (GetMessageA(&msg, 0, 0, 0) > 0) {
        RouteMessage(&msg);
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return static_cast<int>(msg.wParam);
}
