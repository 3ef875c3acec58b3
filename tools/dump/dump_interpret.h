// orvex-dump's interpretation modes: the tree, the export and import
// listings, and the folder export of bitmaps, cursors and icons.
#pragma once
#include <cstdio>

enum class InterpDump { Tree, Exports, Imports, Extract };

// Builds the tree of the loaded file and prints or writes what `what`
// asks for (`dir`: the folder of --extract). Returns the exit status.
int DumpInterpretation(InterpDump what, const char* dir, std::FILE* out, std::FILE* err);
