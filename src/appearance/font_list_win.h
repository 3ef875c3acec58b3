// The list of font families offered by the screen-font dialog and by the
// print properties: modern (fixed-design) families with an ANSI, default or
// OEM character set.
#pragma once
#include <windows.h>

// Sets up a report-mode list view as a family list: one column as wide as the
// list less 20 pixels, no header, the small images (0 raster, 1 TrueType),
// shared: they outlive the list.
// The template gives the styles: LVS_REPORT | LVS_NOCOLUMNHEADER |
// LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_SORTASCENDING.
void InitFamilyList(HWND listView);
// The one column alone, for a list of the same look without images.
void AddListColumn(HWND listView);

// Adds every modern ANSI/default/OEM family reported by EnumFontFamiliesA on
// the list's screen context, image 1 for TrueType faces and 0 for others.
void ListModernFonts(HWND listView);

// Selects (and focuses) the entry whose text equals name exactly, or the
// first entry when none does; returns the index selected, -1 for an empty list.
int SelectFamily(HWND listView, const char* name);

// The text of the entry at index (at most 31 characters), "" when there is none.
void FamilyText(HWND listView, int index, char* text, int size);
