// Export of the bitmaps, cursors and icons of an executable to .BMP, .CUR
// and .ICO files: one entry to a file the user names, or every entry of a
// type into a folder, asking before a file is replaced. The bytes come from
// the builders in resource_files.
#include <windows.h>
#include <commdlg.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "app/app_win.h"
#include "document/document.h"
#include "document/document_win.h"
#include "interpret/interp_tree.h"
#include "interpret/interpret_win.h"
#include "interpret/resource_files.h"
#include "interpret/selection.h"

char SavePath[256];
uint8_t YesToAll = 0;

namespace {

// Error box numbers.
constexpr unsigned BmpHeaderWriteFailed = 1613;
constexpr unsigned BmpDataWriteFailed = 1615;
constexpr unsigned DirectoryWriteFailed = 3646;
constexpr unsigned ImageWriteFailed = 3662;

constexpr int AnswerYes = 6, AnswerYesToAll = 9, AnswerNo = 7, AnswerCancel = 2;

bool WriteAll(const uint8_t* data, size_t len) {
    DWORD wrote = 0;
    if (!WriteFile(hFile, data, static_cast<DWORD>(len), &wrote, nullptr)) return false;
    if (wrote == len) return true;
    SetLastError(ERROR_DISK_FULL);
    return false;
}

// Creates SavePath for writing: anew, or replacing when YesToAll is set or
// the user agrees. Returns the answer; hFile is open only for 6 and 9.
int CreateOutput() {
    int answer = AnswerYes;
    DWORD how = YesToAll ? CREATE_ALWAYS : CREATE_NEW;
    for (;;) {
        hFile =
            CreateFileA(SavePath, GENERIC_WRITE, 0, nullptr, how, FILE_ATTRIBUTE_ARCHIVE, nullptr);
        if (hFile != INVALID_HANDLE_VALUE) break;
        hFile = 0;
        const DWORD code = GetLastError();
        if (code == ERROR_FILE_EXISTS && how == CREATE_NEW) {
            const INT_PTR r = DialogBoxParamA(hInst, "REPLACE", wn, ReplaceDlgProc, 0);
            if (r == AnswerYesToAll) YesToAll = 1;
            if (r != AnswerYes && r != AnswerYesToAll)
                return r == AnswerCancel ? AnswerCancel : AnswerNo;
            answer = static_cast<int>(r);
            how = CREATE_ALWAYS;
            continue;
        }
        char text[256] = "";
        FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code,
                       MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), text, 255, nullptr);
        MessageBoxA(wn, text, SavePath, MB_ICONEXCLAMATION);
        return AnswerNo;
    }
    SetFilePointer(hFile, 0, nullptr, FILE_BEGIN);
    return answer;
}

void CloseOutput() {
    CloseHandle(hFile);
    hFile = 0;
}

// Appends `name` to the folder part of SavePath kept in `folder`.
void SetPath(const std::string& folder, const std::string& name) {
    std::snprintf(SavePath, sizeof SavePath, "%s%s", folder.c_str(), name.c_str());
}

int WriteItem(const ExportItem& item, int command) {
    if (command == ExportBitmaps) return WriteBmp(item.Position, item.Size);
    return WriteIconFile(item.Images, command);
}

}  // namespace

int WriteBmp(int32_t position, uint32_t size) {
    std::vector<uint8_t> bytes;
    // Bytes that are not in the file make no file.
    if (!BuildBmpFile(position, size, bytes)) return AnswerNo;
    const int answer = CreateOutput();
    if (answer != AnswerYes && answer != AnswerYesToAll) return answer;
    if (!WriteAll(bytes.data(), 14))
        LastErrorBox(BmpHeaderWriteFailed);
    else if (!WriteAll(bytes.data() + 14, bytes.size() - 14))
        LastErrorBox(BmpDataWriteFailed);
    CloseOutput();
    return answer;
}

int WriteIconFile(const std::vector<int16_t>& images, int command) {
    std::vector<uint8_t> bytes;
    if (!BuildIconFile(images, static_cast<uint16_t>(command), bytes)) return AnswerNo;
    const int answer = CreateOutput();
    if (answer != AnswerYes && answer != AnswerYesToAll) return answer;
    // The directory, then each image as the directory places it.
    const size_t n = static_cast<size_t>(bytes[4] | bytes[5] << 8);
    const size_t head = 6 + 16 * n;
    if (!WriteAll(bytes.data(), head)) LastErrorBox(DirectoryWriteFailed);
    for (size_t j = 0; j < n; ++j) {
        const uint8_t* e = bytes.data() + 6 + 16 * j;
        const size_t len =
            static_cast<size_t>(e[8] | e[9] << 8 | e[10] << 16) | static_cast<size_t>(e[11]) << 24;
        const size_t at = static_cast<size_t>(e[12] | e[13] << 8 | e[14] << 16) |
                          static_cast<size_t>(e[15]) << 24;
        if (!WriteAll(bytes.data() + at, len)) LastErrorBox(ImageWriteFailed);
    }
    CloseOutput();
    return answer;
}

INT_PTR CALLBACK ReplaceDlgProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM) {
    switch (msg) {
    case WM_INITDIALOG: SetDlgItemTextA(hwnd, 168, SavePath); return TRUE;
    case WM_COMMAND: {
        const int id = LOWORD(wParam);
        if (id == AnswerCancel || id == AnswerYes || id == AnswerNo || id == AnswerYesToAll)
            EndDialog(hwnd, id);
        return TRUE;
    }
    default: return FALSE;
    }
}

void ExportResources(int command) {
    if (command != ExportCmd || SelNode < 0 || static_cast<size_t>(SelNode) >= TreeNodes.size())
        return;
    const bool folder = SelKind == KindResType;
    const char* text = TreeNodes[static_cast<size_t>(SelNode)].Text;
    const char* ext = command == ExportBitmaps   ? ".BMP"
                      : command == ExportCursors ? ".CUR"
                                                 : ".ICO";
    if (folder)
        std::snprintf(SavePath, sizeof SavePath, "{%s}%s", text, ext);
    else
        std::snprintf(SavePath, sizeof SavePath, "%s%s", text, ext);
    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = wn;
    ofn.lpstrFilter = command == ExportBitmaps   ? "BMP file\0*.bmp*\0"
                      : command == ExportCursors ? "Cursor\0*.cur*\0"
                                                 : "Icon\0*.ico*\0";
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = SavePath;
    ofn.nMaxFile = 255;
    ofn.lpstrTitle = folder ? "Select Folder for Export" : "Save As";
    ofn.Flags = folder ? OFN_HIDEREADONLY : OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;
    if (!GetSaveFileNameA(&ofn)) return;

    if (!folder) {
        YesToAll = 1;
        if (hFile) CloseOutput();
        if (command == ExportBitmaps)
            WriteBmp(ByteOffset, NumBytes);
        else
            WriteIconFile(SelImages, command);
        return;
    }
    YesToAll = 0;
    char* cut = std::strrchr(SavePath, '\\');
    const std::string dir(SavePath, cut ? static_cast<size_t>(cut - SavePath + 1) : 0);
    std::vector<ExportItem> items;
    PlanFolderExport(SelNode, static_cast<uint16_t>(command), items);
    for (const ExportItem& item : items) {
        SetPath(dir, item.Name);
        if (WriteItem(item, command) == AnswerCancel) break;
    }
}
