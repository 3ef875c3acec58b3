// The stored settings: the records held in memory for the whole run and
// their exact stored forms. The registry side is in settings_win.cpp.
#pragma once
#include <cstddef>
#include <cstdint>

struct WindowRect {
    int32_t left, top, right, bottom;
};

extern WindowRect WinRect;  // main window rectangle, screen coordinates
constexpr int32_t DefaultTreeWidth = 180;
extern int32_t TreeWidth;  // width of the tree pane: the splitter position
extern uint8_t MaxFlag;    // the main window was maximised when last closed

// The value "Settings": exactly this many bytes, little-endian.
constexpr size_t SettingsSize = 92;
// Largest "Recent" and "Find" value read back.
constexpr size_t StoredListSize = 2560;

// Writes every field of the "Settings" record into `out`.
void PackSettings(uint8_t out[SettingsSize]);

// Takes every field from a stored "Settings" record. A field whose value the
// program cannot use (a view or address mode outside its ids, an on/off flag
// other than 0 or 8, an empty or inverted window rectangle, a font size or
// print choice outside its choices, a negative margin or tree width, a
// colour that is no plain RGB value) keeps its default instead.
void UnpackSettings(const uint8_t in[SettingsSize]);

// Sets every field of the record, the fonts, the footer and the recent list
// to their defaults.
void DefaultSettings();

// Bytes of the stored "Footer": flag, text and NUL.
size_t FooterStoredLength();
// Takes a stored "Footer" of `size` bytes (1 to FooterBlockSize); returns
// false, keeping the footer, for any other size.
bool AcceptFooter(const uint8_t* data, size_t size);

// The recent list joined by TABs (always 9) and NUL-terminated into `out`
// (StoredListSize bytes); returns the length without the NUL.
size_t JoinRecent(char* out);
// Splits a stored "Recent" of `size` bytes into RecentFiles: fields after
// the tenth are ignored, each entry keeps at most 255 characters.
void SplitRecent(const char* data, size_t size);

// Copies the field of `text` (of `size` bytes) that starts at `pos` and ends
// before a TAB, a NUL or the end, into `out` (`outSize` bytes, cut to fit).
// Returns the position of the next field, or `size` after the last.
size_t NextField(const char* text, size_t size, size_t pos, char* out, size_t outSize);

// Appends `text` to the TAB-joined list in `out` (`size` bytes) of current
// length `*len`, with a TAB before it unless `first`. A text that does not
// fit whole with the closing NUL is not added; returns false then.
bool AppendField(char* out, size_t size, size_t* len, const char* text, bool first);
