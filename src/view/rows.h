// A row of the view as the renderers draw it: its characters and the pieces
// it is drawn in, normal or in the mark colours. The builders hand each row
// to a sink: the window layer draws it with TextOutA, orvex-dump prints it.
#pragma once
#include <cstdint>

struct RowPiece {
    int32_t cell;  // first character cell of the piece (0 = left edge)
    int32_t len;   // characters
    bool marked;   // drawn in MarkTextColor on MarkBkColor
};

struct Row {
    const char* text;  // text[i] stands in cell i
    int32_t len;       // cells shown
    RowPiece pieces[5];
    int32_t count;  // pieces; an unmarked row is one piece of len cells
};

class RowSink {
  public:
    virtual void Put(const Row& row) = 0;

  protected:
    ~RowSink() = default;
};
