#pragma once
// A small streaming JSON writer for the window-tree dump.
#include <string>
#include <string_view>

namespace vtl::win::detail {

class JsonWriter {
public:
    JsonWriter& beginObject() { separate(); out_ += '{'; first_ = true; return *this; }
    JsonWriter& endObject() { out_ += '}'; first_ = false; return *this; }
    JsonWriter& beginArray() { separate(); out_ += '['; first_ = true; return *this; }
    JsonWriter& endArray() { out_ += ']'; first_ = false; return *this; }
    JsonWriter& key(std::string_view k) {
        separate();
        string(k);
        out_ += ':';
        first_ = true;  // the value follows without a comma
        return *this;
    }
    JsonWriter& value(std::string_view s) { separate(); string(s); return *this; }
    JsonWriter& value(const char* s) { return value(std::string_view(s)); }
    JsonWriter& value(const std::string& s) { return value(std::string_view(s)); }
    JsonWriter& value(bool b) { separate(); out_ += b ? "true" : "false"; return *this; }
    JsonWriter& value(int v) { separate(); out_ += std::to_string(v); return *this; }
    JsonWriter& value(long long v) { separate(); out_ += std::to_string(v); return *this; }
    JsonWriter& value(unsigned long long v) { separate(); out_ += std::to_string(v); return *this; }
    const std::string& str() const { return out_; }

private:
    void separate() {
        if (!first_) out_ += ',';
        first_ = false;
    }
    void string(std::string_view s) {
        out_ += '"';
        for (char c : s) {
            switch (c) {
            case '"': out_ += "\\\""; break;
            case '\\': out_ += "\\\\"; break;
            case '\n': out_ += "\\n"; break;
            case '\r': out_ += "\\r"; break;
            case '\t': out_ += "\\t"; break;
            default:
                if (static_cast<unsigned char>(c) < 0x20) {
                    static const char* hex = "0123456789abcdef";
                    out_ += "\\u00";
                    out_ += hex[(c >> 4) & 0xF];
                    out_ += hex[c & 0xF];
                } else {
                    out_ += c;
                }
            }
        }
        out_ += '"';
    }
    std::string out_;
    bool first_ = true;
};

}  // namespace vtl::win::detail
