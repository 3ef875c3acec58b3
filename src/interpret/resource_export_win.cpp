// Export of the bitmaps, cursors and icons of an executable to .BMP, .CUR
// and .ICO files: one entry to a file the user names, or every entry of a
// type into a folder, asking before a file is replaced. The bytes come from
// the builders in resource_files.
#include <windows.h>
#include <commdlg.h>

#include <cstdio>
#include <cstring>
#include <new>
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
constexpr unsigned OutOfMemory = 3640;

constexpr int AnswerYes = 6, AnswerYesToAll = 9, AnswerNo = 7, AnswerCancel = 2;

// Writes to hFile; a short write counts as a full disk.
class FileSink final : public ByteSink {
  public:
    bool Write(const uint8_t* data, size_t len) override {
        // WriteFile takes at most 4 GB less one byte at a time.
        while (len > 0) {
            const DWORD part = len > 0x40000000u ? 0x40000000u : static_cast<DWORD>(len);
            DWORD wrote = 0;
            if (!WriteFile(hFile, data, part, &wrote, nullptr)) return false;
            if (wrote != part) {
                SetLastError(ERROR_DISK_FULL);
                return false;
            }
            data += part;
            len -= part;
        }
        return true;
    }
};

// A file that is not written at all is told with its path as caption, as
// the system's refusals are.
// While a folder is exported: the entries with no image to write, told once
// at the end rather than one box each (an executable may hold hundreds
// beyond the image table). Null otherwise.
unsigned* NoDataCount = nullptr;

void ReportNotWritten(ExportStatus status) {
    if (status == ExportStatus::NoData && NoDataCount) {
        ++*NoDataCount;
        return;
    }
    MessageBoxA(wn, ExportStatusText(status), SavePath, MB_ICONEXCLAMATION);
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

// Appends `name` to `folder` in SavePath; false when the two do not fit.
bool SetPath(const std::string& folder, const std::string& name) {
    if (folder.size() + name.size() >= sizeof SavePath - 1) return false;
    std::snprintf(SavePath, sizeof SavePath, "%s%s", folder.c_str(), name.c_str());
    return true;
}

int WriteItem(const ExportItem& item, int command) {
    if (command == ExportBitmaps) return WriteBmp(item.Position, item.Size);
    return WriteIconFile(ImagesOf(item), command);
}

// Builds the file in SavePath with `stream`, reporting a file that cannot
// be built and the write errors by their numbers.
template <typename Stream>
int WriteOutput(Stream stream, unsigned headFailed, unsigned dataFailed) {
    // A file that cannot be built is told before anything is created.
    struct Counter final : ByteSink {
        bool Write(const uint8_t*, size_t) override { return true; }
    } dry;
    const ExportStatus check = stream(dry);
    if (check != ExportStatus::Written) {
        ReportNotWritten(check);
        return AnswerNo;
    }
    const int answer = CreateOutput();
    if (answer != AnswerYes && answer != AnswerYesToAll) return answer;
    FileSink sink;
    const ExportStatus status = stream(sink);
    if (status == ExportStatus::HeadFailed) LastErrorBox(headFailed);
    if (status == ExportStatus::ImageFailed) LastErrorBox(dataFailed);
    CloseOutput();
    return answer;
}

}  // namespace

int WriteBmp(int32_t position, uint32_t size) {
    return WriteOutput([&](ByteSink& sink) { return StreamBmpFile(position, size, sink); },
                       BmpHeaderWriteFailed, BmpDataWriteFailed);
}

int WriteIconFile(const ExportImages& images, int command) {
    return WriteOutput(
        [&](ByteSink& sink) {
            return StreamIconFile(images, static_cast<uint16_t>(command), sink);
        },
        DirectoryWriteFailed, ImageWriteFailed);
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

namespace {

void Export(int command) {
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
        std::snprintf(SavePath, sizeof SavePath, "%s%s", SafeFileName(text).c_str(), ext);
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
            WriteIconFile(ExportImages{SelImages, SelGroupEntries}, command);
        return;
    }
    YesToAll = 0;
    char* cut = std::strrchr(SavePath, '\\');
    const std::string dir(SavePath, cut ? static_cast<size_t>(cut - SavePath + 1) : 0);
    std::vector<ExportItem> items;
    PlanFolderExport(SelNode, static_cast<uint16_t>(command), items);
    unsigned noData = 0;
    NoDataCount = &noData;
    for (const ExportItem& item : items) {
        if (!SetPath(dir, item.Name)) {
            // A cut name could lose its extension or meet another one.
            MessageBoxA(wn, "The folder and this name make a path too long: the entry is skipped.",
                        item.Name.c_str(), MB_ICONEXCLAMATION);
            continue;
        }
        if (WriteItem(item, command) == AnswerCancel) break;
    }
    NoDataCount = nullptr;
    if (noData) {
        char text[128];
        std::snprintf(text, sizeof text,
                      "%u of %u entries hold no image that can be read from the file: they were "
                      "not written.",
                      noData, static_cast<unsigned>(items.size()));
        MessageBoxA(wn, text, dir.c_str(), MB_ICONEXCLAMATION);
    }
}

}  // namespace

void ExportResources(int command) {
    try {
        Export(command);
    } catch (const std::bad_alloc&) {
        NoDataCount = nullptr;
        if (hFile) CloseOutput();
        ErrorBox(OutOfMemory, ERROR_NOT_ENOUGH_MEMORY);
    }
}
