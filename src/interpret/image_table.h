// The table of cursor and icon images collected while the tree is built:
// CURSOR and ICON resources of an executable, or the images of an icon or
// cursor file. The icon handles made from them belong to the window layer.
#pragma once
#include <cstdint>

#include "interpret/image_pane.h"
#include "interpret/interp_tree.h"

constexpr int16_t MaxImages = 1666;
constexpr uint32_t NoImageId = 0xFFFFFFFFu;  // a named resource entry

extern int16_t ImageCount;
extern uint8_t ImageSizes[MaxImages];  // width in pixels, low 8 bits
// The width the image is drawn at: as ImageSizes up to 255 pixels; larger
// images (256 pixels, often PNG) keep 0 in the one-byte table, as .ICO
// directories write 256, and their width here. 0: no image to draw (also
// for a header wider than any icon).
extern uint16_t ImagePixels[MaxImages];
constexpr uint32_t MaxIconPixels = 256;  // the largest icon there is
extern int32_t ImageEntries[MaxImages];  // executables: the data entry
extern uint32_t ImageIds[MaxImages];     // executables: the entry's id
extern uint8_t ImageTypes[MaxImages];    // executables: 1 cursor, 3 icon
// Where each image's bytes lie in the file (a cursor's without its hotspot)
// and how many there are: what an icon is made from.
extern uint32_t ImageOffsets[MaxImages];
extern uint32_t ImageLengths[MaxImages];

// Cursors occupy 0 .. LastCursorIndex, icons FirstIconIndex ..
// LastIconIndex (-1 as the last index when there is none).
extern int16_t LastCursorIndex;
extern uint16_t FirstCursorId;
extern int16_t FirstIconIndex;
extern int16_t LastIconIndex;
extern uint16_t IconIndexOffset;

// Empties the table for a new reading.
void ResetImageTable();

// Collects the CURSOR (type 1) or ICON (type 3) resource entry at position
// `index` of its type's directory, whose data entry is at `dataEntry`;
// `bias` converts its RVA. Adds the limit message when the table fills.
void CollectResourceImage(uint8_t type, uint32_t index, uint32_t name, int32_t dataEntry,
                          int32_t bias, UserMessages& shown);

// Table index of the cursor (type 1) or icon (type 3) with the given id, or
// -1 when no collected image has it. Ids that follow one another give the
// index of the id arithmetic; gaps and odd orders are found by lookup.
int16_t ImageIndexOfId(uint8_t type, uint32_t id);

// Table index of the image collected from the data entry at `dataEntry`
// (the entry's own image, named or numbered), or -1.
int16_t ImageIndexOfEntry(int32_t dataEntry);

// The description of an icon file entry: "32x32, 16 colors" and so on.
void DescribeIconEntry(char* text, int cap, uint8_t width, uint8_t height, uint8_t colors,
                       uint16_t bitCount);
