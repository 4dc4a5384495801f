#include "file/sheet_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <vector>

#include "formula/engine.h"
#include "model/number_text.h"
#include "model/sheet.h"

namespace vtl::grid {
namespace {
constexpr std::string_view kMagic = "VTLGRID-SHEET";
// Larger files are refused unread: far beyond any sheet this grid is made for, and a bound on what a
// damaged or hostile file costs to load.
constexpr std::size_t kMaxFileBytes = std::size_t{256} << 20;

// A checksum over the bytes, eight at a time.
std::uint64_t checksum(std::string_view data) {
    std::uint64_t h = 0x6A09E667F3BCC908ull ^ data.size();
    std::size_t i = 0;
    for (; i + 8 <= data.size(); i += 8) {
        std::uint64_t w;
        std::memcpy(&w, data.data() + i, 8);
        h = (h ^ w) * 0x9E3779B97F4A7C15ull;
        h ^= h >> 29;
    }
    std::uint64_t tail = 0;
    std::memcpy(&tail, data.data() + i, data.size() - i);
    h = (h ^ tail) * 0x9E3779B97F4A7C15ull;
    return h ^ (h >> 32);
}

// ---- writing ----
void putInt(std::string& out, long long v) {
    std::array<char, 24> buf{};
    auto [end, ec] = std::to_chars(buf.data(), buf.data() + buf.size(), v);
    out.append(buf.data(), end);
}
void putDouble(std::string& out, double v) { out += formatShortest(v); }
void putText(std::string& out, std::string_view s) {
    std::size_t start = 0;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const char c = s[i];
        const char* esc = c == '\\' ? "\\\\" : c == '\t' ? "\\t" : c == '\n' ? "\\n" : c == '\r' ? "\\r" : nullptr;
        if (!esc) continue;
        out.append(s.data() + start, i - start);
        out += esc;
        start = i + 1;
    }
    out.append(s.data() + start, s.size() - start);
}
template <class... Fields>
void line(std::string& out, std::string_view tag, const Fields&... fields) {
    out += tag;
    auto one = [&](const auto& f) {
        out.push_back('\t');
        using F = std::decay_t<decltype(f)>;
        if constexpr (std::is_same_v<F, double>) {
            putDouble(out, f);
        } else if constexpr (std::is_integral_v<F>) {
            putInt(out, static_cast<long long>(f));
        } else {
            putText(out, std::string_view(f));
        }
    };
    (one(fields), ...);
    out.push_back('\n');
}

// ---- reading ----
bool unescape(std::string_view s, std::string& out) {
    out.clear();
    if (s.find('\\') == std::string_view::npos) {
        out.assign(s);
        return true;
    }
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] != '\\') {
            out.push_back(s[i]);
            continue;
        }
        if (++i >= s.size()) return false;
        switch (s[i]) {
        case '\\': out.push_back('\\'); break;
        case 't': out.push_back('\t'); break;
        case 'n': out.push_back('\n'); break;
        case 'r': out.push_back('\r'); break;
        default: return false;
        }
    }
    return true;
}

// The fields of one line, split at tabs.
struct Fields {
    std::array<std::string_view, 20> f{};
    std::size_t n = 0;
    bool split(std::string_view lineText) {
        n = 0;
        std::size_t start = 0;
        for (;;) {
            const std::size_t tab = lineText.find('\t', start);
            if (n == f.size()) return false;
            f[n++] = lineText.substr(start, tab == std::string_view::npos ? std::string_view::npos : tab - start);
            if (tab == std::string_view::npos) return true;
            start = tab + 1;
        }
    }
    template <class T>
    bool num(std::size_t i, T& v) const {
        if (i >= n) return false;
        const std::string_view s = f[i];
        if constexpr (std::is_floating_point_v<T>) {
            const auto p = parseNumber(s);
            if (!p) return false;
            v = *p;
            return true;
        } else {
            const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
            return ec == std::errc() && end == s.data() + s.size();
        }
    }
    bool text(std::size_t i, std::string& out) const { return i < n && unescape(f[i], out); }
};
}  // namespace

std::string SheetFile::serialize(const Sheet& s) {
    s.settleResults();
    // Room for every cell line at once, so that a large sheet's text is never copied while it grows.
    std::size_t room = 4096;
    for (const auto& row : s.rows_) {
        if (!row) continue;
        row->forEach([&](std::size_t, const Sheet::Cell& cell) {
            if (cell.text.empty() && cell.style == 0 && !cell.extra) return;
            room += 32 + cell.text.size();
            if (cell.extra) room += 2 + (cell.extra->formula ? cell.extra->formula->size() : 0) + cell.extra->tagText().size();
        });
    }
    std::string out;
    out.reserve(room);
    line(out, kMagic, kVersion);
    line(out, "counts", s.colCount_, s.rowCount_);
    for (std::size_t i = 1; i < s.fonts_.size(); ++i) {
        const LOGFONT& f = s.fonts_[i];
        line(out, "font", f.lfFaceName, f.lfHeight, f.lfWidth, f.lfEscapement, f.lfOrientation, f.lfWeight,
             int{f.lfItalic}, int{f.lfUnderline}, int{f.lfStrikeOut}, int{f.lfCharSet}, int{f.lfOutPrecision},
             int{f.lfClipPrecision}, int{f.lfQuality}, int{f.lfPitchAndFamily});
    }
    for (std::size_t i = 1; i < s.colourPairs_.size(); ++i) {
        line(out, "colours", s.colourPairs_[i].back, s.colourPairs_[i].fore);
    }
    for (std::size_t i = 1; i < s.types_.size(); ++i) {
        std::visit(
            [&](const auto& t) {
                using T = std::decay_t<decltype(t)>;
                if constexpr (std::is_same_v<T, EditType>) {
                    line(out, "type", T::kKind, t.style, t.maxLength, t.charSet, t.charCase);
                } else if constexpr (std::is_same_v<T, StaticTextType>) {
                    line(out, "type", T::kKind, t.style);
                } else if constexpr (std::is_same_v<T, ComboBoxType>) {
                    line(out, "type", T::kKind, t.style, t.itemList());
                } else if constexpr (std::is_same_v<T, CheckBoxType> || std::is_same_v<T, ButtonType>) {
                    line(out, "type", T::kKind, t.style, t.caption);
                } else if constexpr (std::is_same_v<T, PictureType>) {
                    line(out, "type", T::kKind, t.style, t.fileName);
                } else if constexpr (std::is_same_v<T, NumberType>) {
                    line(out, "type", T::kKind, t.style, t.decimals, t.minValue, t.maxValue);
                }
            },
            s.types_[i]);
    }
    for (std::size_t i = 1; i < s.styles_.size(); ++i) {
        const auto& st = s.styles_[i];
        line(out, "style", st.type, st.font, st.colours, int{st.hAlign}, int{st.vAlign}, int{st.locked});
    }
    for (std::size_t c = 0; c < s.colWidths_.size(); ++c) {
        if (s.colWidths_[c] >= 0) line(out, "width", static_cast<int>(c), s.colWidths_[c]);
    }
    for (std::size_t r = 0; r < s.rowHeights_.size(); ++r) {
        if (s.rowHeights_[r] >= 0) line(out, "height", static_cast<int>(r), s.rowHeights_[r]);
    }
    for (const auto& sp : s.spans_) line(out, "span", sp.col, sp.row, sp.cols, sp.rows);
    // The lines so far are few; the cell lines are counted as they are written.
    std::size_t lines = 0;
    for (char ch : out) lines += ch == '\n';
    for (std::size_t r = 0; r < s.rows_.size(); ++r) {
        if (!s.rows_[r]) continue;
        s.rows_[r]->forEach([&](std::size_t c, const Sheet::Cell& cell) {
            const bool extra = cell.extra && (cell.extra->formula || cell.extra->tag);
            if (cell.text.empty() && cell.style == 0 && !extra) return;
            // The common cell, written by hand: "c<tab>col<tab>row<tab>style<tab>text".
            out += "c\t";
            putInt(out, static_cast<long long>(c));
            out.push_back('\t');
            putInt(out, static_cast<long long>(r));
            out.push_back('\t');
            putInt(out, cell.style);
            out.push_back('\t');
            putText(out, cell.text);
            if (extra) {
                out.push_back('\t');
                if (cell.extra->formula) putText(out, *cell.extra->formula);
                out.push_back('\t');
                putText(out, cell.extra->tagText());
            }
            out.push_back('\n');
            ++lines;
        });
    }
    const std::uint64_t sum = checksum(out);
    out += "end\t";
    putInt(out, static_cast<long long>(lines));
    out.push_back('\t');
    std::array<char, 24> hex{};
    auto [end, ec] = std::to_chars(hex.data(), hex.data() + hex.size(), sum, 16);
    out.append(hex.data(), end);
    out.push_back('\n');
    return out;
}

bool SheetFile::deserialize(std::string_view data, Sheet& target) {
    // The closing line: "end", the number of lines before it, the checksum of their bytes.
    if (data.size() < 2 || data.back() != '\n') return false;
    const std::size_t lastStart = data.rfind('\n', data.size() - 2);
    if (lastStart == std::string_view::npos) return false;
    const std::string_view body = data.substr(0, lastStart + 1);
    Fields fields;
    if (!fields.split(data.substr(lastStart + 1, data.size() - lastStart - 2)) || fields.n != 3 || fields.f[0] != "end")
        return false;
    std::size_t expectedLines = 0;
    std::uint64_t expectedSum = 0;
    if (!fields.num(1, expectedLines)) return false;
    {
        const std::string_view h = fields.f[2];
        const auto [end, ec] = std::from_chars(h.data(), h.data() + h.size(), expectedSum, 16);
        if (ec != std::errc() || end != h.data() + h.size()) return false;
    }
#ifndef FUZZING_BUILD_MODE_UNSAFE_FOR_PRODUCTION
    // (A fuzzing build reads past a wrong checksum, so that the fuzzer reaches the lines behind it.)
    if (checksum(body) != expectedSum) return false;
#endif

    Sheet sheet;  // filled here, taken over only at the end
    std::size_t lines = 0;
    std::string text, formula, tag;
    bool counted = false;
    bool anyFormula = false;
    std::size_t pos = 0;
    bool first = true;
    while (pos < body.size()) {
        const std::size_t nl = body.find('\n', pos);
        const std::string_view lineText = body.substr(pos, nl - pos);
        pos = nl + 1;
        ++lines;
        if (!fields.split(lineText)) return false;
        const std::string_view tagName = fields.f[0];
        if (first) {
            int version = 0;
            if (tagName != kMagic || fields.n != 2 || !fields.num(1, version) || version != kVersion) return false;
            first = false;
            continue;
        }
        if (tagName == "c") {
            int c = 0, r = 0;
            std::uint32_t style = 0;
            if (!counted || (fields.n != 5 && fields.n != 7) || !fields.num(1, c) || !fields.num(2, r) || !fields.num(3, style))
                return false;
            if (c < 0 || r < 0 || c > sheet.colCount_ || r > sheet.rowCount_ || style >= sheet.styles_.size()) return false;
            auto& cell = sheet.at({c, r});
            cell.style = style;
            if (!fields.text(4, cell.text)) return false;
            if (fields.n == 7) {
                if (!fields.text(5, formula) || !fields.text(6, tag)) return false;
                if (!formula.empty()) {
                    anyFormula = true;
                    // A text met before was checked then (a filled column holds one text).
                    Formula parsed;
                    if (!sheet.formulaTexts_.count(formula) && !parseFormula(formula, kRefStyleR1C1, {c, r}, parsed))
                        return false;
                }
                if (!formula.empty() || !tag.empty()) {
                    cell.extra = std::make_unique<Sheet::CellExtra>();
                    if (!formula.empty()) cell.extra->formula = sheet.internFormula(formula);
                    if (!tag.empty()) cell.extra->tag = std::make_unique<std::string>(tag);
                }
            }
        } else if (tagName == "counts") {
            int cols = 0, rows = 0;
            if (counted || fields.n != 3 || !fields.num(1, cols) || !fields.num(2, rows)) return false;
            if (!sheet.setColCount(cols) || !sheet.setRowCount(rows)) return false;
            counted = true;
        } else if (tagName == "font") {
            LOGFONT f;
            int italic = 0, underline = 0, strike = 0, charSet = 0, out = 0, clip = 0, quality = 0, pitch = 0;
            if (fields.n != 15 || !fields.text(1, f.lfFaceName) || !fields.num(2, f.lfHeight) || !fields.num(3, f.lfWidth) ||
                !fields.num(4, f.lfEscapement) || !fields.num(5, f.lfOrientation) || !fields.num(6, f.lfWeight) ||
                !fields.num(7, italic) || !fields.num(8, underline) || !fields.num(9, strike) || !fields.num(10, charSet) ||
                !fields.num(11, out) || !fields.num(12, clip) || !fields.num(13, quality) || !fields.num(14, pitch))
                return false;
            if (charSet < 0 || charSet > 255 || out < 0 || out > 255 || clip < 0 || clip > 255 || quality < 0 ||
                quality > 255 || pitch < 0 || pitch > 255)
                return false;
            f.lfItalic = italic != 0;
            f.lfUnderline = underline != 0;
            f.lfStrikeOut = strike != 0;
            f.lfCharSet = static_cast<unsigned char>(charSet);
            f.lfOutPrecision = static_cast<unsigned char>(out);
            f.lfClipPrecision = static_cast<unsigned char>(clip);
            f.lfQuality = static_cast<unsigned char>(quality);
            f.lfPitchAndFamily = static_cast<unsigned char>(pitch);
            sheet.fonts_.push_back(f);
            sheet.fontHandles_.push_back(HFONT{});
        } else if (tagName == "colours") {
            ColourPair p;
            if (fields.n != 3 || !fields.num(1, p.back) || !fields.num(2, p.fore)) return false;
            sheet.colourPairs_.push_back(p);
        } else if (tagName == "type") {
            int kind = 0;
            std::uint32_t style = 0;
            if (fields.n < 3 || !fields.num(1, kind) || !fields.num(2, style)) return false;
            switch (kind) {
            case EditType::kKind: {
                EditType t;
                t.style = style;
                if (fields.n != 6 || !fields.num(3, t.maxLength) || !fields.num(4, t.charSet) || !fields.num(5, t.charCase) ||
                    t.maxLength < 0)
                    return false;
                sheet.types_.push_back(t);
                break;
            }
            case StaticTextType::kKind:
                if (fields.n != 3) return false;
                sheet.types_.push_back(StaticTextType{style});
                break;
            case ComboBoxType::kKind:
                if (fields.n != 4 || !fields.text(3, text)) return false;
                sheet.types_.push_back(ComboBoxType::fromList(style, text));
                break;
            case CheckBoxType::kKind:
            case ButtonType::kKind:
            case PictureType::kKind:
                if (fields.n != 4 || !fields.text(3, text)) return false;
                if (kind == CheckBoxType::kKind) {
                    CheckBoxType t;
                    t.style = style;
                    t.caption = text;
                    sheet.types_.push_back(t);
                } else if (kind == ButtonType::kKind) {
                    ButtonType t;
                    t.style = style;
                    t.caption = text;
                    sheet.types_.push_back(t);
                } else {
                    PictureType t;
                    t.style = style;
                    t.fileName = text;
                    sheet.types_.push_back(t);
                }
                break;
            case NumberType::kKind: {
                NumberType t;
                t.style = style;
                if (fields.n != 6 || !fields.num(3, t.decimals) || !fields.num(4, t.minValue) || !fields.num(5, t.maxValue) ||
                    t.decimals < 0 || t.decimals > 15 || t.minValue > t.maxValue)
                    return false;
                sheet.types_.push_back(t);
                break;
            }
            default: return false;
            }
        } else if (tagName == "style") {
            Sheet::Style st;
            int h = 0, v = 0, locked = 0;
            if (fields.n != 7 || !fields.num(1, st.type) || !fields.num(2, st.font) || !fields.num(3, st.colours) ||
                !fields.num(4, h) || !fields.num(5, v) || !fields.num(6, locked))
                return false;
            if (st.type >= sheet.types_.size() || st.font >= sheet.fonts_.size() || st.colours >= sheet.colourPairs_.size() ||
                h < 0 || h > 3 || (v != 0 && (v < 4 || v > 6)) || (locked != 0 && locked != 1))
                return false;
            st.hAlign = static_cast<std::uint8_t>(h);
            st.vAlign = static_cast<std::uint8_t>(v);
            st.locked = locked != 0;
            sheet.styleIds_.emplace(st, static_cast<std::uint32_t>(sheet.styles_.size()));
            sheet.styles_.push_back(st);
        } else if (tagName == "width" || tagName == "height") {
            int index = 0;
            double units = 0;
            if (!counted || fields.n != 3 || !fields.num(1, index) || !fields.num(2, units) || units < 0) return false;
            const bool ok = tagName == "width" ? (index <= sheet.colCount_ && sheet.setColumnWidth(index, units))
                                               : (index <= sheet.rowCount_ && sheet.setRowHeight(index, units));
            if (!ok) return false;
        } else if (tagName == "span") {
            int c = 0, r = 0, cols = 0, rows = 0;
            if (!counted || fields.n != 5 || !fields.num(1, c) || !fields.num(2, r) || !fields.num(3, cols) ||
                !fields.num(4, rows) || !sheet.addSpan({c, r}, cols, rows))
                return false;
        } else {
            return false;
        }
    }
    if (first || !counted || lines != expectedLines) return false;

    adopt(sheet, target, anyFormula);
    return true;
}

void SheetFile::adopt(Sheet& loaded, Sheet& target, bool anyFormula) {
    std::swap(target.rowCount_, loaded.rowCount_);
    std::swap(target.colCount_, loaded.colCount_);
    std::swap(target.rows_, loaded.rows_);
    std::swap(target.usedCols_, loaded.usedCols_);
    std::swap(target.colWidths_, loaded.colWidths_);
    std::swap(target.rowHeights_, loaded.rowHeights_);
    std::swap(target.spans_, loaded.spans_);
    std::swap(target.styles_, loaded.styles_);
    std::swap(target.styleIds_, loaded.styleIds_);
    std::swap(target.types_, loaded.types_);
    std::swap(target.fonts_, loaded.fonts_);
    std::swap(target.fontHandles_, loaded.fontHandles_);
    std::swap(target.colourPairs_, loaded.colourPairs_);
    std::swap(target.formulaTexts_, loaded.formulaTexts_);
    std::swap(target.formulaTextsPurgeAt_, loaded.formulaTextsPurgeAt_);
    // The engine reads the loaded formulas; results stay as saved.
    if (target.formulas_) {
        target.formulas_->contentReplaced();
    } else if (anyFormula) {
        target.formulas();
    }
}

bool SheetFile::save(const Sheet& sheet, const std::string& path) {
    if (path.empty()) return false;
    const std::string data = serialize(sheet);
    std::string temp = path + ".XXXXXX";
    const int fd = mkstemp(temp.data());
    if (fd < 0) return false;
    bool ok = true;
    for (std::size_t done = 0; ok && done < data.size();) {
        const ssize_t n = ::write(fd, data.data() + done, data.size() - done);
        if (n <= 0) {
            ok = false;
        } else {
            done += static_cast<std::size_t>(n);
        }
    }
    ok = ok && ::fchmod(fd, 0644) == 0;
    ok = ok && ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    ok = ok && std::rename(temp.c_str(), path.c_str()) == 0;
    if (!ok) std::remove(temp.c_str());
    return ok;
}

bool SheetFile::readBytes(const std::string& path, std::string& data) {
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return false;
    bool ok = std::fseek(f, 0, SEEK_END) == 0;
    const long size = ok ? std::ftell(f) : -1;
    ok = ok && size >= 0 && static_cast<std::size_t>(size) <= kMaxFileBytes && std::fseek(f, 0, SEEK_SET) == 0;
    if (ok) {
        data.resize(static_cast<std::size_t>(size));
        ok = std::fread(data.data(), 1, data.size(), f) == data.size();
    }
    std::fclose(f);
    return ok;
}

bool SheetFile::load(const std::string& path, Sheet& sheet) {
    std::string data;
    return readBytes(path, data) && deserialize(data, sheet);
}

}  // namespace vtl::grid
