#include "interpret/image_table.h"

#include <cstdio>

#include "interpret/file_bytes.h"
#include "interpret/image_check.h"
#include "interpret/image_pane.h"

int16_t ImageCount = 0;
uint8_t ImageSizes[MaxImages];
uint16_t ImagePixels[MaxImages];
int32_t ImageEntries[MaxImages];
uint32_t ImageIds[MaxImages];
uint8_t ImageTypes[MaxImages];
uint32_t ImageOffsets[MaxImages];
uint32_t ImageLengths[MaxImages];

int16_t LastCursorIndex = -1;
uint16_t FirstCursorId = 0;
int16_t FirstIconIndex = 0;
int16_t LastIconIndex = -1;
uint16_t IconIndexOffset = 0;

void ResetImageTable() {
    ImageCount = 0;
    FirstIconIndex = 0;
    LastIconIndex = -1;
    LastCursorIndex = -1;
    FirstCursorId = 0;
    IconIndexOffset = 0;
    CellWidth = 0;
    CellHeight = 0;
}

void CollectResourceImage(uint8_t type, uint32_t index, uint32_t name, int32_t dataEntry,
                          int32_t bias, UserMessages& shown) {
    if (ImageCount >= MaxImages) return;
    uint32_t rva = 0, size = 0;
    ReadU32(static_cast<uint64_t>(dataEntry), rva);
    ReadU32(static_cast<uint64_t>(dataEntry) + 4, size);
    // A cursor's data starts with its hotspot (two u16) before the header.
    const uint64_t header = static_cast<uint64_t>(RvaToOffset(rva, bias)) + (type == 1 ? 4 : 0);
    uint32_t headerSize = 0, width = 0, pngHeight = 0;
    uint16_t pngBits = 0;
    const uint32_t bytes = type == 1 ? (size >= 4 ? size - 4 : 0) : size;
    if (!ReadU32(header, headerSize) || headerSize != 40 || !ReadU32(header + 4, width)) width = 0;
    // A PNG image: its width from its header.
    if (width == 0 && !PngImage(header, bytes, width, pngHeight, pngBits)) width = 0;
    const uint16_t id = static_cast<uint16_t>(name & 0xFFFF);
    if (type == 1) {
        if (index == 0) FirstCursorId = id;
        LastCursorIndex = ImageCount;
    } else {
        if (index == 0) {
            FirstIconIndex = ImageCount;
            IconIndexOffset = static_cast<uint16_t>(ImageCount - id);
        }
        LastIconIndex = ImageCount;
    }
    ImageSizes[ImageCount] = static_cast<uint8_t>(width);
    // No icon is larger than 256 pixels: a larger width makes no icon.
    ImagePixels[ImageCount] = static_cast<uint16_t>(width > MaxIconPixels ? 0 : width);
    ImageEntries[ImageCount] = dataEntry;
    ImageIds[ImageCount] = (name & 0x80000000u) ? NoImageId : id;
    ImageTypes[ImageCount] = type;
    ImageOffsets[ImageCount] = static_cast<uint32_t>(header);
    ImageLengths[ImageCount] = bytes;
    ++ImageCount;
    if (ImageCount == MaxImages) AddMessage(shown, "More than 1666 cursors/icons!", nullptr);
}

int16_t ImageIndexOfId(uint8_t type, uint32_t id) {
    if (type != 1 && type != 3) return -1;
    // Ids that follow one another: the arithmetic gives the index directly.
    const uint16_t guess =
        static_cast<uint16_t>(type == 1 ? static_cast<uint16_t>(id) - FirstCursorId
                                        : static_cast<uint16_t>(id) + IconIndexOffset);
    const int16_t at = static_cast<int16_t>(guess);
    if (at >= 0 && at < ImageCount && ImageTypes[at] == type && ImageIds[at] == id) return at;
    for (int16_t i = 0; i < ImageCount; ++i)
        if (ImageTypes[i] == type && ImageIds[i] == id) return i;
    return -1;
}

int16_t ImageIndexOfEntry(int32_t dataEntry) {
    for (int16_t i = 0; i < ImageCount; ++i)
        if (ImageEntries[i] == dataEntry) return i;
    return -1;
}

void DescribeIconEntry(char* text, int cap, uint8_t width, uint8_t height, uint8_t colors,
                       uint16_t bitCount) {
    const size_t size = static_cast<size_t>(cap);
    // A width or height of 0 stands for 256 pixels.
    const unsigned w = width ? width : 256u, h = height ? height : 256u;
    if (colors != 0)
        std::snprintf(text, size, "%ux%u, %u colors", w, h, colors);
    else if (bitCount == 8)
        std::snprintf(text, size, "%ux%u, 256 colors", w, h);
    else
        std::snprintf(text, size, "%ux%u, 2*%u colors", w, h, bitCount);
}
