// The export and import listings as lines of text, built afresh from the
// file at each call for the lines asked for. The window layer draws them
// with TextOutA; orvex-dump prints them.
#pragma once
#include <cstdint>

// Line counts: the export directory at `position` (names + 2 headings) and
// the import descriptor at `position` (its thunks up to the first zero).
// RVAs are converted with RvaBias.
int32_t CountExports(int32_t position);
int32_t CountImports(int32_t position);

// Horizontal offset, in device units, of an imported name.
constexpr int ImportNameIndent = 120;

struct ListingLine {
    char Text[256];  // drawn at the line's start; may be empty
    char Name[256];  // imports: drawn ImportNameIndent units to the right
};

class ListingSink {
  public:
    virtual void Put(const ListingLine& line) = 0;

  protected:
    ~ListingSink() = default;
};

// The lines of the listing selected in the tree (ByteOffset, RvaBias,
// NumLines) from the 1-based line firstLine, at most maxLines of them; the
// export listing always gives the heading lines firstLine asks for and its
// first name line.
void ListExportLines(int32_t firstLine, int32_t maxLines, ListingSink& sink);
void ListImportLines(int32_t firstLine, int32_t maxLines, ListingSink& sink);
