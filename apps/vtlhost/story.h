#pragma once
// User stories: what a detailer does with one dialog, as a text file that `vtlhost run` plays.
//
// A story file starts with header lines that set the scene and say what to open, then the script steps in
// the framework's text form (win/script.h). '#' starts a comment; blank lines are ignored.
//
//   add-size <type> <size> copy-of <size> [<column>=<value> ...]
//       adds a size to the type's section table (prof\<type>.pr) as the library editor does: a copy of
//       an existing size under a new name, with the values given (a value with blanks in double quotes)
//   select-later macro <name>            places that macro of the library in the drawing too, as the one
//                                        the detailer picks next when the macro dialog selects other macros
//                                        (button 1176); the report shows what changed in it as well
//   open sample                          the module's sample dialog
//   open macro <name>                    the macro dialog on a connection macro of the library (Macros\)
//   open macros <name> <name> ...        several macros of one kind, edited together
//   open section-selector [<section>]    the section selector, showing that section ("HEA-200") first
//   open levels <model>                  the levels dialog on a model's levels (Levels\<model>.lvl); on OK
//                                        the levels are stored back, as the add-on's levels command does
//   open dstv-points                     the DSTV point groups of the library
//   open new-size <type> <size>          the new-size editor on prof\<type>.pr from that size; on OK the
//                                        table is stored back and the new size printed with its neighbours
//   open section-library [<section>] [then-selector]
//                                        the section library editor on the library's catalogue, on the
//                                        section's values table when given; on OK the catalogue is stored
//                                        back; with then-selector the section selector follows
//   open designer <design>               the dialog designer on a design of the library ("EndPlate",
//                                        "Bracings\Gusset"), or on a new one with `open designer new`; the
//                                        report shows the design as it is on disk afterwards
//   open evaluate-sheet                  the formula dialog's evaluation bench on c:\a\t3.sss (the library's
//                                        Spreadsheets folder is drive c:); prints the command line
//   open string-table <file>             a spreadsheet of Spreadsheets\ read and edited as a table of texts;
//                                        prints the caller's table
//   open building-grid                   the building grid dialog; prints the record
//   open look-up                         the look-up criteria on the plate table; prints the record
//   open cutting-stock [restricted]      the cutting stock of the sample job "Hall 3" (its stock files
//                                        dated first); prints the job handed back
//   open profile-cuts                    the cuts of the sample fin plate's coped beam; prints the cuts left
//   open profile-features                the cope of that beam as a profile feature; prints the record
//   open macro-cut <macro> <module> [<cut>]
//                                        a new cut (or the existing one named) on a tab of the sample end
//                                        plate or beam splice placed in the drawing; on OK the cut is made;
//                                        prints the cuts of the drawing
//   open select-macro                    the library's connection macros to choose from, with the filter;
//                                        prints the macro chosen
//   open constraints <macro> [then-unload]
//                                        the constraints editor on a parametric macro of the library
//                                        (Macros\<macro>.pmacro) placed in the drawing; with then-unload
//                                        the modeless editor beside a modeless macro dialog of EndPlate,
//                                        and the module unloads when the steps are done; prints the
//                                        parametric macro and its settings afterwards
//
// Set-up lines come first, then exactly one `open` line; every later line is a script step. A story runs
// on a scratch copy of the library folder, so the files it writes never touch the library it came from.
#include <iosfwd>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

class MacroData;

namespace vtlhost {

class StoryError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct SizeToAdd {
    std::string type;    // "HEA"
    std::string size;    // the new size's name ("1100"); its system name is type + "-" + size
    std::string copyOf;  // the size it starts as a copy of
    std::vector<std::pair<std::string, std::string>> values;  // column name, value
    int line = 0;
};

struct Story {
    std::string name;
    std::vector<SizeToAdd> sizes;
    std::vector<std::string> selectLater;  // macros placed and offered as the next selection in the drawing
    std::string open;                   // "sample", "macro", "macros", "section-selector", "levels", "dstv-points",
                                        // "new-size", "section-library", "designer", "cutting-stock",
                                        // "evaluate-sheet", "string-table", "building-grid", "look-up",
                                        // "profile-cuts", "profile-features", "macro-cut", "select-macro",
                                        // "constraints"
    std::vector<std::string> openArgs;
    int openLine = 0;
    // The script steps; header lines are left blank so that step errors name the file's own lines.
    std::string steps;
};

// Reads a story; throws StoryError ("name:line: what") for a header line it cannot use.
Story parseStory(std::string_view text, const std::string& name);

// Adds the size to its table in the current library folder. False with a reason when the table cannot be
// read or written, the copied size is missing, the new name is taken or a column is unknown.
bool addSize(const SizeToAdd& size, std::string& error);

// A macro record as "where: value" pairs in record order ("Plate.tp", "Bolts.bolt.diameter",
// "Profiles.profiles.Beam.section"); cells, patterns and cuts are named by their names, tabs by their
// modules, profiles by their groups.
using FlatValues = std::vector<std::pair<std::string, std::string>>;
FlatValues flattenMacro(const MacroData& macro);

struct ValueChange {
    std::string where, before, after;
};
// The values of `after` that are missing from or differ in `before`, in the order of `after`, then the
// values of `before` that `after` no longer has.
std::vector<ValueChange> changedValues(const FlatValues& before, const FlatValues& after);

// The library files below `folder` with their contents, and the ones that differ between two snapshots
// (written or removed), as paths relative to the folder with '/' separators, sorted.
using FolderSnapshot = std::vector<std::pair<std::string, std::string>>;
FolderSnapshot snapshotFolder(const std::string& folder);
std::vector<std::string> filesWritten(const FolderSnapshot& before, const FolderSnapshot& after);

// Copies a library folder into a new temporary folder and answers that folder (empty with a reason when
// the copy fails).
std::string makeScratchCopy(const std::string& folder, std::string& error);

// Plays a story on the current library folder: set-up, the dialog opened as a caller opens it, the steps;
// then reports the record handed back, the files written and the drawing journal to `out`. Answers 0 when
// every step ran, nothing was left waiting and the dialog closed; 1 otherwise.
int runStory(const Story& story, std::ostream& out);

}  // namespace vtlhost
