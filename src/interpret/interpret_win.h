// The Win32 side of the interpretation: the tree control, the icons made
// from the file, the image pane, the dialog preview and the resource export.
#pragma once
#include <windows.h>

#include <cstdint>
#include <vector>

#include "interpret/image_table.h"
#include "interpret/resource_files.h"

extern HICON ImageIcons[MaxImages];  // made from the image table; 0 none
extern HWND hDlgPreview;             // preview of a DIALOG entry; 0 none
extern char SavePath[256];           // the path an export writes
extern uint8_t YesToAll;             // replace existing files without asking

// Builds the tree control for the loaded file in the main window `parent`,
// selects the root and re-lays the frame.
void CreateTV(HWND parent);
// The tree's TVN_SELCHANGED: applies the selection of the new node.
void TreeSelChanged(LPARAM notification);
// The tree item of node `node` of the tree data (0 when there is none).
HTREEITEM TreeItemOf(int32_t node);

// Readies the icons of the image table as the tree is built; each is made
// from the file when it is first drawn (or asked for with ImageIcon).
void MakeImageIcons();
HICON ImageIcon(int16_t index);
void DestroyImageIcons();

// The image pane: shown for the selection's images or bitmap (laid out,
// created or moved, the view moved below it), or removed.
void ShowImagePane();
void RemoveImagePane();
// Re-lays the pane for new views (the frame's size handling): moves it and
// the view window below it; returns its height, 0 without a pane.
int32_t PlaceImagePane();
LRESULT CALLBACK ImageWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

// Commands 260, 261 and 262.
void ExportResources(int command);
// The REPLACE dialog.
INT_PTR CALLBACK ReplaceDlgProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
// Writers: an answer code (6 written, 9 written after "Yes to All", 7 not
// written, 2 cancelled).
int WriteBmp(int32_t position, uint32_t size);
int WriteIconFile(const ExportImages& images, int command);
