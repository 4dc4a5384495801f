#include "host/command_line.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>

#include "host_internal.h"

namespace vtl::host {
namespace {
struct CommandLine {
    std::string text;
    bool echo = false;
    int prompts = 0;
    int displayUpdates = 0;
};

CommandLine& commandLine() {
    static CommandLine c;
    return c;
}

// Keeps the text within kCommandLineKeep bytes. When it overflows, the oldest text goes down to three
// quarters of that (so a steady stream of prints does not move the whole text each time), cut after a
// line end where there is one, never inside a UTF-8 sequence.
void trim(std::string& text) {
    if (text.size() <= kCommandLineKeep) return;
    std::size_t cut = text.size() - kCommandLineKeep / 4 * 3;
    const std::size_t lineEnd = text.find('\n', cut);
    if (lineEnd != std::string::npos && lineEnd + 1 < text.size()) {
        cut = lineEnd + 1;
    } else {
        while (cut < text.size() && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) ++cut;
    }
    text.erase(0, cut);
}

void append(const char* bytes, std::size_t n) {
    auto& c = commandLine();
    c.text.append(bytes, n);
    trim(c.text);
    if (c.echo) {
        std::fwrite(bytes, 1, n, stdout);
        std::fflush(stdout);
    }
}
}  // namespace

std::string commandLineText() { return commandLine().text; }
void clearCommandLine() { commandLine().text.clear(); }
void setCommandLineEcho(bool on) { commandLine().echo = on; }
bool commandLineEcho() { return commandLine().echo; }
int commandPromptCount() { return commandLine().prompts; }
int displayUpdateCount() { return commandLine().displayUpdates; }

namespace detail {
void resetCommandLine() { commandLine() = CommandLine(); }
}  // namespace detail

}  // namespace vtl::host

int acutPrintf(const char* format, ...) {
    if (!format) return -1;
    char small[512];
    va_list args;
    va_start(args, format);
    va_list again;
    va_copy(again, args);
    const int n = std::vsnprintf(small, sizeof small, format, args);
    va_end(args);
    if (n < 0) {
        va_end(again);
        return -1;
    }
    if (static_cast<std::size_t>(n) < sizeof small) {
        va_end(again);
        vtl::host::append(small, static_cast<std::size_t>(n));
        return n;
    }
    // Too long for the first buffer: format again into one of the exact size.
    std::string big(static_cast<std::size_t>(n) + 1, '\0');
    const int m = std::vsnprintf(big.data(), big.size(), format, again);
    va_end(again);
    if (m < 0) return -1;
    vtl::host::append(big.data(), static_cast<std::size_t>(std::min(m, n)));
    return std::min(m, n);
}

Acad::ErrorStatus acedPostCommandPrompt() {
    ++vtl::host::commandLine().prompts;
    return Acad::eOk;
}

void acedUpdateDisplay() { ++vtl::host::commandLine().displayUpdates; }
