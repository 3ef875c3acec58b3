// What the Windows tests share: the real main window in-process, messages put
// through the program's routing, dialogs answered from a WH_CBT hook, files, pixels.
#pragma once
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "app/app_win.h"
#include "app/layout.h"
#include "app/settings.h"
#include "appearance/appearance.h"
#include "document/document.h"
#include "document/document_win.h"
#include "document/line_index.h"
#include "interpret/interpret_win.h"
#include "resources/resource_ids.h"
#include "view/view_nav.h"

using Texts = std::vector<std::string>;

// Each dialog and message box is recorded once as "title|text" in SeenDialogs and
// answered by the script for its title in Answers once shown (then cancelled if
// still open); one without a script is cancelled at once.
using Script = std::function<void(HWND dialog)>;
extern std::map<std::string, Script> Answers;
extern Texts SeenDialogs;
inline Texts TakeDialogs() { return std::exchange(SeenDialogs, {}); }
std::string TakeTitles();  // the titles of TakeDialogs(), ", " between; "" when none
std::string WindowText(HWND hwnd);
inline void Click(HWND dialog, int id) { SendMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }
inline std::string ItemText(HWND dialog, int id) { return WindowText(GetDlgItem(dialog, id)); }
// Types `path` as the file name of a file dialog, the name it proposed added
// to its record, and presses `button`.
Script SaveAs(const std::string& path, int button = IDOK);

extern const char* const SettingsKey;
void DeleteSettingsKey();

// Starts up to the message loop, hooked, as a program run with `argument` on its
// command line: the file opens before the first paint; then the messages run.
void StartShell(const char* argument = nullptr);
void StopShell();  // destroys the main window (which saves) and drains its WM_QUIT
inline void Pump() { DispatchWaiting(); }  // the messages waiting, through the routing
void Route(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);  // routed, dispatched, Pump()

void Command(int id);  // to the main window
// Key `vk` in `from` (0: the focus, or the frame), Ctrl held if `ctrl`; then a paint.
void Key(UINT vk, bool ctrl = false, HWND from = 0);

std::string StatusText(int part);

// `name` in the temporary directory; TempFile writes `bytes` to it first.
std::string TempFile(const std::string& name, const std::string& bytes);
std::string TempFilePath(const std::string& name);
std::string ReadWholeFile(const std::string& path);  // "<missing>" when it cannot be opened
Texts FilesIn(const std::string& pattern);           // the names of the files matching "dir\*..."
std::string EmptyFolder(const std::string& dir);     // `dir` (ending in \) made, emptied
#ifdef ORVEX_FIXTURE_DIR
inline std::string Fixture(const std::string& name) { return ORVEX_FIXTURE_DIR "\\" + name; }
#endif
// Switches to view `mode` (if not 0), opens `path` as the Open command does and
// repaints; TakeTitles() of its boxes.
std::string OpenPath(const std::string& path, int mode = 0);
void SetMark(int32_t state, int32_t start, int32_t end);  // bytes [start, end) as MarkState

void PaintView();  // now

// Interpret mode: the first node below `from` whose text, or text after the address
// ("00001000: .text"), is `text` (-1: none); selecting it as a click does, painted.
int32_t Node(const char* text, int32_t from = RootNode);
void SelectNode(int32_t node);

// Pixels of colour `c` in the view's character cell (col, row), from (4, 4), on the screen.
int CellPixels(int col, int row, COLORREF c);

// The real main window without stored settings, fresh for each test.
struct ShellTest : ::testing::Test {
    void SetUp() override {
        DeleteSettingsKey();
        StartShell();
        ASSERT_TRUE(wn);
    }
    void TearDown() override {
        Answers.clear();
        StopShell();
    }
};
