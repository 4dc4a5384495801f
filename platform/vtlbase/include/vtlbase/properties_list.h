#pragma once
// Vtl_PropertiesList: a key/value text file, one "key=value" per line (the key is the text before the first
// "=", the value the rest as it stands). Lines without "=" are ignored, the last of duplicate keys wins,
// keys are written in the order they were first set. Numbers are written with '.' and read back exactly.
// Keys are found through a hash index, so reading, setting and looking up n keys costs time linear in n.
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "vtlbase/export.h"
#include "vtlbase/vtl_string.h"

class VTLBASE_API Vtl_PropertiesList {
public:
    bool readFromFile(const Vtl_String& path);
    bool writeToFile(const Vtl_String& path) const;

    // True exactly when the key exists; otherwise the value is left as it was. A number read from text that
    // is not a number is 0.
    bool getProperty(const Vtl_String& key, Vtl_String& value) const;
    bool getProperty(const Vtl_String& key, int& value) const;
    bool getProperty(const Vtl_String& key, double& value) const;
    void setProperty(const Vtl_String& key, const Vtl_String& value);
    void setProperty(const Vtl_String& key, int value);
    void setProperty(const Vtl_String& key, double value);

    int count() const { return static_cast<int>(entries_.size()); }
    // Every key with its value, in the order first set.
    const std::vector<std::pair<std::string, std::string>>& entries() const { return entries_; }
    void clear();

private:
    const std::string* find(const std::string& key) const;
    void set(std::string key, std::string value);
    std::vector<std::pair<std::string, std::string>> entries_;
    std::unordered_map<std::string, std::size_t> index_;  // key -> its place in entries_
};
