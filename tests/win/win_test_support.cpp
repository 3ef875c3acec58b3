#include "win_test_support.h"

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <utility>

#include "app/settings.h"
#include "appearance/appearance.h"
#include "document/document_win.h"
#include "document/line_index.h"
#include "view/view_nav.h"

std::vector<std::string> SeenDialogs;
std::string SaveAsAnswer;
bool AnswerYes = false;
void (*DialogAnswer)(HWND dialog) = nullptr;

namespace {
HHOOK Hook = 0;
bool ClassesRegistered = false;
const char* const Key = "Software\\Tarnwick\\Orvex";

// Cancels the dialog, or answers Save As or Yes as asked.
void AnswerDialog(HWND h, const char* title) {
    // The file name box of the file dialogs: edt1, or cmb13 in the explorer style.
    HWND name = GetDlgItem(h, 0x480) ? GetDlgItem(h, 0x480) : GetDlgItem(h, 0x47C);
    const bool saveAs = name && !SaveAsAnswer.empty() && !std::strcmp(title, "Save As");
    if (saveAs) SetWindowTextA(name, std::exchange(SaveAsAnswer, {}).c_str());
    const int answer = saveAs ? IDOK : AnswerYes && GetDlgItem(h, IDYES) ? IDYES : IDCANCEL;
    PostMessageA(h, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED), 0);
}

LRESULT CALLBACK CbtProc(int code, WPARAM wParam, LPARAM lParam) {
    HWND h = reinterpret_cast<HWND>(wParam);
    char cls[64] = "", title[256] = "", text[512] = "";
    if (code == HCBT_ACTIVATE && h && GetClassNameA(h, cls, sizeof cls) && !std::strcmp(cls, "#32770")) {
        GetWindowTextA(h, title, sizeof title);
        GetDlgItemTextA(h, 0xFFFF, text, sizeof text);
        SeenDialogs.push_back(std::string(title) + "|" + text);
        DialogAnswer ? DialogAnswer(h) : AnswerDialog(h, title);
    }
    return CallNextHookEx(Hook, code, wParam, lParam);
}
}  // namespace

void ClearDialogs() { SeenDialogs.clear(); }

std::vector<std::string> TakeDialogs() { return std::exchange(SeenDialogs, {}); }

void DeleteSettingsKey() {
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, Key);
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, "Software\\Tarnwick");
}

std::vector<uint8_t> ReadSetting(const char* name) {
    DWORD size = 4096;
    std::vector<uint8_t> out(size);
    out.resize(RegGetValueA(HKEY_LOCAL_MACHINE, Key, name, RRF_RT_ANY, nullptr, out.data(), &size) ? 0 : size);
    return out;
}

void WriteSetting(const char* name, DWORD type, const void* data, DWORD size) {
    HKEY k = 0;
    RegCreateKeyA(HKEY_LOCAL_MACHINE, Key, &k);
    RegSetValueExA(k, name, 0, type, static_cast<const BYTE*>(data), size);
    RegCloseKey(k);
}

void StartShell() { StartShellWith(nullptr); }

void StartShellWith(const char* argument) {
    if (!Hook) Hook = SetWindowsHookExA(WH_CBT, CbtProc, nullptr, GetCurrentThreadId());
    ClearDialogs();
    ReleaseDocumentWin();
    FileName[0] = '\0';
    DefaultSettings();
    if (argument) ScreenCols = ScreenLines = WrapCols = 0;  // no paint has measured the view
    StartUp(GetModuleHandleA(nullptr), !ClassesRegistered);
    ClassesRegistered = true;
    OpenArgument(argument);
    Pump();
}

void StopShell() {
    if (wn && IsWindow(wn)) DestroyWindow(wn);
    MSG msg;
    while (PeekMessageA(&msg, 0, 0, 0, PM_REMOVE) && msg.message != WM_QUIT) DispatchMessageA(&msg);
    wn = hViewWnd = hStatusBar = hToolBar = hFindCombo = hFindEdit = hTreeView = hImageWnd = 0;
    DeleteObject(hBkBrush);
    SetControl(false);
}

void Pump() { DispatchWaiting(); }

void Route(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    MSG msg{hwnd, message, wParam, lParam, 0, {0, 0}};
    RouteMessage(&msg);
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
    Pump();
}

void Command(int id) {
    SendMessageA(wn, WM_COMMAND, id, 0);
    Pump();
}

void SetControl(bool down) {
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_CONTROL] = keys[VK_LCONTROL] = down ? 0x80 : 0;
    SetKeyboardState(keys);
}

void CtrlKey(HWND hwnd, UINT vk) {
    SetControl(true);
    Route(hwnd, WM_KEYDOWN, vk, 0);
    SetControl(false);
}

std::string StatusText(int part) {
    std::string text(LOWORD(SendMessageA(hStatusBar, SB_GETTEXTLENGTHA, part, 0)) + 1, '\0');
    return text.substr(0, LOWORD(SendMessageA(hStatusBar, SB_GETTEXTA, part, reinterpret_cast<LPARAM>(&text[0]))));
}

std::string WindowText(HWND hwnd) {
    std::string text(GetWindowTextLengthA(hwnd) + 1, '\0');
    return text.substr(0, GetWindowTextA(hwnd, &text[0], static_cast<int>(text.size())));
}

std::string MenuText(int id) {
    std::string text(GetMenuStringA(GetMenu(wn), id, nullptr, 0, MF_BYCOMMAND) + 1, '\0');
    return text.substr(0, GetMenuStringA(GetMenu(wn), id, &text[0], static_cast<int>(text.size()), MF_BYCOMMAND));
}

UINT MenuState(int id) { return GetMenuState(GetMenu(wn), id, MF_BYCOMMAND); }

LRESULT ButtonState(int id) { return SendMessageA(hToolBar, TB_GETSTATE, id, 0); }

std::string TempFilePath(const std::string& name) {
    char dir[MAX_PATH];
    GetTempPathA(sizeof dir, dir);
    return std::string(dir) + name;
}

std::string TempFile(const std::string& name, const std::string& bytes) {
    const std::string path = TempFilePath(name);
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}

std::string ReadWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return in ? std::string(std::istreambuf_iterator<char>(in), {}) : "<missing>";
}

std::string OpenInView(const std::string& name, const std::string& bytes, int mode) {
    if (mode) Command(mode);
    const std::string path = TempFile(name, bytes);
    std::snprintf(FileName, sizeof FileName, "%s", path.c_str());
    Command(258);
    PaintView();
    ClearDialogs();
    return path;
}

void PaintView() {
    InvalidateRect(hViewWnd, nullptr, TRUE);
    UpdateWindow(hViewWnd);
    Pump();
}

std::vector<uint32_t> GrabPixels(HDC source, int x, int y, int w, int h) {
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof bi.bmiHeader, w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP dib = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, dib);
    BitBlt(dc, 0, 0, w, h, source, x, y, SRCCOPY);
    GdiFlush();
    const auto* p = static_cast<const uint32_t*>(bits);
    std::vector<uint32_t> out(p, p + static_cast<size_t>(w) * h);
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(dib);
    return out;
}

ViewCapture::ViewCapture() {
    RECT r;
    GetClientRect(hViewWnd, &r);
    w_ = r.right;
    h_ = r.bottom;
    HDC dc = GetDC(hViewWnd);
    px_ = GrabPixels(dc, 0, 0, w_, h_);
    ReleaseDC(hViewWnd, dc);
}

COLORREF ViewCapture::Pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= w_ || y >= h_) return CLR_INVALID;
    const uint32_t p = px_[static_cast<size_t>(y) * w_ + x] & 0xFFFFFF;
    return RGB(p >> 16, (p >> 8) & 0xFF, p & 0xFF);
}

int ViewCapture::Count(int col, int row, COLORREF c) const {
    int n = 0;
    for (int y = 4 + FontHeight * row; y < 4 + FontHeight * (row + 1); ++y)
        for (int x = 4 + CharWidth * col; x < 4 + CharWidth * (col + 1); ++x) n += Pixel(x, y) == c;
    return n;
}
