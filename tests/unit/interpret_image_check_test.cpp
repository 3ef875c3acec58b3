// What may reach the system's icon, bitmap and dialog calls: images and
// templates whose parts all lie inside their bytes and the file.
#include <gtest/gtest.h>

#include "interpret/image_check.h"
#include "interpret/image_table.h"
#include "interpret/resource_files.h"
#include "interpret_test_files.h"

namespace {

using ImageCheck = InterpTest;

// A bitmap header of `width` x `height` at `bits` bits, then `extra` bytes.
Bytes Dib(int32_t width, int32_t height, uint16_t bits, size_t extra, uint32_t compression = 0, uint32_t used = 0) {
    Bytes b(40 + extra);
    b.U32(0, 40).U32(4, static_cast<uint32_t>(width)).U32(8, static_cast<uint32_t>(height));
    b.U16(12, 1).U16(14, bits).U32(16, compression).U32(32, used);
    return b;
}

TEST_F(ImageCheck, BitmapsNeedTheirTableAndEveryRow) {
    const struct Row {
        const char* what;
        Bytes dib;
        uint32_t size, bitsOffset, bitsSize;  // offset 0: does not fit
    } rows[] = {
        {"10x10, 4 bits: 16 colours, rows of 8 bytes", Dib(10, 10, 4, 64 + 80), 40 + 64 + 80, 104, 80},
        {"one byte short", Dib(10, 10, 4, 64 + 80), 40 + 64 + 79, 0, 0},
        {"the file is shorter", Dib(10, 10, 4, 64 + 79), 40 + 64 + 80, 0, 0},
        {"8 bits: 256 colours whatever biClrUsed says", Dib(4, 2, 8, 1024 + 8, 0, 16), 1072, 1064, 8},
        {"8 bits, 16 colours' room", Dib(4, 2, 8, 1024 + 8, 0, 16), 40 + 64 + 8, 0, 0},
        {"1 bit: 2 colours", Dib(33, 1, 1, 8 + 8), 40 + 8 + 8, 48, 8},
        {"top-down rows count as rows", Dib(3, -2, 24, 24), 64, 40, 24},
        {"bit-field masks before the bits", Dib(2, 2, 32, 12 + 16, 3), 40 + 12 + 16, 52, 16},
        {"bit-field masks at 24 bits", Dib(2, 2, 24, 12 + 16, 3), 40 + 12 + 16, 0, 0},
        {"overflowing 32 bits", Dib(0x7FFFFFFF, 0x7FFFFFFF, 24, 64), 104, 0, 0},
        {"overflowing 32 bits at 32 bits", Dib(0x10000, 0x10000, 32, 64), 104, 0, 0},
        {"run-length compressed", Dib(1, 1, 24, 4, 1), 44, 0, 0},
        {"no width", Dib(0, 1, 24, 4), 44, 0, 0},
        {"no height", Dib(1, 0, 24, 4), 44, 0, 0},
        {"no such bit count", Dib(1, 1, 7, 4), 44, 0, 0},
        {"shorter than its header", Dib(1, 1, 24, 4), 39, 0, 0}};
    for (const Row& r : rows) {
        LoadBytes(r.dib.data, "b.bin");
        DibParts p;
        EXPECT_EQ(BitmapFits(0, r.size, p), r.bitsOffset != 0) << r.what;
        if (r.bitsOffset) { EXPECT_EQ((std::vector<uint32_t>{p.BitsOffset, p.BitsSize}), (std::vector<uint32_t>{r.bitsOffset, r.bitsSize})) << r.what; }
    }
}

TEST_F(ImageCheck, IconsNeedTheirColoursBitsAndMask) {
    // 16 x 16 at 4 bits: 64 bytes of colours, 128 of bits, 64 of mask;
    // biClrUsed names the colours the system reads. {used, offset, size, fits}
    const uint64_t rows[][4] = {{0, 0, 40 + 64 + 128 + 64, 1}, {0, 0, 40 + 64 + 128 + 63, 0},
                                {0, 1, 40 + 64 + 128 + 64, 0},  // past the end of the file
                                {2, 0, 40 + 8 + 128 + 64, 1}, {0x40000000, 0, 40 + 64 + 128 + 64, 0}};
    for (auto [used, offset, size, fits] : rows) {
        LoadBytes(Dib(16, 32, 4, 64 + 128 + 64, 0, uint32_t(used)).data, "i.bin");
        EXPECT_EQ(IconImageFits(offset, uint32_t(size)), fits != 0) << used << " " << offset << " " << size;
    }
    LoadBytes(Dib(16, 1, 4, 64 + 128 + 64).data, "i.bin");  // no room for a mask
    EXPECT_FALSE(IconImageFits(0, 40 + 64 + 128 + 64));
}

// A plain template with `items` buttons (or items of `itemClass`).
Bytes Dialog(uint16_t items, const char* itemClass = nullptr) {
    Bytes b(0);
    b.U32(0, 0x80C800C0u).U16(8, items).U16(14, 100).U16(16, 50);
    b.U16(18, 0).U16(20, 0).U16(22, 'T').U16(24, 0);  // no menu, no class, title "T"
    b.U16(26, 8).U16(28, 'A').U16(30, 0);              // font 8, "A"
    size_t at = 32;
    for (uint16_t i = 0; i < items; ++i) {
        at = (at + 3) & ~size_t{3};
        b.U32(at, 0x50010000u).U16(at + 16, 1);
        at += 18;
        if (itemClass) {
            for (const char* c = itemClass; *c; ++c, at += 2) b.U16(at, static_cast<uint8_t>(*c));
            b.U16(at, 0);
            at += 2;
        } else {
            b.U16(at, 0xFFFF).U16(at + 2, 0x80);
            at += 4;
        }
        b.U16(at, 'O').U16(at + 2, 'K').U16(at + 4, 0).U16(at + 6, 0);
        at += 8;
    }
    b.Grow(at);
    return b;
}

TEST_F(ImageCheck, DialogTemplatesMustHoldEveryItem) {
    const char* const refused[] = {"Orvex", "TextClient", nullptr};
    auto fits = [&](const Bytes& b) { return DialogTemplateFits(b.data.data(), b.data.size(), refused); };
    const Bytes one = Dialog(1);
    EXPECT_TRUE(fits(one));
    for (size_t cut = 0; cut < one.data.size(); ++cut) EXPECT_FALSE(DialogTemplateFits(one.data.data(), cut, refused)) << cut;
    Bytes claims = one, owner = one;
    EXPECT_FALSE(fits(claims.U16(8, 500)));
    EXPECT_FALSE(fits(owner.U16(26, 0x7FFF)));     // the owner's font
    EXPECT_FALSE(fits(Dialog(2, "tEXTcLIENT")));  // the program's own classes, in any case
    EXPECT_TRUE(fits(Dialog(2, "SysListView32")));
    EXPECT_TRUE(fits(Dialog(2, "TextClientX")));
    EXPECT_FALSE(DialogTemplateFits(nullptr, 0, refused));
    Bytes extended;  // no font (no DS_SETFONT), no items
    extended.U32(0, 0xFFFF0001u).U32(12, 0x80C80080u).Grow(32);
    EXPECT_TRUE(fits(extended));
    extended.U32(12, 0x80C800C8u).U16(32, 8).U16(38, 'A').U16(40, 0);  // a shell font, 8 points, "A"
    EXPECT_TRUE(fits(extended));
    extended.data.resize(41);
    EXPECT_FALSE(fits(extended));
}

// The start of a PNG image: signature and IHDR of `size` x `size`, RGBA.
Bytes PngStart(uint32_t size, size_t total) {
    Bytes png(total);
    png.U8(0, 0x89).Text(1, "PNG\r\n\x1A\n", false).U32BE(8, 13).Text(12, "IHDR", false);
    png.U32BE(16, size).U32BE(20, size).U8(24, 8).U8(25, 6);
    return png;
}

// A 256-pixel PNG icon is collected with 0 in the one-byte size table (as
// .ICO directories write 256) and its width kept for drawing; it is shown,
// and exported with its bytes unchanged and 32 bits a pixel. A PNG without
// its header is no image: it is not shown, yet its export command still
// writes it (bit count 0, so colour count 1). Both are written whole after
// a directory of one entry.
TEST_F(ImageCheck, PngIconsAreDrawnWhenWholeAndAlwaysExportedUnchanged) {
    const Bytes whole = PngStart(256, 120);
    Bytes cut(80);  // the signature alone
    cut.U8(0, 0x89).Text(1, "PNG\r\n\x1A\n", false);
    for (const Bytes* png : std::initializer_list<const Bytes*>{&whole, &cut}) {
        const bool drawn = png == &whole;
        SCOPED_TRACE(drawn ? "whole" : "cut");
        Bytes b = MakePe({{".rsrc", 0x5000, 0x400, 0x1000}});  // a single ICON entry at file 0xC00
        SetDir(b, 2, 0x5000, 0x100);
        for (size_t i = 0; i < png->data.size(); ++i) b.U8(0xC00 + i, png->data[i]);
        LayOutResources(b, 0x400, {{3, nullptr, {{7, nullptr, 0x5800, static_cast<uint32_t>(png->data.size())}}}});
        Open(b, "png.dll");
        ASSERT_EQ(ImageCount, 1);
        EXPECT_EQ((std::vector<int>{ImageSizes[0], ImagePixels[0]}), (std::vector<int>{0, drawn ? 256 : 0}));
        EXPECT_EQ(IconImageFits(ImageOffsets[0], ImageLengths[0]), drawn);
        const UserMessages shown = Pick("7");
        ASSERT_EQ(shown.size(), drawn ? 0u : 1u);
        if (!drawn) { EXPECT_STREQ(shown[0].Text, "Unrecognized format!"); }
        EXPECT_EQ((std::vector<int>{ImageShow, ExportCmd}), (std::vector<int>{drawn ? ImagesGrid : ImagesNone, ExportIcons}));
        ASSERT_EQ(SelImages, std::vector<int16_t>{0});
        std::vector<uint8_t> ico;
        ASSERT_TRUE(BuildIconFile(SelImages, ExportIcons, ico));
        EXPECT_EQ(std::vector<uint8_t>(ico.begin(), ico.begin() + 14),
                  (std::vector<uint8_t>{0, 0, 1, 0, 1, 0, 0, 0, uint8_t(drawn ? 0 : 1), 0, 1, 0, uint8_t(drawn ? 32 : 0), 0}));
        EXPECT_EQ(std::vector<uint8_t>(ico.begin() + 22, ico.end()), png->data);
    }
    // Forgetting the selection leaves nothing selected.
    ClearSelection();
    EXPECT_EQ((std::vector<int>{SelNode, ExportCmd, int(SelImages.size())}), (std::vector<int>{-1, 0, 0}));
    // PNG images cut off within their image or within the file.
    LoadBytes(std::vector<uint8_t>(whole.data.begin(), whole.data.begin() + 30), "cut.bin");
    uint32_t w = 0, h = 0;
    uint16_t bits = 0;
    EXPECT_FALSE(PngImage(0, 120, w, h, bits));
    EXPECT_FALSE(PngImage(0, 30, w, h, bits));
    char text[64];
    DescribeIconEntry(text, sizeof text, 0, 0, 0, 32);  // width 0 stands for 256
    EXPECT_STREQ(text, "256x256, 2*32 colors");
}

}  // namespace
