// Loading a file through the main window: the open dialog, the title, the
// recent list, the error boxes.
#include <windows.h>
#include <commdlg.h>
#include <shellapi.h>

#include <cstdio>
#include <cstring>

#include "app/app_win.h"
#include "app/recent_files.h"
#include "document/document.h"
#include "document/document_win.h"
#include "document/text_number.h"
#include "resources/resource_ids.h"

namespace {

int PromoteIndex = RecentCount - 1;
// The name of the document on screen: a load that fails before the file is
// read leaves the document, and FileName goes back to it.
char LoadedName[sizeof FileName];

// The title "Orvex - NAME  12,345 bytes".
void SetTitle(int32_t size) {
    char digits[24];
    std::snprintf(digits, sizeof digits, "%ld", static_cast<long>(size));
    AddCommas(digits);
    char title[sizeof FileName + 40];
    std::snprintf(title, sizeof title, "Orvex - %s  %s bytes", FileName, digits);
    SendMessageA(wn, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(title));
}

// Called by the load once the file is open and its memory is there.
void FileOpened(int32_t size) {
    std::memcpy(LoadedName, FileName, sizeof LoadedName);
    DestroyTV();
    ByteOffset = 0;
    SetTitle(size);
    ShowRecentItems(PromoteRecent(PromoteIndex));
}

}  // namespace

void ShowRecentItems(int last) {
    for (int i = 0; i <= last && i < RecentCount; ++i)
        ModifyMenuA(hMenu, CM_RECENT + i, MF_BYCOMMAND | MF_STRING, CM_RECENT + i, RecentFiles[i]);
}

void ErrorBox(unsigned number, DWORD code) {
    char caption[64];
    std::snprintf(caption, sizeof caption, "Line %u, Error Code %lu", number,
                  static_cast<unsigned long>(code));
    char text[256] = "";
    FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code,
                   MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), text, 255, nullptr);
    MessageBoxA(wn, text, caption, MB_ICONINFORMATION);
}

void LastErrorBox(unsigned number) { ErrorBox(number, GetLastError()); }

void LeaveTextMode() {
    if (Checked == _TEXT_) SendMessageA(wn, WM_COMMAND, CM_VIEW_HEX, 0);
    TooManyLines();
}

void TooManyLines() {
    MessageBoxA(wn, "This file has too many lines for me to handle.", "Text mode not available",
                MB_OK);
}

void LoadFile(int command, int recent) {
    if (command == CM_OPEN || command == CM_OPEN_NAMED) ExportCmd = 0;
    FileName[sizeof FileName - 1] = '\0';

    PromoteIndex = recent;
    // A wrapped line table is built for the view's width, also before the
    // view's first paint.
    MeasureView();
    const LoadOutcome out = LoadDocumentWin(FileOpened);
    switch (out.step) {
    case LoadDone: break;
    case LoadOpenFailed:
    case LoadMemoryFailed:
    case LoadTooLarge:
        // The previous document stays, under its own name.
        std::memcpy(FileName, LoadedName, sizeof FileName);
        SetFileNameParts();
        if (out.step == LoadTooLarge)
            MessageBoxA(wn, "This file is too large for me to handle.", "File too large",
                        MB_ICONINFORMATION);
        else
            ErrorBox(out.step, out.code);
        if (out.step != LoadOpenFailed) InvalidateRect(wn, nullptr, FALSE);
        return;
    case LoadReadFailed:
        // Nothing of the file could be kept: the document is empty.
        SendMessageA(wn, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("Orvex"));
        ErrorBox(out.step, out.code);
        break;
    }
    ClearMarked();
    InvalidateRect(wn, nullptr, FALSE);
}

void OpenWithDialog() {
    char shown[sizeof FileName];
    std::memcpy(shown, FileName, sizeof shown);
    FileName[0] = '\0';
    OPENFILENAMEA ofn{};
    ofn.lStructSize = OPENFILENAME_SIZE_VERSION_400A;
    ofn.hwndOwner = wn;
    ofn.lpstrFilter = "All Files\0*.*\0";
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = FileName;
    ofn.nMaxFile = 255;
    ofn.lpstrFileTitle = FileTitle;
    ofn.nMaxFileTitle = 63;
    ofn.lpstrTitle = "Open a file";
    ofn.Flags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST;
    if (!GetOpenFileNameA(&ofn)) {
        // Cancelled: the document keeps its name.
        std::memcpy(FileName, shown, sizeof FileName);
        return;
    }
    LoadFile(CM_OPEN, RecentCount - 1);
}

void OpenDropped(HDROP drop) {
    // While a modal dialog is open the document is in use: nothing opens.
    const bool open = IsWindowEnabled(wn) && DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0) > 0;
    const UINT length = open ? DragQueryFileA(drop, 0, nullptr, 0) : 0;
    char name[sizeof FileName] = "";
    if (open && length < sizeof name) DragQueryFileA(drop, 0, name, sizeof name);
    DragFinish(drop);
    if (!open) return;
    if (length >= sizeof name) {
        // A name the open dialog could not have given: what opening it by
        // name would report.
        ErrorBox(LoadOpenFailed, ERROR_FILENAME_EXCED_RANGE);
        return;
    }
    std::memcpy(FileName, name, sizeof FileName);
    std::strncpy(FileTitle, NamePart(FileName), sizeof FileTitle - 1);
    FileTitle[sizeof FileTitle - 1] = '\0';
    LoadFile(CM_OPEN, RecentCount - 1);
}
