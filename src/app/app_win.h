// The Win32 side of the application shell: the frame's windows, the message
// routing, the main window procedure and the commands it serves.
#pragma once
#include "interpret/selection.h"
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <cstdint>

// --- windows of the frame (0 when a window does not exist) ---
extern HINSTANCE hInst;
extern HWND wn;        // main window, class "Orvex"
extern HWND hViewWnd;  // view window, class "TextClient"
extern HWND hStatusBar;
extern HWND hToolBar;
extern HWND hFindCombo;          // find box in the toolbar
extern HWND hFindEdit;           // its edit control
extern HWND hTreeView;           // interpretation tree
extern HWND hImageWnd;           // image pane, class "PlainVanilla"
extern HMENU hMenu;              // the menu bar "ORVEX"
extern HIMAGELIST hSmallImages;  // the list images of the font lists
extern HCURSOR hArrowCursor, hSplitCursor, hWaitCursor;
extern HBRUSH hBkBrush;                          // the view's background
extern uint8_t ScrollBarWidth, ScrollBarHeight;  // SM_CXVSCROLL, SM_CYVSCROLL

extern char FileTitle[64];  // the name part of FileName
// The export command a tree node offers (0: none).
// The "Find" value read at start, until the find box takes it.
extern char StoredFind[];
extern DWORD StoredFindSize;

// --- start-up and routing ---
void RegisterClasses();
// Creates and shows the main window as the start-up does; false when the
// window cannot be created.
bool CreateMainWindow();
// The routing of the message loop, applied to a message before it is
// translated and dispatched.
void RouteMessage(MSG* msg);
// The file named on the command line, opened before the message loop runs
// (nothing when `argument` is empty).
void OpenArgument(const char* argument);
// The main routine: returns the quit code.
int WINAPI OrvexMain(HINSTANCE instance, HINSTANCE previous, LPSTR argument, int show);
// The start-up before the message loop: cursors, the window classes (when
// `registerClasses`), the settings, the background brush and the main
// window; false when the window cannot be created.
bool StartUp(HINSTANCE instance, bool registerClasses);
// Routes and dispatches the messages waiting, without waiting for more.
void DispatchWaiting();

// --- settings (registry) ---
void LoadSettings();
void SaveSettings();

// --- main window ---
LRESULT CALLBACK MainWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK ViewWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
// Sets ScreenLines, ScreenCols and the cell width from the view window's
// client area and font, as its paint does.
void MeasureView();
// Sets a window's scroll bar (range 0..max) unless it already shows these
// values. Setting it draws it, unless `redraw` is false or the bar is
// disabled before and after; returns true when new values were set that
// the bar does not show yet.
bool SetScrollIfChanged(HWND hwnd, int bar, int32_t max, int32_t page, int32_t pos,
                        bool redraw = true);
void BuildFrame(HWND hwnd);
void LayoutFrame(WPARAM wParam, LPARAM lParam);
void SetMarked();
void ClearMarked();
// Destroys the interpretation tree with its icons, image pane and preview,
// and forgets the tree data and the selection.
void DestroyTV();
// The main window's handling of a command and of a key; both return what the
// window procedure returns.
LRESULT DoCommand(HWND hwnd, WPARAM wParam, LPARAM lParam);
LRESULT DoKey(HWND hwnd, WPARAM wParam, LPARAM lParam);
// The end of the program: WM_DESTROY of the main window.
void EndProgram();
INT_PTR CALLBACK GenericDlgProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

// --- loading through the window ---
// Command 257: the open dialog, then the load; nothing when it is cancelled.
void OpenWithDialog();
// Files dropped on the main window: the first is opened as a file chosen in
// the open dialog is. Releases the drop.
void OpenDropped(HDROP drop);
// Loads FileName; `recent` is the index the recent list promotes (9 for a
// new file, 0 for a reload, the item for a recent file). `command` is the
// command that started it.
void LoadFile(int command, int recent);
// Shows menu items RecentFirstId .. + last with the recent entries.
void ShowRecentItems(int last);
void ErrorBox(unsigned number, DWORD code);
void LastErrorBox(unsigned number);
// Tells the user that the file has too many lines for text mode.
void TooManyLines();
// Installed as the line index's handler: leaves text mode, then tells.
void LeaveTextMode();

// --- typed command bar (command_bar_win.cpp) ---
// A key of the main window for the command bar: a typed character or an
// editing key; true when it was the command bar's.
bool CommandBarKey(WPARAM key, char typed);
// Repeat: runs the previous command again.
void RepeatCommand();

// --- view modes (view_modes_win.cpp) ---
void ViewModeCommand(int id);
void WrapCommand();
void ConvertCommand();
void AddrModeCommand(int id);
// Writes status bar parts 2 and 3 for the current view.
void ShowPosition();

// --- find, copy and export (find_win.cpp, copy_export_win.cpp) ---
// Commands 288 (Find), 289 (find next), 291 (forward) and 293 (reverse).
void FindCommand(int id);
// Show Marked Area and the end of Mark Bytes: brings the mark into view and
// repaints; tells the user when nothing is marked.
void ShowMarkedArea();
// Command 277: the marked area to the clipboard as text.
void CopyMarked();
// Command 259: the marked area to a file chosen in the save dialog.
void ExportMarked();
