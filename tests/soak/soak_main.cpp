// orvex-soak LISTFILE OUTDIR [SECONDS]: the real windows on each file of the list, as a user goes
// through them: opened in interpret mode, every node selected, every bitmap, cursor and icon type
// folder-exported, each box answered. Prints "BOXES <path> <count>x <caption>|<text>" for each
// kind of box, "UNEXPECTED <path> <caption>|<text>" for a box the program is not meant to show,
// then "FILE <path> nodes=N boxes=N previews=N exported=N ms=N". A file over the time limit prints
// "HANG <path>" and ends the program with 3; a crash prints "CRASH <path> <code>" and ends it
// with 4. (Wine keeps no peak of memory: it is measured from outside.)
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <string>

#include "win_test_support.h"

#include "interpret/image_table.h"
#include "interpret/interp_tree.h"

namespace {

std::string Current;
volatile DWORD FileStart = 0;
DWORD Limit = 300 * 1000;

void Say(const char* kind, const std::string& rest) {
    std::printf("%s %s %s\n", kind, Current.c_str(), rest.c_str());
    std::fflush(stdout);
}

DWORD WINAPI Watchdog(LPVOID) {
    for (;;) {
        Sleep(1000);
        const DWORD start = FileStart;
        if (start && GetTickCount() - start > Limit) {
            Say("HANG", std::to_string((GetTickCount() - start) / 1000) + "s");
            TerminateProcess(GetCurrentProcess(), 3);
        }
    }
}

LONG WINAPI Crashed(EXCEPTION_POINTERS* e) {
    char code[16];
    std::snprintf(code, sizeof code, "%08lX",
                  static_cast<unsigned long>(e->ExceptionRecord->ExceptionCode));
    Say("CRASH", code);
    TerminateProcess(GetCurrentProcess(), 4);
    return EXCEPTION_EXECUTE_HANDLER;
}

bool StartsWith(const std::string& s, const char* prefix) { return s.rfind(prefix, 0) == 0; }

// The boxes and dialogs the program shows on its own: "caption|text".
bool Expected(const std::string& box, const std::string& outDir) {
    static const char* const known[] = {
        "Error|Unrecognized format!",
        "Error|More than 1666 cursors/icons!",
        "Addressing past End of File|ByteOffset=",
        "Select Folder for Export|",
        "Confirm File Replace|",
        // An error box of a failing system call whose number names the place: the
        // dialog preview (2898) and the icon drawing (2318).
        "Line 2898, Error Code",
        "Line 2318, Error Code",
    };
    for (const char* k : known)
        if (StartsWith(box, k)) return true;
    // A file of the export that is not written is told with its path as
    // caption; so is a file the system refuses.
    return StartsWith(box, outDir.c_str());
}

bool IsDialogEntry(int32_t node) {
    const uint16_t kind = TreeNodes[static_cast<size_t>(node)].Kind;
    return (kind & 0xFF) == KindResEntry && (kind >> 8) == 5;
}

void Soak(const std::string& path, const std::string& outDir) {
    Current = path;
    FileStart = GetTickCount();
    SeenDialogs.clear();
    OpenPath(path);
    int previews = 0, exported = 0;
    Texts boxes;
    const size_t nodes = TreeNodes.size();
    for (size_t n = 0; n < nodes && n < TreeNodes.size(); ++n) {
        const HTREEITEM item = TreeItemOf(static_cast<int32_t>(n));
        if (!item) continue;
        const size_t before = SeenDialogs.size();
        SendMessageA(hTreeView, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
        RedrawWindow(wn, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        Pump();
        // A dialog entry opens its preview; the template's own window may be
        // activated as it is made: that is no box.
        const bool dialog = IsDialogEntry(static_cast<int32_t>(n));
        if (dialog && hDlgPreview) ++previews;
        for (size_t i = before; i < SeenDialogs.size(); ++i)
            if (!dialog || Expected(SeenDialogs[i], outDir)) boxes.push_back(SeenDialogs[i]);
        SeenDialogs.resize(before);
        if (SelKind == KindResType && ExportCmd) {
            EmptyFolder(outDir + "\\");
            Answers["Select Folder for Export"] = SaveAs(outDir + "\\export");
            Answers["Confirm File Replace"] = [](HWND d) { Click(d, 9); };
            Command(ExportCmd);
            exported += static_cast<int>(FilesIn(outDir + "\\*").size());
            for (const std::string& box : TakeDialogs()) boxes.push_back(box);
        }
    }
    std::map<std::string, int> kinds;
    for (const std::string& box : boxes) {
        if (!Expected(box, outDir)) Say("UNEXPECTED", box);
        ++kinds[box.substr(0, box.find_first_of("=\n", box.find('|')))];
    }
    for (const auto& [kind, count] : kinds) Say("BOXES", std::to_string(count) + "x " + kind);
    char line[256];
    std::snprintf(line, sizeof line, "nodes=%u boxes=%u previews=%d exported=%d ms=%lu",
                  static_cast<unsigned>(nodes), static_cast<unsigned>(boxes.size()), previews,
                  exported, static_cast<unsigned long>(GetTickCount() - FileStart));
    Say("FILE", line);
    FileStart = 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: orvex-soak LISTFILE OUTDIR [SECONDS]\n");
        return 2;
    }
    if (argc > 3) Limit = static_cast<DWORD>(std::atoi(argv[3])) * 1000;
    SetUnhandledExceptionFilter(Crashed);
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
    CreateThread(nullptr, 0, Watchdog, nullptr, 0, nullptr);
    const std::string outDir = argv[2];
    CreateDirectoryA(outDir.c_str(), nullptr);
    DeleteSettingsKey();
    StartShell();
    Command(CM_VIEW_INTERP);
    std::ifstream list(argv[1]);
    for (std::string path; std::getline(list, path);) {
        if (!path.empty() && path.back() == '\r') path.pop_back();
        if (!path.empty()) Soak(path, outDir);
    }
    StopShell();
    DeleteSettingsKey();
    return 0;
}
