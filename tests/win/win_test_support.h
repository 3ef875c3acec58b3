// Helpers of the Windows tests: the real main window created in-process,
// messages sent through the program's routing, modal dialogs and message
// boxes answered from a WH_CBT hook, and the settings key.
#pragma once
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "app/app_win.h"

// Title and text ("title|text") of every dialog and message box shown since
// the last ClearDialogs(); each was closed at once with IDCANCEL.
extern std::vector<std::string> SeenDialogs;
void ClearDialogs();
// The path the next "Save As" file dialog is answered with (OK); empty: the
// dialog is cancelled like any other. Cleared once used.
extern std::string SaveAsAnswer;
// When set, a box that offers Yes is answered Yes instead of being cancelled.
extern bool AnswerYes;
// When set, answers each dialog and message box shown (after it is recorded
// in SeenDialogs) instead of cancelling it.
extern void (*DialogAnswer)(HWND dialog);

// Deletes HKLM\Software\Tarnwick\Orvex (and Tarnwick when empty).
void DeleteSettingsKey();
bool SettingsKeyExists();
// A value of the settings key; empty when it is missing.
std::vector<uint8_t> ReadSetting(const char* name);
void WriteSetting(const char* name, DWORD type, const void* data, DWORD size);

// The start-up up to the message loop: defaults, settings read, main window
// created and shown, with the dialog hook installed.
void StartShell();
// The same as a program started with `argument` on its command line: the
// file is opened before the first paint (the view's metrics as a new
// process has them), then the messages run.
void StartShellWith(const char* argument);
// Destroys the main window (saving the settings) and drains its WM_QUIT.
void StopShell();
// Runs the messages waiting, each through the program's routing.
void Pump();
// Puts one message through the routing and dispatches it.
void Route(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
// Sends a command to the main window.
void Command(int id);
// Holds Ctrl down (or not) in this thread's keyboard state.
void SetControl(bool down);

std::string StatusText(int part);
std::string WindowText(HWND hwnd);
std::string MenuText(int id);
UINT MenuState(int id);
LRESULT ButtonState(int id);

// Writes `bytes` to a new file in the temporary directory; returns its path.
std::string TempFile(const std::string& name, const std::string& bytes);
// The path of `name` in the temporary directory.
std::string TempFilePath(const std::string& name);
// Every byte of a file; "<missing>" when it cannot be opened.
std::string ReadWholeFile(const std::string& path);
// Switches to view `mode` (when not 0), then opens `bytes` as a file of that
// name as the Open command does and runs the messages; the dialogs it showed
// are forgotten. Returns the path.
std::string OpenInView(const std::string& name, const std::string& bytes, int mode = 0);
// Repaints the view window now.
void PaintView();

// A copy of the view window's client area as it is on the screen.
// A w x h block of `source` from (x, y) as 32-bit 0xRRGGBB pixels, row by row.
std::vector<uint32_t> GrabPixels(HDC source, int x, int y, int w, int h);

class ViewCapture {
public:
    ViewCapture();
    ~ViewCapture();
    ViewCapture(const ViewCapture&) = delete;
    ViewCapture& operator=(const ViewCapture&) = delete;
    // Pixels of colour `c` in character cell (col, row) of the view: cells
    // of the measured character width and FontHeight from (4, 4).
    int Count(int col, int row, COLORREF c) const;
    COLORREF Pixel(int x, int y) const { return GetPixel(dc_, x, y); }

private:
    RECT r_;
    HDC dc_;
    HBITMAP bmp_;
    HGDIOBJ old_;
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
        SetControl(false);
    }
};
