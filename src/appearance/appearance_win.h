// The screen-font dialog and the colour commands of the view.
#pragma once
#include <windows.h>

// Command 315: the "Select Font and Size" dialog, then a repaint whatever
// the answer.
void SelectFontCommand();
// Commands 316 to 319: the colour dialog for the command's colour; on OK the
// colour (and for the background a new hBkBrush) and a repaint.
void ColorCommand(int id);

INT_PTR CALLBACK FontDlgProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

// Control ids of the font dialog.
constexpr int IdFamilyList = 160;
constexpr int IdSizeList = 161;
