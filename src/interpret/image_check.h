// Checks of the image and dialog bytes of a file before the system is given
// them: a header, colour table, pixel bits and mask, or a dialog template
// with all its items, must lie inside the resource and inside the file.
#pragma once
#include <cstddef>
#include <cstdint>

// The parts of a device-independent bitmap at a file offset.
struct DibParts {
    int32_t Width = 0;
    int32_t Height = 0;  // as stored: negative for a top-down bitmap
    uint16_t BitCount = 0;
    uint32_t Compression = 0;
    uint32_t InfoSize = 0;    // header, masks and colour table
    uint32_t BitsOffset = 0;  // from the header's start
    uint32_t BitsSize = 0;    // rows of pixel bits
};

// Colour-table entries the bitmap pane and the .BMP header assume for a bit
// count: none for 24 and 32, 2 for 1, 16 for 4, 256 for any other.
uint32_t ColorTableEntries(uint16_t bitCount);

// A BITMAP resource of `size` bytes at `offset`: a 40-byte header with a
// positive width, a non-zero height, one plane, a bit count of 1, 4, 8, 16,
// 24 or 32 and no compression (or bit-field masks for 16 and 32 bits),
// followed by its colour table and every row of its bits, all inside the
// resource and the file. False when any of it does not fit.
bool BitmapFits(uint64_t offset, uint32_t size, DibParts& parts);

// An icon or cursor image (without a cursor's hotspot) of `size` bytes at
// `offset`: a 40-byte header whose height holds the image and its mask,
// the colour table the system reads (biClrUsed entries, or 2^bits up to 8
// bits), the image bits and the 1-bit mask, all inside the image and the
// file. A PNG image fits when PngImage finds it whole. False when any of it
// does not fit.
bool IconImageFits(uint64_t offset, uint32_t size);

// A PNG image (as current icons hold their large images) of `size` bytes at
// `offset`: its signature and IHDR chunk inside the image and the file. Gives
// its width and height and its bits per pixel (bit depth x channels).
bool PngImage(uint64_t offset, uint32_t size, uint32_t& width, uint32_t& height,
              uint16_t& bitCount);

// A dialog template (plain or extended) of `size` bytes: the header, its
// menu, class, title and font, and every item with its class, title and
// creation data lie inside the bytes. A template that names one of the
// classes in `refused` (nullptr-terminated, compared without case) for
// itself or an item is refused too, so that no program window can be made
// from a file.
bool DialogTemplateFits(const uint8_t* bytes, size_t size, const char* const* refused);
