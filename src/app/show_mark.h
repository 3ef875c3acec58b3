// Showing the mark: the view position that brings the marked area into sight
// after a search hit, Show Marked Area and the end of Mark Bytes.
#pragma once
#include <cstdint>

enum ShowMarkStatus : uint8_t {
    MarkShown,       // the view position now shows the mark
    MarkNothing,     // nothing is marked; the position is unchanged
    MarkNotInTable,  // interpret mode: the mark lies outside the selected table
};

// Moves LineNum and Col (text drawing) or ByteNum (hex and char drawing) so
// that the mark is in view, when it is not already.
ShowMarkStatus ShowMarkPosition();
