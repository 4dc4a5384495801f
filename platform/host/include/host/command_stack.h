#pragma once
// The command stack: the commands applications register with the host, in named groups. Names of groups
// and commands compare without regard to ASCII case, as a person types them. Looking a command up searches
// the most recently added group first, so a later group shadows an earlier one.
#include <string>
#include <string_view>
#include <vector>

#include "host/error_status.h"
#include "host/export.h"
#include "host/registry.h"

namespace vtl::host {

using CommandFunction = void (*)();

class VTLHOST_API CommandStack : public RegistryObject {
public:
    struct Command {
        std::string group;
        std::string globalName;
        std::string localName;
        int flags = 0;
        CommandFunction function = nullptr;
    };

    // The object as a command stack, or nullptr when it is something else (or null).
    static CommandStack* cast(RegistryObject* object);

    // Adds a command to `group`, creating the group. An empty local name is the global name.
    // eInvalidInput: an empty group, a name that is empty or holds white space, or no function;
    // eDuplicateKey: the group has a command of that global name already.
    Acad::ErrorStatus addCommand(std::string_view group, std::string_view globalName, std::string_view localName,
                                 int flags, CommandFunction function);
    // eKeyNotFound when there is no such command or group. A group whose last command goes is gone.
    Acad::ErrorStatus removeCommand(std::string_view group, std::string_view globalName);
    Acad::ErrorStatus removeGroup(std::string_view group);

    bool hasGroup(std::string_view group) const;
    // The groups, oldest first, as their names were first given.
    std::vector<std::string> groups() const;
    // The commands of a group in the order added; empty for an unknown group.
    std::vector<Command> commands(std::string_view group) const;
    // The command a person reaches by typing `name` (global or local name), or nullptr; valid until the
    // stack changes.
    const Command* lookupCommand(std::string_view name) const;

private:
    struct Group {
        std::string name;
        std::vector<Command> commands;
    };
    std::vector<Group>::iterator findGroup(std::string_view group);
    std::vector<Group>::const_iterator findGroup(std::string_view group) const;
    std::vector<Group> groups_;
};

}  // namespace vtl::host
