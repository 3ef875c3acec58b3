#include "interpret/resource_files.h"

#include <cstring>

#include "document/document.h"
#include "document/text_number.h"
#include "interpret/file_bytes.h"
#include "interpret/image_check.h"
#include "interpret/image_table.h"
#include "interpret/interp_tree.h"

namespace {

void PutU16(std::vector<uint8_t>& out, size_t at, uint32_t v) {
    out[at] = static_cast<uint8_t>(v);
    out[at + 1] = static_cast<uint8_t>(v >> 8);
}

void PutU32(std::vector<uint8_t>& out, size_t at, uint32_t v) {
    PutU16(out, at, v & 0xFFFF);
    PutU16(out, at + 2, v >> 16);
}

void Append(std::vector<uint8_t>& out, uint64_t offset, uint32_t size) {
    out.insert(out.end(), FileBuf + offset, FileBuf + offset + size);
}

// Where an image of the table lies in the file, without a cursor's hotspot.
struct ImageBytes {
    uint64_t offset;  // the resource data
    uint32_t size;
    uint16_t bitCount;
};

bool LocateImage(int16_t index, bool cursor, ImageBytes& img) {
    if (index < 0 || index >= ImageCount) return false;
    uint32_t rva = 0, size = 0;
    const uint64_t entry = static_cast<uint64_t>(ImageEntries[index]);
    if (!ReadU32(entry, rva) || !ReadU32(entry + 4, size)) return false;
    img.offset = RvaToOffset(rva, RvaBias);
    img.size = size;
    if (!InFile(img.offset, size) || (cursor && size < 4)) return false;
    img.bitCount = 0;
    uint32_t w = 0, h = 0;
    const uint64_t image = img.offset + (cursor ? 4 : 0);
    if (!PngImage(image, cursor ? size - 4 : size, w, h, img.bitCount))
        ReadU16(image + 14, img.bitCount);
    return true;
}

uint8_t ColorCountOf(uint16_t bits) {
    if (bits >= 8) return 0;
    if (bits >= 4) return 16;
    return 1;
}

// Keeps a file name inside the export folder: path separators become '_'
// and the names "." and ".." get a '_' in front. Anything else is left as
// it is: a name the system refuses fails with the system's own message.
std::string SafeFileName(const char* text) {
    std::string name = text;
    for (char& ch : name)
        if (ch == '/' || ch == '\\') ch = '_';
    if (name == "." || name == "..") name = "_" + name;
    return name;
}

}  // namespace

bool BuildBmpFile(int32_t position, uint32_t size, std::vector<uint8_t>& out) {
    out.clear();
    const uint64_t start = static_cast<uint32_t>(position);
    if (!InFile(start, size)) return false;
    uint16_t bits = 0;
    ReadU16(start + 14, bits);
    const uint32_t offBits = bits >= 24 ? 54 : bits == 1 ? 62 : bits == 4 ? 118 : 1078;
    out.assign(14, 0);
    out[0] = 'B';
    out[1] = 'M';
    PutU32(out, 2, size + 14);
    PutU32(out, 10, offBits);
    Append(out, start, size);
    return true;
}

bool BuildIconFile(const std::vector<int16_t>& images, uint16_t command,
                   std::vector<uint8_t>& out) {
    out.clear();
    if (InterpKind != InterpExe) return false;
    const bool cursor = command == ExportCursors;
    std::vector<int16_t> kept;
    std::vector<ImageBytes> where;
    for (int16_t index : images) {
        ImageBytes img{};
        if (!LocateImage(index, cursor, img)) continue;
        kept.push_back(index);
        where.push_back(img);
    }
    if (kept.empty()) return false;
    const size_t n = kept.size();
    out.assign(6 + 16 * n, 0);
    PutU16(out, 2, cursor ? 2 : 1);
    PutU16(out, 4, static_cast<uint32_t>(n));
    uint32_t at = static_cast<uint32_t>(6 + 16 * n);
    for (size_t j = 0; j < n; ++j) {
        const size_t e = 6 + 16 * j;
        const ImageBytes& img = where[j];
        out[e] = out[e + 1] = ImageSizes[kept[j]];
        out[e + 2] = ColorCountOf(img.bitCount);
        uint16_t hotX = 0, hotY = 0;
        if (cursor) {
            ReadU16(img.offset, hotX);
            ReadU16(img.offset + 2, hotY);
        }
        PutU16(out, e + 4, cursor ? hotX : 1);
        PutU16(out, e + 6, cursor ? hotY : img.bitCount);
        const uint32_t bytes = cursor ? img.size - 4 : img.size;
        PutU32(out, e + 8, bytes);
        PutU32(out, e + 12, at);
        at += bytes;
    }
    for (const ImageBytes& img : where) {
        if (cursor)
            Append(out, img.offset + 4, img.size - 4);
        else
            Append(out, img.offset, img.size);
    }
    return true;
}

uint16_t ExportCommandOf(uint8_t type) {
    switch (type) {
    case 1:
    case 12: return ExportCursors;
    case 2: return ExportBitmaps;
    case 3:
    case 14: return ExportIcons;
    default: return 0;
    }
}

void PlanFolderExport(int32_t typeNode, uint16_t command, std::vector<ExportItem>& items) {
    items.clear();
    if (typeNode < 0 || static_cast<size_t>(typeNode) >= TreeNodes.size()) return;
    const uint8_t type = static_cast<uint8_t>(TreeNodes[static_cast<size_t>(typeNode)].Kind >> 8);
    const char* ext = command == ExportBitmaps   ? ".BMP"
                      : command == ExportCursors ? ".CUR"
                                                 : ".ICO";
    for (int32_t c = TreeNodes[static_cast<size_t>(typeNode)].FirstChild; c >= 0;
         c = TreeNodes[static_cast<size_t>(c)].NextSibling) {
        const TreeNode& child = TreeNodes[static_cast<size_t>(c)];
        ExportItem item;
        item.Name = SafeFileName(child.Text) + ext;
        uint32_t rva = 0;
        ReadU32(static_cast<uint64_t>(child.Ref), rva);
        ReadU32(static_cast<uint64_t>(child.Ref) + 4, item.Size);
        item.Position = static_cast<int32_t>(RvaToOffset(rva, RvaBias));
        if (command != ExportBitmaps) {
            const uint8_t imageType = (type == 1 || type == 12) ? 1 : 3;
            if (type == 1 || type == 3) {
                const int16_t index = ImageIndexOfId(imageType, ParseDec(child.Text));
                if (index >= 0) item.Images.push_back(index);
            } else {
                uint16_t count = 0;
                const uint64_t group = static_cast<uint32_t>(item.Position);
                ReadU16(group + 4, count);
                for (uint32_t k = 0; k < count; ++k) {
                    uint16_t id = 0;
                    if (!ReadU16(group + 18 + 14 * static_cast<uint64_t>(k), id)) break;
                    const int16_t index = ImageIndexOfId(imageType, id);
                    if (index >= 0) item.Images.push_back(index);
                }
            }
        }
        items.push_back(item);
    }
}

bool BuildExportFile(const ExportItem& item, uint16_t command, std::vector<uint8_t>& out) {
    if (command == ExportBitmaps) return BuildBmpFile(item.Position, item.Size, out);
    return BuildIconFile(item.Images, command, out);
}
