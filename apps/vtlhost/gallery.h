#pragma once
// The gallery: every dialog the module has, opened as a caller would on sample data, with the script steps
// that reach each of its states (its tabs), drawn to PNG files with an index.html that says what each
// dialog is for.
#include <functional>
#include <string>
#include <vector>

#include "gfx/image.h"
#include "win/types.h"
#include "win/script.h"

namespace vtlhost {

struct GalleryShot {
    std::string name;                                     // "initial", a tab's name, ...
    std::function<void(vtl::win::Script&)> steps;         // what a person does to get there from the last shot
    // Draws the dialog the active window belongs to with every window it owns over it (a modeless tool
    // window over its grid's dialog), instead of the active window alone.
    bool withOwned = false;
};

// The groups of the workbench's start page, as a detailer knows the dialogs; in the order shown.
enum class GalleryGroup { ConnectionMacros, DesignedDialogs, SectionLibrary, Spreadsheets, CuttingStock, Engineering, Other };
inline constexpr GalleryGroup kGalleryGroups[] = {
    GalleryGroup::ConnectionMacros, GalleryGroup::DesignedDialogs, GalleryGroup::SectionLibrary,
    GalleryGroup::Spreadsheets,     GalleryGroup::CuttingStock,    GalleryGroup::Engineering,
    GalleryGroup::Other};
// "Connection macros", ...; and one sentence on what the group's dialogs are for.
const char* groupTitle(GalleryGroup group);
const char* groupPurpose(GalleryGroup group);
// The key the start page and its links use: "connection-macros", ...
const char* groupKey(GalleryGroup group);

struct GalleryEntry {
    std::string name;         // short, used in file names
    std::string purpose;      // one sentence for a person
    int templateId = 0;       // the dialog to wait for
    std::function<void()> open;  // opens the dialog modally, as a caller would
    std::vector<GalleryShot> shots;
    // What closes the dialog from the state of the last shot (a nested dialog open needs more than one
    // Escape); a single Escape when empty.
    std::function<void(vtl::win::Script&)> close = {};
    // Where the start page lists the entry and the title a person reads there (shelve() sets both where
    // the entry is registered); an entry that gives none is listed under "Other dialogs" by its name.
    GalleryGroup group = GalleryGroup::Other;
    std::string title = {};
};

// Files the entry registered last under `group` with a human title: `shelve(entries, Group, "Title")`
// right after its push_back.
void shelve(std::vector<GalleryEntry>& entries, GalleryGroup group, std::string title);
// The entry's title, or one made from its name ("two-end-plates" -> "Two end plates") when it has none.
std::string titleOf(const GalleryEntry& entry);

// The entries every dialog registers, in the order registered.
std::vector<GalleryEntry>& galleryEntries();

struct GalleryResult {
    int pictures = 0;                   // written
    std::vector<std::string> problems;  // each entry's script errors, waits left unanswered, blank pictures,
                                        // layout problems of its pictures
    bool folderUsable = true;
};

// Draws every entry into `folder` (created when missing), printing progress. A picture that is blank or
// shows a layout problem (pictureProblems), a step that fails or a wait the entry's steps leave unanswered
// is a problem of the gallery: the picture is still written, the problem named in the result and in
// index.html.
GalleryResult writeGallery(const std::string& folder);

// A picture with nothing in it: empty, or every pixel of one colour.
bool isBlankPicture(const vtl::gfx::Image& picture);

// Grids squeezed in a window: every visible grid with rows must show at least three whole rows, or every
// row it has from its first shown one when fewer are left.
std::vector<std::string> gridProblems(HWND window);
// What a person would find cut or squeezed in a window: the window framework's layout check and the grids.
std::vector<std::string> pictureProblems(HWND window);

}  // namespace vtlhost
