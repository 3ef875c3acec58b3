#include "view/row_draw.h"

#include "appearance/appearance.h"
#include "view/hex_rows.h"
#include "view/text_rows.h"

namespace {

// Draws each row at its y with TextOutA, switching to the mark colours only
// around the marked pieces.
class DcSink final : public RowSink {
  public:
    // The cell width is measured: a TrueType face leaves FontWidth at 0.
    DcSink(HDC hdc, int x, int y, int dy) : hdc_(hdc), x_(x), y_(y), dy_(dy) {
        SIZE a{};
        GetTextExtentPoint32A(hdc, "A", 1, &a);
        cell_ = a.cx > 0 ? a.cx : 1;
    }

    void Put(const Row& row) override {
        for (int32_t i = 0; i < row.count; ++i) {
            const RowPiece& piece = row.pieces[i];
            if (piece.len <= 0) continue;
            if (piece.marked) {
                SetTextColor(hdc_, MarkTextColor);
                SetBkColor(hdc_, MarkBkColor);
            }
            TextOutA(hdc_, x_ + cell_ * piece.cell, y_, row.text + piece.cell, piece.len);
            if (piece.marked) {
                SetTextColor(hdc_, TextColor);
                SetBkColor(hdc_, BkColor);
            }
        }
        y_ += dy_;
    }

    int y() const { return y_; }

  private:
    HDC hdc_;
    int x_;
    int y_;
    int dy_;
    int cell_;
};

}  // namespace

int DrawTextLines(HDC hdc, int x, int y, int dy, int32_t rows, int32_t cols, int32_t first,
                  int32_t col, int32_t digits, int32_t mark) {
    DcSink sink(hdc, x, y, dy);
    BuildTextRows(rows, cols, first, col, digits, mark, sink);
    return sink.y();
}

int DrawHexLines(HDC hdc, int x, int y, int dy, int32_t rows, int32_t rowbytes, int32_t width,
                 int32_t first, int32_t col, int32_t mark) {
    DcSink sink(hdc, x, y, dy);
    BuildHexRows(rows, rowbytes, width, first, col, mark, sink);
    return sink.y();
}
