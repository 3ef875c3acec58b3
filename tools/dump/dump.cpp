#include "dump.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "document/document.h"
#include "document/file_load.h"
#include "document/line_index.h"
#include "document/text_number.h"
#include "dump_interpret.h"
#include "view/hex_rows.h"
#include "view/text_rows.h"

namespace {

const char Usage[] =
    "Usage: orvex-dump [--text | --hex | --char] [--wrap COLS] [--width COLS]\n"
    "                  [--convert] [--addr zero|physical|rva] [--from N]\n"
    "                  [--rows N] FILE\n"
    "       orvex-dump --tree [--addr zero|physical|rva] FILE\n"
    "       orvex-dump --exports FILE | --imports FILE | --extract DIR FILE\n"
    "\n"
    "Prints the rows that the Orvex viewer draws for FILE, one per line, with\n"
    "trailing blanks removed.\n"
    "\n"
    "  --text          text rows (the default): tabs every 8 columns\n"
    "  --hex           hex rows: address, 16 bytes in hex and their characters\n"
    "  --char          char rows: address and 64 characters\n"
    "  --wrap COLS     text: wrap lines at COLS columns\n"
    "  --width COLS    text: row width (default: the widest line)\n"
    "  --convert       hex, char: show bytes below 0x20 and above 0x7F as '.'\n"
    "  --addr MODE     hex, char: zero (zero-based), physical (the default) or\n"
    "                  rva (relative virtual address; 0 for a whole file)\n"
    "  --from N        text: first line, 1-based decimal (default 1);\n"
    "                  hex, char: first byte, hexadecimal (default 0)\n"
    "  --rows N        at most N rows (default: to the end)\n"
    "  --tree          the interpretation tree, one node a line, two blanks\n"
    "                  more per level; --addr chooses the addresses shown\n"
    "  --exports       the export listing of an executable\n"
    "  --imports       each imported library's name and its import listing\n"
    "  --extract DIR   writes the bitmaps, cursors and icons of an executable\n"
    "                  as DIR/TYPE/NAME.BMP, .CUR or .ICO\n"
    "  --help          this text\n"
    "\n"
    "Exit status: 0 done, 1 the file has too many lines for text mode,\n"
    "2 the file cannot be read, 3 wrong usage.\n";

// Collects rows into a large buffer and writes it out in big pieces.
class PrintSink final : public RowSink {
  public:
    explicit PrintSink(std::FILE* out) : out_(out), buf_(Capacity) {}
    ~PrintSink() { Flush(); }

    void Put(const Row& row) override {
        size_t len = row.len > 0 ? static_cast<size_t>(row.len) : 0;
        while (len > 0 && row.text[len - 1] == ' ') --len;
        if (buf_.size() - used_ < len + 1) {
            Flush();
            if (buf_.size() < len + 1) buf_.resize(len + 1);
        }
        std::memcpy(buf_.data() + used_, row.text, len);
        used_ += len;
        buf_[used_++] = '\n';
    }

    void Flush() {
        if (used_) std::fwrite(buf_.data(), 1, used_, out_);
        used_ = 0;
    }

  private:
    static constexpr size_t Capacity = 1 << 20;
    std::FILE* out_;
    std::vector<char> buf_;
    size_t used_ = 0;
};

struct Options {
    uint16_t mode = _TEXT_;
    int32_t wrap = 0;
    int32_t width = 0;
    bool convert = false;
    uint16_t addr = AddrPhysical;
    const char* from = nullptr;
    int64_t rows = -1;
    const char* file = nullptr;
    bool interp = false;
    InterpDump what = InterpDump::Tree;
    const char* dir = nullptr;
};

bool TooMany = false;
void NoteTooManyLines() { TooMany = true; }

bool ParseCount(const char* text, int64_t max, int64_t& value) {
    if (!text || !*text) return false;
    char* end = nullptr;
    const long long v = std::strtoll(text, &end, 10);
    if (*end != '\0' || v < 0 || v > max) return false;
    value = v;
    return true;
}

// Returns 0 when the command line is good, else prints why and returns 3.
int ParseOptions(int argc, char** argv, Options& o, std::FILE* out, std::FILE* err) {
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        const char* next = i + 1 < argc ? argv[i + 1] : nullptr;
        int64_t v = 0;
        if (a == "--help" || a == "-h") {
            std::fputs(Usage, out);
            return -1;
        } else if (a == "--text") {
            o.mode = _TEXT_;
        } else if (a == "--hex") {
            o.mode = _HEX_;
        } else if (a == "--char") {
            o.mode = _CHAR_;
        } else if (a == "--tree" || a == "--exports" || a == "--imports") {
            o.interp = true;
            o.what = a == "--tree"      ? InterpDump::Tree
                     : a == "--exports" ? InterpDump::Exports
                                        : InterpDump::Imports;
        } else if (a == "--extract") {
            if (!next) {
                std::fprintf(err, "orvex-dump: --extract needs a folder\n");
                return 3;
            }
            o.interp = true;
            o.what = InterpDump::Extract;
            o.dir = next;
            ++i;
        } else if (a == "--convert") {
            o.convert = true;
        } else if (a == "--wrap" || a == "--width" || a == "--rows") {
            if (!ParseCount(next, a == "--rows" ? INT64_MAX : 1 << 24, v) ||
                (a != "--rows" && v < 1)) {
                std::fprintf(err, "orvex-dump: %s needs a number\n", a.c_str());
                return 3;
            }
            if (a == "--wrap") o.wrap = static_cast<int32_t>(v);
            if (a == "--width") o.width = static_cast<int32_t>(v);
            if (a == "--rows") o.rows = v;
            ++i;
        } else if (a == "--from") {
            if (!next) {
                std::fprintf(err, "orvex-dump: --from needs a number\n");
                return 3;
            }
            o.from = next;
            ++i;
        } else if (a == "--addr") {
            const std::string m = next ? next : "";
            if (m == "zero")
                o.addr = AddrZero;
            else if (m == "physical")
                o.addr = AddrPhysical;
            else if (m == "rva")
                o.addr = AddrRva;
            else {
                std::fprintf(err, "orvex-dump: --addr takes zero, physical or rva\n");
                return 3;
            }
            ++i;
        } else if (a.size() > 1 && a[0] == '-') {
            std::fprintf(err, "orvex-dump: unknown option %s (see --help)\n", a.c_str());
            return 3;
        } else if (!o.file) {
            o.file = argv[i];
        } else {
            std::fprintf(err, "orvex-dump: only one FILE is read\n");
            return 3;
        }
    }
    if (!o.file) {
        std::fputs(Usage, err);
        return 3;
    }
    return 0;
}

int Load(const Options& o, std::FILE* err) {
    TooMany = false;
    TooManyLinesHandler = NoteTooManyLines;
    switch (LoadDocumentFile(o.file)) {
    case LoadResult::Ok: return 0;
    case LoadResult::OpenFailed:
        std::fprintf(err, "orvex-dump: cannot open %s: %s\n", o.file, std::strerror(errno));
        return 2;
    case LoadResult::TooLarge:
        std::fprintf(err,
                     "orvex-dump: %s is too large: files of 2 GiB or more cannot be "
                     "shown\n",
                     o.file);
        return 2;
    case LoadResult::NoMemory:
        std::fprintf(err, "orvex-dump: not enough memory to load %s\n", o.file);
        return 2;
    case LoadResult::ReadFailed:
        std::fprintf(err, "orvex-dump: cannot read %s\n", o.file);
        return 2;
    }
    return 2;
}

int DumpText(const Options& o, std::FILE* out, std::FILE* err) {
    if (TooMany || NumLines > MaxLines) {
        std::fputs("This file has too many lines for me to handle.\n", err);
        return 1;
    }
    const int64_t first = o.from ? ParseDec(o.from) : 1;
    if (first < 1 || first > NumLines) return 0;
    int64_t rows = NumLines - first + 1;
    if (o.rows >= 0 && o.rows < rows) rows = o.rows;
    const int32_t width = o.width ? o.width : NumCols;
    PrintSink sink(out);
    BuildTextRows(static_cast<int32_t>(rows), width, static_cast<int32_t>(first), 1, 0, 0, sink);
    return 0;
}

int DumpBytes(const Options& o, std::FILE* out) {
    const uint32_t first = o.from ? ParseHex(o.from) : 0;
    if (first > MaxFileSize) return 0;
    const int64_t per = RowBytes;
    const int64_t left = static_cast<int64_t>(NumBytes) - first;
    int64_t rows = left > 0 ? (left + per - 1) / per : 1;
    if (o.rows >= 0 && o.rows < rows) rows = o.rows;
    if (rows == 0) return 0;
    PrintSink sink(out);
    // Rows are built in batches so that the row count stays in 32 bits.
    int64_t p = first;
    while (rows > 0) {
        const int32_t batch = static_cast<int32_t>(std::min<int64_t>(rows, 1 << 20));
        BuildHexRows(batch, RowBytes, HexCols, static_cast<int32_t>(p), 1, 0, sink);
        rows -= batch;
        p += batch * per;
    }
    return 0;
}

}  // namespace

int RunDump(int argc, char** argv, std::FILE* out, std::FILE* err) {
    Options o;
    const int usage = ParseOptions(argc, argv, o, out, err);
    if (usage < 0) return 0;
    if (usage) return usage;

    Checked = o.interp ? _INTERP_ : o.mode;
    ShowMode = o.mode;
    AddrMode = o.addr;
    RvaBias = 0;
    ConvertFlag = o.convert ? 8 : 0;
    WrapFlag = o.wrap ? 8 : 0;
    ScreenCols = o.wrap;
    RowBytes = o.mode == _CHAR_ ? 64 : 16;
    HexCols = o.mode == _CHAR_ ? CharRowWidth : HexRowWidth;

    const int loaded = Load(o, err);
    if (loaded) return loaded;
    if (o.interp) {
        const int status = DumpInterpretation(o.what, o.dir, out, err);
        std::fflush(out);
        return status;
    }
    const int status = o.mode == _TEXT_ ? DumpText(o, out, err) : DumpBytes(o, out);
    std::fflush(out);
    return status;
}
