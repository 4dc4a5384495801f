// The resource chain: each binary's embedded templates, bitmaps and icons, found by number through the
// current resource handle, then every registered binary in registration order.
#include "win/resources.h"

#include <dlfcn.h>

#include <algorithm>
#include <charconv>
#include <map>
#include <memory>
#include <string_view>

namespace vtl::win {
namespace {
struct ResourceSet {
    HINSTANCE instance = nullptr;
    std::map<int, DialogTemplate> templates;
    std::map<int, std::span<const unsigned char>> bitmaps;
    std::map<int, std::span<const unsigned char>> icons;
};

struct Registry {
    std::vector<std::unique_ptr<ResourceSet>> chain;  // registration order
    HINSTANCE current = nullptr;
};

Registry& registry() {
    static Registry r;
    return r;
}

ResourceSet* setOf(HINSTANCE instance) {
    for (auto& s : registry().chain)
        if (s->instance == instance) return s.get();
    return nullptr;
}

bool endsWith(std::string_view s, std::string_view suffix) {
    if (s.size() < suffix.size()) return false;
    for (std::size_t i = 0; i < suffix.size(); ++i) {
        const char a = s[s.size() - suffix.size() + i];
        const char b = suffix[i];
        if (std::tolower(static_cast<unsigned char>(a)) != std::tolower(static_cast<unsigned char>(b))) return false;
    }
    return true;
}

// "<number>.bmp" -> number, for the file's base name.
bool numberedName(std::string_view name, std::size_t extLength, int& id) {
    const auto slash = name.find_last_of("/\\");
    std::string_view base = name.substr(slash == std::string_view::npos ? 0 : slash + 1);
    base = base.substr(0, base.size() - extLength);
    const auto r = std::from_chars(base.data(), base.data() + base.size(), id);
    return r.ec == std::errc() && r.ptr == base.data() + base.size();
}

template <class Find>
auto lookup(Find find) -> decltype(find(std::declval<ResourceSet&>())) {
    auto& reg = registry();
    if (ResourceSet* first = setOf(reg.current)) {
        if (auto found = find(*first)) return found;
    }
    for (auto& s : reg.chain) {
        if (s->instance == reg.current) continue;
        if (auto found = find(*s)) return found;
    }
    return {};
}
}  // namespace

HINSTANCE instanceOfAddress(const void* address) {
    Dl_info info{};
    if (dladdr(address, &info) == 0) return nullptr;
    return static_cast<HINSTANCE>(info.dli_fbase);
}

void registerResources(HINSTANCE instance, std::span<const EmbeddedFile> files) {
    auto set = std::make_unique<ResourceSet>();
    set->instance = instance;
    for (const EmbeddedFile& f : files) {
        const std::string_view name(f.name);
        int id = 0;
        if (endsWith(name, ".dlg")) {
            const std::string_view text(reinterpret_cast<const char*>(f.data), f.size);
            for (auto& t : parseDialogTemplates(text, std::string(name))) {
                const int tid = t.id;
                set->templates.insert_or_assign(tid, std::move(t));
            }
        } else if (endsWith(name, ".bmp") && numberedName(name, 4, id)) {
            set->bitmaps[id] = {f.data, f.size};
        } else if (endsWith(name, ".ico") && numberedName(name, 4, id)) {
            set->icons[id] = {f.data, f.size};
        }
    }
    auto& chain = registry().chain;
    auto it = std::find_if(chain.begin(), chain.end(), [&](const auto& s) { return s->instance == instance; });
    if (it != chain.end()) {
        *it = std::move(set);
    } else {
        chain.push_back(std::move(set));
    }
}

void unregisterResources(HINSTANCE instance) {
    auto& reg = registry();
    std::erase_if(reg.chain, [&](const auto& s) { return s->instance == instance; });
    if (reg.current == instance) reg.current = nullptr;
}

bool hasResources(HINSTANCE instance) { return setOf(instance) != nullptr; }

const DialogTemplate* findDialogTemplate(int id) {
    return lookup([id](ResourceSet& s) -> const DialogTemplate* {
        auto it = s.templates.find(id);
        return it == s.templates.end() ? nullptr : &it->second;
    });
}

std::span<const unsigned char> findResourceData(ResourceType type, int id) {
    auto found = lookup([type, id](ResourceSet& s) -> const std::span<const unsigned char>* {
        auto& m = type == ResourceType::Bitmap ? s.bitmaps : s.icons;
        auto it = m.find(id);
        return it == m.end() ? nullptr : &it->second;
    });
    return found ? *found : std::span<const unsigned char>();
}

std::vector<const DialogTemplate*> allDialogTemplates() {
    std::vector<const DialogTemplate*> out;
    for (auto& s : registry().chain)
        for (auto& [id, t] : s->templates) out.push_back(&t);
    return out;
}

}  // namespace vtl::win

HINSTANCE AfxGetResourceHandle() { return vtl::win::registry().current; }
void AfxSetResourceHandle(HINSTANCE instance) { vtl::win::registry().current = instance; }
