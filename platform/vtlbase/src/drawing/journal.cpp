#include "vtlbase/drawing/journal.h"

#include <ostream>

namespace vtl::base {

std::string JournalEntry::text() const {
    std::string out = operation + "(";
    for (std::size_t i = 0; i < arguments.size(); ++i) out += (i ? ", " : "") + arguments[i];
    out += ")";
    if (!result.empty()) out += " -> " + result;
    return out;
}

Journal& Journal::get() {
    static Journal journal;
    return journal;
}

void Journal::record(std::string operation, std::vector<std::string> arguments, std::string result) {
    entries_.push_back({next_++, std::move(operation), std::move(arguments), std::move(result)});
    if (listener_) listener_(entries_.back());
}

int Journal::count(const std::string& operation) const {
    int n = 0;
    for (const JournalEntry& e : entries_) n += e.operation == operation;
    return n;
}

const JournalEntry* Journal::last(const std::string& operation) const {
    for (auto it = entries_.rbegin(); it != entries_.rend(); ++it)
        if (it->operation == operation) return &*it;
    return nullptr;
}

void Journal::clear() {
    entries_.clear();
    next_ = 1;
}

void Journal::dump(std::ostream& out) const {
    for (const JournalEntry& e : entries_) out << e.sequence << ". " << e.text() << "\n";
}

}  // namespace vtl::base
