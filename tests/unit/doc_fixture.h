// Puts bytes into the document as a load does, for the tests of the core.
#pragma once
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "document/document.h"
#include "document/line_index.h"
#include "view/view_nav.h"

class DocTest : public ::testing::Test {
  protected:
    void SetUp() override {
        Checked = ShowMode = _TEXT_;
        WrapFlag = ConvertFlag = 0;
        ScreenCols = 80;
        AddrMode = AddrPhysical;
        RvaBias = 0;
        ResetDocument();
    }
    void TearDown() override { ResetDocument(); }

    // Loads `bytes` where a load would hold them: FileArea up to its size, a block of exactly the
    // file's size above it (so ASan sees any overrun).
    void Load(const std::string& bytes) {
        uint8_t* buf = AreaFor(static_cast<int64_t>(bytes.size()));
        if (!buf) {
            block.assign(bytes.begin(), bytes.end());
            buf = block.data();
        } else if (!bytes.empty()) {
            std::memcpy(buf, bytes.data(), bytes.size());
        }
        AdoptFile(buf, static_cast<int32_t>(bytes.size()));
    }
    // Loads `bytes` to be shown in `mode`.
    void LoadIn(uint16_t mode, const std::string& bytes) {
        Checked = ShowMode = mode;
        Load(bytes);
        SetRowMetrics();
    }

  public:
    static uint32_t Start(int32_t line) { return LinePtr[line] & LineOffsetMask; }
    static bool Real(int32_t line) { return (LinePtr[line] & RealLine) != 0; }
    std::vector<uint8_t> block;
};
