// Loading a file into the document with the C library's file functions:
// the path used by orvex-dump and the native tests. The window layer loads
// through the system's file API instead, with the same document steps.
#pragma once
#include <cstdint>

enum class LoadResult {
    Ok,
    OpenFailed,  // missing, locked or no right to read
    TooLarge,    // 2^31 bytes or more: sizes and offsets are 32-bit signed
    NoMemory,
    ReadFailed,
};

// Copies `path` into FileName and loads the file. On any failure after the
// file was opened the document is left empty (ResetDocument), never pointing
// at released memory or at bytes that were not read.
LoadResult LoadDocumentFile(const char* path);

// Releases the block of a file held outside FileArea and empties the
// document.
void UnloadDocumentFile();
