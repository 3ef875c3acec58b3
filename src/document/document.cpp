#include "document/document.h"

#include <cstring>

#include "document/line_index.h"
#include "document/text_number.h"

namespace {
// The line table and FileArea share one store: a file held in FileArea
// leaves the table its first MaxLinesInArea + 1 entries; a file held in a
// block of its own lets the table grow over FileArea as well.
constexpr size_t TableBytesInArea = (MaxLinesInArea + 1) * sizeof(uint32_t);
static_assert((MaxLinesInBlock + 1) * sizeof(uint32_t) == TableBytesInArea + FileAreaSize,
              "the grown table covers exactly the table and FileArea");
alignas(64) uint32_t DocumentStore[(MaxLinesInBlock + 1)];
}  // namespace

uint32_t* const LinePtr = DocumentStore;
uint8_t* const FileArea = reinterpret_cast<uint8_t*>(DocumentStore) + TableBytesInArea;

uint8_t* FileBuf = FileArea;
int32_t FileSize = 0;
char FileName[256];
char* FileNamePart = FileName;
char FileExt[5];
uint64_t FileTime = 0;

uint16_t Checked = _TEXT_;
uint16_t ShowMode = _TEXT_;
int32_t NumLines = 1;
int32_t NumCols = 1;
int32_t LineNum = 1;
int32_t Col = 1;
int32_t ByteOffset = 0;
uint32_t NumBytes = 0;
int32_t ByteNum = 0;
uint16_t AddrMode = AddrPhysical;
int32_t RvaBias = 0;
uint8_t WrapFlag = 0;
uint8_t ConvertFlag = 0;

uint8_t MarkState = 0;
int32_t MarkStart = 0;
int32_t MarkEnd = 0;
int32_t BlockCol1 = 0;
int32_t BlockCol2 = 0;

int32_t ScreenLines = 0;
int32_t ScreenCols = 0;
int32_t HexCols = 71;
int32_t RowBytes = 16;

void SetFileNameParts() {
    FileName[sizeof FileName - 1] = '\0';
    FileNamePart = NamePart(FileName);
    // The last four characters, each OR-ed with 0x20; a shorter name gives
    // only what it has, never bytes from before the start of FileName.
    const size_t len = std::strlen(FileName);
    const size_t take = len < 4 ? len : 4;
    size_t i = 0;
    for (; i < take; ++i) FileExt[i] = static_cast<char>(FileName[len - take + i] | 0x20);
    FileExt[i] = '\0';
}

uint8_t* AreaFor(int64_t size) { return size <= FileAreaSize ? FileArea : nullptr; }

namespace {
void ResetPositions() {
    ByteOffset = 0;
    ByteNum = 0;
    NumCols = 1;
    Col = 1;
    NumLines = 1;
    LineNum = 1;
    MarkState = 0;
    MarkStart = 0;
    MarkEnd = 0;
}
}  // namespace

void ResetDocument() {
    FileBuf = FileArea;
    FileSize = 0;
    NumBytes = 0;
    MaxLines = MaxLinesInArea;
    ResetPositions();
    ClearLineTable();
}

void AdoptFile(uint8_t* buf, int32_t size) {
    FileBuf = buf;
    FileSize = size < 0 ? 0 : size;
    NumBytes = static_cast<uint32_t>(FileSize);
    MaxLines = buf == FileArea ? MaxLinesInArea : MaxLinesInBlock;
    ResetPositions();
    ClearLineTable();
    if (Checked == _TEXT_) GetLinePtrs(0, FileSize);
}

void SetBlockColumns(int32_t first, int32_t end) {
    if (first < end) {
        BlockCol1 = first;
        BlockCol2 = end;
    } else {
        BlockCol1 = end - 1;
        BlockCol2 = first + 1;
    }
}
