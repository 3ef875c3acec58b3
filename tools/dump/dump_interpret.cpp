#include "dump_interpret.h"

#include <cerrno>
#include <cstring>
#include <new>
#include <string>
#include <vector>

#if defined(_WIN32)
#include <direct.h>
#else
#include <sys/stat.h>
#endif

#include "document/document.h"
#include "interpret/interp_tree.h"
#include "interpret/listings.h"
#include "interpret/resource_files.h"
#include "interpret/selection.h"

namespace {

void PrintMessages(const UserMessages& shown, std::FILE* err) {
    for (const UserMessage& m : shown)
        std::fprintf(err, "orvex-dump: %s%s%s\n", m.Caption, m.Caption[0] ? ": " : "", m.Text);
}

void PrintTree(int32_t node, int depth, std::FILE* out) {
    for (; node >= 0; node = TreeNodes[static_cast<size_t>(node)].NextSibling) {
        const TreeNode& n = TreeNodes[static_cast<size_t>(node)];
        std::fprintf(out, "%*s%s\n", 2 * depth, "", n.Text);
        PrintTree(n.FirstChild, depth + 1, out);
    }
}

class PrintListing final : public ListingSink {
  public:
    explicit PrintListing(std::FILE* out) : out_(out) {}
    void Put(const ListingLine& line) override {
        std::string text = line.Text;
        if (line.Name[0]) {
            text.resize(15, ' ');
            text += line.Name;
        }
        while (!text.empty() && text.back() == ' ') text.pop_back();
        std::fprintf(out_, "%s\n", text.c_str());
    }

  private:
    std::FILE* out_;
};

// Visits the nodes in the order the tree shows them.
template <typename Visit>
void ForEachNode(int32_t node, Visit& visit) {
    for (; node >= 0; node = TreeNodes[static_cast<size_t>(node)].NextSibling) {
        visit(node);
        ForEachNode(TreeNodes[static_cast<size_t>(node)].FirstChild, visit);
    }
}

void DumpExports(std::FILE* out, std::FILE* err) {
    UserMessages shown;
    for (size_t i = 0; i < TreeNodes.size(); ++i) {
        if (TreeNodes[i].Kind != KindExports || InterpKind != InterpExe) continue;
        SelectNode(static_cast<int32_t>(i), shown);
        PrintMessages(shown, err);
        PrintListing sink(out);
        ListExportLines(1, NumLines, sink);
        return;
    }
}

void DumpImports(std::FILE* out, std::FILE* err) {
    if (InterpKind != InterpExe) return;
    auto visit = [&](int32_t node) {
        if (TreeNodes[static_cast<size_t>(node)].Kind != KindLibrary) return;
        UserMessages shown;
        SelectNode(node, shown);
        PrintMessages(shown, err);
        std::fprintf(out, "%s\n", TreeNodes[static_cast<size_t>(node)].Text);
        PrintListing sink(out);
        ListImportLines(1, NumLines, sink);
    };
    ForEachNode(RootNode, visit);
}

bool MakeDir(const std::string& path) {
#if defined(_WIN32)
    const int r = _mkdir(path.c_str());
#else
    const int r = mkdir(path.c_str(), 0777);
#endif
    return r == 0 || errno == EEXIST;
}

class FileSink final : public ByteSink {
  public:
    explicit FileSink(std::FILE* f) : f_(f) {}
    bool Write(const uint8_t* data, size_t len) override {
        return std::fwrite(data, 1, len, f_) == len;
    }

  private:
    std::FILE* f_;
};

class NullSink final : public ByteSink {
  public:
    bool Write(const uint8_t*, size_t) override { return true; }
};

// Writes one file of a folder export; false when the disk refused it.
bool ExtractItem(const ExportItem& item, uint16_t command, const std::string& path,
                 std::FILE* err) {
    // A file that cannot be built is told and not created.
    NullSink dry;
    const ExportStatus check = StreamExportFile(item, command, dry);
    if (check != ExportStatus::Written) {
        std::fprintf(err, "orvex-dump: %s: %s\n", path.c_str(), ExportStatusText(check));
        return true;
    }
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) {
        std::fprintf(err, "orvex-dump: cannot write %s: %s\n", path.c_str(), std::strerror(errno));
        return false;
    }
    FileSink sink(f);
    const bool ok = StreamExportFile(item, command, sink) == ExportStatus::Written;
    if (std::fclose(f) == 0 && ok) return true;
    std::fprintf(err, "orvex-dump: cannot write %s\n", path.c_str());
    return false;
}

int ExtractType(int32_t node, const char* dir, std::FILE* err) {
    UserMessages shown;
    SelectNode(node, shown);
    const uint16_t command = ExportCmd;
    std::vector<ExportItem> items;
    PlanFolderExport(node, command, items);
    const std::string folder =
        std::string(dir) + "/" + SafeFileName(TreeNodes[static_cast<size_t>(node)].Text);
    if (!MakeDir(folder)) {
        std::fprintf(err, "orvex-dump: cannot create %s: %s\n", folder.c_str(),
                     std::strerror(errno));
        return 2;
    }
    for (const ExportItem& item : items) {
        const std::string path = folder + "/" + item.Name;
        try {
            if (!ExtractItem(item, command, path, err)) return 2;
        } catch (const std::bad_alloc&) {
            std::fprintf(err, "orvex-dump: %s: not enough memory\n", path.c_str());
        }
    }
    return 0;
}

int DumpExtract(const char* dir, std::FILE* err) {
    if (InterpKind != InterpExe) return 0;
    if (!MakeDir(dir)) {
        std::fprintf(err, "orvex-dump: cannot create %s: %s\n", dir, std::strerror(errno));
        return 2;
    }
    int status = 0;
    auto visit = [&](int32_t node) {
        const uint16_t kind = TreeNodes[static_cast<size_t>(node)].Kind;
        if (status == 0 && (kind & 0xFF) == KindResType && ExportCommandOf(kind >> 8))
            status = ExtractType(node, dir, err);
    };
    ForEachNode(RootNode, visit);
    return status;
}

// The root shows the file's name without its folders, whichever separator
// the path uses.
void UseBaseName() {
    char* slash = std::strrchr(FileNamePart, '/');
    if (slash) FileNamePart = slash + 1;
}

}  // namespace

int DumpInterpretation(InterpDump what, const char* dir, std::FILE* out, std::FILE* err) {
    UseBaseName();
    try {
        UserMessages shown;
        BuildInterpTree(shown);
        PrintMessages(shown, err);
        switch (what) {
        case InterpDump::Tree:
            PrintTree(RootNode, 0, out);
            if (InterpKind == InterpNone) std::fputs("Cannot interpret this file!\n", out);
            return 0;
        case InterpDump::Exports: DumpExports(out, err); return 0;
        case InterpDump::Imports: DumpImports(out, err); return 0;
        case InterpDump::Extract: return DumpExtract(dir, err);
        }
    } catch (const std::bad_alloc&) {
        std::fprintf(err, "orvex-dump: not enough memory\n");
        return 2;
    }
    return 0;
}
