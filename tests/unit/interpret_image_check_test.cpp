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
    return b.U16(12, 1).U16(14, bits).U32(16, compression).U32(32, used);
}

TEST_F(ImageCheck, BitmapsNeedTheirTableAndEveryRowIconsTheirMaskToo) {
    const struct Row { const char* what; Bytes dib; uint32_t size, bitsOffset, bitsSize; } rows[] = {  // offset 0: no fit
        {"10x10, 4 bits: 16 colours, rows of 8 bytes", Dib(10, 10, 4, 64 + 80), 40 + 64 + 80, 104, 80},
        {"one byte short", Dib(10, 10, 4, 64 + 80), 40 + 64 + 79, 0, 0},
        {"the file is shorter", Dib(10, 10, 4, 64 + 79), 40 + 64 + 80, 0, 0},
        {"8 bits: 256 colours whatever biClrUsed says", Dib(4, 2, 8, 1024 + 8, 0, 16), 1072, 1064, 8},
        {"8 bits, 16 colours' room", Dib(4, 2, 8, 1024 + 8, 0, 16), 40 + 64 + 8, 0, 0},
        {"top-down rows count as rows", Dib(3, -2, 24, 24), 64, 40, 24},
        {"bit-field masks before the bits", Dib(2, 2, 32, 12 + 16, 3), 40 + 12 + 16, 52, 16},
        {"bit-field masks at 24 bits", Dib(2, 2, 24, 12 + 16, 3), 40 + 12 + 16, 0, 0},
        {"overflowing 32 bits", Dib(0x7FFFFFFF, 0x7FFFFFFF, 24, 64), 104, 0, 0},
        {"run-length compressed", Dib(1, 1, 24, 4, 1), 44, 0, 0}, {"no width", Dib(0, 1, 24, 4), 44, 0, 0},
        {"no height", Dib(1, 0, 24, 4), 44, 0, 0}, {"no such bit count", Dib(1, 1, 7, 4), 44, 0, 0},
        {"shorter than its header", Dib(1, 1, 24, 4), 39, 0, 0}};
    for (const Row& r : rows) {
        LoadBytes(r.dib.data, "b.bin");
        DibParts p;
        const bool fits = BitmapFits(0, r.size, p);
        EXPECT_EQ((std::vector<uint32_t>{fits, fits ? p.BitsOffset : 0, fits ? p.BitsSize : 0}),
                  (std::vector<uint32_t>{r.bitsOffset != 0, r.bitsOffset, r.bitsSize})) << r.what;
    }
    // An icon of 16 x 16 at 4 bits: 64 bytes of colours, 128 of bits, 64 of
    // mask; biClrUsed names the colours the system reads. {used, height, offset, size, fits}
    const uint64_t icons[][5] = {{0, 32, 0, 296, 1}, {0, 32, 0, 295, 0}, {0, 32, 1, 296, 0}, {2, 32, 0, 240, 1},
                                 {0x40000000, 32, 0, 296, 0}, {0, 1, 0, 296, 0}};
    for (auto [used, height, offset, size, fits] : icons) {
        LoadBytes(Dib(16, int32_t(height), 4, 64 + 128 + 64, 0, uint32_t(used)).data, "i.bin");
        EXPECT_EQ(IconImageFits(offset, uint32_t(size)), fits != 0) << used << " " << height << " " << offset << " " << size;
    }
}

TEST_F(ImageCheck, DialogTemplatesMustHoldEveryItem) {
    const char* const refused[] = {"Orvex", "TextClient", nullptr};
    // A template, font 8 "A", with two items of the class `itemClass` (an ordinal when null).
    auto dialog = [](const char* itemClass) {
        Bytes b(32);
        b.U32(0, 0x80C800C0u).U16(8, 2).U16(14, 100).U16(16, 50).U16(22, 'T').U16(26, 8).U16(28, 'A');
        for (size_t i = 0, at = 32; i < 2; ++i, at = (at + 3) & ~size_t{3}) {
            b.U32(at, 0x50010000u).U16(at + 16, 1).U16(at + 18, 0xFFFF).U16(at + 20, 0x80);
            for (size_t c = 0; itemClass && c <= std::strlen(itemClass); ++c) b.U16(at + 18 + 2 * c, uint8_t(itemClass[c]));
            at += 18 + (itemClass ? 2 * std::strlen(itemClass) + 2 : 4);
            b.U16(at, 'O').U16(at + 2, 'K').U16(at + 4, 0).U16(at + 6, 0);
            at += 8;
        }
        return b;
    };
    auto fits = [&](const Bytes& b, size_t cut = 0) { return DialogTemplateFits(b.data.data(), b.data.size() - cut, refused); };
    const Bytes plain = dialog(nullptr);
    EXPECT_TRUE(fits(plain));
    for (size_t cut = 1; cut <= plain.data.size(); ++cut) EXPECT_FALSE(fits(plain, cut)) << cut;
    Bytes claims = plain, owner = plain;
    EXPECT_FALSE(fits(claims.U16(8, 500)));
    EXPECT_FALSE(fits(owner.U16(26, 0x7FFF)));     // the owner's font
    EXPECT_FALSE(fits(dialog("tEXTcLIENT")));  // the program's own classes, in any case
    EXPECT_TRUE(fits(dialog("SysListView32")) && fits(dialog("TextClientX")));
    EXPECT_FALSE(DialogTemplateFits(nullptr, 0, refused));
    Bytes extended;  // no font (no DS_SETFONT), no items
    EXPECT_TRUE(fits(extended.U32(0, 0xFFFF0001u).U32(12, 0x80C80080u).U32(28, 0)));
    extended.U32(12, 0x80C800C8u).U16(32, 8).U16(38, 'A').U16(40, 0);  // a shell font, 8 points, "A"
    EXPECT_TRUE(fits(extended));
    EXPECT_FALSE(fits(extended, 1));
}

// A 256-pixel PNG icon is collected with 0 in the one-byte size table (as
// .ICO directories write 256) and its width kept for drawing; it is shown,
// and exported with its bytes unchanged and 32 bits a pixel. A PNG without
// its header is no image: it is not shown, yet its export command still
// writes it (bit count 0, so colour count 1). Both are written whole after
// a directory of one entry.
TEST_F(ImageCheck, PngIconsAreDrawnWhenWholeAndAlwaysExportedUnchanged) {
    Bytes whole(120), cut(80);  // the signature and IHDR of 256 x 256 RGBA; the signature alone
    whole.U8(0, 0x89).Text(1, "PNG\r\n\x1A\n", false).U32BE(8, 13).Text(12, "IHDR", false);
    whole.U32BE(16, 256).U32BE(20, 256).U8(24, 8).U8(25, 6);
    cut.U8(0, 0x89).Text(1, "PNG\r\n\x1A\n", false);
    for (const Bytes* png : std::initializer_list<const Bytes*>{&whole, &cut}) {
        const bool drawn = png == &whole;
        Bytes b = MakePe({{".rsrc", 0x5000, 0x400, 0x1000}});  // a single ICON entry at file 0xC00
        for (size_t i = 0; i < png->data.size(); ++i) b.U8(0xC00 + i, png->data[i]);
        LayOutResources(SetDir(b, 2, 0x5000, 0x100), 0x400, {{3, nullptr, {{7, nullptr, 0x5800, uint32_t(png->data.size())}}}});
        Open(b, "png.dll");
        EXPECT_EQ((std::vector<int>{ImageCount, ImageSizes[0], ImagePixels[0], IconImageFits(ImageOffsets[0], ImageLengths[0])}),
                  (std::vector<int>{1, 0, drawn ? 256 : 0, drawn})) << drawn;
        const UserMessages shown = Pick("7");
        EXPECT_EQ(shown.empty() ? "" : shown[0].Text, std::string(drawn ? "" : "Unrecognized format!"));
        EXPECT_EQ((std::vector<int>{ImageShow, ExportCmd}), (std::vector<int>{drawn ? ImagesGrid : ImagesNone, ExportIcons}));
        std::vector<uint8_t> ico;
        ASSERT_TRUE(BuildIconFile(SelImages, ExportIcons, ico));
        EXPECT_EQ(std::vector<uint8_t>(ico.begin(), ico.begin() + 14),
                  (std::vector<uint8_t>{0, 0, 1, 0, 1, 0, 0, 0, uint8_t(drawn ? 0 : 1), 0, 1, 0, uint8_t(drawn ? 32 : 0), 0}));
        EXPECT_EQ(std::vector<uint8_t>(ico.begin() + 22, ico.end()), png->data);
    }
    ClearSelection();  // forgetting the selection leaves nothing selected
    EXPECT_EQ((std::vector<int>{SelNode, ExportCmd, int(SelImages.size())}), (std::vector<int>{-1, 0, 0}));
    // PNG images cut off within their image or within the file.
    LoadBytes(std::vector<uint8_t>(whole.data.begin(), whole.data.begin() + 30), "cut.bin");
    uint32_t w = 0, h = 0;
    uint16_t bits = 0;
    EXPECT_FALSE(PngImage(0, 120, w, h, bits) || PngImage(0, 30, w, h, bits));
    char text[64];
    DescribeIconEntry(text, sizeof text, 0, 0, 0, 32);  // width 0 stands for 256
    EXPECT_STREQ(text, "256x256, 2*32 colors");
}

}  // namespace
