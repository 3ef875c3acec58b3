#include "app/settings.h"

#include <cstring>

#include "app/find.h"
#include "app/recent_files.h"
#include "appearance/appearance.h"
#include "document/document.h"
#include "print/print_settings.h"

WindowRect WinRect = {0, 0, 640, 450};
int32_t TreeWidth = DefaultTreeWidth;
uint8_t MaxFlag = 1;

namespace {

// The two reserved fields are written back as read.
uint32_t Reserved68 = 0;
uint8_t Reserved91 = 0;

constexpr WindowRect DefaultWinRect = {0, 0, 640, 450};
// A window beyond this is no place a user set; a margin is no value a user
// set beyond MaxMargin, the preview's limit.
constexpr int32_t MaxCoordinate = 100000;

void Put32(uint8_t* p, uint32_t v) {
    for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(v >> (8 * i));
}
void Put16(uint8_t* p, uint16_t v) {
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
}
uint32_t Get32(const uint8_t* p) {
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24);
}
uint16_t Get16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
int32_t GetSigned32(const uint8_t* p) { return static_cast<int32_t>(Get32(p)); }

void PutRect(uint8_t* p, int32_t l, int32_t t, int32_t r, int32_t b) {
    Put32(p, static_cast<uint32_t>(l));
    Put32(p + 4, static_cast<uint32_t>(t));
    Put32(p + 8, static_cast<uint32_t>(r));
    Put32(p + 12, static_cast<uint32_t>(b));
}

bool InRange(int32_t v, int32_t lo, int32_t hi) { return v >= lo && v <= hi; }

WindowRect GetWindowRect(const uint8_t* p) {
    const WindowRect r = {GetSigned32(p), GetSigned32(p + 4), GetSigned32(p + 8),
                          GetSigned32(p + 12)};
    const bool usable = InRange(r.left, -MaxCoordinate, MaxCoordinate) &&
                        InRange(r.top, -MaxCoordinate, MaxCoordinate) &&
                        InRange(r.right, r.left + 1, MaxCoordinate) &&
                        InRange(r.bottom, r.top + 1, MaxCoordinate);
    return usable ? r : DefaultWinRect;
}

Margins GetMargins(const uint8_t* p, const Margins& fallback) {
    const Margins m = {GetSigned32(p), GetSigned32(p + 4), GetSigned32(p + 8), GetSigned32(p + 12)};
    const bool usable = InRange(m.left, 0, MaxMargin) && InRange(m.top, 0, MaxMargin) &&
                        InRange(m.right, 0, MaxMargin) && InRange(m.bottom, 0, MaxMargin);
    return usable ? m : fallback;
}

uint32_t GetColor(const uint8_t* p, uint32_t fallback) {
    const uint32_t c = Get32(p);
    return (c >> 24) == 0 ? c : fallback;
}

uint8_t GetFlag(uint8_t v) { return v == 0 || v == 8 ? v : 0; }

uint8_t GetChoice(uint8_t v, int lo, int hi, uint8_t fallback) {
    return v >= lo && v <= hi ? v : fallback;
}

}  // namespace

void PackSettings(uint8_t out[SettingsSize]) {
    PutRect(out + 0, WinRect.left, WinRect.top, WinRect.right, WinRect.bottom);
    PutRect(out + 16, PortraitMargins.left, PortraitMargins.top, PortraitMargins.right,
            PortraitMargins.bottom);
    PutRect(out + 32, LandscapeMargins.left, LandscapeMargins.top, LandscapeMargins.right,
            LandscapeMargins.bottom);
    Put32(out + 48, TextColor);
    Put32(out + 52, BkColor);
    Put32(out + 56, MarkTextColor);
    Put32(out + 60, MarkBkColor);
    Put32(out + 64, static_cast<uint32_t>(TreeWidth));
    Put32(out + 68, Reserved68);
    Put16(out + 72, Checked);
    Put16(out + 74, AddrMode);
    Put16(out + 76, static_cast<uint16_t>(FontHeight));
    Put16(out + 78, static_cast<uint16_t>(FontWidth));
    out[80] = ConvertFlag;
    out[81] = WrapFlag;
    out[82] = MaxFlag;
    out[83] = PrintBold;
    out[84] = PrintItalic;
    out[85] = PrintSize;
    out[86] = PrintCpi;
    out[87] = PrintSpacing;
    out[88] = PrintLineNums;
    out[89] = ExactCase;
    out[90] = HexSearch;
    out[91] = Reserved91;
}

void UnpackSettings(const uint8_t in[SettingsSize]) {
    WinRect = GetWindowRect(in + 0);
    PortraitMargins = GetMargins(in + 16, DefaultPortraitMargins);
    LandscapeMargins = GetMargins(in + 32, DefaultLandscapeMargins);
    TextColor = GetColor(in + 48, DefaultTextColor);
    BkColor = GetColor(in + 52, DefaultBkColor);
    MarkTextColor = GetColor(in + 56, DefaultMarkTextColor);
    MarkBkColor = GetColor(in + 60, DefaultMarkBkColor);
    const int32_t tree = GetSigned32(in + 64);
    TreeWidth = InRange(tree, 0, MaxCoordinate) ? tree : DefaultTreeWidth;
    Reserved68 = Get32(in + 68);
    const uint16_t mode = Get16(in + 72);
    Checked = mode >= _TEXT_ && mode <= _INTERP_ ? mode : _TEXT_;
    const uint16_t addr = Get16(in + 74);
    AddrMode = addr >= AddrZero && addr <= AddrRva ? addr : AddrPhysical;
    // The font sizes are one or two digits (the font dialog reads them so).
    const int16_t height = static_cast<int16_t>(Get16(in + 76));
    const int16_t width = static_cast<int16_t>(Get16(in + 78));
    FontHeight = InRange(height, 1, 99) ? height : DefaultFontHeight;
    FontWidth = InRange(width, 0, 99) ? width : DefaultFontWidth;
    ConvertFlag = GetFlag(in[80]);
    WrapFlag = GetFlag(in[81]);
    MaxFlag = in[82];
    PrintBold = in[83];
    PrintItalic = in[84];
    PrintSize = GetChoice(in[85], 0, PrintSizeCount - 1, 4);
    PrintCpi = GetChoice(in[86], 0, CpiChoiceCount - 1, 0);
    PrintSpacing = GetChoice(in[87], 2, 4, 2);
    PrintLineNums = GetChoice(in[88], 0, LineNumChoiceCount - 1, 0);
    ExactCase = GetFlag(in[89]);
    HexSearch = GetFlag(in[90]);
    Reserved91 = in[91];
}

void DefaultSettings() {
    WinRect = DefaultWinRect;
    PortraitMargins = DefaultPortraitMargins;
    LandscapeMargins = DefaultLandscapeMargins;
    TextColor = DefaultTextColor;
    BkColor = DefaultBkColor;
    MarkTextColor = DefaultMarkTextColor;
    MarkBkColor = DefaultMarkBkColor;
    TreeWidth = DefaultTreeWidth;
    Reserved68 = 0;
    Checked = _TEXT_;
    AddrMode = AddrPhysical;
    FontHeight = DefaultFontHeight;
    FontWidth = DefaultFontWidth;
    ConvertFlag = WrapFlag = 0;
    MaxFlag = 1;
    PrintBold = PrintItalic = 0;
    PrintSize = 4;
    PrintCpi = 0;
    PrintSpacing = 2;
    PrintLineNums = 0;
    ExactCase = HexSearch = 0;
    Reserved91 = 0;
    std::strcpy(FontName, "Terminal");
    std::strcpy(PrintFontName, "Courier New");
    SetDefaultFooter();
    std::memset(RecentFiles, 0, sizeof RecentFiles);
}

size_t FooterStoredLength() { return 1 + strnlen(FooterBlock + 1, FooterBlockSize - 1) + 1; }

bool AcceptFooter(const uint8_t* data, size_t size) {
    if (size < 1 || size > FooterBlockSize) return false;
    std::memset(FooterBlock, 0, sizeof FooterBlock);
    std::memcpy(FooterBlock, data, size);
    FooterBlock[FooterBlockSize - 1] = '\0';
    return true;
}

size_t JoinRecent(char* out) {
    size_t len = 0;
    out[0] = '\0';
    for (int i = 0; i < RecentCount; ++i) {
        const size_t n = strnlen(RecentFiles[i], RecentPathSize - 1);
        if (i > 0) out[len++] = '\t';
        std::memcpy(out + len, RecentFiles[i], n);
        len += n;
    }
    out[len] = '\0';
    return len;
}

void SplitRecent(const char* data, size_t size) {
    std::memset(RecentFiles, 0, sizeof RecentFiles);
    size_t pos = 0;
    // NextField returns `size` once a NUL or the end closed the list.
    for (int i = 0; i < RecentCount && pos < size; ++i)
        pos = NextField(data, size, pos, RecentFiles[i], RecentPathSize);
}

size_t NextField(const char* text, size_t size, size_t pos, char* out, size_t outSize) {
    size_t n = 0;
    while (pos < size && text[pos] != '\t' && text[pos] != '\0') {
        if (n + 1 < outSize) out[n++] = text[pos];
        ++pos;
    }
    if (outSize) out[n] = '\0';
    if (pos < size && text[pos] == '\t') return pos + 1;
    return size;
}

bool AppendField(char* out, size_t size, size_t* len, const char* text, bool first) {
    const size_t n = std::strlen(text) + (first ? 0 : 1);
    if (*len + n + 1 > size) return false;
    if (!first) out[(*len)++] = '\t';
    std::memcpy(out + *len, text, n - (first ? 0 : 1));
    *len += n - (first ? 0 : 1);
    out[*len] = '\0';
    return true;
}
