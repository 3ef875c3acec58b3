#include "interpret/image_check.h"

#include <climits>
#include <cstdint>
#include <cstring>

#include "interpret/file_bytes.h"

namespace {

constexpr uint32_t BiRgb = 0;
constexpr uint32_t BiBitfields = 3;

bool ValidBitCount(uint16_t bits) {
    return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

// Bytes of `rows` rows of `width` pixels of `bits` each, rows padded to 32
// bits; computed in 64 bits so that no product can wrap.
uint64_t DibRowBytes(int64_t width, uint64_t bits) { return ((width * bits + 31) / 32) * 4; }

// Reads the 40-byte header at `offset`; false when it is not one.
bool ReadHeader(uint64_t offset, uint32_t size, DibParts& p) {
    uint32_t headerSize = 0, width = 0, height = 0, compression = 0;
    uint16_t planes = 0;
    if (size < 40 || !InFile(offset, 40)) return false;
    ReadU32(offset, headerSize);
    ReadU32(offset + 4, width);
    ReadU32(offset + 8, height);
    ReadU16(offset + 12, planes);
    ReadU16(offset + 14, p.BitCount);
    ReadU32(offset + 16, compression);
    p.Width = static_cast<int32_t>(width);
    p.Height = static_cast<int32_t>(height);
    p.Compression = compression;
    return headerSize == 40 && p.Width > 0 && p.Height != 0 && p.Height != INT32_MIN &&
           planes == 1 && ValidBitCount(p.BitCount);
}

}  // namespace

uint32_t ColorTableEntries(uint16_t bitCount) {
    if (bitCount >= 24 && bitCount <= 32) return 0;
    if (bitCount == 1) return 2;
    if (bitCount == 4) return 16;
    return 256;
}

bool BitmapFits(uint64_t offset, uint32_t size, DibParts& p) {
    p = DibParts{};
    if (!ReadHeader(offset, size, p)) return false;
    const bool masks = p.Compression == BiBitfields && (p.BitCount == 16 || p.BitCount == 32);
    if (p.Compression != BiRgb && !masks) return false;
    // 24 and 32 bits: no table; 16 bits: the table of 256 entries the
    // program has always assumed. Bit-field masks sit between header and
    // table.
    p.InfoSize = 40 + (masks ? 12 : 0) + 4 * ColorTableEntries(p.BitCount);
    p.BitsOffset = 40 + 4 * ColorTableEntries(p.BitCount);
    if (masks && p.BitsOffset < p.InfoSize) p.BitsOffset = p.InfoSize;
    const int64_t rows = p.Height < 0 ? -static_cast<int64_t>(p.Height) : p.Height;
    const uint64_t bits = DibRowBytes(p.Width, p.BitCount) * static_cast<uint64_t>(rows);
    if (bits > size || p.InfoSize > size || p.BitsOffset > size - bits) return false;
    p.BitsSize = static_cast<uint32_t>(bits);
    return InFile(offset, size);
}

bool PngImage(uint64_t offset, uint32_t size, uint32_t& width, uint32_t& height,
              uint16_t& bitCount) {
    static const uint8_t Signature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    // The signature, then the IHDR chunk: length 13, type, width, height,
    // bit depth, colour type, three more bytes and its CRC.
    if (size < 33 || !InFile(offset, size) || std::memcmp(FileBuf + offset, Signature, 8) != 0 ||
        std::memcmp(FileBuf + offset + 12, "IHDR", 4) != 0)
        return false;
    uint32_t length = 0;
    ReadU32BE(offset + 8, length);
    ReadU32BE(offset + 16, width);
    ReadU32BE(offset + 20, height);
    const uint8_t depth = FileBuf[offset + 24], colour = FileBuf[offset + 25];
    const int channels = colour == 2 ? 3 : colour == 4 ? 2 : colour == 6 ? 4 : 1;
    bitCount = static_cast<uint16_t>(depth * channels);
    return length == 13 && width > 0 && height > 0 && width <= 0x7FFFFFFF && height <= 0x7FFFFFFF;
}

bool IconImageFits(uint64_t offset, uint32_t size) {
    uint32_t w = 0, h = 0;
    uint16_t bits = 0;
    if (PngImage(offset, size, w, h, bits)) return true;
    DibParts p;
    if (!ReadHeader(offset, size, p) || p.Compression != BiRgb || p.Height < 2) return false;
    uint32_t used = 0;
    ReadU32(offset + 32, used);
    uint64_t colors = used;
    if (colors == 0 && p.BitCount <= 8) colors = 1u << p.BitCount;
    const uint64_t rows = static_cast<uint64_t>(p.Height) / 2;
    const uint64_t need =
        40 + 4 * colors + DibRowBytes(p.Width, p.BitCount) * rows + DibRowBytes(p.Width, 1) * rows;
    return need <= size && InFile(offset, size);
}

namespace {

// Walks a dialog template, keeping every read inside [0, size).
class TemplateWalk {
  public:
    TemplateWalk(const uint8_t* b, size_t size, const char* const* refused)
        : b_(b), size_(size), refused_(refused) {}

    bool Skip(size_t n) {
        if (n > size_ - at_) return false;
        at_ += n;
        return true;
    }
    bool U16(uint16_t& v) {
        if (2 > size_ - at_) return false;
        v = static_cast<uint16_t>(b_[at_] | b_[at_ + 1] << 8);
        at_ += 2;
        return true;
    }
    bool U32(size_t at, uint32_t& v) const {
        if (at > size_ || 4 > size_ - at) return false;
        v = static_cast<uint32_t>(b_[at] | b_[at + 1] << 8 | b_[at + 2] << 16) |
            static_cast<uint32_t>(b_[at + 3]) << 24;
        return true;
    }
    // A zero-terminated UTF-16 string; its low bytes go to `name` (cut).
    bool String(char* name = nullptr, size_t cap = 0) {
        size_t n = 0;
        for (uint16_t ch = 1; ch != 0;) {
            if (!U16(ch)) return false;
            if (name && ch && n + 1 < cap) name[n++] = static_cast<char>(ch & 0xFF);
        }
        if (name && cap) name[n] = '\0';
        return true;
    }
    // A menu, class or title: nothing (0), an ordinal (0xFFFF, id) or a
    // string. A class given as a string is checked against the refused ones.
    bool NameOrOrdinal(bool isClass) {
        uint16_t first = 0;
        if (at_ > size_ || 2 > size_ - at_) return false;
        first = static_cast<uint16_t>(b_[at_] | b_[at_ + 1] << 8);
        if (first == 0) return Skip(2);
        if (first == 0xFFFF) return Skip(4);
        char name[64];
        if (!String(name, sizeof name)) return false;
        return !isClass || !Refused(name);
    }
    bool Align() { return Skip((4 - at_ % 4) % 4); }
    size_t At() const { return at_; }

  private:
    bool Refused(const char* name) const {
        for (const char* const* r = refused_; r && *r; ++r) {
            const char* a = name;
            const char* c = *r;
            while (*a && *c && (*a | 0x20) == (*c | 0x20)) ++a, ++c;
            if (*a == 0 && *c == 0) return true;
        }
        return false;
    }
    const uint8_t* b_;
    size_t size_;
    size_t at_ = 0;
    const char* const* refused_;
};

constexpr uint32_t DsSetFont = 0x40;
constexpr uint32_t DsShellFont = 0x48;

}  // namespace

namespace {

// Walks the template; `faceAfterMessageFont` reads a face name after the
// point size 0x7FFF too.
bool TemplateFits(const uint8_t* bytes, size_t size, const char* const* refused,
                  bool faceAfterMessageFont) {
    TemplateWalk w(bytes, size, refused);
    uint32_t head = 0, style = 0;
    if (!w.U32(0, head)) return false;
    const bool extended = head == 0xFFFF0001u;  // dlgVer 1, signature 0xFFFF
    uint16_t count = 0;
    if (extended) {
        if (!w.U32(12, style) || !w.Skip(16) || !w.U16(count) || !w.Skip(8)) return false;
    } else {
        style = head;
        if (!w.Skip(8) || !w.U16(count) || !w.Skip(8)) return false;
    }
    if (!w.NameOrOrdinal(false) || !w.NameOrOrdinal(true) || !w.String()) return false;
    if ((style & DsSetFont) || (extended && (style & DsShellFont) == DsShellFont)) {
        // A point size of 0x7FFF asks for the system's message font (as in
        // message boxes): the systems read no weight, italic or face name
        // after it, or, some, the face name still.
        uint16_t points = 0;
        if (!w.U16(points)) return false;
        if (points != 0x7FFF && !w.Skip(extended ? 4 : 0)) return false;
        if ((points != 0x7FFF || faceAfterMessageFont) && !w.String()) return false;
    }
    for (uint32_t i = 0; i < count; ++i) {
        if (!w.Align() || !w.Skip(extended ? 24 : 18)) return false;
        if (!w.NameOrOrdinal(true) || !w.NameOrOrdinal(false)) return false;
        uint16_t extra = 0;
        // The system steps over the creation data in whole words.
        if (!w.U16(extra) || !w.Skip(2 * (extra / 2u))) return false;
    }
    return true;
}

}  // namespace

bool DialogTemplateFits(const uint8_t* bytes, size_t size, const char* const* refused) {
    // A template is offered only when it fits whichever way it is read.
    return bytes && TemplateFits(bytes, size, refused, false) &&
           TemplateFits(bytes, size, refused, true);
}
