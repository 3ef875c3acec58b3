// Printing on Windows: the printer's metrics, the two print fonts, the pages
// drawn with the screen's row renderers, the footer, and the three dialogs.
#pragma once
#include <windows.h>

#include <cstdint>

extern HFONT hPrintFont;     // font for the printer; 0 when none
extern HFONT hPreviewFont;   // font for the 72-dpi preview; 0 when none
extern HWND hPrintProgress;  // progress bar stepped per printed page; 0: none

// Measures the printer behind hdc and reloads the working margins.
void GetPrinterMetrics(HDC hdc);
// (Re)creates both fonts: the printer font measured on `printer` (the
// printer's context; 0: none, then on hdc), the preview font on hdc (the
// preview area's context). Returns the width in preview pixels of the page
// picture.
int32_t MakePrintFonts(HDC hdc, HDC printer);
// Text view: the wrap width becomes the printed line's; with wrapping on the
// line table is rebuilt for it, which may leave text mode with its message.
void WrapForPrint();
// Set by PrintPages when its rebuild of the line table for the printed width
// found too many lines (left for the next layout to act on).
extern bool PrintLinesLost;
// Deletes both fonts.
void DeletePrintFonts();
// Draws page 1 (preview) or every page between StartPage and EndPage
// (printing) on hdc. pageWidth is not used.
void PrintPages(HDC hdc, int dpiX, int dpiY, int pageWidth, int pageHeight, int offsetX,
                int offsetY, bool printing);
// Draws the footer of the current page in a line from x to x + width with top
// y; each character in a cell of `cell` units (0: at the font's own advances).
void DrawFooter(HDC hdc, int x, int y, int width, int cell);

// The dialogs: "PREVIEW" (command 272), "FORMAT" (274), "FOOTER" (276).
INT_PTR CALLBACK PreviewDlgProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK FormatDlgProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK FooterDlgProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

// The owner of the print properties and footer dialogs: the active window
// of this thread (the preview when it sent the command), else hwnd, so that
// closing them never enables the main window under the preview.
HWND PrintDialogOwner(HWND hwnd);

// --- preview state, read by the tests and the benchmark ---
extern char PrinterName[256];
extern HGLOBAL hDevMode;
extern char DevModePrinter[256];  // the printer hDevMode was made for
extern HDC hPreviewDC;
extern HBITMAP hPreviewBitmap;
extern int32_t PreviewWidth, PreviewHeight, PreviewVisWidth, PreviewVisHeight, PreviewX;
extern HWND hPreviewVBar, hPreviewHBar;
