// The interpretation tree as data: what the readers found in the loaded
// file, one node per structure, with the values the tree control shows and
// the selection reads. The window layer mirrors these nodes in its control.
#pragma once
#include <cstdint>
#include <vector>

// What the reader made of the file.
constexpr uint8_t InterpNone = 0;
constexpr uint8_t InterpExe = 5;
constexpr uint8_t InterpIconFile = 9;
constexpr uint8_t InterpFont = 15;
extern uint8_t InterpKind;

// Node kinds (low 8 bits; the high 8 bits of a resource node's kind hold
// its type id).
constexpr uint16_t KindDirectory = 16;  // + directory index
constexpr uint16_t KindExports = 16;
constexpr uint16_t KindImports = 17;
constexpr uint16_t KindResources = 18;
constexpr uint16_t KindLibrary = 33;
constexpr uint16_t KindResType = 34;
constexpr uint16_t KindResEntry = 50;

// Node texts hold up to 62 characters.
constexpr int NodeTextSize = 63;

struct TreeNode {
    char Text[NodeTextSize];
    uint8_t HasChildren;  // shown with an expand button
    int32_t Section;      // see below
    uint16_t Kind;
    int32_t Ref;          // file offset of the structure the node stands for
    int32_t Parent;       // -1 for the root
    int32_t FirstChild;   // -1 when none
    int32_t NextSibling;  // -1 when last
    uint8_t Sorted;       // placed among its siblings by text, else appended
    uint8_t Expanded;     // starts expanded
};
// Section: for an executable the index into SectionBias of the section that
// holds the structure, or NoSection for a structure inside the headers; for
// an image of an icon or cursor file its entry number + 1; otherwise 0.
constexpr int32_t NoSection = -1;

// Node 0 is the root. Children are linked in the order the tree shows them.
extern std::vector<TreeNode> TreeNodes;
constexpr int32_t RootNode = 0;

// Executables: per section in table order, VirtualAddress - PointerToRawData
// and the section's node. All sections of the file are kept.
extern std::vector<int32_t> SectionBias;
extern std::vector<int32_t> SectionNode;
// Width of an import thunk: 4 bytes in a PE32 file, 8 in a PE32+ file.
extern uint8_t ThunkSize;

// A message box the window layer shows: Caption "" stands for the system's
// default caption.
struct UserMessage {
    char Text[64];
    char Caption[32];
};
using UserMessages = std::vector<UserMessage>;
void AddMessage(UserMessages& list, const char* text, const char* caption);

// Builds the tree for the loaded file: the root (FileNamePart), the nodes of
// the reader chosen by FileExt, the order of every node's children and the
// expansion. Messages to show (the image limit) are appended to `shown`.
void BuildInterpTree(UserMessages& shown);
// Forgets the tree: no nodes, InterpKind 0, an empty image table.
void ClearInterpTree();

// The readers, each adding its nodes under the root.
void ReadExe(UserMessages& shown);
void ReadIconFile();
void ReadFontFile();

// Adds a node under `parent` and returns its index. Children are linked
// when the tree is finished.
int32_t AddNode(int32_t parent, const char* text, int32_t section, uint16_t kind, int32_t ref,
                uint8_t hasChildren, bool sorted);

// Text order of sorted siblings: bytes compared with ASCII letters folded
// to lower case; negative, 0 or positive.
int CompareNodeText(const char* a, const char* b);

// Index of the section whose VirtualAddress is the greatest not above `rva`
// (signed comparisons, a section at 0 is never taken), or NoSection.
int32_t ContainingSection(uint32_t rva);
