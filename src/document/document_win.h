// The Win32 side of the document: the handles of the file and its block, and
// reading a file through the system's file API.
#pragma once
#include <windows.h>

#include <cstdint>

extern HANDLE hFile;      // the file while it is read; 0 otherwise
extern HGLOBAL hFileMem;  // block of a file above FileAreaSize; 0 otherwise

// Where a load stopped. The numbers are the ones the error boxes show.
enum LoadStep : unsigned {
    LoadDone = 0,
    LoadOpenFailed = 2126,    // CreateFileA
    LoadMemoryFailed = 3732,  // GlobalAlloc
    LoadReadFailed = 1934,    // ReadFile
    LoadTooLarge = 1,         // 2^31 bytes or more
};

struct LoadOutcome {
    LoadStep step;
    DWORD code;  // GetLastError() of the failing call
};

// Releases the block of the loaded file, if any, and empties the document.
void ReleaseDocumentWin();

// Opens FileName, takes its local last-write time and size, and reads it into
// FileArea or a new block. The previous document stays when the file cannot
// be opened, is too large or gets no memory; once reading starts it is gone,
// and a failed read leaves an empty document. `opened`, when given, is called
// once the file is open, its size accepted and the previous document
// released, just before the contents are read.
LoadOutcome LoadDocumentWin(void (*opened)(int32_t size) = nullptr);
