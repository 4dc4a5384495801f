#pragma once
// The journal of the drawing side: every request the module makes of the drawing (updates, clash checks,
// picks, views, erasures) is recorded in order with its arguments and result, so that a test can check
// it and a person using the demo can watch it.
#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

#include "vtlbase/export.h"

namespace vtl::base {

struct VTLBASE_API JournalEntry {
    int sequence = 0;
    std::string operation;
    std::vector<std::string> arguments;
    std::string result;
    std::string text() const;  // "UpdateModule(Plate, 0 3 -2 | 1) -> true"
};

class VTLBASE_API Journal {
public:
    static Journal& get();
    void record(std::string operation, std::vector<std::string> arguments, std::string result);
    const std::vector<JournalEntry>& entries() const { return entries_; }
    int count(const std::string& operation) const;
    // The last entry of that operation; nullptr when there is none.
    const JournalEntry* last(const std::string& operation) const;
    void clear();
    void dump(std::ostream& out) const;
    // Called with each new entry (the demo shows them as they come).
    void setListener(std::function<void(const JournalEntry&)> listener) { listener_ = std::move(listener); }

private:
    std::vector<JournalEntry> entries_;
    int next_ = 1;
    std::function<void(const JournalEntry&)> listener_;
};

}  // namespace vtl::base
