#include "document/document_win.h"

#include "document/document.h"

HANDLE hFile = 0;
HGLOBAL hFileMem = 0;

namespace {
void CloseFile() {
    if (hFile && CloseHandle(hFile)) hFile = 0;
}
}  // namespace

void ReleaseDocumentWin() {
    ResetDocument();
    if (hFileMem) {
        GlobalFree(hFileMem);
        hFileMem = 0;
    }
}

LoadOutcome LoadDocumentWin(void (*opened)(int32_t size)) {
    CloseFile();
    hFile =
        CreateFileA(FileName, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (hFile == INVALID_HANDLE_VALUE) {
        const DWORD code = GetLastError();
        hFile = 0;
        return {LoadOpenFailed, code};
    }

    FILETIME written{}, local{};
    GetFileTime(hFile, nullptr, nullptr, &written);
    FileTimeToLocalFileTime(&written, &local);

    DWORD high = 0;
    const DWORD low = GetFileSize(hFile, &high);
    if (high != 0 || low > MaxFileSize) {
        CloseFile();
        return {LoadTooLarge, 0};
    }

    uint8_t* buf = AreaFor(low);
    HGLOBAL block = 0;
    if (!buf) {
        block = GlobalAlloc(GMEM_FIXED, low);
        if (!block) {
            const DWORD code = GetLastError();
            CloseFile();
            return {LoadMemoryFailed, code};
        }
        buf = static_cast<uint8_t*>(block);  // a fixed block's handle is its address
    }

    // The previous document is released only now, after the new one has its
    // memory, and before FileArea may be overwritten.
    ReleaseDocumentWin();
    hFileMem = block;
    SetFileNameParts();
    FileTime = (static_cast<uint64_t>(local.dwHighDateTime) << 32) | local.dwLowDateTime;

    if (opened) opened(static_cast<int32_t>(low));
    SetFilePointer(hFile, 0, nullptr, FILE_BEGIN);
    HCURSOR previous = SetCursor(LoadCursor(nullptr, IDC_WAIT));
    DWORD got = 0;
    const BOOL ok = ReadFile(hFile, buf, low, &got, nullptr);
    const DWORD code = ok ? 0 : GetLastError();
    SetCursor(previous ? previous : LoadCursor(nullptr, IDC_ARROW));
    if (!ok || got != low) {
        CloseFile();
        ReleaseDocumentWin();
        return {LoadReadFailed, ok ? static_cast<DWORD>(ERROR_HANDLE_EOF) : code};
    }
    CloseFile();
    AdoptFile(buf, static_cast<int32_t>(low));
    return {LoadDone, 0};
}
