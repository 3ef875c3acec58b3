// The three readers: MZ/PE executables, icon and cursor files, TrueType
// files. Every structure is checked against the file before it is read; a
// structure that does not fit ends its walk, and a node whose structure is
// not in the file is left out.
#include <cstdio>
#include <cstring>
#include <iterator>
#include <map>

#include "document/document.h"
#include "interpret/file_bytes.h"
#include "interpret/image_pane.h"
#include "interpret/image_table.h"
#include "interpret/interp_tree.h"

namespace {

const char* const DirectoryNames[16] = {
    "Exports", "Imports",         "Resources",      "Exceptions", "Security",    "Relocations",
    "Debug",   "Architecture",    "Global Pointer", "TLS",        "Load Config", "Bound Imports",
    "IAT",     "Delayed Imports", "COM Descriptor", "Reserved"};

const char* const TypeNames[25] = {
    "Type 0",     "CURSOR",  "BITMAP",      "ICON",       "MENU",         "DIALOG",       "STRING",
    "FONTDIR",    "FONT",    "ACCELERATOR", "RCDATA",     "MESSAGETABLE", "GROUP_CURSOR", "Type 13",
    "GROUP_ICON", "Type 15", "VERSION",     "DLGINCLUDE", "Type 18",      "PLUGPLAY",     "VXD",
    "ANICURSOR",  "ANIICON", "HTML",        "MANIFEST"};

constexpr uint16_t PeMagic32Plus = 0x20B;

// "XXXXXXXX: name" with the address in 8 upper-case hex digits.
void AddressText(char* text, size_t cap, uint32_t address, const char* name) {
    std::snprintf(text, cap, "%08X: %s", static_cast<unsigned>(address), name);
}

// A resource name string at `offset`: a u16 length and that many UTF-16
// units, of which the low bytes are kept, up to the first zero byte.
void ReadResourceName(uint64_t offset, char* text, size_t cap) {
    text[0] = '\0';
    uint16_t len = 0;
    if (!ReadU16(offset, len)) return;
    size_t n = 0;
    for (uint32_t i = 0; i < len && n + 1 < cap; ++i) {
        uint8_t low = 0;
        if (!ReadU8(offset + 2 + 2 * static_cast<uint64_t>(i), low) || low == 0) break;
        text[n++] = static_cast<char>(low);
    }
    text[n] = '\0';
}

// Name or id of a resource directory entry.
void ResourceEntryText(uint64_t base, uint32_t name, char* text, size_t cap) {
    if (name & 0x80000000u)
        ReadResourceName(base + (name & 0x7FFFFFFFu), text, cap);
    else
        std::snprintf(text, cap, "%u", static_cast<unsigned>(name & 0xFFFF));
}

void ResourceTypeText(uint64_t base, uint32_t name, char* text, size_t cap) {
    if (name & 0x80000000u)
        ReadResourceName(base + (name & 0x7FFFFFFFu), text, cap);
    else if ((name & 0xFFFF) <= 24)
        std::snprintf(text, cap, "%s", TypeNames[name & 0xFFFF]);
    else
        std::snprintf(text, cap, "Type %u", static_cast<unsigned>(name & 0xFFFF));
}

// Number of entries of the resource directory at `dir` (0 when unreadable).
uint32_t DirectoryEntries(uint64_t dir) {
    uint16_t named = 0, ids = 0;
    if (!ReadU16(dir + 12, named) || !ReadU16(dir + 14, ids)) return 0;
    return static_cast<uint32_t>(named) + ids;
}

// Entry i of a resource directory: its name or id, and where it leads.
bool ReadDirectoryEntry(uint64_t dir, uint32_t i, uint32_t& name, uint32_t& to) {
    const uint64_t e = dir + 16 + 8 * static_cast<uint64_t>(i);
    return ReadU32(e, name) && ReadU32(e + 4, to);
}

void ReadImports(int32_t parent, uint32_t offset, int32_t bias, int32_t section) {
    for (uint64_t p = offset; InFile(p, 20); p += 20) {
        uint32_t name = 0, firstThunk = 0;
        ReadU32(p + 12, name);
        ReadU32(p + 16, firstThunk);
        if (firstThunk == 0) break;
        char text[NodeTextSize];
        if (!ReadCString(RvaToOffset(name, bias), text, sizeof text)) std::strcpy(text, "?");
        AddNode(parent, text, section, KindLibrary, static_cast<int32_t>(p), 0, true);
    }
}

// The entries (second level) of one resource type.
void ReadResourceEntries(int32_t typeNode, uint64_t base, uint64_t nameDir, uint32_t typeName,
                         int32_t bias, int32_t section, UserMessages& shown) {
    const uint16_t kind = static_cast<uint16_t>(TreeNodes[static_cast<size_t>(typeNode)].Kind + 16);
    const bool numeric = (typeName & 0x80000000u) == 0;
    const uint8_t type = static_cast<uint8_t>(typeName & 0xFF);
    const uint32_t count = DirectoryEntries(nameDir);
    for (uint32_t j = 0; j < count; ++j) {
        uint32_t name = 0, toData = 0;
        if (!ReadDirectoryEntry(nameDir, j, name, toData)) break;
        // Only the first language is used: its entry leads to the data entry.
        const uint64_t langDir = base + (toData & 0x7FFFFFFFu);
        uint32_t dataOffset = 0;
        if (!ReadU32(langDir + 20, dataOffset)) continue;
        const uint64_t dataEntry = base + dataOffset;
        if (!InFile(dataEntry, 16)) continue;
        char text[NodeTextSize];
        ResourceEntryText(base, name, text, sizeof text);
        AddNode(typeNode, text, section, kind, static_cast<int32_t>(dataEntry), 0, false);
        if (numeric && (type == 1 || type == 3))
            CollectResourceImage(type, j, name, static_cast<int32_t>(dataEntry), bias, shown);
    }
}

// The byte ranges of the resource directories read so far. A directory that
// overlaps one of them (one that points back at the type directory, or
// that shares or overlaps another type's) is not read, so that the entries
// read never outnumber the file's bytes / 8.
class DirectoryRanges {
  public:
    bool Claim(uint64_t dir) {
        const uint64_t end = dir + 16 + 8 * static_cast<uint64_t>(DirectoryEntries(dir));
        auto next = ranges_.lower_bound(dir);
        if (next != ranges_.end() && next->first < end) return false;
        if (next != ranges_.begin() && std::prev(next)->second > dir) return false;
        ranges_.emplace(dir, end);
        return true;
    }

  private:
    std::map<uint64_t, uint64_t> ranges_;  // start -> end
};

void ReadResources(int32_t parent, uint32_t offset, int32_t bias, int32_t section,
                   UserMessages& shown) {
    const uint64_t base = offset;
    if (!InFile(base, 16)) return;
    DirectoryRanges seen;
    seen.Claim(base);
    const uint32_t count = DirectoryEntries(base);
    for (uint32_t t = 0; t < count; ++t) {
        uint32_t name = 0, toDir = 0;
        if (!ReadDirectoryEntry(base, t, name, toDir)) break;
        const uint64_t nameDir = base + (toDir & 0x7FFFFFFFu);
        if (!InFile(nameDir, 16) || !seen.Claim(nameDir)) continue;
        char text[NodeTextSize];
        ResourceTypeText(base, name, text, sizeof text);
        const uint16_t kind = (name & 0x80000000u)
                                  ? KindResType
                                  : static_cast<uint16_t>(KindResType + 256 * (name & 0xFF));
        const int32_t typeNode =
            AddNode(parent, text, section, kind, static_cast<int32_t>(nameDir), 1, false);
        ReadResourceEntries(typeNode, base, nameDir, name, bias, section, shown);
    }
}

// Headers of an executable: the positions of the data directories and the
// section table, and the section count; false when the file is none.
struct PeLayout {
    uint64_t directories;
    uint64_t sections;
    int32_t sectionCount;
};

bool ReadPeLayout(PeLayout& pe) {
    uint16_t mz = 0, sections = 0, optSize = 0, magic = 0;
    uint32_t lfanew = 0, signature = 0;
    if (!ReadU16(0, mz) || mz != 0x5A4D) return false;
    if (!ReadU32(0x3C, lfanew) || lfanew >= static_cast<uint32_t>(FileSize)) return false;
    if (!ReadU32(lfanew, signature) || signature != 0x00004550) return false;
    if (!ReadU16(static_cast<uint64_t>(lfanew) + 6, sections)) return false;
    pe.sectionCount = static_cast<int16_t>(sections);
    if (pe.sectionCount <= 0) return false;
    ReadU16(static_cast<uint64_t>(lfanew) + 20, optSize);
    ReadU16(static_cast<uint64_t>(lfanew) + 24, magic);
    if (magic == PeMagic32Plus) {
        // PE32+: a wider optional header; its size tells where sections start.
        pe.directories = static_cast<uint64_t>(lfanew) + 24 + 112;
        pe.sections = static_cast<uint64_t>(lfanew) + 24 + optSize;
        ThunkSize = 8;
    } else {
        pe.directories = static_cast<uint64_t>(lfanew) + 120;
        pe.sections = static_cast<uint64_t>(lfanew) + 248;
        ThunkSize = 4;
    }
    return true;
}

void ReadSections(const PeLayout& pe) {
    for (int32_t i = 0; i < pe.sectionCount; ++i) {
        const uint64_t h = pe.sections + 40 * static_cast<uint64_t>(i);
        if (!InFile(h, 40)) break;
        char name[9] = {};
        std::memcpy(name, FileBuf + h, 8);
        uint32_t va = 0, raw = 0;
        ReadU32(h + 12, va);
        ReadU32(h + 20, raw);
        char text[NodeTextSize];
        AddressText(text, sizeof text, AddrMode == AddrRva ? va : raw, name);
        SectionBias.push_back(static_cast<int32_t>(va - raw));
        SectionNode.push_back(AddNode(RootNode, text, i, 0, static_cast<int32_t>(h + 12), 0, true));
    }
}

void ReadDirectories(const PeLayout& pe, UserMessages& shown) {
    for (uint16_t d = 0; d < 16; ++d) {
        const uint64_t entry = pe.directories + 8 * static_cast<uint64_t>(d);
        uint32_t rva = 0;
        if (!ReadU32(entry, rva) || !InFile(entry, 8)) break;
        if (rva == 0) continue;
        // A table inside the headers lies below every section: it hangs
        // under the root, where file offsets equal RVAs.
        const int32_t section = ContainingSection(rva);
        const int32_t bias = section == NoSection ? 0 : SectionBias[static_cast<size_t>(section)];
        const int32_t parent =
            section == NoSection ? RootNode : SectionNode[static_cast<size_t>(section)];
        const uint32_t offset = RvaToOffset(rva, bias);
        char text[NodeTextSize];
        AddressText(text, sizeof text, AddrMode == AddrRva ? rva : offset, DirectoryNames[d]);
        const int32_t node =
            AddNode(parent, text, section, static_cast<uint16_t>(KindDirectory + d),
                    static_cast<int32_t>(entry), d == 1 || d == 2, true);
        TreeNodes[static_cast<size_t>(parent)].HasChildren = 1;
        if (d == 1) ReadImports(node, offset, bias, section);
        if (d == 2) ReadResources(node, offset, bias, section, shown);
    }
}

}  // namespace

void ReadExe(UserMessages& shown) {
    InterpKind = InterpExe;
    ResetImageTable();
    PeLayout pe{};
    if (!ReadPeLayout(pe)) {
        InterpKind = InterpNone;
        return;
    }
    ReadSections(pe);
    ReadDirectories(pe, shown);
}

void ReadIconFile() {
    InterpKind = InterpIconFile;
    ResetImageTable();
    uint16_t count = 0;
    ReadU16(4, count);
    int widest = 0, tallest = 0;
    for (uint32_t i = 0; i < count; ++i) {
        const uint64_t e = 6 + 16 * static_cast<uint64_t>(i);
        if (!InFile(e, 16)) break;
        const uint8_t width = FileBuf[e], height = FileBuf[e + 1], colors = FileBuf[e + 2];
        uint16_t bits = 0;
        ReadU16(e + 6, bits);
        char text[NodeTextSize];
        DescribeIconEntry(text, sizeof text, width, height, colors, bits);
        AddNode(RootNode, text, static_cast<int32_t>(i + 1), static_cast<uint16_t>(i + 1),
                static_cast<int32_t>(e + 8), 0, false);
        if (ImageCount == MaxImages) continue;
        ImageSizes[ImageCount] = width;
        ImagePixels[ImageCount] = width ? width : 256;
        ImageEntries[ImageCount] = static_cast<int32_t>(e);
        ReadU32(e + 8, ImageLengths[ImageCount]);
        ReadU32(e + 12, ImageOffsets[ImageCount]);
        ++ImageCount;
        if ((width ? width : 256) > widest) widest = width ? width : 256;
        if ((height ? height : 256) > tallest) tallest = height ? height : 256;
    }
    CellWidth = widest + 4;
    CellHeight = tallest + 4;
}

void ReadFontFile() {
    InterpKind = InterpFont;
    uint16_t count = 0;
    ReadU16BE(4, count);
    for (uint32_t i = 0; i < count; ++i) {
        const uint64_t r = 12 + 16 * static_cast<uint64_t>(i);
        if (!InFile(r, 16)) break;
        char tag[5] = {};
        std::memcpy(tag, FileBuf + r, 4);
        AddNode(RootNode, tag, 0, 0, static_cast<int32_t>(r + 8), 0, true);
    }
}
