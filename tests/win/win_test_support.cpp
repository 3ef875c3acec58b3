#include "win_test_support.h"

#include <fstream>
#include <iterator>
#include <set>

const char* const SettingsKey = "Software\\Tarnwick\\Orvex";
std::map<std::string, Script> Answers;
Texts SeenDialogs;

namespace {
HHOOK Hook = 0;
bool ClassesRegistered = false;
std::set<HWND> Recorded;  // a dialog is activated again when one it opened closes

void Cancel(HWND dialog) { PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0); }

void CALLBACK RunScript(HWND dialog, UINT, UINT_PTR id, DWORD) {
    KillTimer(dialog, id);
    if (!IsWindowVisible(dialog)) {
        SetTimer(dialog, id, 20, RunScript);
        return;
    }
    if (const Script script = Answers[WindowText(dialog)]) script(dialog);
    if (IsWindow(dialog) && IsWindowVisible(dialog)) Cancel(dialog);
}

LRESULT CALLBACK CbtProc(int code, WPARAM wParam, LPARAM lParam) {
    HWND h = reinterpret_cast<HWND>(wParam);
    char cls[64] = "", text[512] = "";
    if (code == HCBT_DESTROYWND) Recorded.erase(h);
    if (code == HCBT_ACTIVATE && h && GetClassNameA(h, cls, sizeof cls) &&
        !std::strcmp(cls, "#32770") && Recorded.insert(h).second) {
        GetDlgItemTextA(h, 0xFFFF, text, sizeof text);
        SeenDialogs.push_back(WindowText(h) + "|" + text);
        if (Answers.count(WindowText(h)))
            SetTimer(h, 1, 0, RunScript);
        else
            Cancel(h);
    }
    return CallNextHookEx(Hook, code, wParam, lParam);
}
}  // namespace

std::string TakeTitles() {
    std::string titles;
    for (const std::string& seen : TakeDialogs())
        titles += (titles.empty() ? "" : ", ") + seen.substr(0, seen.find('|'));
    return titles;
}

Script SaveAs(const std::string& path, int button) {
    return [path, button](HWND dialog) {
        // edt1, or cmb13 in the explorer style.
        HWND name =
            GetDlgItem(dialog, 0x480) ? GetDlgItem(dialog, 0x480) : GetDlgItem(dialog, 0x47C);
        SeenDialogs.back() += "|" + WindowText(name);
        SetWindowTextA(name, path.c_str());
        Click(dialog, button);
    };
}

void DeleteSettingsKey() {
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, SettingsKey);
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, "Software\\Tarnwick");
}

void StartShell(const char* argument) {
    if (!Hook) Hook = SetWindowsHookExA(WH_CBT, CbtProc, nullptr, GetCurrentThreadId());
    SeenDialogs.clear();
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
}

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

void Key(UINT vk, bool ctrl, HWND from) {
    BYTE keys[256];  // Ctrl in this thread's keyboard state
    GetKeyboardState(keys);
    keys[VK_CONTROL] = keys[VK_LCONTROL] = ctrl ? 0x80 : 0;
    SetKeyboardState(keys);
    if (!from) from = GetFocus() ? GetFocus() : wn;
    Route(from, WM_KEYDOWN, vk, LPARAM(MapVirtualKeyA(vk, 0)) << 16 | 1);
    keys[VK_CONTROL] = keys[VK_LCONTROL] = 0;
    SetKeyboardState(keys);
    PaintView();
}

std::string StatusText(int part) {
    std::string text(LOWORD(SendMessageA(hStatusBar, SB_GETTEXTLENGTHA, part, 0)) + 1, '\0');
    return text.substr(
        0, LOWORD(SendMessageA(hStatusBar, SB_GETTEXTA, part, reinterpret_cast<LPARAM>(&text[0]))));
}

std::string WindowText(HWND hwnd) {
    std::string text(GetWindowTextLengthA(hwnd) + 1, '\0');
    return text.substr(0, GetWindowTextA(hwnd, &text[0], static_cast<int>(text.size())));
}

std::string TempFilePath(const std::string& name) {
    char dir[MAX_PATH];
    return std::string(dir, GetTempPathA(sizeof dir, dir)) + name;
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

Texts FilesIn(const std::string& pattern) {
    Texts names;
    WIN32_FIND_DATAA found;
    HANDLE h = FindFirstFileA(pattern.c_str(), &found);
    for (bool more = h != INVALID_HANDLE_VALUE; more; more = FindNextFileA(h, &found))
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(found.cFileName);
    if (h != INVALID_HANDLE_VALUE) FindClose(h);
    return names;
}

std::string EmptyFolder(const std::string& dir) {
    CreateDirectoryA(dir.c_str(), nullptr);
    for (const std::string& file : FilesIn(dir + "*")) DeleteFileA((dir + file).c_str());
    return dir;
}

std::string OpenPath(const std::string& path, int mode) {
    if (mode) Command(mode);
    std::snprintf(FileName, sizeof FileName, "%s", path.c_str());
    Command(CM_OPEN_NAMED);
    RedrawWindow(wn, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    Pump();
    return TakeTitles();
}

void SetMark(int32_t state, int32_t start, int32_t end) {
    MarkStart = start;
    MarkEnd = end;
    SetMarked();
    MarkState = state;
}

void PaintView() {
    InvalidateRect(hViewWnd, nullptr, TRUE);
    UpdateWindow(hViewWnd);
    Pump();
}

int32_t Node(const char* text, int32_t from) {
    const auto at = [](int32_t n) -> const TreeNode& { return TreeNodes[static_cast<size_t>(n)]; };
    for (int32_t n = from >= 0 ? at(from).FirstChild : -1; n >= 0; n = at(n).NextSibling) {
        const char* colon = std::strstr(at(n).Text, ": ");
        if (!std::strcmp(at(n).Text, text) || (colon && !std::strcmp(colon + 2, text))) return n;
        const int32_t found = Node(text, n);
        if (found >= 0) return found;
    }
    return -1;
}

void SelectNode(int32_t node) {
    if (HTREEITEM item = node >= 0 ? TreeItemOf(node) : nullptr)
        SendMessageA(hTreeView, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
    if (hImageWnd) UpdateWindow(hImageWnd);
    UpdateWindow(hViewWnd);
    Pump();
}

int CellPixels(int col, int row, COLORREF c) {
    HDC dc = GetDC(hViewWnd);
    int n = 0;
    for (int y = 4 + FontHeight * row; y < 4 + FontHeight * (row + 1); ++y)
        for (int x = 4 + CharWidth * col; x < 4 + CharWidth * (col + 1); ++x)
            n += GetPixel(dc, x, y) == c;
    ReleaseDC(hViewWnd, dc);
    return n;
}
