#include "story.h"

#include <algorithm>

// Reading a story: its header lines (sizes to add, macros offered later, the dialog it opens), then the
// script steps as they stand.
namespace vtlhost {
namespace {
// Words of a header line: blanks separate them, double quotes keep blanks inside a word (and are
// dropped), '#' outside quotes ends the line.
std::vector<std::string> headerWords(std::string_view line, const std::string& name, int lineNo) {
    std::vector<std::string> words;
    std::string word;
    bool inWord = false, quoted = false;
    for (char c : line) {
        if (quoted) {
            if (c == '"') quoted = false;
            else word += c;
            continue;
        }
        if (c == '#') break;
        if (c == '"') {
            quoted = inWord = true;
            continue;
        }
        if (c == ' ' || c == '\t' || c == '\r') {
            if (inWord) words.push_back(std::move(word));
            word.clear();
            inWord = false;
            continue;
        }
        word += c;
        inWord = true;
    }
    if (quoted) throw StoryError(name + ":" + std::to_string(lineNo) + ": unterminated string");
    if (inWord) words.push_back(std::move(word));
    return words;
}

[[noreturn]] void fail(const std::string& name, int line, const std::string& what) {
    throw StoryError(name + ":" + std::to_string(line) + ": " + what);
}

SizeToAdd sizeLine(const std::vector<std::string>& w, const std::string& name, int line) {
    if (w.size() < 4 || w[3] != "copy-of" || w.size() < 5)
        fail(name, line, "expected add-size <type> <size> copy-of <size> [<column>=<value> ...]");
    SizeToAdd s{w[1], w[2], w[4], {}, line};
    for (std::size_t i = 5; i < w.size(); ++i) {
        const auto eq = w[i].find('=');
        if (eq == std::string::npos || eq == 0) fail(name, line, "expected <column>=<value>, found \"" + w[i] + "\"");
        s.values.emplace_back(w[i].substr(0, eq), w[i].substr(eq + 1));
    }
    return s;
}

void openLine(Story& story, const std::vector<std::string>& w, const std::string& name, int line) {
    const std::string& what = w.size() > 1 ? w[1] : std::string();
    std::vector<std::string> args(w.begin() + std::min<std::ptrdiff_t>(2, static_cast<std::ptrdiff_t>(w.size())), w.end());
    if (what == "sample") {
        if (!args.empty()) fail(name, line, "open sample takes nothing more");
    } else if (what == "macro") {
        if (args.size() != 1) fail(name, line, "expected open macro <name>");
    } else if (what == "macros") {
        if (args.size() < 2) fail(name, line, "expected open macros <name> <name> ...");
    } else if (what == "section-selector") {
        if (args.size() > 1) fail(name, line, "expected open section-selector [<section>]");
    } else if (what == "levels") {
        if (args.size() != 1) fail(name, line, "expected open levels <model>");
    } else if (what == "dstv-points") {
        if (!args.empty()) fail(name, line, "open dstv-points takes nothing more");
    } else if (what == "new-size") {
        if (args.size() != 2) fail(name, line, "expected open new-size <type> <size>");
    } else if (what == "section-library") {
        if (args.size() > 2) fail(name, line, "expected open section-library [<section>] [then-selector]");
    } else if (what == "designer") {
        if (args.size() != 1) fail(name, line, "expected open designer <design> or open designer new");
    } else if (what == "profile-cuts" || what == "profile-features" || what == "select-macro") {
        if (!args.empty()) fail(name, line, "open " + what + " takes nothing more");
    } else if (what == "macro-cut") {
        if (args.size() < 2 || args.size() > 3) fail(name, line, "expected open macro-cut <macro> <module> [<cut>]");
    } else if (what == "cutting-stock") {
        if (args.size() > 1 || (args.size() == 1 && args[0] != "restricted"))
            fail(name, line, "expected open cutting-stock [restricted]");
    } else if (what == "evaluate-sheet" || what == "building-grid" || what == "look-up") {
        if (!args.empty()) fail(name, line, "open " + what + " takes nothing more");
    } else if (what == "constraints") {
        if (args.empty() || args.size() > 2 || (args.size() == 2 && args[1] != "then-unload"))
            fail(name, line, "expected open constraints <parametric macro> [then-unload]");
    } else if (what == "string-table") {
        if (args.size() != 1) fail(name, line, "expected open string-table <spreadsheet file>");
    } else {
        fail(name, line, "expected open sample, macro, macros, section-selector, levels, dstv-points, new-size, "
                         "section-library, designer, cutting-stock, evaluate-sheet, string-table, building-grid, "
                         "look-up, profile-cuts, profile-features, macro-cut, select-macro or constraints");
    }
    story.open = what;
    story.openArgs = std::move(args);
    story.openLine = line;
}
}  // namespace

Story parseStory(std::string_view text, const std::string& name) {
    Story story;
    story.name = name;
    std::size_t pos = 0;
    int lineNo = 0;
    bool opened = false;
    while (pos <= text.size()) {
        const std::size_t eol = text.find('\n', pos);
        const std::string_view line = text.substr(pos, eol == std::string_view::npos ? std::string_view::npos : eol - pos);
        pos = eol == std::string_view::npos ? text.size() + 1 : eol + 1;
        ++lineNo;
        if (opened) {
            story.steps.append(line);
            story.steps += '\n';
            continue;
        }
        const auto words = headerWords(line, name, lineNo);
        story.steps += '\n';
        if (words.empty()) continue;
        if (words[0] == "add-size") story.sizes.push_back(sizeLine(words, name, lineNo));
        else if (words[0] == "select-later") {
            if (words.size() != 3 || words[1] != "macro") fail(name, lineNo, "expected select-later macro <name>");
            story.selectLater.push_back(words[2]);
        }
        else if (words[0] == "open") {
            openLine(story, words, name, lineNo);
            opened = true;
        } else fail(name, lineNo, "expected add-size, select-later or open before the steps, found \"" + words[0] + "\"");
    }
    if (!opened) fail(name, lineNo, "the story opens no dialog (an open line is missing)");
    return story;
}

}  // namespace vtlhost
