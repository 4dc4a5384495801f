// Movable global memory blocks by handle, and a process-local clipboard of text.
#include "win/clipboard.h"

#include <cstring>
#include <unordered_map>
#include <vector>

namespace {
constexpr std::size_t kMaxBlock = std::size_t{256} << 20;

struct Block {
    std::vector<unsigned char> bytes;
    int locks = 0;
};

struct Globals {
    std::unordered_map<int, Block> blocks;  // nodes stay put, so a locked block's bytes never move
    int next = 1;
    HWND clipboardOwner;
    bool open = false;
    HGLOBAL text;  // the clipboard's text block
};

Globals& globals() {
    static Globals g;
    return g;
}

Block* blockOf(HGLOBAL h) {
    auto it = globals().blocks.find(h.value());
    return it == globals().blocks.end() ? nullptr : &it->second;
}
}  // namespace

HGLOBAL GlobalAlloc(UINT flags, std::size_t bytes) {
    if (bytes > kMaxBlock) return {};
    auto& g = globals();
    const int h = g.next++;
    Block b;
    b.bytes.assign(bytes, 0);  // always zeroed: a fresh block never shows old memory
    (void)flags;
    g.blocks.emplace(h, std::move(b));
    return HGLOBAL(h);
}

HGLOBAL GlobalReAlloc(HGLOBAL block, std::size_t bytes, UINT) {
    Block* b = blockOf(block);
    if (!b || bytes > kMaxBlock || b->locks > 0) return {};
    b->bytes.resize(bytes, 0);
    return block;
}

void* GlobalLock(HGLOBAL block) {
    Block* b = blockOf(block);
    if (!b) return nullptr;
    ++b->locks;
    static unsigned char empty = 0;
    return b->bytes.empty() ? &empty : b->bytes.data();
}

BOOL GlobalUnlock(HGLOBAL block) {
    Block* b = blockOf(block);
    if (!b || b->locks == 0) return FALSE;
    return --b->locks > 0 ? TRUE : FALSE;
}

std::size_t GlobalSize(HGLOBAL block) {
    Block* b = blockOf(block);
    return b ? b->bytes.size() : 0;
}

HGLOBAL GlobalFree(HGLOBAL block) {
    if (block == globals().text) return block;  // owned by the clipboard
    return globals().blocks.erase(block.value()) ? HGLOBAL() : block;
}

BOOL OpenClipboard(HWND owner) {
    auto& g = globals();
    if (g.open) return FALSE;
    g.open = true;
    g.clipboardOwner = owner;
    return TRUE;
}

BOOL CloseClipboard() {
    auto& g = globals();
    if (!g.open) return FALSE;
    g.open = false;
    return TRUE;
}

BOOL EmptyClipboard() {
    auto& g = globals();
    if (!g.open) return FALSE;
    if (g.text) {
        g.blocks.erase(g.text.value());
        g.text = HGLOBAL();
    }
    return TRUE;
}

HGLOBAL SetClipboardData(UINT format, HGLOBAL block) {
    auto& g = globals();
    if (!g.open || (format != CF_TEXT && format != CF_UNICODETEXT) || !blockOf(block)) return {};
    if (g.text && g.text != block) g.blocks.erase(g.text.value());
    g.text = block;
    return block;
}

HGLOBAL GetClipboardData(UINT format) {
    auto& g = globals();
    if (!g.open || (format != CF_TEXT && format != CF_UNICODETEXT)) return {};
    return g.text;
}

BOOL IsClipboardFormatAvailable(UINT format) {
    return (format == CF_TEXT || format == CF_UNICODETEXT) && globals().text ? TRUE : FALSE;
}

namespace vtl::win {
void setClipboardText(const std::string& text) {
    auto& g = globals();
    const bool wasOpen = g.open;
    g.open = true;
    EmptyClipboard();
    const HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    if (block) {
        std::memcpy(GlobalLock(block), text.c_str(), text.size() + 1);
        GlobalUnlock(block);
        SetClipboardData(CF_TEXT, block);
    }
    g.open = wasOpen;
}

std::string clipboardText() {
    auto& g = globals();
    Block* b = blockOf(g.text);
    if (!b || b->bytes.empty()) return {};
    const char* p = reinterpret_cast<const char*>(b->bytes.data());
    return std::string(p, strnlen(p, b->bytes.size()));  // a block without its zero still ends
}

int liveGlobalBlocks() { return static_cast<int>(globals().blocks.size()); }
}  // namespace vtl::win

namespace vtl::win::detail {
void clearClipboard() {
    auto& g = globals();
    g.blocks.clear();
    g.text = HGLOBAL();
    g.open = false;
    g.clipboardOwner = HWND();
}
}  // namespace vtl::win::detail
