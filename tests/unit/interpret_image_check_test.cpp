// What may reach the system's icon, bitmap and dialog calls: images and
// templates whose parts all lie inside their bytes and the file.
#include <gtest/gtest.h>

#include <cstring>

#include "interpret/image_check.h"
#include "interpret/image_table.h"
#include "interpret/resource_files.h"
#include "interpret/selection.h"
#include "interpret_test_files.h"

namespace {

// A bitmap header of `width` x `height` at `bits` bits, then `extra` bytes.
Bytes Dib(int32_t width, int32_t height, uint16_t bits, size_t extra, uint32_t compression = 0) {
    Bytes b(40 + extra);
    b.U32(0, 40).U32(4, static_cast<uint32_t>(width)).U32(8, static_cast<uint32_t>(height));
    b.U16(12, 1).U16(14, bits).U32(16, compression);
    return b;
}

bool BitmapOk(const Bytes& b, uint32_t size, DibParts* out = nullptr) {
    LoadBytes(b.data, "b.bin");
    DibParts parts;
    const bool ok = BitmapFits(0, size, parts);
    if (out) *out = parts;
    return ok;
}

TEST(ImageCheck, BitmapsNeedTheirTableAndEveryRow) {
    // 10 x 10 at 4 bits: 16 colours (64 bytes), rows of 8 bytes.
    DibParts p;
    EXPECT_TRUE(BitmapOk(Dib(10, 10, 4, 64 + 80), 40 + 64 + 80, &p));
    EXPECT_EQ(p.BitsOffset, 104u);
    EXPECT_EQ(p.BitsSize, 80u);
    EXPECT_FALSE(BitmapOk(Dib(10, 10, 4, 64 + 80), 40 + 64 + 79));  // one byte short
    EXPECT_FALSE(BitmapOk(Dib(10, 10, 4, 64 + 79), 40 + 64 + 80));  // the file is shorter
    // An 8-bit bitmap is taken to have 256 colours, whatever biClrUsed says.
    Bytes eight = Dib(4, 2, 8, 1024 + 8);
    eight.U32(32, 16);
    EXPECT_TRUE(BitmapOk(eight, 40 + 1024 + 8, &p));
    EXPECT_EQ(p.BitsOffset, 1064u);
    EXPECT_FALSE(BitmapOk(eight, 40 + 64 + 8));
    // Top-down rows count as rows; bit-field masks sit before the bits.
    EXPECT_TRUE(BitmapOk(Dib(3, -2, 24, 24), 64, &p));
    EXPECT_EQ(p.BitsSize, 24u);
    EXPECT_TRUE(BitmapOk(Dib(2, 2, 32, 12 + 16, 3), 40 + 12 + 16, &p));
    EXPECT_EQ(p.BitsOffset, 52u);
    // Sizes whose products overflow 32 bits, and what is no bitmap at all.
    EXPECT_FALSE(BitmapOk(Dib(0x7FFFFFFF, 0x7FFFFFFF, 24, 64), 104));
    EXPECT_FALSE(BitmapOk(Dib(0x10000, 0x10000, 32, 64), 104));
    EXPECT_FALSE(BitmapOk(Dib(1, 1, 24, 4, 1), 44));   // run-length compressed
    EXPECT_FALSE(BitmapOk(Dib(0, 1, 24, 4), 44));      // no width
    EXPECT_FALSE(BitmapOk(Dib(1, 0, 24, 4), 44));      // no height
    EXPECT_FALSE(BitmapOk(Dib(1, 1, 7, 4), 44));       // no such bit count
    EXPECT_FALSE(BitmapOk(Dib(1, 1, 24, 4), 39));      // shorter than its header
}

TEST(ImageCheck, IconsNeedTheirColoursBitsAndMask) {
    // 16 x 16 at 4 bits: 64 bytes of colours, 128 of bits, 64 of mask.
    Bytes icon = Dib(16, 32, 4, 64 + 128 + 64);
    LoadBytes(icon.data, "i.bin");
    EXPECT_TRUE(IconImageFits(0, 40 + 64 + 128 + 64));
    EXPECT_FALSE(IconImageFits(0, 40 + 64 + 128 + 63));
    EXPECT_FALSE(IconImageFits(1, 40 + 64 + 128 + 64));  // past the end of the file
    // biClrUsed names the colours the system reads.
    icon.U32(32, 2);
    LoadBytes(icon.data, "i.bin");
    EXPECT_TRUE(IconImageFits(0, 40 + 8 + 128 + 64));
    icon.U32(32, 0x40000000);
    LoadBytes(icon.data, "i.bin");
    EXPECT_FALSE(IconImageFits(0, 40 + 64 + 128 + 64));
    // A PNG image is no bitmap.
    Bytes png(64);
    png.U8(0, 0x89).Text(1, "PNG", false);
    LoadBytes(png.data, "p.bin");
    EXPECT_FALSE(IconImageFits(0, 64));
}

// A plain template with one button, its parts at their places.
Bytes Dialog(uint16_t items, const char* itemClass = nullptr) {
    Bytes b(0);
    b.U32(0, 0x80C800C0u).U16(8, items).U16(14, 100).U16(16, 50);
    b.U16(18, 0).U16(20, 0).U16(22, 'T').U16(24, 0);  // no menu, no class, title "T"
    b.U16(26, 8).U16(28, 'A').U16(30, 0);  // font 8, "A"
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

TEST(ImageCheck, DialogTemplatesMustHoldEveryItem) {
    const char* const refused[] = {"Orvex", "TextClient", nullptr};
    const Bytes one = Dialog(1);
    EXPECT_TRUE(DialogTemplateFits(one.data.data(), one.data.size(), refused));
    for (size_t cut = 0; cut < one.data.size(); ++cut)
        EXPECT_FALSE(DialogTemplateFits(one.data.data(), cut, refused)) << cut;
    Bytes claims = one;
    claims.U16(8, 500);
    EXPECT_FALSE(DialogTemplateFits(claims.data.data(), claims.data.size(), refused));
    // Items of the program's own classes are refused, in any case.
    const Bytes own = Dialog(2, "tEXTcLIENT");
    EXPECT_FALSE(DialogTemplateFits(own.data.data(), own.data.size(), refused));
    const Bytes other = Dialog(2, "SysListView32");
    EXPECT_TRUE(DialogTemplateFits(other.data.data(), other.data.size(), refused));
    EXPECT_FALSE(DialogTemplateFits(nullptr, 0, refused));
}

// A single ICON entry that is no bitmap (a PNG image) still names its
// image, so that its export command writes it; the pane shows nothing.
TEST(ImageCheck, UnrecognizedSingleIconIsStillExported) {
    Bytes b = MakePe({{".rsrc", 0x5000, 0x400, 0x1000}});
    SetDir(b, 2, 0x5000, 0x100);
    Bytes png(80);
    png.U8(0, 0x89).Text(1, "PNG\r\n\x1A\n", false);
    for (size_t i = 0; i < png.data.size(); ++i) b.U8(0xC00 + i, png.data[i]);
    LayOutResources(b, 0x400, {{3, nullptr, {{7, nullptr, 0x5800, 80}}}});
    LoadBytes(b.data, "png.dll");
    BuildTree();
    UserMessages shown;
    SelectNode(FindNode("7"), shown);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_STREQ(shown[0].Text, "Unrecognized format!");
    EXPECT_EQ(ImageShow, ImagesNone);
    EXPECT_EQ(ExportCmd, ExportIcons);
    ASSERT_EQ(SelImages, std::vector<int16_t>{0});
    std::vector<uint8_t> ico;
    ASSERT_TRUE(BuildIconFile(SelImages, ExportIcons, ico));
    EXPECT_EQ(ico.size(), 6u + 16u + 80u);
    EXPECT_EQ(std::vector<uint8_t>(ico.begin() + 22, ico.end()), png.data);
    // Forgetting the selection leaves nothing selected.
    ClearSelection();
    EXPECT_EQ(SelNode, -1);
    EXPECT_EQ(ExportCmd, 0);
    EXPECT_TRUE(SelImages.empty());
}

}  // namespace

namespace {

// The start of a PNG image: signature and IHDR of `size` x `size`, RGBA.
Bytes PngStart(uint32_t size, size_t total) {
    Bytes png(total);
    png.U8(0, 0x89).Text(1, "PNG\r\n\x1A\n", false);
    png.U32BE(8, 13).Text(12, "IHDR", false).U32BE(16, size).U32BE(20, size);
    png.U8(24, 8).U8(25, 6);
    return png;
}

// A 256-pixel PNG icon of an executable is collected with 0 in the one-byte
// size table (as .ICO directories write 256) and its width kept for drawing;
// it is shown, and exported with its bytes unchanged and 32 bits a pixel.
TEST(ImageCheck, PngIconsAreDrawnAndExportedUnchanged) {
    Bytes b = MakePe({{".rsrc", 0x5000, 0x400, 0x1000}});
    SetDir(b, 2, 0x5000, 0x100);
    const Bytes png = PngStart(256, 120);
    for (size_t i = 0; i < png.data.size(); ++i) b.U8(0xC00 + i, png.data[i]);
    LayOutResources(b, 0x400, {{3, nullptr, {{7, nullptr, 0x5800, 120}}}});
    LoadBytes(b.data, "png.dll");
    BuildTree();
    ASSERT_EQ(ImageCount, 1);
    EXPECT_EQ(ImageSizes[0], 0);
    EXPECT_EQ(ImagePixels[0], 256);
    EXPECT_TRUE(IconImageFits(ImageOffsets[0], ImageLengths[0]));
    UserMessages shown;
    SelectNode(FindNode("7"), shown);
    EXPECT_TRUE(shown.empty());
    EXPECT_EQ(ImageShow, ImagesGrid);
    std::vector<uint8_t> ico;
    ASSERT_TRUE(BuildIconFile(SelImages, ExportIcons, ico));
    EXPECT_EQ(ico[6], 0);                 // width 256
    EXPECT_EQ(ico[12] | ico[13] << 8, 32);  // bit count
    EXPECT_EQ(std::vector<uint8_t>(ico.begin() + 22, ico.end()), png.data);
    // A PNG whose header is cut off is no image.
    LoadBytes(std::vector<uint8_t>(png.data.begin(), png.data.begin() + 30), "cut.bin");
    uint32_t w = 0, h = 0;
    uint16_t bits = 0;
    EXPECT_FALSE(PngImage(0, 120, w, h, bits));
    EXPECT_FALSE(PngImage(0, 30, w, h, bits));
}

// An icon file entry of width 0 stands for 256 pixels.
TEST(ImageCheck, IconFileEntriesOfWidthZeroAre256Pixels) {
    char text[64];
    DescribeIconEntry(text, sizeof text, 0, 0, 0, 32);
    EXPECT_STREQ(text, "256x256, 2*32 colors");
    DescribeIconEntry(text, sizeof text, 48, 48, 16, 4);
    EXPECT_STREQ(text, "48x48, 16 colors");
}

}  // namespace
