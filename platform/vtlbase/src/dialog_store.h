#pragma once
// The store of dialog sizes and flags (private): records by dialog name, the file format, and where the
// file is.
#include <functional>
#include <map>
#include <optional>
#include <string>

namespace vtl::base::dialogs {

struct Placement {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

struct Record {
    std::optional<Placement> placement;
    std::map<std::string, bool> flags;
};

using Records = std::map<std::string, Record>;

// The text form: one "[name]" section per dialog with "rect=x y w h" and "flag.<key>=0|1" lines; '\', ']',
// '=' and line breaks in names and keys are escaped with a backslash. Lines that do not parse are skipped.
std::string format(const Records& records);
Records parse(const std::string& text);

// The records as they are now (read from the file in use, or the memory store).
Records load();
// Applies a change to the records and keeps them (memory, or the file rewritten atomically); false when the
// file could not be written (the change is still kept in memory for this process).
bool update(const std::string& name, const std::function<void(Record&)>& change);

void reset();

}  // namespace vtl::base::dialogs
