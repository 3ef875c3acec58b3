// The .BMP, .CUR and .ICO files that the export commands write. A file is
// streamed to a sink from the loaded file's bytes: only its directory is
// built in memory, so the viewer and orvex-dump write any file the same way.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Export commands.
constexpr uint16_t ExportBitmaps = 260;
constexpr uint16_t ExportCursors = 261;
constexpr uint16_t ExportIcons = 262;

// Where a built file goes. Write returns false when the bytes could not be
// written; the builder then stops (or, for an image, goes on with the next).
class ByteSink {
  public:
    virtual bool Write(const uint8_t* data, size_t len) = 0;

  protected:
    ~ByteSink() = default;
};

// How building a file ended.
enum class ExportStatus : uint8_t {
    Written,
    NoData,       // nothing of it lies in the file: no byte was written
    TooLarge,     // an offset or the total does not fit in 32 bits: nothing written
    HeadFailed,   // the header or directory could not be written
    ImageFailed,  // an image (or a bitmap's bytes) could not be written
};

// The message for a status that wrote no file (NoData, TooLarge), or "".
const char* ExportStatusText(ExportStatus status);

// The images of one .CUR or .ICO file: table indexes, in the order written,
// and for a group the file offset of each image's group entry (whose size,
// colours and bit count the written directory keeps); empty otherwise.
struct ExportImages {
    std::vector<int16_t> Indexes;
    std::vector<uint32_t> GroupEntries;
};

// The images a GROUP_CURSOR (type 12) or GROUP_ICON (14) resource of `size`
// bytes at `offset` names: as many entries as its bytes hold, however many
// its count claims; ids that name no collected image are left out.
void ReadGroupImages(uint64_t offset, uint32_t size, uint8_t groupType, ExportImages& images);

// A .BMP file of the bitmap resource of `size` bytes at file offset
// `position`.
ExportStatus StreamBmpFile(int32_t position, uint32_t size, ByteSink& sink);

// A .CUR (ExportCursors) or .ICO file of the given images. Indexes outside
// the table and images whose bytes are not in the file are left out.
ExportStatus StreamIconFile(const ExportImages& images, uint16_t command, ByteSink& sink);

// The same files gathered in a vector (up to 64 MiB; larger ones fail), for
// callers that check small files whole. True when the file was built.
bool BuildBmpFile(int32_t position, uint32_t size, std::vector<uint8_t>& out);
bool BuildIconFile(const std::vector<int16_t>& images, uint16_t command, std::vector<uint8_t>& out);

// One file of a folder export.
struct ExportItem {
    std::string Name;      // file name: the entry's text and extension
    int32_t Position = 0;  // the resource bytes
    uint32_t Size = 0;
    std::vector<int16_t> Images;  // a CURSOR or ICON entry: its table index
    uint8_t GroupType = 0;        // a group (12 or 14): its images, read when written
};

// The export command that fits a resource type id (low 8 bits), or 0.
uint16_t ExportCommandOf(uint8_t type);

// A resource's name made safe as a file name inside the export folder:
// path separators and ':' (streams) become '_', and the names ".", ".." and
// the device names (CON, PRN, AUX, NUL, COM1 to COM9, LPT1 to LPT9, with or
// without an extension) get a '_' in front.
std::string SafeFileName(const char* text);

// The files that exporting the resource type node `typeNode` into a folder
// writes, one per child in tree order, named with SafeFileName. The type
// node must be selected (its RvaBias converts the entries).
void PlanFolderExport(int32_t typeNode, uint16_t command, std::vector<ExportItem>& items);

// The images of a planned .CUR or .ICO file.
ExportImages ImagesOf(const ExportItem& item);

// Streams one planned file.
ExportStatus StreamExportFile(const ExportItem& item, uint16_t command, ByteSink& sink);
bool BuildExportFile(const ExportItem& item, uint16_t command, std::vector<uint8_t>& out);
