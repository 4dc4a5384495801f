#include "vtlbase/file_functions.h"

#include "vtlbase/files/file_io.h"
#include "vtlbase/files/paths.h"
#include "vtlbase/ui_text.h"
#include "win/message_box.h"
#include "win/types.h"

namespace files = vtl::base::files;

namespace {
// The position just after the last folder separator ("\" or "/"), or 0.
int nameStart(const Vtl_String& path) {
    int at = 0;
    for (int i = 0; i < path.length(); ++i)
        if (path.charAt(i) == U'\\' || path.charAt(i) == U'/') at = i + 1;
    return at;
}

// The position of the extension's dot in the name, or -1.
int extensionDot(const Vtl_String& path) {
    const int start = nameStart(path);
    for (int i = path.length() - 1; i > start; --i)
        if (path.charAt(i) == U'.') return i;
    return -1;
}

std::string cellText(const Vtl_String& cell) {
    std::string s = cell.str();
    for (char& c : s)
        if (c == '\t' || c == '\r' || c == '\n') c = ' ';
    return s;
}
}  // namespace

bool readFile(const Vtl_String& path, Vtl_String& typeName, Vtl_Array<Vtl_StringArray>& rows) {
    std::vector<std::string> lines;
    std::string error;
    if (!files::readLines(path.view(), lines, error)) return false;
    Vtl_Array<Vtl_StringArray> table;
    for (const auto& line : lines) {
        Vtl_StringArray row;
        std::size_t start = 0;
        while (true) {
            const auto tab = line.find('\t', start);
            row.append(Vtl_String(line.substr(start, tab == std::string::npos ? std::string::npos : tab - start)));
            if (tab == std::string::npos) break;
            start = tab + 1;
        }
        table.append(std::move(row));
    }
    rows = std::move(table);
    typeName = removeExtension(getFileName(path));
    return true;
}

bool writeFile(const Vtl_String& path, const Vtl_Array<Vtl_StringArray>& rows) {
    std::vector<std::string> lines;
    lines.reserve(static_cast<std::size_t>(rows.length()));
    for (const auto& row : rows) {
        std::string line;
        for (int i = 0; i < row.length(); ++i) {
            if (i > 0) line += '\t';
            line += cellText(row[i]);
        }
        lines.push_back(std::move(line));
    }
    std::string error;
    return files::writeLines(path.view(), lines, error);
}

bool ObjectExportReadFile(const Vtl_String& path, Vtl_StringArray& lines) {
    std::vector<std::string> read;
    std::string error;
    if (!files::readLines(path.view(), read, error)) return false;
    lines.removeAll();
    for (auto& l : read) lines.append(Vtl_String(l));
    return true;
}

bool ObjectExportWriteFile(const Vtl_String& path, const Vtl_StringArray& lines) {
    std::vector<std::string> out;
    for (const auto& l : lines) {
        std::string s = l.str();
        for (char& c : s)
            if (c == '\r' || c == '\n') c = ' ';
        out.push_back(std::move(s));
    }
    std::string error;
    return files::writeLines(path.view(), out, error);
}

void ObjectExportFindFiles(const Vtl_String& folder, const Vtl_String& pattern, Vtl_StringArray& found) {
    const Vtl_String base = ensureEndBSlash(folder);
    for (const auto& name : files::findFiles(folder.view(), pattern.view())) found.append(base + Vtl_String(name));
}

void ObjectExportFindFilesRecursive(const Vtl_String& root, const Vtl_String& pattern, Vtl_StringArray& found) {
    const Vtl_String base = ensureEndBSlash(root);
    for (const auto& rel : files::findFilesRecursive(root.view(), pattern.view())) found.append(base + Vtl_String(rel));
}

bool ObjectExportGetFileTime(const Vtl_String& path, Vtl_FileTime& time) {
    const auto t = files::fileTime(path.view());
    if (!t) return false;
    time = *t;
    return true;
}

Vtl_String changeExtension(const Vtl_String& path, const Vtl_String& extension) {
    return removeExtension(path) + Vtl_String(".") + extension;
}

Vtl_String removeExtension(const Vtl_String& path) {
    const int dot = extensionDot(path);
    return dot < 0 ? path : path.getSubStringAt(0, dot);
}

Vtl_String getFileName(const Vtl_String& path) { return path.getSubStringAt(nameStart(path)); }

Vtl_String getPath(const Vtl_String& path) { return path.getSubStringAt(0, nameStart(path)); }

Vtl_String ensureEndBSlash(const Vtl_String& path) {
    if (path.isEmpty()) return path;
    const char32_t last = path.charAt(path.length() - 1);
    return (last == U'\\' || last == U'/') ? path : path + Vtl_String("\\");
}

bool deleteFile(const Vtl_String& path) { return files::deleteFile(path.view()); }

bool warnInvalidFileName(const Vtl_String& name) {
    std::string reason;
    if (files::validFileName(name.view(), reason)) return true;
    const std::string text = "\"" + name.str() + "\" cannot be used as a file name: " + reason + ".";
    MessageBox(HWND(), text.c_str(), "Invalid name", MB_OK | MB_ICONEXCLAMATION);
    return false;
}
