#include "vtlbase/properties_list.h"

#include <charconv>
#include <cmath>

#include "vtlbase/files/file_io.h"

namespace {
// A value is one line: line breaks inside it become blanks. A key ends at its first "=".
std::string oneLine(std::string s) {
    for (char& c : s)
        if (c == '\r' || c == '\n') c = ' ';
    return s;
}
}  // namespace

bool Vtl_PropertiesList::readFromFile(const Vtl_String& path) {
    std::vector<std::string> lines;
    std::string error;
    if (!vtl::base::files::readLines(path.view(), lines, error)) return false;
    clear();
    entries_.reserve(lines.size());
    index_.reserve(lines.size());
    for (const auto& line : lines) {
        const auto eq = line.find('=');
        if (eq == std::string::npos) continue;
        // A line holds no line break, so key and value go in as they stand.
        set(line.substr(0, eq), line.substr(eq + 1));
    }
    return true;
}

bool Vtl_PropertiesList::writeToFile(const Vtl_String& path) const {
    std::vector<std::string> lines;
    lines.reserve(entries_.size());
    for (const auto& [key, value] : entries_) lines.push_back(key + "=" + value);
    std::string error;
    return vtl::base::files::writeLines(path.view(), lines, error);
}

void Vtl_PropertiesList::clear() {
    entries_.clear();
    index_.clear();
}

const std::string* Vtl_PropertiesList::find(const std::string& key) const {
    const auto at = index_.find(key);
    return at == index_.end() ? nullptr : &entries_[at->second].second;
}

void Vtl_PropertiesList::set(std::string key, std::string value) {
    const auto [at, added] = index_.try_emplace(key, entries_.size());
    if (!added) {
        entries_[at->second].second = std::move(value);
        return;
    }
    entries_.emplace_back(std::move(key), std::move(value));
}

bool Vtl_PropertiesList::getProperty(const Vtl_String& key, Vtl_String& value) const {
    const std::string* v = find(key.str());
    if (!v) return false;
    value = Vtl_String(*v);
    return true;
}

bool Vtl_PropertiesList::getProperty(const Vtl_String& key, int& value) const {
    const std::string* v = find(key.str());
    if (!v) return false;
    value = Vtl_String(*v).toInt();
    return true;
}

bool Vtl_PropertiesList::getProperty(const Vtl_String& key, double& value) const {
    const std::string* v = find(key.str());
    if (!v) return false;
    double d = 0;
    const char* b = v->data();
    while (b < v->data() + v->size() && *b == ' ') ++b;
    const auto r = std::from_chars(b, v->data() + v->size(), d);
    value = (r.ec == std::errc() && std::isfinite(d)) ? d : 0.0;
    return true;
}

void Vtl_PropertiesList::setProperty(const Vtl_String& key, const Vtl_String& value) {
    set(oneLine(key.str()), oneLine(value.str()));
}

void Vtl_PropertiesList::setProperty(const Vtl_String& key, int value) { setProperty(key, Vtl_String(value)); }

void Vtl_PropertiesList::setProperty(const Vtl_String& key, double value) {
    // The shortest text that reads back as the same double, with '.' whatever the locale.
    char buffer[64];
    const auto r = std::to_chars(buffer, buffer + sizeof buffer, value);
    setProperty(key, Vtl_String(std::string_view(buffer, static_cast<std::size_t>(r.ptr - buffer))));
}
