#include "gallery.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>

#include "gfx/png.h"
#include "grid/ss.h"
#include "win/api.h"
#include "win/keys.h"
#include "win/layout_check.h"
#include "win/wnd.h"
#include "win/pump.h"
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

bool isBlankPicture(const vtl::gfx::Image& picture) {
    if (picture.empty()) return true;
    const auto pixels = picture.pixels();
    const vtl::gfx::Rgba first = pixels.front();
    return std::all_of(pixels.begin(), pixels.end(), [&](const vtl::gfx::Rgba& p) {
        return p.r == first.r && p.g == first.g && p.b == first.b && p.a == first.a;
    });
}

namespace {
constexpr int kRowsAGridShows = 3;

void visibleGrids(HWND parent, std::vector<HWND>& grids) {
    for (HWND h = GetWindow(parent, GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT)) {
        if (!(GetWindowLongPtr(h, GWL_STYLE) & WS_VISIBLE)) continue;
        if (SSIsGrid(h)) grids.push_back(h);
        else visibleGrids(h, grids);
    }
}
}  // namespace

std::vector<std::string> gridProblems(HWND window) {
    std::vector<std::string> problems;
    std::vector<HWND> grids;
    if (window && IsWindowVisible(window)) visibleGrids(window, grids);
    for (HWND grid : grids) {
        int first = 1, whole = 0;
        if (!SSGetWholeRowsShown(grid, &first, &whole)) continue;
        // The rows there are to show from the first one shown, as far as three (hidden rows do not count).
        const int rows = SSGetRowCount(grid);
        int wanted = 0;
        for (int r = first; r <= rows && wanted < kRowsAGridShows; ++r)
            if (SSGetRowHeightPixels(grid, r) > 0) ++wanted;
        if (whole >= wanted) continue;
        std::string name = vtl::win::describeWindow(grid);
        if (GetParent(grid) != window) name += " (in " + vtl::win::describeWindow(GetParent(grid)) + ")";
        problems.push_back(name + ": grid shows " + std::to_string(whole) + " whole row" +
                           (whole == 1 ? "" : "s") + " of " + std::to_string(rows) + ", needs room for " +
                           std::to_string(wanted));
    }
    return problems;
}

std::vector<std::string> pictureProblems(HWND window) {
    std::vector<std::string> problems = vtl::win::layoutProblems(window);
    for (auto& p : gridProblems(window)) problems.push_back(std::move(p));
    return problems;
}

const char* groupTitle(GalleryGroup group) {
    switch (group) {
    case GalleryGroup::ConnectionMacros: return "Connection macros";
    case GalleryGroup::DesignedDialogs: return "Designed dialogs";
    case GalleryGroup::SectionLibrary: return "Section library";
    case GalleryGroup::Spreadsheets: return "Spreadsheets";
    case GalleryGroup::CuttingStock: return "Cutting stock";
    case GalleryGroup::Engineering: return "Engineering dialogs";
    case GalleryGroup::Other: break;
    }
    return "Other dialogs";
}

const char* groupPurpose(GalleryGroup group) {
    switch (group) {
    case GalleryGroup::ConnectionMacros:
        return "The connection dialog on the sample connections, and what it opens: bolts, profiles, cuts, "
               "patterns, the choice of a macro.";
    case GalleryGroup::DesignedDialogs:
        return "Dialogs drawn by a user over a picture, run live as a macro tab shows them, and the designer "
               "that lays them out.";
    case GalleryGroup::SectionLibrary:
        return "The section tables of the library: choosing a section, adding a size, editing the tables.";
    case GalleryGroup::Spreadsheets:
        return "Grids of values and formulas: look-ups in other sheets, tables of text, find and replace.";
    case GalleryGroup::CuttingStock:
        return "The lengths to cut per profile, the shop's stock and its files, and the stock report.";
    case GalleryGroup::Engineering:
        return "Levels of the model, DSTV points of the parts, arrays and the other engineering settings.";
    case GalleryGroup::Other: break;
    }
    return "Dialogs not yet filed under a group.";
}

const char* groupKey(GalleryGroup group) {
    switch (group) {
    case GalleryGroup::ConnectionMacros: return "connection-macros";
    case GalleryGroup::DesignedDialogs: return "designed-dialogs";
    case GalleryGroup::SectionLibrary: return "section-library";
    case GalleryGroup::Spreadsheets: return "spreadsheets";
    case GalleryGroup::CuttingStock: return "cutting-stock";
    case GalleryGroup::Engineering: return "engineering";
    case GalleryGroup::Other: break;
    }
    return "other";
}

void shelve(std::vector<GalleryEntry>& entries, GalleryGroup group, std::string title) {
    if (entries.empty()) return;
    entries.back().group = group;
    entries.back().title = std::move(title);
}

std::string titleOf(const GalleryEntry& entry) {
    if (!entry.title.empty()) return entry.title;
    std::string title = entry.name;
    std::replace(title.begin(), title.end(), '-', ' ');
    std::replace(title.begin(), title.end(), '_', ' ');
    if (!title.empty() && title[0] >= 'a' && title[0] <= 'z') title[0] = static_cast<char>(title[0] - 'a' + 'A');
    return title;
}

std::vector<GalleryEntry>& galleryEntries() {
    static std::vector<GalleryEntry> entries;
    return entries;
}

GalleryResult writeGallery(const std::string& folderName) {
    namespace fs = std::filesystem;
    GalleryResult result;
    const fs::path folder(folderName);
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (!fs::is_directory(folder, ec)) {
        std::cerr << "vtlhost: cannot use the folder " << folderName << "\n";
        result.folderUsable = false;
        return result;
    }
    const auto& entries = galleryEntries();
    std::string html = "<!doctype html>\n<html><head><meta charset=\"utf-8\"><title>Dialog gallery</title>\n"
                       "<style>body{font-family:sans-serif;margin:2em}section{margin-bottom:2em}"
                       "img{border:1px solid #999;margin:0.5em 1em 0.5em 0}figure{display:inline-block;margin:0}"
                       "figcaption{font-size:90%;color:#444}.problem{color:#a00}</style></head><body>\n"
                       "<h1>Dialog gallery</h1>\n<p>Every dialog of the module, opened as a caller opens it on the "
                       "sample library, and each of its tabs or states.</p>\n";
    for (std::size_t e = 0; e < entries.size(); ++e) {
        const GalleryEntry& entry = entries[e];
        std::cout << "[" << (e + 1) << "/" << entries.size() << "] " << entry.name << std::flush;
        html += "<section><h2>" + escapeHtml(titleOf(entry)) + " <small>(" + escapeHtml(entry.name) + ")</small></h2><p>" + escapeHtml(entry.purpose) + "</p>\n";
        std::vector<std::string> problems;
        vtl::win::Script script(entry.name);
        script.waitFor(vtl::win::dialogWithTemplate(entry.templateId));
        for (const auto& shot : entry.shots) {
            if (shot.steps) shot.steps(script);
            const std::string file = entry.name + "-" + shot.name + ".png";
            const bool withOwned = shot.withOwned;
            script.check(
                [&, file, withOwned] {
                    const HWND window = GetActiveWindow();
                    // The dialog the active window belongs to: its outermost owner below the host's window.
                    HWND dialog = window;
                    while (withOwned) {
                        const HWND owner = GetWindow(dialog, GW_OWNER);
                        if (!owner || (AfxGetMainWnd() && owner == AfxGetMainWnd()->m_hWnd)) break;
                        dialog = owner;
                    }
                    const vtl::gfx::Image picture =
                        withOwned ? vtl::win::renderWindowWithOwned(dialog) : vtl::win::renderWindow(window);
                    if (isBlankPicture(picture)) problems.push_back(file + " is blank");
                    for (const auto& p : pictureProblems(window)) problems.push_back(file + ": " + p);
                    if (dialog != window)
                        for (const auto& p : pictureProblems(dialog)) problems.push_back(file + ": " + p);
                    if (writePng(folder / file, vtl::gfx::encodePng(picture))) ++result.pictures;
                    else problems.push_back(file + " cannot be written");
                },
                "draw " + file);
            html += "<figure><img src=\"" + escapeHtml(file) + "\" alt=\"" + escapeHtml(shot.name) +
                    "\"><figcaption>" + escapeHtml(shot.name) + "</figcaption></figure>\n";
        }
        if (entry.close) entry.close(script);
        else script.key(VK_ESCAPE);
        const std::size_t unansweredBefore = vtl::win::unansweredWaits().size();
        vtl::win::runWithScript(script, entry.open);
        for (const auto& error : script.errors()) problems.push_back(error);
        const auto unanswered = vtl::win::unansweredWaits();
        for (std::size_t u = unansweredBefore; u < unanswered.size(); ++u) problems.push_back(unanswered[u]);
        for (const auto& step : script.remainingSteps()) problems.push_back("step not taken: " + step);
        std::cout << (problems.empty() ? "  done" : "  " + problems.front()) << "\n";
        for (const auto& p : problems) {
            html += "<p class=\"problem\">" + escapeHtml(p) + "</p>\n";
            result.problems.push_back(entry.name + ": " + p);
        }
        html += "</section>\n";
    }
    html += "</body></html>\n";
    std::ofstream index(folder / "index.html");
    index << html;
    if (!index) result.problems.push_back("index.html cannot be written");
    return result;
}

}  // namespace vtlhost
