// Bounds-checked reads from the loaded file. Every offset and length is
// checked against FileSize in 64-bit arithmetic before a byte is touched;
// a read that does not fit returns false and leaves its result unchanged.
#pragma once
#include <cstdint>
#include <cstring>

#include "document/document.h"

inline bool InFile(uint64_t offset, uint64_t len) {
    const uint64_t size = FileSize > 0 ? static_cast<uint64_t>(FileSize) : 0;
    return offset <= size && len <= size - offset;
}

inline bool ReadU8(uint64_t offset, uint8_t& v) {
    if (!InFile(offset, 1)) return false;
    v = FileBuf[offset];
    return true;
}

inline bool ReadU16(uint64_t offset, uint16_t& v) {
    if (!InFile(offset, 2)) return false;
    const uint8_t* p = FileBuf + offset;
    v = static_cast<uint16_t>(p[0] | p[1] << 8);
    return true;
}

inline bool ReadU32(uint64_t offset, uint32_t& v) {
    if (!InFile(offset, 4)) return false;
    const uint8_t* p = FileBuf + offset;
    v = static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
        static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
    return true;
}

inline bool ReadU64(uint64_t offset, uint64_t& v) {
    uint32_t lo = 0, hi = 0;
    if (!InFile(offset, 8)) return false;
    ReadU32(offset, lo);
    ReadU32(offset + 4, hi);
    v = static_cast<uint64_t>(hi) << 32 | lo;
    return true;
}

// Big-endian, for TrueType files.
inline bool ReadU16BE(uint64_t offset, uint16_t& v) {
    if (!InFile(offset, 2)) return false;
    const uint8_t* p = FileBuf + offset;
    v = static_cast<uint16_t>(p[0] << 8 | p[1]);
    return true;
}

inline bool ReadU32BE(uint64_t offset, uint32_t& v) {
    if (!InFile(offset, 4)) return false;
    const uint8_t* p = FileBuf + offset;
    v = static_cast<uint32_t>(p[0]) << 24 | static_cast<uint32_t>(p[1]) << 16 |
        static_cast<uint32_t>(p[2]) << 8 | static_cast<uint32_t>(p[3]);
    return true;
}

// File offset of an RVA given the bias of its section: RVA - bias, in 32-bit
// arithmetic as the addresses are 32-bit.
inline uint32_t RvaToOffset(uint32_t rva, int32_t bias) {
    return rva - static_cast<uint32_t>(bias);
}

// Copies the zero-terminated string at `offset` into buf (cap bytes with the
// NUL), cut at the buffer's end and at the end of the file. False when the
// offset lies outside the file (buf then holds "").
inline bool ReadCString(uint64_t offset, char* buf, size_t cap) {
    buf[0] = '\0';
    if (cap == 0 || !InFile(offset, 0)) return false;
    const uint64_t avail = static_cast<uint64_t>(FileSize) - offset;
    const size_t most = avail < cap - 1 ? static_cast<size_t>(avail) : cap - 1;
    const uint8_t* p = FileBuf + offset;
    const void* end = std::memchr(p, 0, most);
    const size_t n = end ? static_cast<size_t>(static_cast<const uint8_t*>(end) - p) : most;
    std::memcpy(buf, p, n);
    buf[n] = '\0';
    return offset < static_cast<uint64_t>(FileSize);
}
