// The program's own guide in a window of its own ("Orvex Help").
#pragma once
#include <windows.h>

extern HWND hHelpWnd;  // the guide's window, 0 when it is closed

// Opens the guide, or brings it to the front when it is open.
void ShowGuide();
// The guide's window or one of its controls.
bool InGuide(HWND hwnd);
// The message loop's routing of a key typed in the guide: the keys the
// guide itself serves (Escape, Tab, F3, Enter in its find box, Ctrl+F) go
// to its window; the others stay with the control.
void RouteGuideKey(MSG* msg);
