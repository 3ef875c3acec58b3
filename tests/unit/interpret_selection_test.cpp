// Selecting nodes: the bytes or listing shown, the images named and the files exported, on small
// executables laid out here.
#include <gtest/gtest.h>

#include "app/layout.h"
#include "interpret/image_check.h"
#include "interpret/image_pane.h"
#include "interpret/image_table.h"
#include "interpret/resource_files.h"
#include "interpret_test_files.h"
#include "view/view_nav.h"

namespace {

using Texts = std::vector<std::string>;
using Raw = std::vector<uint8_t>;
using Selection = InterpTest;
Texts Exports(int32_t first, int32_t count) { return Listing(ListExportLines, first, count); }
Texts Imports(int32_t first, int32_t count) { return Listing(ListImportLines, first, count); }
// The message boxes shown, each as "caption|text".
std::string Box(const UserMessages& shown) {
    std::string all;
    for (const auto& m : shown)
        all += std::string(all.empty() ? "" : "; ") + m.Caption + "|" + m.Text;
    return all;
}

// .text at RVA 0x1000 / file 0x400, .edata at 0x2000 / 0x800 with an export directory of three
// names, .idata at 0x3000 / 0xC00 with one library, importing by name, by name with hint 0 and by
// ordinal; three directories that reach past the end of the file, start at it or beyond it.
Bytes ListingPe() {
    Bytes b = MakePe({{".text", 0x1000, 0x400, 0x400},
                      {".edata", 0x2000, 0x800, 0x400},
                      {".idata", 0x3000, 0xC00, 0x400}});
    SetDir(b, 0, 0x2000, 0x80);
    b.U32(0x800 + 24, 3).U32(0x800 + 28, 0x2040).U32(0x800 + 32, 0x2060).U32(0x800 + 36, 0x2070);
    b.U32(0x840, 0x1000).U32(0x844, 0x1010).U32(0x848, 0x1234);  // functions
    b.U32(0x860, 0x2100).U32(0x864, 0x2108).U32(0x868, 0x2110);  // names
    b.U16(0x870, 0).U16(0x872, 2).U16(0x874, 1);                 // name ordinals
    b.Text(0x900, "Start").Text(0x908, "Middle").Text(0x910, "Other");
    SetDir(b, 1, 0x3000, 40);
    b.U32(0xC00, 0x3040).U32(0xC00 + 12, 0x3080).U32(0xC00 + 16, 0x3060);  // OFT, name, FT
    b.U32(0xC40, 0x30A0).U32(0xC44, 0x30B0).U32(0xC48, 0x80000005u);       // names array
    b.U32(0xC60, 1).U32(0xC64, 1).U32(0xC68, 1);                           // FT: 3 values
    b.Text(0xC80, "lib.dll")
        .U16(0xCA0, 0x12)
        .Text(0xCA2, "Named")
        .U16(0xCB0, 0)
        .Text(0xCB2, "NoHint");
    return SetDir(SetDir(SetDir(b, 9, 0x3200, 0x400), 3, 0x3400, 0x10), 6, 0x7000, 0x10);
}

// A range that reaches past the end of the file is reported and cut; one
// that starts at the end or beyond it is moved to the last byte.
TEST_F(Selection, NodesShowTheirBytesOrTheirListingFromAnyLine) {
    const struct Row {
        const char* node;
        int32_t offset, bytes, kind;
        std::string message;
    } rows[] = {{"a.dll", 0, 0x1000, 0, ""},
                {"00000E00: TLS", 0xE00, 0x200, 16 + 9, "E00, NumBytes=400"},
                {"00001000: Exceptions", 0xFFF, 1, 16 + 3, "1000, NumBytes=10"}};
    Open(ListingPe());
    for (const Row& r : rows) {
        SCOPED_TRACE(r.node);
        const UserMessages shown = Pick(r.node);
        const std::string box = "Addressing past End of File|ByteOffset=" + r.message;
        EXPECT_EQ(Box(shown), r.message.empty() ? "" : box);
        EXPECT_EQ(ByteOffset, r.offset);
        EXPECT_EQ(NumBytes, static_cast<uint32_t>(r.bytes));
        EXPECT_EQ(ShowMode, _HEX_);
        EXPECT_EQ(ImageShow, ImagesNone);
        EXPECT_EQ(SelKind, r.kind);
    }
    // Listings start at any line; the export listing's headings are always there.
    const std::string h1 = "Ordinal  RVA         Name", h2 = "-------  ----------  --------",
                      start = "0x0000   0x00001000  Start", middle = "0x0002   0x00001234  Middle",
                      other = "0x0001   0x00001010  Other";
    const struct Lines {
        int32_t first, count;
        Texts lines;
    } listings[] = {
        {1, 100, {h1, h2, start, middle, other}}, {3, 2, {start, middle}}, {1, 1, {h1, h2, start}}};
    Pick("00000800: Exports");
    for (const Lines& r : listings)
        EXPECT_EQ(Exports(r.first, r.count), r.lines) << "from " << r.first << ", " << r.count;
    Pick("lib.dll");
    EXPECT_EQ(Imports(1, 100), (Texts{"hint=0x0012|Named", "|NoHint", "  ordinal:     0x0005"}));
    EXPECT_EQ(Imports(3, 1), Texts{"  ordinal:     0x0005"});
    // A name of 250 letters is cut where the line's 256 bytes end, its NUL inside them.
    Bytes longName = ListingPe();
    Open(longName.Text(0x910, std::string(250, 'n').c_str()));
    Pick("00000800: Exports");
    EXPECT_EQ(Exports(5, 1).at(0), other.substr(0, 21) + std::string(255 - 21, 'n'));
}

// Bitmaps: 7 (10 x 10 at 4 bits, 1000 bytes), 8 (no bitmap) and a name that would leave the export
// folder; icons: 1 outside the file, 7 a PNG image of 256 x 256, 8 a PNG signature without its
// header; a group that names only an icon that is missing, and one that names icon 7; a cursor
// group type without entries.
TEST_F(Selection, ExportsNameEachEntryAndRefuseWhatHoldsNoImage) {
    Bytes b = MakePe({{".rsrc", 0x5000, 0x400, 0x1100}});
    DibAt(SetDir(b, 2, 0x5000, 0x100), 0x1000, 10, 10, 4);
    // The groups: type 1, one entry, the entry's icon id 12 bytes into it.
    b.U16(0x1402, 1).U16(0x1404, 1).U16(0x1406 + 12, 5);
    b.U16(0x1422, 1).U16(0x1424, 1).U16(0x1426 + 12, 7);
    Png(Png(b, 0xE00, 256), 0xE80);
    const std::string named = "a\\b:c" + std::string(57, 'n');  // as long as a node's text holds
    LayOutResources(
        b, 0x400,
        {{2, {{7, nullptr, 0x5C00, 1000}, {8, nullptr, 0x5000, 64}, {0, named.c_str(), 0x5000, 4}}},
         {3, {{1, nullptr, 0x9000, 64}, {7, nullptr, 0x5A00, 120}, {8, nullptr, 0x5A80, 80}}},
         {14, {{2, nullptr, 0x6000, 20}, {3, nullptr, 0x6020, 20}}},
         {12, {}}});
    Open(b, "r.dll");
    std::vector<ExportItem> items;
    Raw file;
    auto plan = [&](const char* type) {
        Pick(type);
        PlanFolderExport(FindNode(type), ExportCmd, items);
        Texts names;
        for (const ExportItem& item : items) names.push_back(item.Name);
        return names;
    };
    // A name is made safe to be a file in the folder, and kept whole.
    EXPECT_EQ(plan("BITMAP"), (Texts{"7.BMP", "8.BMP", "a_b_c" + std::string(57, 'n') + ".BMP"}));
    EXPECT_EQ(plan("GROUP_ICON"), (Texts{"2.ICO", "3.ICO"}));
    Pick("ICON");  // the type shows its icons, all of the table's
    EXPECT_EQ(SelImages, (std::vector<int16_t>{0, 1, 2}));
    Pick("GROUP_CURSOR");  // the cursors' grid, empty here
    EXPECT_EQ(ImageShow, ImagesGrid);
    EXPECT_FALSE(BuildExportFile(items[0], ExportIcons, file));
    Pick("GROUP_ICON", "2");
    EXPECT_LT(ImageLast, ImageFirst);
    Pick("GROUP_ICON", "3");  // icon 7 is image 1 (icons 1, 7, 8)
    SetImageCells();          // cells of the largest image and a border
    EXPECT_EQ(CellWidth, 256 + 4);
    EXPECT_FALSE(BuildIconFile({0}, ExportIcons, file));  // an icon outside the file
    EXPECT_FALSE(BuildIconFile({-1, 1666}, ExportIcons, file));
    Pick("BITMAP", "7");
    EXPECT_EQ(ImageShow, ImagesBitmap);
    EXPECT_FALSE(BuildBmpFile(0x1000, 0x501, file));  // past the end of the file
    // A 256-pixel PNG icon is collected with 0 in the one-byte size table (as .ICO directories
    // write 256) and its width kept for drawing; it is shown, and exported with its bytes unchanged
    // and 32 bits a pixel. The PNG without its header is not shown, yet its export still writes it
    // (bit count 0, colour count 1).
    const struct {
        const char* what;
        const char* entry;
        int index, pixels;
        bool drawn;
        const char* box;
        int32_t at, size;
        uint8_t colors, bits;  // of the directory entry written
    } pngs[] = {
        {"the whole PNG", "7", 1, 256, true, "", 0xE00, 120, 0, 32},
        {"its signature alone", "8", 2, 0, false, "|Unrecognized format!", 0xE80, 80, 1, 0},
    };
    for (const auto& c : pngs) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(ImageSizes[c.index], 0);
        EXPECT_EQ(ImagePixels[c.index], c.pixels);
        EXPECT_EQ(IconImageFits(ImageOffsets[c.index], ImageLengths[c.index]), c.drawn);
        EXPECT_EQ(Box(Pick("ICON", c.entry)), c.box);
        EXPECT_EQ(ImageShow, c.drawn ? ImagesGrid : ImagesNone);
        EXPECT_EQ(ExportCmd, ExportIcons);
        ASSERT_TRUE(BuildIconFile(SelImages, ExportIcons, file));
        EXPECT_EQ(Raw(file.begin(), file.begin() + 14),
                  (Raw{0, 0, 1, 0, 1, 0, 0, 0, c.colors, 0, 1, 0, c.bits, 0}));
        EXPECT_EQ(Raw(file.begin() + 22, file.end()), Raw(FileBuf + c.at, FileBuf + c.at + c.size));
    }
}

// Names from files nobody should trust are made safe to be files in the export folder.
TEST(SafeFileName, DevicesStreamsAndFoldersStayInTheFolder) {
    const struct {
        const char *name, *want;
    } cases[] = {
        {"COM1", "_COM1"}, {"com9.txt", "_com9.txt"}, {"NUL ", "_NUL "},
        {"PRN.", "_PRN."}, {"Lpt5", "_Lpt5"},         {"COM0", "COM0"},
        {"a:b", "a_b"},    {"x\\y/z", "x_y_z"},       {"..", "_.."},
        {"...", "..."},
    };
    for (const auto& c : cases) EXPECT_EQ(SafeFileName(c.name), c.want) << c.name;
}

// A bitmap header of `width` x `height` at `bits` bits, then `extra` bytes.
Bytes Dib(int32_t width, int32_t height, uint16_t bits, size_t extra, uint32_t compression = 0,
          uint32_t used = 0) {
    Bytes b(40 + extra);
    return DibAt(b, 0, width, height, bits, compression, used);
}

// What may reach the system's bitmap and icon calls: images whose parts all lie inside their bytes
// and the file.
TEST_F(Selection, BitmapsNeedTheirTableAndEveryRowIconsTheirMaskToo) {
    const struct Row {
        const char* what;
        Bytes dib;
        uint32_t size, bitsOffset = 0, bitsSize = 0;
    } rows[] = {{"10x10, 4 bits: 16 colours, rows of 8 bytes", Dib(10, 10, 4, 64 + 80),
                 40 + 64 + 80, 104, 80},
                {"one byte short", Dib(10, 10, 4, 144), 183},
                {"1 bit: 2 colours, rows of 4 bytes", Dib(10, 10, 1, 8 + 40), 88, 48, 40},
                {"8 bits: 256 colours whatever biClrUsed says", Dib(4, 2, 8, 1024 + 8, 0, 16), 1072,
                 1064, 8},
                {"16 bits: a table of 256 colours assumed", Dib(2, 2, 16, 1024 + 8), 1072, 1064, 8},
                {"bit-field masks before the bits", Dib(2, 2, 32, 28, 3), 68, 52, 16},
                {"masks at 24 bits", Dib(2, 2, 24, 28, 3), 68},
                {"overflowing 32 bits", Dib(0x7FFFFFFF, 0x7FFFFFFF, 24, 64), 104},
                {"no width", Dib(0, 1, 24, 4), 44},
                {"shorter than its header", Dib(1, 1, 24, 4), 39}};
    auto parts = [](uint32_t offset, uint32_t size) {
        return "bits at " + std::to_string(offset) + ", " + std::to_string(size) + " bytes";
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        LoadBytes(r.dib.data, "b.bin");
        DibParts p{};
        const bool fits = BitmapFits(0, r.size, p);
        EXPECT_EQ(fits ? parts(p.BitsOffset, p.BitsSize) : "refused",
                  r.bitsOffset ? parts(r.bitsOffset, r.bitsSize) : "refused");
    }
    // An icon of 16 x 16 at 4 bits: 64 bytes of colours, 128 of bits, 64 of mask; biClrUsed names
    // the colours the system reads. {used, height, offset, size, fits}
    const uint64_t icons[][5] = {
        {0, 32, 0, 296, 1},
        {0, 32, 0, 295, 0},
        {0, 32, 1, 296, 0},
        {2, 32, 0, 240, 1},
        {0x40000000, 32, 0, 296, 0},
        {0, 1, 0, 296, 0},
        {0, 2, 0, 40 + 64 + 8 + 4, 1},  // one row and its mask
    };
    for (auto [used, height, offset, size, fits] : icons) {
        LoadBytes(Dib(16, int32_t(height), 4, 64 + 128 + 64, 0, uint32_t(used)).data, "i.bin");
        EXPECT_EQ(IconImageFits(offset, uint32_t(size)), fits != 0)
            << used << " " << height << " " << offset << " " << size;
    }
    uint32_t w = 0, h = 0;
    uint16_t bits = 0;
    Bytes header(33);  // the signature and the IHDR chunk: the least a PNG image is
    LoadBytes(Png(header, 0, 16).data, "png.bin");
    EXPECT_TRUE(PngImage(0, 33, w, h, bits));
    // Written as a .BMP file, whose 14-byte header says where the bits start: 54 at 24 bits.
    struct Kept final : ByteSink {
        std::string bytes;
        bool Write(const uint8_t* data, size_t len) override {
            bytes.append(reinterpret_cast<const char*>(data), len);
            return true;
        }
    } file;
    LoadBytes(Dib(2, 2, 24, 16).data, "b24.bin");
    ASSERT_EQ(StreamBmpFile(0, 56, file), ExportStatus::Written);
    EXPECT_EQ(file.bytes.substr(10, 4), std::string("\x36\0\0\0", 4));
}

// What may reach the system's dialog calls: templates that hold every item and name no class of the
// program's.
TEST_F(Selection, DialogTemplatesMustHoldEveryItem) {
    const char* const refused[] = {"Orvex", "TextClient", nullptr};
    // A template, font 8 "A", with two items of the class `itemClass` (an ordinal when null).
    auto dialog = [](const char* itemClass) {
        Bytes b(32);
        b.U32(0, 0x80C800C0u)
            .U16(8, 2)
            .U16(14, 100)
            .U16(16, 50)
            .U16(22, 'T')
            .U16(26, 8)
            .U16(28, 'A');
        size_t at = 32;
        for (int item = 0; item < 2; ++item) {
            at = (at + 3) & ~size_t{3};  // items start on four bytes
            b.U32(at, 0x50010000u).U16(at + 16, 1).U16(at + 18, 0xFFFF).U16(at + 20, 0x80);
            for (size_t c = 0; itemClass && c <= std::strlen(itemClass); ++c)
                b.U16(at + 18 + 2 * c, uint8_t(itemClass[c]));
            at += 18 + (itemClass ? 2 * std::strlen(itemClass) + 2 : 4);
            b.U16(at, 'O').U16(at + 2, 'K').U16(at + 4, 0).U16(at + 6, 0);
            at += 8;
        }
        return b;
    };
    auto fits = [&](const Bytes& b, size_t cut = 0) {
        return DialogTemplateFits(&b.data[0], b.data.size() - cut, refused);
    };
    const Bytes plain = dialog(nullptr);
    EXPECT_TRUE(fits(plain));
    for (size_t cut = 1; cut <= plain.data.size(); ++cut) EXPECT_FALSE(fits(plain, cut)) << cut;
    // The message font: read with or without the face name after it, every item lies in the bytes.
    EXPECT_TRUE(fits(Bytes(plain).U16(26, 0x7FFF)));
    EXPECT_FALSE(fits(dialog("tEXTcLIENT")));  // the program's own classes, in any case
    EXPECT_TRUE(fits(dialog("TextClientX")));
    EXPECT_FALSE(DialogTemplateFits(nullptr, 0, refused));
    Bytes extended;  // no font (no DS_SETFONT), no items
    extended.U32(0, 0xFFFF0001u).U32(12, 0x80C80080u).U32(28, 0);
    EXPECT_TRUE(fits(extended));
    extended.U32(12, 0x80C800C8u)
        .U16(32, 8)
        .U16(38, 'A')
        .U16(40, 0);  // a shell font, 8 points, "A"
    EXPECT_TRUE(fits(extended));
    EXPECT_FALSE(fits(extended, 1));
}

}  // namespace
