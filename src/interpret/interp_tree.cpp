#include "interpret/interp_tree.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "document/document.h"
#include "document/text_number.h"
#include "interpret/file_bytes.h"
#include "interpret/image_table.h"

uint8_t InterpKind = InterpNone;
std::vector<TreeNode> TreeNodes;
std::vector<int32_t> SectionBias;
std::vector<int32_t> SectionNode;
uint8_t ThunkSize = 4;

void AddMessage(UserMessages& list, const char* text, const char* caption) {
    UserMessage m;
    std::snprintf(m.Text, sizeof m.Text, "%s", text);
    std::snprintf(m.Caption, sizeof m.Caption, "%s", caption ? caption : "");
    list.push_back(m);
}

int32_t AddNode(int32_t parent, const char* text, int32_t section, uint16_t kind, int32_t ref,
                uint8_t hasChildren, bool sorted) {
    TreeNode n;
    std::snprintf(n.Text, sizeof n.Text, "%s", text);
    n.HasChildren = hasChildren;
    n.Section = section;
    n.Kind = kind;
    n.Ref = ref;
    n.Parent = parent;
    n.FirstChild = -1;
    n.NextSibling = -1;
    n.Sorted = sorted ? 1 : 0;
    n.Expanded = 0;
    TreeNodes.push_back(n);
    return static_cast<int32_t>(TreeNodes.size() - 1);
}

int CompareNodeText(const char* a, const char* b) {
    for (;; ++a, ++b) {
        unsigned ca = static_cast<unsigned char>(*a);
        unsigned cb = static_cast<unsigned char>(*b);
        if (ca >= 'A' && ca <= 'Z') ca |= 0x20;
        if (cb >= 'A' && cb <= 'Z') cb |= 0x20;
        if (ca != cb) return ca < cb ? -1 : 1;
        if (ca == 0) return 0;
    }
}

int32_t ContainingSection(uint32_t rva) {
    int32_t best = 0;
    int32_t found = NoSection;
    const int32_t target = static_cast<int32_t>(rva);
    for (size_t i = 0; i < SectionBias.size(); ++i) {
        const TreeNode& n = TreeNodes[static_cast<size_t>(SectionNode[i])];
        // The section node's Ref is its header's VirtualAddress field.
        uint32_t field = 0;
        ReadU32(static_cast<uint64_t>(n.Ref), field);
        const int32_t va = static_cast<int32_t>(field);
        if (va <= target && va > best) {
            best = va;
            found = static_cast<int32_t>(i);
        }
    }
    return found;
}

void ClearInterpTree() {
    TreeNodes.clear();
    SectionBias.clear();
    SectionNode.clear();
    ThunkSize = 4;
    InterpKind = InterpNone;
    ResetImageTable();
}

namespace {

// Links every node's children: appended children in the order they were
// added, sorted ones by text (equal texts keep the order they were added).
void LinkChildren() {
    const size_t count = TreeNodes.size();
    std::vector<int32_t> start(count + 1, 0);
    for (size_t i = 1; i < count; ++i) ++start[static_cast<size_t>(TreeNodes[i].Parent) + 1];
    for (size_t i = 0; i < count; ++i) start[i + 1] += start[i];
    std::vector<int32_t> order(count > 0 ? count - 1 : 0);
    std::vector<int32_t> fill(start.begin(), start.end() - 1);
    for (size_t i = 1; i < count; ++i)
        order[static_cast<size_t>(fill[static_cast<size_t>(TreeNodes[i].Parent)]++)] =
            static_cast<int32_t>(i);
    for (size_t p = 0; p < count; ++p) {
        auto first = order.begin() + start[p];
        auto last = order.begin() + start[p + 1];
        if (first == last) continue;
        if (TreeNodes[static_cast<size_t>(*first)].Sorted)
            std::stable_sort(first, last, [](int32_t a, int32_t b) {
                return CompareNodeText(TreeNodes[static_cast<size_t>(a)].Text,
                                       TreeNodes[static_cast<size_t>(b)].Text) < 0;
            });
        TreeNodes[p].FirstChild = *first;
        for (auto it = first; it + 1 != last; ++it)
            TreeNodes[static_cast<size_t>(*it)].NextSibling = *(it + 1);
    }
}

}  // namespace

void BuildInterpTree(UserMessages& shown) {
    ClearInterpTree();
    TreeNodes.reserve(64);
    AddNode(-1, FileNamePart ? FileNamePart : "", 0, 0, 0, 1, false);
    if (std::strcmp(FileExt, ".cur") == 0 || std::strcmp(FileExt, ".ico") == 0)
        ReadIconFile();
    else if (std::strcmp(FileExt, ".ttf") == 0)
        ReadFontFile();
    else
        ReadExe(shown);
    LinkChildren();
    // A file that holds nothing to show has a root without a button.
    TreeNodes[RootNode].HasChildren = TreeNodes[RootNode].FirstChild >= 0;
    TreeNodes[RootNode].Expanded = 1;
    if (InterpKind == InterpExe)
        for (int32_t n : SectionNode) TreeNodes[static_cast<size_t>(n)].Expanded = 1;
}
