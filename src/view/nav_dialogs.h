// The navigation dialogs "LINE" (also Go to Byte), "COLUMN", "MARK" and
// "CONVERT", opened by the main window's commands.
#pragma once
#include <windows.h>

#include <cstdint>

extern uint8_t MarkHex;  // number base of "MARK": 0 decimal, 1 hex

INT_PTR CALLBACK LineDlgProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK ColumnDlgProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK MarkDlgProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK ConvertDlgProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
