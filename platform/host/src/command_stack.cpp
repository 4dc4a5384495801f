#include "host/command_stack.h"

#include <algorithm>

namespace vtl::host {
namespace {
char lowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool sameName(std::string_view a, std::string_view b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return lowerAscii(x) == lowerAscii(y); });
}

// A name a person can type as one word.
bool validName(std::string_view name) {
    return !name.empty() && std::none_of(name.begin(), name.end(), [](char c) {
        return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
    });
}
}  // namespace

CommandStack* CommandStack::cast(RegistryObject* object) { return dynamic_cast<CommandStack*>(object); }

std::vector<CommandStack::Group>::iterator CommandStack::findGroup(std::string_view group) {
    return std::find_if(groups_.begin(), groups_.end(), [&](const Group& g) { return sameName(g.name, group); });
}

std::vector<CommandStack::Group>::const_iterator CommandStack::findGroup(std::string_view group) const {
    return std::find_if(groups_.begin(), groups_.end(), [&](const Group& g) { return sameName(g.name, group); });
}

Acad::ErrorStatus CommandStack::addCommand(std::string_view group, std::string_view globalName,
                                           std::string_view localName, int flags, CommandFunction function) {
    if (group.empty() || !validName(globalName) || !function) return Acad::eInvalidInput;
    if (localName.empty()) localName = globalName;
    if (!validName(localName)) return Acad::eInvalidInput;
    auto g = findGroup(group);
    if (g != groups_.end()) {
        const bool taken = std::any_of(g->commands.begin(), g->commands.end(),
                                       [&](const Command& c) { return sameName(c.globalName, globalName); });
        if (taken) return Acad::eDuplicateKey;
    } else {
        groups_.push_back(Group{std::string(group), {}});
        g = groups_.end() - 1;
    }
    g->commands.push_back(Command{g->name, std::string(globalName), std::string(localName), flags, function});
    return Acad::eOk;
}

Acad::ErrorStatus CommandStack::removeCommand(std::string_view group, std::string_view globalName) {
    auto g = findGroup(group);
    if (g == groups_.end()) return Acad::eKeyNotFound;
    const auto removed =
        std::erase_if(g->commands, [&](const Command& c) { return sameName(c.globalName, globalName); });
    if (removed == 0) return Acad::eKeyNotFound;
    // A group lives as long as it has commands.
    if (g->commands.empty()) groups_.erase(g);
    return Acad::eOk;
}

Acad::ErrorStatus CommandStack::removeGroup(std::string_view group) {
    auto g = findGroup(group);
    if (g == groups_.end()) return Acad::eKeyNotFound;
    groups_.erase(g);
    return Acad::eOk;
}

bool CommandStack::hasGroup(std::string_view group) const { return findGroup(group) != groups_.end(); }

std::vector<std::string> CommandStack::groups() const {
    std::vector<std::string> out;
    out.reserve(groups_.size());
    for (const auto& g : groups_) out.push_back(g.name);
    return out;
}

std::vector<CommandStack::Command> CommandStack::commands(std::string_view group) const {
    auto g = findGroup(group);
    return g == groups_.end() ? std::vector<Command>{} : g->commands;
}

const CommandStack::Command* CommandStack::lookupCommand(std::string_view name) const {
    for (auto g = groups_.rbegin(); g != groups_.rend(); ++g) {
        for (const auto& c : g->commands) {
            if (sameName(c.globalName, name) || sameName(c.localName, name)) return &c;
        }
    }
    return nullptr;
}

}  // namespace vtl::host
