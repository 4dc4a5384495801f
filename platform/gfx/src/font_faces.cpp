#include "font_faces.h"

#include <cairo-ft.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include <unistd.h>

#include <array>
#include <cstdlib>
#include <map>
#include <memory>
#include <mutex>
#include <optional>

#include "gfx/text_faces.h"
#include "gfx/utf8.h"
#include "handle_table.h"

namespace vtl::gfx::detail {
namespace {

constexpr std::array<const char*, 4> kFiles = {"DejaVuSans.ttf", "DejaVuSans-Bold.ttf", "DejaVuSans-Oblique.ttf",
                                               "DejaVuSans-BoldOblique.ttf"};

std::vector<std::string> defaultFolders() {
    std::vector<std::string> folders;
    if (const char* dir = std::getenv("VTL_FONT_DIR"); dir && *dir) folders.emplace_back(dir);
    for (const char* d : {"/usr/share/fonts/truetype/dejavu", "/usr/share/fonts/dejavu", "/usr/share/fonts/TTF",
                          "/usr/share/fonts/truetype", "/usr/local/share/fonts"}) {
        folders.emplace_back(d);
    }
    return folders;
}

std::optional<std::string> find(const std::vector<std::string>& folders, const char* file) {
    for (const std::string& folder : folders) {
        const std::string path = folder + "/" + file;
        if (::access(path.c_str(), R_OK) == 0) return path;
    }
    return std::nullopt;
}

// The loaded faces: index = bold + 2 * italic. FreeType faces stay open while Cairo may use them and are
// released with the library when the set is dropped.
class FaceSet {
public:
    explicit FaceSet(const std::vector<std::string>& folders) {
        const auto regular = find(folders, kFiles[0]);
        if (regular && FT_Init_FreeType(&library_) == 0) {
            regularFile_ = *regular;
            for (std::size_t i = 0; i < kFiles.size(); ++i) {
                const auto path = i == 0 ? regular : find(folders, kFiles[i]);
                FT_Face face = nullptr;
                if (path && FT_New_Face(library_, path->c_str(), 0, &face) == 0) {
                    faces_[i] = cairo_ft_font_face_create_for_ft_face(face, 0);
                } else if (FT_New_Face(library_, regular->c_str(), 0, &face) == 0) {
                    faces_[i] = cairo_ft_font_face_create_for_ft_face(face, 0);
                    unsigned synth = 0;
                    if (i & 1) synth |= CAIRO_FT_SYNTHESIZE_BOLD;
                    if (i & 2) synth |= CAIRO_FT_SYNTHESIZE_OBLIQUE;
                    cairo_ft_font_face_set_synthesize(faces_[i], synth);
                }
            }
        }
        for (std::size_t i = 0; i < faces_.size(); ++i) {
            if (faces_[i] && cairo_font_face_status(faces_[i]) == CAIRO_STATUS_SUCCESS) continue;
            if (faces_[i]) cairo_font_face_destroy(faces_[i]);
            if (i == 0) regularFile_.clear();
            faces_[i] =
                cairo_toy_font_face_create("DejaVu Sans", (i & 2) ? CAIRO_FONT_SLANT_OBLIQUE : CAIRO_FONT_SLANT_NORMAL,
                                           (i & 1) ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
        }
    }
    FaceSet(const FaceSet&) = delete;
    FaceSet& operator=(const FaceSet&) = delete;
    ~FaceSet() {
        for (cairo_font_face_t* f : faces_) cairo_font_face_destroy(f);
        if (library_) FT_Done_FreeType(library_);  // closes every face opened above
    }

    cairo_font_face_t* face(std::size_t i) const { return faces_[i]; }
    const std::string& regularFile() const { return regularFile_; }
    std::map<std::pair<std::size_t, char32_t>, unsigned long>& glyphs() { return glyphs_; }

private:
    FT_Library library_ = nullptr;
    std::array<cairo_font_face_t*, 4> faces_{};
    std::string regularFile_;
    std::map<std::pair<std::size_t, char32_t>, unsigned long> glyphs_;
};

struct State {
    std::mutex mutex;
    std::optional<std::vector<std::string>> folders;  // nothing: the default search
    std::unique_ptr<FaceSet> faces;
    // Sets replaced while running stay open until exit: Cairo's font caches may still refer to them.
    std::vector<std::unique_ptr<FaceSet>> retired;
    void retire() {
        if (faces) retired.push_back(std::move(faces));
    }
};

State& state() {
    static State s;
    return s;
}

FaceSet& faces(State& s) {
    if (!s.faces) s.faces = std::make_unique<FaceSet>(s.folders ? *s.folders : defaultFolders());
    return *s.faces;
}

std::size_t variant(bool bold, bool italic) {
    return (bold ? 1 : 0) + (italic ? 2 : 0);
}

}  // namespace

cairo_font_face_t* fontFace(bool bold, bool italic) {
    State& s = state();
    const std::lock_guard lock(s.mutex);
    return faces(s).face(variant(bold, italic));
}

unsigned long glyphIndex(cairo_scaled_font_t* font, bool bold, bool italic, char32_t c) {
    State& s = state();
    const std::lock_guard lock(s.mutex);
    auto& cache = faces(s).glyphs();
    const auto key = std::make_pair(variant(bold, italic), c);
    if (const auto it = cache.find(key); it != cache.end()) return it->second;
    const std::string utf8 = encodeUtf8(std::u32string(1, c));
    cairo_glyph_t* glyphs = nullptr;
    int count = 0;
    unsigned long index = 0;
    if (cairo_scaled_font_text_to_glyphs(font, 0, 0, utf8.data(), static_cast<int>(utf8.size()), &glyphs, &count,
                                         nullptr, nullptr, nullptr) == CAIRO_STATUS_SUCCESS &&
        count > 0) {
        index = glyphs[0].index;
    }
    cairo_glyph_free(glyphs);
    cache.emplace(key, index);
    return index;
}

void resetFontFiles() {
    State& s = state();
    const std::lock_guard lock(s.mutex);
    if (s.folders) {
        s.folders.reset();
        s.retire();
    }
}

}  // namespace vtl::gfx::detail

namespace vtl::gfx {

std::string textFaceFile() {
    auto& s = detail::state();
    const std::lock_guard lock(s.mutex);
    return detail::faces(s).regularFile();
}

namespace testing {
void setFontFolders(std::vector<std::string> folders) {
    auto& s = detail::state();
    const std::lock_guard lock(s.mutex);
    s.folders = std::move(folders);
    s.retire();
}
}  // namespace testing

}  // namespace vtl::gfx
