#include "interpret/resource_files.h"

#include <cstring>
#include <utility>

#include "document/document.h"
#include "document/text_number.h"
#include "interpret/file_bytes.h"
#include "interpret/image_check.h"
#include "interpret/image_table.h"
#include "interpret/interp_tree.h"

namespace {

void PutU16(uint8_t* out, uint32_t v) {
    out[0] = static_cast<uint8_t>(v);
    out[1] = static_cast<uint8_t>(v >> 8);
}

void PutU32(uint8_t* out, uint32_t v) {
    PutU16(out, v & 0xFFFF);
    PutU16(out + 2, v >> 16);
}

// Where an image of the table lies in the file, with a cursor's hotspot.
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

// The images of a file: what is in the table and in the file, in order.
struct Located {
    int16_t index;
    uint32_t groupEntry;  // 0: none
    ImageBytes bytes;
};

// A sink that gathers the file, up to a limit.
class VectorSink final : public ByteSink {
  public:
    explicit VectorSink(std::vector<uint8_t>& out) : out_(out) { out_.clear(); }
    bool Write(const uint8_t* data, size_t len) override {
        if (len > Limit - out_.size()) return false;
        out_.insert(out_.end(), data, data + len);
        return true;
    }

  private:
    static constexpr size_t Limit = 64u << 20;
    std::vector<uint8_t>& out_;
};

bool IsDeviceName(const std::string& name) {
    // The system takes the part before the first '.', without trailing
    // spaces, for the device.
    std::string base = name.substr(0, name.find('.'));
    while (!base.empty() && base.back() == ' ') base.pop_back();
    for (char& ch : base)
        if (ch >= 'a' && ch <= 'z') ch = static_cast<char>(ch - 'a' + 'A');
    if (base == "CON" || base == "PRN" || base == "AUX" || base == "NUL") return true;
    return base.size() == 4 && (base.compare(0, 3, "COM") == 0 || base.compare(0, 3, "LPT") == 0) &&
           base[3] >= '1' && base[3] <= '9';
}

}  // namespace

const char* ExportStatusText(ExportStatus status) {
    switch (status) {
    case ExportStatus::NoData:
        return "No image of this entry can be read from the file: nothing was written.";
    case ExportStatus::TooLarge: return "The file would be larger than 4 GB: nothing was written.";
    default: return "";
    }
}

void ReadGroupImages(uint64_t offset, uint32_t size, uint8_t groupType, ExportImages& images) {
    images.Indexes.clear();
    images.GroupEntries.clear();
    const uint8_t type = groupType == 12 ? 1 : 3;
    uint16_t count = 0;
    if (size < 6 || !InFile(offset, size) || !ReadU16(offset + 4, count)) return;
    // The entries the resource holds, whatever its count claims.
    const uint32_t held = (size - 6) / 14;
    if (count > held) count = static_cast<uint16_t>(held);
    for (uint32_t k = 0; k < count; ++k) {
        const uint64_t entry = offset + 6 + 14 * static_cast<uint64_t>(k);
        uint16_t id = 0;
        ReadU16(entry + 12, id);
        const int16_t index = ImageIndexOfId(type, id);
        if (index < 0) continue;
        images.Indexes.push_back(index);
        images.GroupEntries.push_back(static_cast<uint32_t>(entry));
    }
}

ExportStatus StreamBmpFile(int32_t position, uint32_t size, ByteSink& sink) {
    const uint64_t start = static_cast<uint32_t>(position);
    if (!InFile(start, size)) return ExportStatus::NoData;
    if (size > 0xFFFFFFFFu - 14) return ExportStatus::TooLarge;
    uint16_t bits = 0;
    ReadU16(start + 14, bits);
    const uint32_t offBits = bits >= 24 ? 54 : bits == 1 ? 62 : bits == 4 ? 118 : 1078;
    uint8_t head[14] = {'B', 'M'};
    PutU32(head + 2, size + 14);
    PutU32(head + 10, offBits);
    if (!sink.Write(head, sizeof head)) return ExportStatus::HeadFailed;
    if (!sink.Write(FileBuf + start, size)) return ExportStatus::ImageFailed;
    return ExportStatus::Written;
}

ExportStatus StreamIconFile(const ExportImages& images, uint16_t command, ByteSink& sink) {
    if (InterpKind != InterpExe) return ExportStatus::NoData;
    const bool cursor = command == ExportCursors;
    std::vector<Located> kept;
    const size_t given = images.Indexes.size();
    kept.reserve(given < 0xFFFF ? given : 0xFFFF);
    for (size_t k = 0; k < given && kept.size() < 0xFFFF; ++k) {
        Located img{
            images.Indexes[k], k < images.GroupEntries.size() ? images.GroupEntries[k] : 0, {}};
        if (LocateImage(img.index, cursor, img.bytes)) kept.push_back(img);
    }
    if (kept.empty()) return ExportStatus::NoData;
    const size_t n = kept.size();
    // Every offset and the whole file must fit the format's 32 bits.
    uint64_t at = 6 + 16 * static_cast<uint64_t>(n);
    for (const Located& img : kept) at += cursor ? img.bytes.size - 4 : img.bytes.size;
    if (at > 0xFFFFFFFFu) return ExportStatus::TooLarge;

    std::vector<uint8_t> dir(6 + 16 * n, 0);
    PutU16(&dir[2], cursor ? 2 : 1);
    PutU16(&dir[4], static_cast<uint32_t>(n));
    uint32_t offset = static_cast<uint32_t>(6 + 16 * n);
    for (size_t j = 0; j < n; ++j) {
        uint8_t* e = &dir[6 + 16 * j];
        const ImageBytes& img = kept[j].bytes;
        e[0] = e[1] = ImageSizes[kept[j].index];
        e[2] = ColorCountOf(img.bitCount);
        uint16_t hotX = 0, hotY = 0, planes = 1, bits = img.bitCount;
        if (cursor) {
            ReadU16(img.offset, hotX);
            ReadU16(img.offset + 2, hotY);
        }
        if (const uint64_t g = kept[j].groupEntry) {
            // What the group says of its image: an icon's entry holds the
            // directory's own fields, a cursor's its width and doubled
            // height (its planes and bit count are often the hotspot of the
            // file it was made from, so the colours come from the image).
            uint8_t w = 0, h = 0, colors = 0;
            uint16_t gw = 0, gh = 0;
            if (cursor && ReadU16(g, gw) && ReadU16(g + 2, gh)) {
                e[0] = static_cast<uint8_t>(gw);
                e[1] = static_cast<uint8_t>(gh / 2);
            } else if (!cursor && ReadU8(g, w) && ReadU8(g + 1, h) && ReadU8(g + 2, colors) &&
                       ReadU16(g + 4, planes) && ReadU16(g + 6, bits)) {
                e[0] = w;
                e[1] = h;
                e[2] = colors;
            }
        }
        PutU16(e + 4, cursor ? hotX : planes);
        PutU16(e + 6, cursor ? hotY : bits);
        const uint32_t bytes = cursor ? img.size - 4 : img.size;
        PutU32(e + 8, bytes);
        PutU32(e + 12, offset);
        offset += bytes;
    }
    if (!sink.Write(dir.data(), dir.size())) return ExportStatus::HeadFailed;
    ExportStatus status = ExportStatus::Written;
    for (const Located& img : kept) {
        const uint64_t from = img.bytes.offset + (cursor ? 4 : 0);
        if (!sink.Write(FileBuf + from, cursor ? img.bytes.size - 4 : img.bytes.size))
            status = ExportStatus::ImageFailed;
    }
    return status;
}

bool BuildBmpFile(int32_t position, uint32_t size, std::vector<uint8_t>& out) {
    VectorSink sink(out);
    if (StreamBmpFile(position, size, sink) == ExportStatus::Written) return true;
    out.clear();
    return false;
}

bool BuildIconFile(const std::vector<int16_t>& images, uint16_t command,
                   std::vector<uint8_t>& out) {
    VectorSink sink(out);
    if (StreamIconFile(ExportImages{images, {}}, command, sink) == ExportStatus::Written)
        return true;
    out.clear();
    return false;
}

std::string SafeFileName(const char* text) {
    std::string name = text;
    for (char& ch : name)
        if (ch == '/' || ch == '\\' || ch == ':') ch = '_';
    if (name == "." || name == ".." || IsDeviceName(name)) name = "_" + name;
    return name;
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
                const int16_t index = ImageIndexOfEntry(child.Ref);
                if (index >= 0 && ImageTypes[index] == imageType) item.Images.push_back(index);
            } else {
                // A group's images are read as its file is written: many
                // entries may share one group of 65,535 images.
                item.GroupType = type;
            }
        }
        items.push_back(item);
    }
}

ExportImages ImagesOf(const ExportItem& item) {
    ExportImages images;
    if (item.GroupType)
        ReadGroupImages(static_cast<uint32_t>(item.Position), item.Size, item.GroupType, images);
    else
        images.Indexes = item.Images;
    return images;
}

ExportStatus StreamExportFile(const ExportItem& item, uint16_t command, ByteSink& sink) {
    if (command == ExportBitmaps) return StreamBmpFile(item.Position, item.Size, sink);
    return StreamIconFile(ImagesOf(item), command, sink);
}

bool BuildExportFile(const ExportItem& item, uint16_t command, std::vector<uint8_t>& out) {
    VectorSink sink(out);
    if (StreamExportFile(item, command, sink) == ExportStatus::Written) return true;
    out.clear();
    return false;
}
