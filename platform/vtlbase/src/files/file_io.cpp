#include "vtlbase/files/file_io.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>

#include "vtlbase/files/paths.h"
#include "vtlbase/files/text_codec.h"

namespace fs = std::filesystem;

namespace vtl::base::files {
namespace {
std::string resolvedOrError(std::string_view path, std::string& error) {
    const std::string native = resolve(path);
    if (native.empty()) error = "the path \"" + std::string(path) + "\" names a drive that has no folder here";
    return native;
}

bool readBytes(const std::string& native, std::string& bytes, std::string& error) {
    std::error_code ec;
    if (!fs::is_regular_file(native, ec)) {
        error = "cannot read \"" + native + "\": no such file";
        return false;
    }
    const auto size = fs::file_size(native, ec);
    if (ec || size > kMaxTextFileBytes) {
        error = "cannot read \"" + native + "\": " + (ec ? ec.message() : "the file is too large");
        return false;
    }
    std::ifstream in(native, std::ios::binary);
    bytes.resize(static_cast<std::size_t>(size));
    if (!in.read(bytes.data(), static_cast<std::streamsize>(size))) {
        error = "cannot read \"" + native + "\"";
        return false;
    }
    return true;
}

bool lessIgnoringCase(const std::string& a, const std::string& b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) < std::tolower(static_cast<unsigned char>(y));
    });
}

// Failures made on purpose, to show that a failed write loses nothing: the n-th write, rename or folder
// creation counted from when it was set fails (0: none). VTL_FAIL_WRITE_AT=n sets it for a whole run.
std::atomic<long> gFailAt{-1};  // -1: the environment not read yet
std::atomic<long> gOperations{0};

bool operationFails(const char* what, const std::string& native, std::string& error) {
    long failAt = gFailAt.load();
    if (failAt < 0) {
        const char* env = std::getenv("VTL_FAIL_WRITE_AT");
        long fromEnv = env ? std::strtol(env, nullptr, 10) : 0;
        if (fromEnv < 0) fromEnv = 0;
        gFailAt.compare_exchange_strong(failAt, fromEnv);
        failAt = gFailAt.load();
    }
    if (failAt == 0 || ++gOperations != failAt) return false;
    error = std::string("cannot ") + what + " \"" + native + "\": " + std::strerror(EIO);
    return true;
}

std::string normalPattern(std::string_view pattern) { return pattern == "*.*" ? std::string("*") : std::string(pattern); }
}  // namespace

bool readText(std::string_view path, std::string& text, std::string& error) {
    const std::string native = resolvedOrError(path, error);
    std::string bytes;
    if (native.empty() || !readBytes(native, bytes, error)) return false;
    text = decodeText(bytes);
    return true;
}

bool readBinary(std::string_view path, std::string& bytes, std::string& error) {
    const std::string native = resolvedOrError(path, error);
    return !native.empty() && readBytes(native, bytes, error);
}

bool writeBinary(std::string_view path, std::string_view bytes, std::string& error) {
    const std::string native = resolvedOrError(path, error);
    return !native.empty() && writeBytesAtomically(native, bytes, error);
}

bool writeText(std::string_view path, std::string_view text, std::string& error) {
    const std::string native = resolvedOrError(path, error);
    if (native.empty()) return false;
    std::string bytes;
    if (!encodeForFile(text, bytes, error)) {
        error = "cannot write \"" + native + "\": " + error;
        return false;
    }
    return writeBytesAtomically(native, bytes, error);
}

bool readLines(std::string_view path, std::vector<std::string>& lines, std::string& error) {
    std::string text;
    if (!readText(path, text, error)) return false;
    lines = splitLines(text);
    return true;
}

bool writeLines(std::string_view path, const std::vector<std::string>& lines, std::string& error) {
    return writeText(path, joinLines(lines), error);
}

bool writeBytesAtomically(const std::string& nativePath, std::string_view bytes, std::string& error) {
    const fs::path target(nativePath);
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    std::error_code ec;
    if (!fs::is_directory(folder, ec)) {
        error = "cannot write \"" + nativePath + "\": the folder does not exist";
        return false;
    }
    if (operationFails("write", nativePath, error)) return false;
    std::random_device seed;
    const fs::path temp = folder / ("." + target.filename().string() + ".tmp" + std::to_string(seed() % 1000000));
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.flush();
        if (!out) {
            out.close();
            fs::remove(temp, ec);
            error = "cannot write \"" + nativePath + "\": " + std::strerror(errno);
            return false;
        }
    }
    if (operationFails("replace", nativePath, error)) {
        fs::remove(temp, ec);
        return false;
    }
    fs::rename(temp, target, ec);
    if (ec) {
        fs::remove(temp, ec);
        error = "cannot replace \"" + nativePath + "\": " + ec.message();
        return false;
    }
    return true;
}

void failFileWriteAt(long n) {
    gFailAt = n < 0 ? -1 : n;
    gOperations = 0;
}

bool fileExists(std::string_view path) {
    std::error_code ec;
    const std::string native = resolve(path);
    return !native.empty() && fs::is_regular_file(native, ec);
}

bool folderExists(std::string_view path) {
    std::error_code ec;
    const std::string native = resolve(path);
    return !native.empty() && fs::is_directory(native, ec);
}

bool copyFile(std::string_view from, std::string_view to, std::string& error) {
    const std::string source = resolvedOrError(from, error);
    const std::string target = source.empty() ? std::string() : resolvedOrError(to, error);
    if (source.empty() || target.empty()) return false;
    std::error_code ec;
    if (fs::exists(target, ec) && fs::equivalent(source, target, ec)) return true;  // onto itself
    std::string bytes;
    if (!readBytes(source, bytes, error)) return false;
    return writeBytesAtomically(target, bytes, error);
}

bool deleteFile(std::string_view path) {
    const std::string native = resolve(path);
    std::error_code ec;
    return !native.empty() && fs::is_regular_file(native, ec) && fs::remove(native, ec);
}

bool createNewFile(std::string_view path, std::string& error) {
    // Resolving finds a file of the name in another case, which then counts as taken.
    const std::string native = resolvedOrError(path, error);
    if (native.empty() || operationFails("create", native, error)) return false;
    const int fd = ::open(native.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) {
        error = "cannot create \"" + native + "\": " + std::strerror(errno);
        return false;
    }
    ::close(fd);
    return true;
}

bool createFolder(std::string_view path, std::string& error) {
    const std::string native = resolvedOrError(path, error);
    if (native.empty()) return false;
    std::error_code ec;
    if (fs::is_directory(native, ec)) return true;
    if (operationFails("create", native, error)) return false;
    fs::create_directories(native, ec);
    if (ec && !fs::is_directory(native)) {
        error = "cannot create \"" + native + "\": " + ec.message();
        return false;
    }
    return true;
}

std::optional<std::chrono::system_clock::time_point> fileTime(std::string_view path) {
    const std::string native = resolve(path);
    std::error_code ec;
    if (native.empty() || !fs::exists(native, ec)) return std::nullopt;
    const auto t = fs::last_write_time(native, ec);
    if (ec) return std::nullopt;
    return std::chrono::time_point_cast<std::chrono::system_clock::duration>(std::chrono::file_clock::to_sys(t));
}

std::vector<std::string> findFiles(std::string_view folder, std::string_view pattern) {
    std::vector<std::string> names;
    const std::string native = resolve(folder);
    const std::string p = normalPattern(pattern);
    std::error_code ec;
    if (native.empty()) return names;
    for (fs::directory_iterator it(native, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (it->is_regular_file(ec) && wildcardMatch(p, name)) names.push_back(name);
    }
    std::sort(names.begin(), names.end(), lessIgnoringCase);
    return names;
}

std::vector<FoundFile> findFilesWithTimes(std::string_view folder, std::string_view pattern) {
    std::vector<FoundFile> found;
    const std::string native = resolve(folder);
    const std::string p = normalPattern(pattern);
    std::error_code ec;
    if (native.empty()) return found;
    for (fs::directory_iterator it(native, ec), end; !ec && it != end; it.increment(ec)) {
        std::string name = it->path().filename().string();
        if (!it->is_regular_file(ec) || !wildcardMatch(p, name)) continue;
        const auto t = it->last_write_time(ec);
        if (ec) continue;  // gone meanwhile
        found.push_back({std::move(name), std::chrono::time_point_cast<std::chrono::system_clock::duration>(
                                              std::chrono::file_clock::to_sys(t))});
    }
    std::sort(found.begin(), found.end(), [](const FoundFile& a, const FoundFile& b) { return lessIgnoringCase(a.name, b.name); });
    return found;
}

std::vector<std::string> findFilesRecursive(std::string_view folder, std::string_view pattern) {
    std::vector<std::string> paths;
    const std::string native = resolve(folder);
    const std::string p = normalPattern(pattern);
    std::error_code ec;
    if (native.empty() || !fs::is_directory(native, ec)) return paths;
    fs::recursive_directory_iterator it(native, fs::directory_options::skip_permission_denied, ec), end;
    for (; !ec && it != end; it.increment(ec)) {
        if (it->is_symlink(ec) && it->is_directory(ec)) {
            it.disable_recursion_pending();  // a folder reached through a link is not entered
            continue;
        }
        if (!it->is_regular_file(ec) || !wildcardMatch(p, it->path().filename().string())) continue;
        std::string relative = fs::relative(it->path(), native, ec).string();
        std::replace(relative.begin(), relative.end(), '/', '\\');
        paths.push_back(relative);
    }
    std::sort(paths.begin(), paths.end(), lessIgnoringCase);
    return paths;
}

}  // namespace vtl::base::files
