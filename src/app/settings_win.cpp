// The settings' registry side: read once at start, written once when the
// main window is destroyed.
#include <cstring>

#include "app/app_win.h"
#include "app/layout.h"
#include "app/recent_files.h"
#include "app/settings.h"
#include "appearance/appearance.h"
#include "print/print_settings.h"

char StoredFind[StoredListSize + 1];
DWORD StoredFindSize = 0;

namespace {

struct SettingsKey {
    HKEY software = 0, maker = 0, program = 0;
};

SettingsKey OpenSettingsKey() {
    SettingsKey k;
    RegOpenKeyA(HKEY_LOCAL_MACHINE, "Software", &k.software);
    if (k.software) RegCreateKeyA(k.software, "Tarnwick", &k.maker);
    if (k.maker) RegCreateKeyA(k.maker, "Orvex", &k.program);
    return k;
}

void CloseSettingsKey(const SettingsKey& k) {
    if (k.program) RegCloseKey(k.program);
    if (k.maker) RegCloseKey(k.maker);
    if (k.software) RegCloseKey(k.software);
}

// Reads a value of at most `size` bytes into `buf`; returns the bytes read,
// or -1 when it is missing or larger.
long ReadValue(HKEY key, const char* name, void* buf, DWORD size) {
    DWORD got = size;
    if (!key || RegQueryValueExA(key, name, nullptr, nullptr, static_cast<BYTE*>(buf), &got) !=
                    ERROR_SUCCESS)
        return -1;
    return static_cast<long>(got);
}

void ReadText(HKEY key, const char* name, char* out, DWORD size) {
    char buf[64];
    const long got = ReadValue(key, name, buf, size);
    if (got <= 0) return;
    buf[got < static_cast<long>(size) ? got : size - 1] = '\0';
    std::memcpy(out, buf, size);
}

void WriteValue(HKEY key, const char* name, DWORD type, const void* data, DWORD size) {
    if (key) RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size);
}

}  // namespace

void LoadSettings() {
    const SettingsKey k = OpenSettingsKey();
    ReadText(k.program, "Font", FontName, sizeof FontName);
    ReadText(k.program, "Font2", PrintFontName, sizeof PrintFontName);

    DWORD size = 0;
    if (k.program &&
        RegQueryValueExA(k.program, "Settings", nullptr, nullptr, nullptr, &size) ==
            ERROR_SUCCESS &&
        size == SettingsSize) {
        uint8_t block[SettingsSize];
        if (ReadValue(k.program, "Settings", block, SettingsSize) ==
            static_cast<long>(SettingsSize))
            UnpackSettings(block);
    }

    uint8_t footer[FooterBlockSize];
    const long footerSize = ReadValue(k.program, "Footer", footer, sizeof footer);
    if (footerSize > 0) AcceptFooter(footer, static_cast<size_t>(footerSize));

    static char scratch[StoredListSize];
    const long recentSize = ReadValue(k.program, "Recent", scratch, sizeof scratch);
    if (recentSize > 0) SplitRecent(scratch, static_cast<size_t>(recentSize));

    const long findSize = ReadValue(k.program, "Find", StoredFind, StoredListSize);
    StoredFindSize = findSize > 0 ? static_cast<DWORD>(findSize) : 0;
    StoredFind[StoredFindSize] = '\0';
    CloseSettingsKey(k);
}

void SaveSettings() {
    const SettingsKey k = OpenSettingsKey();
    WriteValue(k.program, "Font", REG_SZ, FontName, std::strlen(FontName) + 1);
    WriteValue(k.program, "Font2", REG_SZ, PrintFontName, std::strlen(PrintFontName) + 1);

    MaxFlag = IsMaximized;
    // A maximised or minimised window keeps the rectangle it was last
    // restored to.
    if (!IsMaximized && wn && !IsIconic(wn)) {
        RECT r;
        if (GetWindowRect(wn, &r)) WinRect = {r.left, r.top, r.right, r.bottom};
    }
    uint8_t block[SettingsSize];
    PackSettings(block);
    WriteValue(k.program, "Settings", REG_BINARY, block, SettingsSize);
    WriteValue(k.program, "Footer", REG_BINARY, FooterBlock, FooterStoredLength());

    static char joined[StoredListSize];
    const size_t recent = JoinRecent(joined);
    WriteValue(k.program, "Recent", REG_BINARY, joined, recent + 1);

    // The newest entries that fit the size read back at start.
    size_t len = 0;
    joined[0] = '\0';
    const int count =
        hFindCombo ? static_cast<int>(SendMessageA(hFindCombo, CB_GETCOUNT, 0, 0)) : 0;
    for (int i = 0; i < count; ++i) {
        char text[StoredListSize];
        const LRESULT n = SendMessageA(hFindCombo, CB_GETLBTEXTLEN, i, 0);
        if (n < 0 || n >= static_cast<LRESULT>(sizeof text)) break;
        SendMessageA(hFindCombo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
        if (!AppendField(joined, sizeof joined, &len, text, i == 0)) break;
    }
    WriteValue(k.program, "Find", REG_BINARY, joined, len + 1);
    CloseSettingsKey(k);
}
