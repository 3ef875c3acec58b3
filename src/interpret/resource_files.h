// The bytes of the .BMP, .CUR and .ICO files that the export commands
// write: built in memory, written by the caller.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

// Export commands.
constexpr uint16_t ExportBitmaps = 260;
constexpr uint16_t ExportCursors = 261;
constexpr uint16_t ExportIcons = 262;

// A .BMP file of the bitmap resource of `size` bytes at file offset
// `position`. False (out left empty) when the bytes are not in the file.
bool BuildBmpFile(int32_t position, uint32_t size, std::vector<uint8_t>& out);

// A .CUR (ExportCursors) or .ICO file of the images of the table at the
// given indexes, in that order. Indexes outside the table and images whose
// bytes are not in the file are left out; false when none is left.
bool BuildIconFile(const std::vector<int16_t>& images, uint16_t command, std::vector<uint8_t>& out);

// One file of a folder export.
struct ExportItem {
    std::string Name;      // file name: the entry's text and extension
    int32_t Position = 0;  // bitmaps: the resource bytes
    uint32_t Size = 0;
    std::vector<int16_t> Images;  // cursors and icons: table indexes
};

// The export command that fits a resource type id (low 8 bits), or 0.
uint16_t ExportCommandOf(uint8_t type);

// The files that exporting the resource type node `typeNode` into a folder
// writes, one per child in tree order. The type node must be selected (its
// RvaBias converts the entries). Path separators in a name become '_' and
// the names "." and ".." get a '_' in front, so that every file stays in
// the folder.
void PlanFolderExport(int32_t typeNode, uint16_t command, std::vector<ExportItem>& items);

// The bytes of one planned file.
bool BuildExportFile(const ExportItem& item, uint16_t command, std::vector<uint8_t>& out);
