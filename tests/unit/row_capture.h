// Collects built rows as text, with the marked cells shown separately.
#pragma once
#include <string>
#include <vector>

#include "view/rows.h"

struct CapturedRow {
    std::string text;    // the shown cells
    std::string marked;  // '#' under marked cells, ' ' elsewhere
    std::vector<RowPiece> pieces;
};

class CaptureSink final : public RowSink {
public:
    void Put(const Row& row) override {
        CapturedRow r;
        r.text.assign(row.text, static_cast<size_t>(row.len));
        r.marked.assign(static_cast<size_t>(row.len), ' ');
        for (int32_t i = 0; i < row.count; ++i) {
            const RowPiece& p = row.pieces[i];
            r.pieces.push_back(p);
            if (p.marked)
                for (int32_t c = p.cell; c < p.cell + p.len; ++c) r.marked[static_cast<size_t>(c)] = '#';
        }
        rows.push_back(r);
    }
    std::vector<CapturedRow> rows;
};

// The pieces of a row must tile its cells: each cell drawn exactly once.
inline bool PiecesTile(const CapturedRow& r) {
    std::vector<int> drawn(r.text.size(), 0);
    for (const RowPiece& p : r.pieces) {
        if (p.cell < 0 || p.len <= 0 || static_cast<size_t>(p.cell + p.len) > r.text.size()) return false;
        for (int32_t c = p.cell; c < p.cell + p.len; ++c) ++drawn[static_cast<size_t>(c)];
    }
    for (int d : drawn)
        if (d != 1) return false;
    return true;
}
