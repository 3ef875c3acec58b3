// What the Windows tests share: the real main window in-process, messages put
// through the program's routing, dialogs answered from a WH_CBT hook, files, pixels.
#pragma once
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "app/app_win.h"
#include "document/document.h"
#include "resources/resource_ids.h"

// "title|text" of every dialog and message box shown since the last
// ClearDialogs(); each was closed at once with IDCANCEL unless answered below.
extern std::vector<std::string> SeenDialogs;
void ClearDialogs();
std::vector<std::string> TakeDialogs();  // SeenDialogs, then cleared
// The path the next "Save As" dialog is answered with (OK); cleared once used.
extern std::string SaveAsAnswer;
extern bool AnswerYes;                     // set: a box that offers Yes is answered Yes
extern void (*DialogAnswer)(HWND dialog);  // set: answers each dialog and box instead

// HKLM\Software\Tarnwick\Orvex: deleted (with Tarnwick), a value read (empty
// when missing) or written.
void DeleteSettingsKey();
std::vector<uint8_t> ReadSetting(const char* name);
void WriteSetting(const char* name, DWORD type, const void* data, DWORD size);

void StartShell();  // the start-up up to the message loop, with the dialog hook installed
// As a program started with `argument` on its command line: the file is
// opened before the first paint, then the messages run.
void StartShellWith(const char* argument);
void StopShell();  // destroys the main window (which saves) and drains its WM_QUIT
void Pump();       // the messages waiting, each through the program's routing
// One message through the routing and dispatched, then Pump().
void Route(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
void Command(int id);               // to the main window
void SetControl(bool down);         // in this thread's keyboard state
void CtrlKey(HWND hwnd, UINT vk);   // Ctrl + `vk` routed from `hwnd`

std::string StatusText(int part);
std::string WindowText(HWND hwnd);
std::string MenuText(int id);
UINT MenuState(int id);
LRESULT ButtonState(int id);

// `name` in the temporary directory; TempFile writes `bytes` to it first.
std::string TempFile(const std::string& name, const std::string& bytes);
std::string TempFilePath(const std::string& name);
std::string ReadWholeFile(const std::string& path);  // "<missing>" when it cannot be opened
// Switches to view `mode` (when not 0), opens `bytes` as file `name` as the
// Open command does, paints; the dialogs it showed are forgotten.
std::string OpenInView(const std::string& name, const std::string& bytes, int mode = 0);
void PaintView();  // now

// A w x h block of `source` from (x, y) as 32-bit 0xRRGGBB pixels, row by row.
std::vector<uint32_t> GrabPixels(HDC source, int x, int y, int w, int h);

// A copy of the view window's client area as it is on the screen.
class ViewCapture {
public:
    ViewCapture();
    // Pixels of colour `c` in character cell (col, row) of the view: cells
    // of the measured character width and FontHeight from (4, 4).
    int Count(int col, int row, COLORREF c) const;
    COLORREF Pixel(int x, int y) const;

private:
    int w_, h_;
    std::vector<uint32_t> px_;
};

// A test with the real main window and no stored settings: fresh for each
// test, and every answer of the hook set back afterwards.
class ShellTest : public ::testing::Test {
protected:
    void SetUp() override {
        DeleteSettingsKey();
        StartShell();
        ASSERT_TRUE(wn);
    }
    void TearDown() override {
        SaveAsAnswer.clear();
        AnswerYes = false;
        DialogAnswer = nullptr;
        StopShell();
        DeleteSettingsKey();
    }
};
