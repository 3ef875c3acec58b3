// Helpers of the interpretation tests: small files laid out byte by byte,
// loaded as the document, and their tree as text.
#pragma once
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "document/document.h"
#include "document/file_load.h"
#include "interpret/interp_tree.h"
#include "interpret/listings.h"
#include "interpret/selection.h"

class Bytes {
  public:
    std::vector<uint8_t> data;
    explicit Bytes(size_t size = 0) : data(size, 0) {}
    void Grow(size_t end) { data.resize(std::max(data.size(), end), 0); }
    Bytes& U8(size_t at, uint8_t v) {
        Grow(at + 1);
        data[at] = v;
        return *this;
    }
    Bytes& U16(size_t at, uint16_t v) { return U8(at, v & 0xFF).U8(at + 1, v >> 8); }
    Bytes& U32(size_t at, uint32_t v) { return U16(at, v & 0xFFFF).U16(at + 2, v >> 16); }
    Bytes& U32BE(size_t at, uint32_t v) { return U32(at, __builtin_bswap32(v)); }
    Bytes& Text(size_t at, const char* s, bool nul = true) {
        for (size_t i = 0, n = std::strlen(s) + nul; i < n; ++i)
            U8(at + i, static_cast<uint8_t>(s[i]));
        return *this;
    }
    // A resource name string: u16 length and UTF-16 units.
    Bytes& Utf16(size_t at, const char* s) {
        for (size_t i = 0; s[i]; ++i) U16(at + 2 + 2 * i, static_cast<uint8_t>(s[i]));
        return U16(at, static_cast<uint16_t>(std::strlen(s)));
    }
};

// A PE32 image: e_lfanew 0x40, directories at 0xB8, sections at 0x138.
constexpr size_t PeAt = 0x40;
struct PeSection {
    const char* name;
    uint32_t va, raw, rawSize;
};
inline size_t SectionAt(int index) { return PeAt + 248 + 40 * size_t(index); }

inline Bytes MakePe(const std::vector<PeSection>& sections) {
    Bytes b(0x400);
    b.Text(0, "MZ", false).U32(0x3C, PeAt).Text(PeAt, "PE", true).U8(PeAt + 3, 0);
    b.U16(PeAt + 6, uint16_t(sections.size())).U16(PeAt + 20, 224).U16(PeAt + 24, 0x10B);
    for (size_t i = 0; i < sections.size(); ++i) {
        const size_t h = SectionAt(static_cast<int>(i));
        b.Text(h, sections[i].name, false)
            .U32(h + 12, sections[i].va)
            .U32(h + 16, sections[i].rawSize);
        b.U32(h + 20, sections[i].raw).Grow(sections[i].raw + sections[i].rawSize);
    }
    return b;
}

// Sets data directory `index` to `rva` and `size`.
inline Bytes& SetDir(Bytes& b, int index, uint32_t rva, uint32_t size) {
    return b.U32(PeAt + 120 + 8 * size_t(index), rva).U32(PeAt + 124 + 8 * size_t(index), size);
}

// A bitmap header at `at`: `width` x `height` at `bits` bits.
inline Bytes& DibAt(Bytes& b, size_t at, int32_t width, int32_t height, uint16_t bits,
                    uint32_t compression = 0, uint32_t used = 0) {
    b.U32(at, 40)
        .U32(at + 4, static_cast<uint32_t>(width))
        .U32(at + 8, static_cast<uint32_t>(height));
    return b.U16(at + 12, 1).U16(at + 14, bits).U32(at + 16, compression).U32(at + 32, used);
}

// A PNG signature at `at`, and when `size` is not 0 the header of a square image of that size,
// 8 bits of RGBA.
inline Bytes& Png(Bytes& b, size_t at, uint32_t size = 0) {
    b.U8(at, 0x89).Text(at + 1, "PNG\r\n\x1A\n", false);
    if (!size) return b;
    b.U32BE(at + 8, 13).Text(at + 12, "IHDR", false).U32BE(at + 16, size).U32BE(at + 20, size);
    return b.U8(at + 24, 8).U8(at + 25, 6);
}

// A resource tree at file offset `base`: types, each with its entries (named when name is set),
// each with one language.
struct ResEntry {
    uint32_t id;
    const char* name;
    uint32_t rva, size;  // the data's RVA and size
};
struct ResType {
    uint32_t id;
    std::vector<ResEntry> entries;
};

inline void LayOutResources(Bytes& b, size_t base, const std::vector<ResType>& types) {
    size_t next = base + 16 + 8 * types.size();
    auto entryName = [&](const char* name, uint32_t id) -> uint32_t {
        if (!name) return id;
        b.Utf16(next + 0x800, name);  // names lie 0x800 above the directories
        return 0x80000000u | static_cast<uint32_t>(next + 0x800 - base);
    };
    b.U16(base + 14, static_cast<uint16_t>(types.size()));
    for (size_t t = 0; t < types.size(); ++t) {
        const size_t dir = next;
        const std::vector<ResEntry>& es = types[t].entries;
        next = dir + 16 + 8 * es.size();
        b.U32(base + 16 + 8 * t, types[t].id);
        b.U32(base + 20 + 8 * t, 0x80000000u | uint32_t(dir - base))
            .U16(dir + 14, uint16_t(es.size()));
        for (size_t e = 0; e < es.size(); ++e) {
            const size_t lang = next, data = next + 24;
            next = data + 16;
            b.U32(dir + 16 + 8 * e, entryName(es[e].name, es[e].id));
            b.U32(dir + 20 + 8 * e, 0x80000000u | static_cast<uint32_t>(lang - base));
            b.U16(lang + 14, 1)
                .U32(lang + 16, 1033)
                .U32(lang + 20, static_cast<uint32_t>(data - base));
            b.U32(data, es[e].rva).U32(data + 4, es[e].size).Grow(data + 16);
        }
    }
}

// Makes `bytes` the loaded document under the name `name`.
inline void LoadBytes(const std::vector<uint8_t>& bytes, const char* name) {
    static std::vector<uint8_t> held;
    UnloadDocumentFile();
    (held = bytes).push_back(0);  // a non-empty block even for an empty file
    Checked = _INTERP_;
    std::snprintf(FileName, sizeof FileName, "C:\\files\\%s", name);
    SetFileNameParts();
    AdoptFile(held.data(), static_cast<int32_t>(bytes.size()));
}

inline TreeNode& NodeAt(int32_t node) { return TreeNodes[static_cast<size_t>(node)]; }

// The tree below `node`: the node itself unindented, each level two blanks more.
inline std::string TreeText(int32_t node = RootNode, const std::string& indent = "") {
    std::string out = indent + NodeAt(node).Text + '\n';
    for (int32_t c = NodeAt(node).FirstChild; c >= 0; c = NodeAt(c).NextSibling)
        out += TreeText(c, indent + "  ");
    return out;
}

// The first node, in tree order, whose text is `text` (-1 when none).
inline int32_t FindNode(const char* text, int32_t node = RootNode) {
    for (; node >= 0; node = NodeAt(node).NextSibling) {
        if (std::strcmp(NodeAt(node).Text, text) == 0) return node;
        const int32_t found = FindNode(text, NodeAt(node).FirstChild);
        if (found >= 0) return found;
    }
    return -1;
}

// Listing lines as "text|name" ("text" when the name is empty).
inline std::vector<std::string> Listing(void (*list)(int32_t, int32_t, ListingSink&), int32_t first,
                                        int32_t count) {
    struct Lines final : ListingSink {
        std::vector<std::string> all;
        void Put(const ListingLine& l) override {
            all.push_back(std::string(l.Text) + (l.Name[0] ? "|" : "") + l.Name);
        }
    } lines;
    list(first, count, lines);
    return lines.all;
}

// The interpretation suites: a file loaded, its tree built, nodes found by their text and selected.
class InterpTest : public ::testing::Test {
  protected:
    void TearDown() override { AddrMode = AddrPhysical; }
    static UserMessages Open(const Bytes& b, const char* name = "a.dll",
                             uint16_t addr = AddrPhysical) {
        AddrMode = addr;
        LoadBytes(b.data, name);
        UserMessages shown;
        BuildInterpTree(shown);
        return shown;
    }
    static const TreeNode& NodeOf(const char* text) { return NodeAt(std::max(FindNode(text), 0)); }
    // Selects the node `text`, or the child `entry` of it.
    static UserMessages Pick(const char* text, const char* entry = nullptr) {
        int32_t node = FindNode(text);
        if (entry && node >= 0) node = FindNode(entry, NodeAt(node).FirstChild);
        EXPECT_GE(node, 0) << text << "/" << (entry ? entry : "");
        UserMessages shown;
        SelectNode(node, shown);
        return shown;
    }
};
