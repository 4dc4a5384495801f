#include "gallery.h"

#include <filesystem>
#include <fstream>
#include <iostream>

#include "win/api.h"
#include "win/keys.h"
#include "win/render.h"

namespace vtlhost {
namespace {
std::string escapeHtml(const std::string& s) {
    std::string out;
    for (char c : s) {
        switch (c) {
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '&': out += "&amp;"; break;
        case '"': out += "&quot;"; break;
        default: out += c;
        }
    }
    return out;
}

bool writePng(const std::filesystem::path& file, const std::vector<unsigned char>& png) {
    std::ofstream out(file, std::ios::binary);
    out.write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
    return static_cast<bool>(out);
}
}  // namespace

std::vector<GalleryEntry>& galleryEntries() {
    static std::vector<GalleryEntry> entries;
    return entries;
}

int writeGallery(const std::string& folderName) {
    namespace fs = std::filesystem;
    const fs::path folder(folderName);
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (!fs::is_directory(folder, ec)) {
        std::cerr << "vtlhost: cannot use the folder " << folderName << "\n";
        return -1;
    }
    const auto& entries = galleryEntries();
    std::string html = "<!doctype html>\n<html><head><meta charset=\"utf-8\"><title>Dialog gallery</title>\n"
                       "<style>body{font-family:sans-serif;margin:2em}section{margin-bottom:2em}"
                       "img{border:1px solid #999;margin:0.5em 1em 0.5em 0}figure{display:inline-block;margin:0}"
                       "figcaption{font-size:90%;color:#444}</style></head><body>\n<h1>Dialog gallery</h1>\n";
    int written = 0;
    for (std::size_t e = 0; e < entries.size(); ++e) {
        const GalleryEntry& entry = entries[e];
        std::cout << "[" << (e + 1) << "/" << entries.size() << "] " << entry.name << std::flush;
        html += "<section><h2>" + escapeHtml(entry.name) + "</h2><p>" + escapeHtml(entry.purpose) + "</p>\n";
        vtl::win::Script script(entry.name);
        script.waitFor(vtl::win::dialogWithTemplate(entry.templateId));
        for (const auto& shot : entry.shots) {
            if (shot.steps) shot.steps(script);
            const std::string file = entry.name + "-" + shot.name + ".png";
            script.check(
                [&, file] {
                    if (writePng(folder / file, vtl::win::renderWindowPng(GetActiveWindow()))) ++written;
                },
                "draw " + file);
            html += "<figure><img src=\"" + escapeHtml(file) + "\" alt=\"" + escapeHtml(shot.name) +
                    "\"><figcaption>" + escapeHtml(shot.name) + "</figcaption></figure>\n";
        }
        script.key(VK_ESCAPE);
        vtl::win::runWithScript(script, entry.open);
        std::cout << (script.errors().empty() ? "  done" : "  " + script.errors().front()) << "\n";
        html += "</section>\n";
    }
    html += "</body></html>\n";
    std::ofstream(folder / "index.html") << html;
    return written;
}

}  // namespace vtlhost
