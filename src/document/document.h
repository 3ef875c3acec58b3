// The one document: the file in memory, the position of the view and the
// mark. Plain process-wide variables, read and written directly.
#pragma once
#include <cstdint>

// View mode ids (the View menu's own ids).
constexpr uint16_t _TEXT_ = 304;
constexpr uint16_t _HEX_ = 305;
constexpr uint16_t _CHAR_ = 306;
constexpr uint16_t _INTERP_ = 307;

// Address mode ids.
constexpr uint16_t AddrZero = 310;
constexpr uint16_t AddrPhysical = 311;
constexpr uint16_t AddrRva = 312;

// A file up to this size is held in FileArea; a larger one in a block.
constexpr int32_t FileAreaSize = 204800;
// Line limits for a file in FileArea and for one held elsewhere.
constexpr int32_t MaxLinesInArea = 32767;
constexpr int32_t MaxLinesInBlock = 83967;
// Sizes and offsets are 32-bit signed: larger files cannot be shown.
constexpr uint64_t MaxFileSize = 0x7FFFFFFF;

// --- the file in memory ---
extern uint8_t* FileBuf;         // first byte of the loaded file
extern int32_t FileSize;         // its size; 0 before any load
extern uint8_t* const FileArea;  // FileAreaSize bytes behind the line table
extern char FileName[256];       // full path
extern char* FileNamePart;       // into FileName: after the last backslash
extern char FileExt[5];          // last four characters, lower-cased
extern uint64_t FileTime;        // last write, local time, in 100 ns units

// --- the view position ---
extern uint16_t Checked;   // chosen view mode: 304..307
extern uint16_t ShowMode;  // drawing mode: 304..306
extern int32_t NumLines;
extern int32_t NumCols;
extern int32_t LineNum;     // 1-based top line of the text view
extern int32_t Col;         // 1-based first column shown
extern int32_t ByteOffset;  // start of the byte range of hex/char views
extern uint32_t NumBytes;   // its length
extern int32_t ByteNum;     // first byte shown, from ByteOffset
extern uint16_t AddrMode;   // 310..312
extern int32_t RvaBias;
extern uint8_t WrapFlag;     // 0 or 8
extern uint8_t ConvertFlag;  // 0 or 8

// --- the mark ---
extern uint8_t MarkState;  // 0 none, 1 byte range, 2 block
extern int32_t MarkStart;  // file offset of the first marked byte
extern int32_t MarkEnd;    // one past the last
extern int32_t BlockCol1;  // a block's columns: BlockCol1 .. BlockCol2 - 1
extern int32_t BlockCol2;
// Sets the block's columns from the column of its first byte and the column
// just past its last byte. When the last byte's column is not right of the
// first's, the block runs from the last byte's column to the first's.
void SetBlockColumns(int32_t first, int32_t end);

// --- view metrics kept by the view window ---
extern int32_t ScreenLines;
extern int32_t ScreenCols;  // also the wrap width
extern int32_t HexCols;
extern int32_t RowBytes;

// Sets FileNamePart and FileExt from FileName.
void SetFileNameParts();

// Where a file of `size` bytes is held: FileArea, or nullptr when it needs a
// block of its own.
uint8_t* AreaFor(int64_t size);

// Forgets the loaded file: an empty document whose buffer is FileArea, with
// the positions, the line table and the mark reset. A load calls it before it
// releases the previous file's memory, so nothing can read released memory
// or bytes that were not read.
void ResetDocument();

// Takes `size` bytes that were read into `buf` (FileArea, or a block when
// size > FileAreaSize) as the document, as a successful load leaves it:
// positions reset, the line table built at once in text mode.
void AdoptFile(uint8_t* buf, int32_t size);
