// Copy of the marked area to the clipboard and its export to a file.
#include <windows.h>
#include <commdlg.h>

#include <cstdint>

#include "app/app_win.h"
#include "app/block_text.h"
#include "document/document.h"
#include "document/document_win.h"

namespace {

// Error box numbers of the export.
constexpr unsigned ExportCreateFailed = 3287;
constexpr unsigned ExportBlockWriteFailed = 3291;
constexpr unsigned ExportBytesWriteFailed = 3297;

// A block mark can only be rendered from the text view's lines.
bool BlockOutsideText() {
    if (MarkState != 2 || Checked == _TEXT_) return false;
    MessageBoxA(wn, "Copy/Export of Block Marks is only available in text mode.", "Not Available",
                MB_OK);
    return true;
}

void NoMemory() {
    MessageBoxA(wn, "There is not enough memory for the marked area.", "", MB_ICONEXCLAMATION);
}

// The clipboard blocks are zeroed: a block can be larger than its text, and
// everything after the NUL reaches programs that read the whole block (the X
// clipboard under Wine).
constexpr UINT ClipboardMemory = GMEM_MOVEABLE | GMEM_ZEROINIT;

// The block cut to its text and NUL, so that nothing after the text can
// reach a reader of the whole block; the block as it is when it cannot shrink.
HGLOBAL FitText(HGLOBAL mem, int32_t len) {
    HGLOBAL fit = GlobalReAlloc(mem, static_cast<SIZE_T>(len) + 1, GMEM_MOVEABLE);
    return fit ? fit : mem;
}

// The block text in a movable block, unlocked; 0 when there is no memory.
// `len` receives its length without the NUL.
HGLOBAL BlockTextMemory(int32_t* len) {
    const int64_t room = BlockTextRoom();
    if (room > static_cast<int64_t>(SIZE_MAX / 2)) return 0;
    HGLOBAL mem = GlobalAlloc(ClipboardMemory, static_cast<SIZE_T>(room));
    if (!mem) return 0;
    *len = GetBlockText(static_cast<char*>(GlobalLock(mem)), room);
    GlobalUnlock(mem);
    return FitText(mem, *len);
}

// The marked bytes up to the first zero byte, as clipboard text.
HGLOBAL MarkedTextMemory() {
    const MarkedSpan span = MarkedBytes();
    HGLOBAL mem = GlobalAlloc(ClipboardMemory, static_cast<SIZE_T>(span.len) + 1);
    if (!mem) return 0;
    const int32_t len = GetMarkedText(static_cast<char*>(GlobalLock(mem)), span.len + 1);
    GlobalUnlock(mem);
    return FitText(mem, len);
}

// Writes len bytes; a short write counts as a full disk.
bool WriteAll(HANDLE file, const void* data, DWORD len) {
    DWORD wrote = 0;
    if (!WriteFile(file, data, len, &wrote, nullptr)) return false;
    if (wrote == len) return true;
    SetLastError(ERROR_DISK_FULL);
    return false;
}

void WriteBlock(HANDLE file) {
    int32_t len = 0;
    HGLOBAL mem = BlockTextMemory(&len);
    if (!mem) {
        NoMemory();
        return;
    }
    if (!WriteAll(file, GlobalLock(mem), static_cast<DWORD>(len)))
        LastErrorBox(ExportBlockWriteFailed);
    GlobalUnlock(mem);
    GlobalFree(mem);
}

void WriteBytes(HANDLE file) {
    const MarkedSpan span = MarkedBytes();
    if (!WriteAll(file, FileBuf + span.start, static_cast<DWORD>(span.len)))
        LastErrorBox(ExportBytesWriteFailed);
}

bool AskExportName(char* path, DWORD size) {
    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = wn;
    ofn.lpstrFilter = "All Files\0*.*\0";
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = path;
    ofn.nMaxFile = size;
    ofn.lpstrTitle = "Save As";
    ofn.Flags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY;
    return GetSaveFileNameA(&ofn) != 0;
}

}  // namespace

void CopyMarked() {
    if (MarkState == 0) {
        MessageBoxA(wn, "No marked area", "", MB_OK);
        return;
    }
    if (BlockOutsideText()) return;
    if (!OpenClipboard(wn)) {
        MessageBoxA(wn, "I can't open the clipboard", "", MB_ICONEXCLAMATION);
        return;
    }
    EmptyClipboard();
    int32_t len = 0;
    HGLOBAL mem = MarkState == 2 ? BlockTextMemory(&len) : MarkedTextMemory();
    if (mem && !SetClipboardData(CF_TEXT, mem)) GlobalFree(mem);
    CloseClipboard();
    if (!mem) NoMemory();
}

void ExportMarked() {
    if (MarkState == 0) {
        MessageBoxA(wn, "No marked area", "", MB_OK);
        return;
    }
    if (BlockOutsideText()) return;
    char path[256] = "";
    if (!AskExportName(path, sizeof path)) return;
    if (hFile) CloseHandle(hFile);
    hFile = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_ARCHIVE,
                        nullptr);
    if (hFile == INVALID_HANDLE_VALUE) {
        hFile = 0;
        LastErrorBox(ExportCreateFailed);
        return;
    }
    if (MarkState == 2)
        WriteBlock(hFile);
    else
        WriteBytes(hFile);
    CloseHandle(hFile);
    hFile = 0;
}
