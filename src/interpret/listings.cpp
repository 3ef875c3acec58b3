#include "interpret/listings.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "document/document.h"
#include "interpret/file_bytes.h"
#include "interpret/interp_tree.h"

namespace {

// What a line shows for data that lies outside the file.
const char Outside[] = "(outside the file)";

struct ExportTables {
    uint64_t functions;
    uint64_t names;
    uint64_t ordinals;
    uint32_t count;  // NumberOfNames
};

bool ReadExportTables(uint64_t position, ExportTables& t) {
    uint32_t functions = 0, names = 0, ordinals = 0;
    if (!ReadU32(position + 24, t.count) || !ReadU32(position + 28, functions) ||
        !ReadU32(position + 32, names) || !ReadU32(position + 36, ordinals))
        return false;
    t.functions = RvaToOffset(functions, RvaBias);
    t.names = RvaToOffset(names, RvaBias);
    t.ordinals = RvaToOffset(ordinals, RvaBias);
    return true;
}

// Entries of `width` bytes from `offset` that lie inside the file.
uint64_t EntriesInFile(uint64_t offset, uint64_t width) {
    if (!InFile(offset, 0)) return 0;
    return (static_cast<uint64_t>(FileSize) - offset) / width;
}

void ExportLine(const ExportTables& t, uint32_t k, ListingLine& line) {
    line.Name[0] = '\0';
    uint16_t ordinal = 0;
    uint32_t nameRva = 0, function = 0;
    const bool haveOrdinal = ReadU16(t.ordinals + 2 * static_cast<uint64_t>(k), ordinal);
    const bool haveName = ReadU32(t.names + 4 * static_cast<uint64_t>(k), nameRva);
    if (!haveOrdinal || !haveName) {
        std::snprintf(line.Text, sizeof line.Text, "%s", Outside);
        return;
    }
    char name[256];
    if (!ReadCString(RvaToOffset(nameRva, RvaBias), name, sizeof name))
        std::snprintf(name, sizeof name, "%s", Outside);
    if (ReadU32(t.functions + 4 * static_cast<uint64_t>(ordinal), function))
        std::snprintf(line.Text, sizeof line.Text, "0x%04X   0x%08X  ", ordinal,
                      static_cast<unsigned>(function));
    else
        std::snprintf(line.Text, sizeof line.Text, "0x%04X   ----------  ", ordinal);
    // The name follows, cut at the end of the line buffer.
    const size_t used = std::strlen(line.Text);
    const size_t room = sizeof line.Text - 1 - used;
    const size_t len = std::min(std::strlen(name), room);
    std::memcpy(line.Text + used, name, len);
    line.Text[used + len] = '\0';
}

// The thunk array that names the imports of the descriptor at `position`.
uint64_t ThunkArray(uint64_t position, bool names) {
    uint32_t original = 0, first = 0;
    ReadU32(position, original);
    ReadU32(position + 16, first);
    return RvaToOffset(names && original != 0 ? original : first, RvaBias);
}

bool ReadThunk(uint64_t offset, uint64_t& value) {
    if (ThunkSize == 8) return ReadU64(offset, value);
    uint32_t v = 0;
    if (!ReadU32(offset, v)) return false;
    value = v;
    return true;
}

void ImportLine(uint64_t thunk, ListingLine& line) {
    line.Text[0] = '\0';
    line.Name[0] = '\0';
    uint64_t v = 0;
    if (!ReadThunk(thunk, v)) {
        std::snprintf(line.Text, sizeof line.Text, "%s", Outside);
        return;
    }
    const uint64_t ordinalFlag = ThunkSize == 8 ? 1ull << 63 : 1ull << 31;
    if (v & ordinalFlag) {
        std::snprintf(line.Text, sizeof line.Text, "  ordinal:     0x%04X",
                      static_cast<unsigned>(v & 0xFFFF));
        return;
    }
    const uint64_t entry = RvaToOffset(static_cast<uint32_t>(v), RvaBias);
    uint16_t hint = 0;
    if (!ReadU16(entry, hint)) {
        std::snprintf(line.Name, sizeof line.Name, "%s", Outside);
        return;
    }
    if (hint != 0) std::snprintf(line.Text, sizeof line.Text, "hint=0x%04X", hint);
    ReadCString(entry + 2, line.Name, sizeof line.Name);
}

}  // namespace

int32_t CountExports(int32_t position) {
    ExportTables t{};
    if (!ReadExportTables(static_cast<uint32_t>(position), t)) return 2;
    // Names beyond the ends of the name and ordinal tables are not listed.
    uint64_t names = t.count;
    if (names > EntriesInFile(t.names, 4)) names = EntriesInFile(t.names, 4);
    if (names > EntriesInFile(t.ordinals, 2)) names = EntriesInFile(t.ordinals, 2);
    return static_cast<int32_t>(names + 2);
}

int32_t CountImports(int32_t position) {
    const uint64_t array = ThunkArray(static_cast<uint32_t>(position), false);
    int32_t count = 0;
    uint64_t v = 0;
    while (ReadThunk(array + static_cast<uint64_t>(count) * ThunkSize, v) && v != 0) ++count;
    return count;
}

void ListExportLines(int32_t firstLine, int32_t maxLines, ListingSink& sink) {
    ListingLine line;
    line.Name[0] = '\0';
    int64_t k = static_cast<int64_t>(firstLine) - 3;
    int32_t c = 1;
    if (firstLine <= 1) {
        std::strcpy(line.Text, "Ordinal  RVA         Name");
        sink.Put(line);
        ++c;
    }
    if (firstLine <= 2) {
        std::strcpy(line.Text, "-------  ----------  --------");
        sink.Put(line);
        ++c;
        k = 0;
    }
    ExportTables t{};
    if (!ReadExportTables(static_cast<uint32_t>(ByteOffset), t)) return;
    while (NumLines > 2 && k < NumLines - 2) {
        ExportLine(t, static_cast<uint32_t>(k), line);
        sink.Put(line);
        if (++c > maxLines) break;
        ++k;
    }
}

void ListImportLines(int32_t firstLine, int32_t maxLines, ListingSink& sink) {
    ListingLine line;
    const uint64_t array = ThunkArray(static_cast<uint32_t>(ByteOffset), true);
    int32_t c = 1;
    for (int64_t k = firstLine > 1 ? firstLine - 1 : 0; k < NumLines; ++k) {
        ImportLine(array + static_cast<uint64_t>(k) * ThunkSize, line);
        sink.Put(line);
        if (++c > maxLines) break;
    }
}
