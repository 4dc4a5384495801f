#include "file/orcus_import.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <stdexcept>
#include <cstdio>
#include <string>
#include <vector>

#include <orcus/csv_parser.hpp>
#include <orcus/orcus_ods.hpp>
#include <orcus/orcus_xlsx.hpp>
#include <orcus/spreadsheet/import_interface.hpp>
#include <orcus/zip_archive.hpp>
#include <orcus/zip_archive_stream.hpp>

#include "model/cell_types/number.h"
#include "model/number_text.h"
#include "file/zip_stored.h"
#include "model/sheet.h"

namespace vtl::grid {
namespace {
namespace ss = orcus::spreadsheet;
namespace iface = orcus::spreadsheet::iface;

bool sameNameFolded(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
        if (x != y) return false;
    }
    return true;
}

// Days since 1970-01-01 as a civil date (proleptic Gregorian).
void civilFromDays(long long z, int& y, int& m, int& d) {
    z += 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const long long doe = z - era * 146097;
    const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const long long mp = (5 * doy + 2) / 153;
    d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    y = static_cast<int>(yoe + era * 400 + (m <= 2 ? 1 : 0));
}

long long daysFromCivil(int y, int m, int d) {
    y -= m <= 2 ? 1 : 0;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const long long yoe = y - era * 400;
    const long long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

std::string isoDateTime(int y, int mo, int d, int h, int mi, double s) {
    char buffer[64];
    const int sec = static_cast<int>(std::lround(s));
    if (h == 0 && mi == 0 && sec == 0) {
        std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d", y, mo, d);
    } else if (sec == 0) {
        std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d %02d:%02d", y, mo, d, h, mi);
    } else {
        std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d %02d:%02d:%02d", y, mo, d, h, mi, sec);
    }
    return buffer;
}

// A number format code that shows a date or a time: d, y, h or s outside quotes, brackets and escapes.
bool dateFormatCode(std::string_view code) {
    bool quoted = false;
    int bracket = 0;
    for (std::size_t i = 0; i < code.size(); ++i) {
        const char c = code[i];
        if (quoted) {
            quoted = c != '"';
        } else if (c == '"') {
            quoted = true;
        } else if (c == '\\' || c == '_' || c == '*') {
            ++i;
        } else if (c == '[') {
            ++bracket;
        } else if (c == ']') {
            bracket = bracket > 0 ? bracket - 1 : 0;
        } else if (bracket == 0) {
            switch (c) {
            case 'd': case 'D': case 'y': case 'Y': case 'h': case 'H': case 's': case 'S':
                return code != "General";
            default: break;
            }
        }
    }
    return false;
}

// Built-in number formats of the workbook format that show dates and times.
bool builtInDateFormat(std::size_t id) { return (id >= 14 && id <= 22) || (id >= 45 && id <= 47); }

class SheetAdapter;

// Shared strings, rich text flattened.
class SharedStrings final : public iface::import_shared_strings {
public:
    std::vector<std::string> strings;

    std::size_t append(std::string_view s) override {
        strings.emplace_back(s);
        return strings.size() - 1;
    }
    std::size_t add(std::string_view s) override { return append(s); }
    void set_segment_font(std::size_t) override {}
    void set_segment_bold(bool) override {}
    void set_segment_italic(bool) override {}
    void set_segment_font_name(std::string_view) override {}
    void set_segment_font_size(double) override {}
    void set_segment_font_color(ss::color_elem_t, ss::color_elem_t, ss::color_elem_t, ss::color_elem_t) override {}
    void append_segment(std::string_view s) override { segments_ += s; }
    std::size_t commit_segments() override {
        strings.push_back(std::move(segments_));
        segments_.clear();
        return strings.size() - 1;
    }

private:
    std::string segments_;
};

// Only the number formats matter: which cell formats (xf) show dates.
class Styles final : public iface::import_styles {
public:
    std::vector<bool> dateXf;

    void set_font_count(std::size_t) override {}
    void set_font_bold(bool) override {}
    void set_font_italic(bool) override {}
    void set_font_name(std::string_view) override {}
    void set_font_size(double) override {}
    void set_font_underline(ss::underline_t) override {}
    void set_font_underline_width(ss::underline_width_t) override {}
    void set_font_underline_mode(ss::underline_mode_t) override {}
    void set_font_underline_type(ss::underline_type_t) override {}
    void set_font_underline_color(ss::color_elem_t, ss::color_elem_t, ss::color_elem_t, ss::color_elem_t) override {}
    void set_font_color(ss::color_elem_t, ss::color_elem_t, ss::color_elem_t, ss::color_elem_t) override {}
    void set_strikethrough_style(ss::strikethrough_style_t) override {}
    void set_strikethrough_type(ss::strikethrough_type_t) override {}
    void set_strikethrough_width(ss::strikethrough_width_t) override {}
    void set_strikethrough_text(ss::strikethrough_text_t) override {}
    std::size_t commit_font() override { return fonts_++; }
    void set_fill_count(std::size_t) override {}
    void set_fill_pattern_type(ss::fill_pattern_t) override {}
    void set_fill_fg_color(ss::color_elem_t, ss::color_elem_t, ss::color_elem_t, ss::color_elem_t) override {}
    void set_fill_bg_color(ss::color_elem_t, ss::color_elem_t, ss::color_elem_t, ss::color_elem_t) override {}
    std::size_t commit_fill() override { return fills_++; }
    void set_border_count(std::size_t) override {}
    void set_border_style(ss::border_direction_t, ss::border_style_t) override {}
    void set_border_color(ss::border_direction_t, ss::color_elem_t, ss::color_elem_t, ss::color_elem_t,
                          ss::color_elem_t) override {}
    void set_border_width(ss::border_direction_t, double, orcus::length_unit_t) override {}
    std::size_t commit_border() override { return borders_++; }
    void set_cell_hidden(bool) override {}
    void set_cell_locked(bool) override {}
    void set_cell_print_content(bool) override {}
    void set_cell_formula_hidden(bool) override {}
    std::size_t commit_cell_protection() override { return protections_++; }
    void set_number_format_count(std::size_t) override {}
    void set_number_format_identifier(std::size_t id) override { formatId_ = id; }
    void set_number_format_code(std::string_view s) override { formatCode_ = s; }
    std::size_t commit_number_format() override {
        if (dateFormatCode(formatCode_)) dateFormats_.push_back(formatId_);
        formatId_ = 0;
        formatCode_.clear();
        return numberFormats_++;
    }
    void set_cell_xf_count(std::size_t) override {}
    void set_cell_style_xf_count(std::size_t) override {}
    void set_dxf_count(std::size_t) override {}
    void set_xf_font(std::size_t) override {}
    void set_xf_fill(std::size_t) override {}
    void set_xf_border(std::size_t) override {}
    void set_xf_protection(std::size_t) override {}
    void set_xf_number_format(std::size_t index) override { xfFormat_ = index; }
    void set_xf_style_xf(std::size_t) override {}
    void set_xf_apply_alignment(bool) override {}
    void set_xf_horizontal_alignment(ss::hor_alignment_t) override {}
    void set_xf_vertical_alignment(ss::ver_alignment_t) override {}
    std::size_t commit_cell_xf() override {
        bool date = builtInDateFormat(xfFormat_);
        for (const std::size_t id : dateFormats_) date = date || id == xfFormat_;
        dateXf.push_back(date);
        xfFormat_ = 0;
        return dateXf.size() - 1;
    }
    std::size_t commit_cell_style_xf() override {
        xfFormat_ = 0;
        return styleXfs_++;
    }
    std::size_t commit_dxf() override {
        xfFormat_ = 0;
        return dxfs_++;
    }
    void set_cell_style_count(std::size_t) override {}
    void set_cell_style_name(std::string_view) override {}
    void set_cell_style_xf(std::size_t) override {}
    void set_cell_style_builtin(std::size_t) override {}
    void set_cell_style_parent_name(std::string_view) override {}
    std::size_t commit_cell_style() override { return cellStyles_++; }

private:
    std::size_t fonts_ = 0, fills_ = 0, borders_ = 0, protections_ = 0, numberFormats_ = 0, styleXfs_ = 0, dxfs_ = 0,
                cellStyles_ = 0;
    std::size_t formatId_ = 0;
    std::string formatCode_;
    std::size_t xfFormat_ = 0;
    std::vector<std::size_t> dateFormats_;
};

// A1 addresses ("B2", "$B$2", "Bolts!B2") and ranges ("A1:C3") of the workbook's own parts: merges,
// dimensions. Anything else is a damaged workbook.
class A1Resolver final : public iface::import_reference_resolver {
public:
    ss::src_address_t resolve_address(std::string_view address) override {
        if (const std::size_t bang = address.rfind('!'); bang != std::string_view::npos)
            address.remove_prefix(bang + 1);  // a sheet's name before the cell: only the cell is used
        ss::src_address_t result{0, 0, 0};
        std::size_t i = 0;
        const auto skipDollar = [&] {
            if (i < address.size() && address[i] == '$') ++i;
        };
        skipDollar();
        long long col = 0;
        const std::size_t letters = i;
        for (; i < address.size() && std::isalpha(static_cast<unsigned char>(address[i])); ++i) {
            col = col * 26 + (std::toupper(static_cast<unsigned char>(address[i])) - 'A' + 1);
            if (col > kMaxCols) throw std::out_of_range("column");
        }
        skipDollar();
        long long row = 0;
        const std::size_t digits = i;
        for (; i < address.size() && std::isdigit(static_cast<unsigned char>(address[i])); ++i) {
            row = row * 10 + (address[i] - '0');
            if (row > kMaxRows + 1) throw std::out_of_range("row");
        }
        if (i == letters || digits == letters || i == digits || i != address.size() || row < 1)
            throw std::invalid_argument("address");
        result.row = static_cast<ss::row_t>(row - 1);
        result.column = static_cast<ss::col_t>(col - 1);
        return result;
    }
    ss::src_range_t resolve_range(std::string_view range) override {
        const std::size_t colon = range.find(':');
        if (colon == std::string_view::npos) {
            const ss::src_address_t one = resolve_address(range);
            return {one, one};
        }
        return {resolve_address(range.substr(0, colon)), resolve_address(range.substr(colon + 1))};
    }
};

class GlobalSettings final : public iface::import_global_settings {
public:
    long long originDays = daysFromCivil(1899, 12, 30);  // serial 0 of the 1900 date system as it counts

    void set_origin_date(int year, int month, int day) override { originDays = daysFromCivil(year, month, day); }
    void set_default_formula_grammar(ss::formula_grammar_t grammar) override { grammar_ = grammar; }
    ss::formula_grammar_t get_default_formula_grammar() const override { return grammar_; }
    void set_character_set(orcus::character_set_t) override {}

private:
    ss::formula_grammar_t grammar_ = ss::formula_grammar_t::unknown;
};

// The cells of one sheet of the file. Only the chosen sheet writes into the grid's sheet; the others take
// every call and keep nothing.
class SheetAdapter final : public iface::import_sheet,
                           iface::import_sheet_properties,
                           iface::import_formula,
                           iface::import_array_formula {
public:
    SheetAdapter(Sheet* target, const SharedStrings& strings, const Styles& styles)
        : target_(target), strings_(strings), styles_(styles) {}

    bool tooLarge = false;

    // ---- cells ----
    void set_auto(ss::row_t row, ss::col_t col, std::string_view s) override {
        if (!writeNumberText(row, col, s)) write(row, col, s);
    }
    void set_string(ss::row_t row, ss::col_t col, ss::string_id_t id) override {
        if (!target_) return;
        if (id < strings_.strings.size()) {
            write(row, col, strings_.strings[id]);
        } else if (inside(row, col)) {
            lateStrings_.push_back({row, col, id});  // the shared strings come after this sheet
        }
    }
    void set_value(ss::row_t row, ss::col_t col, double value) override { writeNumber(row, col, value); }
    void set_bool(ss::row_t row, ss::col_t col, bool value) override { write(row, col, value ? "TRUE" : "FALSE"); }
    void set_date_time(ss::row_t row, ss::col_t col, int year, int month, int day, int hour, int minute,
                       double second) override {
        write(row, col, isoDateTime(year, month, day, hour, minute, second));
    }
    // The workbook's styles may come after its sheets: formats are kept and dates found at the end.
    void set_format(ss::row_t row, ss::col_t col, std::size_t xf) override {
        if (target_ && datesByFormat && xf > 0 && inside(row, col)) formattedCells_.push_back({row, col, xf});
    }
    void set_format(ss::row_t row1, ss::col_t col1, ss::row_t row2, ss::col_t col2, std::size_t xf) override {
        if (target_ && datesByFormat && xf > 0) formattedRanges_.push_back({{{row1, col1}, {row2, col2}}, xf});
    }
    void fill_down_cells(ss::row_t row, ss::col_t col, ss::row_t count) override {
        if (!target_ || !inside(row, col) || count <= 0) return;
        const std::string text = target_->text({col + 1, row});
        for (ss::row_t r = row + 1; r <= row + count; ++r) write(r, col, text);
    }
    ss::range_size_t get_sheet_size() const override { return {kMaxRows + 1, kMaxCols}; }

    iface::import_sheet_properties* get_sheet_properties() override { return this; }
    iface::import_formula* get_formula() override { return this; }
    iface::import_array_formula* get_array_formula() override { return this; }

    // ---- properties: merged cells only ----
    void set_column_width(ss::col_t col, double width, orcus::length_unit_t unit) override {
        if (target_ && col >= 0 && col < kMaxCols && width >= 0 && width < 1000) widths_.push_back({col, width, unit});
    }
    void set_column_hidden(ss::col_t, bool) override {}
    void set_row_height(ss::row_t, double, orcus::length_unit_t) override {}
    void set_row_hidden(ss::row_t, bool) override {}
    void set_merge_cell_range(const ss::range_t& range) override {
        if (target_) merges_.push_back(range);
    }

    // ---- a formula: its cached result ----
    void set_position(ss::row_t row, ss::col_t col) override {
        formulaRow_ = row;
        formulaCol_ = col;
        result_.clear();
        hasResult_ = false;
    }
    void set_formula(ss::formula_grammar_t, std::string_view) override {}
    void set_shared_formula_index(std::size_t) override {}
    void set_result_string(std::string_view value) override { keepResult(std::string(value)); }
    void set_result_value(double value) override {
        keepResult(formatShortest(value));
        resultIsNumber_ = std::isfinite(value);
    }
    void set_result_bool(bool value) override { keepResult(value ? "TRUE" : "FALSE"); }
    void set_result_empty() override { keepResult({}); }
    // (commit ends both a formula and an array formula; an array formula's results are written at once)
    void commit() override {
        if (hasResult_ && !(resultIsNumber_ && writeNumberText(formulaRow_, formulaCol_, result_, true)))
            write(formulaRow_, formulaCol_, result_);
        hasResult_ = false;
    }

    // ---- an array formula: the cached results of its cells ----
    void set_range(const ss::range_t&) override {}
    void set_result_string(ss::row_t row, ss::col_t col, std::string_view value) override { write(row, col, value); }
    void set_result_value(ss::row_t row, ss::col_t col, double value) override { writeNumber(row, col, value); }
    void set_result_bool(ss::row_t row, ss::col_t col, bool value) override { write(row, col, value ? "TRUE" : "FALSE"); }
    void set_result_empty(ss::row_t, ss::col_t) override {}

    // Strings that came late, dates by cell format, merges; then the counts cut to the cells present.
    void finish(long long originDays) {
        if (!target_) return;
        for (const LateString& late : lateStrings_)
            if (late.id < strings_.strings.size()) write(late.row, late.col, strings_.strings[late.id]);
        std::string scratch;
        const auto toDate = [&](int col, int row) {
            const CellRef ref{col, row};
            const auto serial = parseNumber(target_->text(ref));
            if (!serial || std::fabs(*serial) > 3.0e6) return;
            const double whole = std::floor(*serial);
            long long seconds = std::llround((*serial - whole) * 86400.0);
            long long days = static_cast<long long>(whole) + originDays;
            if (seconds >= 86400) {
                ++days;
                seconds -= 86400;
            }
            int y = 0, m = 0, d = 0;
            civilFromDays(days, y, m, d);
            target_->setCellType({ref.col, ref.row, ref.col, ref.row}, EditType{});  // a date is text
            target_->setText(ref, isoDateTime(y, m, d, static_cast<int>(seconds / 3600),
                                              static_cast<int>(seconds / 60 % 60), static_cast<double>(seconds % 60)));
        };
        const auto isDate = [&](std::size_t xf) { return xf < styles_.dateXf.size() && styles_.dateXf[xf]; };
        for (const FormattedCell& cell : formattedCells_)
            if (isDate(cell.xf)) toDate(cell.col + 1, cell.row);
        if (!formattedRanges_.empty()) {
            std::vector<CellRef> present;
            for (const auto& [range, xf] : formattedRanges_) {
                if (!isDate(xf)) continue;
                present.clear();
                target_->presentCells({range.first.column + 1, range.first.row, range.last.column + 1, range.last.row},
                                      present);
                for (const CellRef& cell : present) toDate(cell.col, cell.row);
            }
        }
        for (const ss::range_t& range : merges_) {
            const int cols = range.last.column - range.first.column + 1;
            const int rows = range.last.row - range.first.row + 1;
            if (range.first.row < 0 || range.first.column < 0 || cols < 1 || rows < 1) continue;
            if (range.first.row == 0 && rows > 1) continue;  // from the header row into the data rows
            target_->addSpan({range.first.column + 1, range.first.row}, cols, rows);
        }
        target_->setRowCount(std::max(0, lastRow_));
        target_->setColCount(lastCol_ + 1);
        // Column widths as the file gives them: in digits (the grid's character units) or a length.
        for (const ColumnWidth& w : widths_) {
            const int col = w.col + 1;
            if (col > target_->colCount()) continue;
            double inches = -1;
            switch (w.unit) {
            case orcus::length_unit_t::xlsx_column_digit: target_->setColumnWidth(col, w.width); break;
            case orcus::length_unit_t::inch: inches = w.width; break;
            case orcus::length_unit_t::centimeter: inches = w.width / 2.54; break;
            case orcus::length_unit_t::millimeter: inches = w.width / 25.4; break;
            case orcus::length_unit_t::point: inches = w.width / 72; break;
            case orcus::length_unit_t::twip: inches = w.width / 1440; break;
            case orcus::length_unit_t::pixel: target_->setColumnWidthPixels(col, static_cast<int>(std::lround(w.width))); break;
            default: break;
            }
            if (inches >= 0) target_->setColumnWidthPixels(col, static_cast<int>(std::lround(inches * 96)));
        }
    }

    // The dates of a workbook whose number formats say which numbers are dates.
    bool datesByFormat = false;

private:
    struct LateString {
        ss::row_t row;
        ss::col_t col;
        ss::string_id_t id;
    };

    bool inside(ss::row_t row, ss::col_t col) {
        if (row < 0 || col < 0 || row > kMaxRows || col >= kMaxCols) {
            tooLarge = true;
            return false;
        }
        return true;
    }
    void write(ss::row_t row, ss::col_t col, std::string_view text) {
        if (!target_ || !inside(row, col)) return;
        target_->setText({col + 1, row}, text);
        lastRow_ = std::max(lastRow_, static_cast<int>(row));
        lastCol_ = std::max(lastCol_, static_cast<int>(col));
    }
    void writeNumber(ss::row_t row, ss::col_t col, double value) {
        if (!target_ || !std::isfinite(value)) return;
        const std::string text = formatShortest(value);
        if (!writeNumberText(row, col, text, true)) write(row, col, text);
    }
    // A number written in plain decimals ("245", "-3.25", "16.0") becomes a number cell showing as many
    // decimals as the file wrote, so it reads back as a number and shows as it did. Text that would not
    // show the same ("007", "+5", "1e+20") stays text. False when the cell was not written. `shortest`:
    // the text is formatShortest's of a number, which shows as it is (no need to read it back).
    bool writeNumberText(ss::row_t row, ss::col_t col, std::string_view text, bool shortest = false) {
        if (!target_ || text.empty() || text.size() > 40) return false;
        std::size_t i = text[0] == '-' ? 1 : 0;
        const std::size_t intStart = i;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9') ++i;
        if (i == intStart) return false;
        int decimals = 0;
        if (i < text.size() && text[i] == '.') {
            const std::size_t fraction = ++i;
            while (i < text.size() && text[i] >= '0' && text[i] <= '9') ++i;
            decimals = static_cast<int>(i - fraction);
            if (decimals == 0 || decimals > 15) return false;
        }
        if (i != text.size()) return false;
        if (!shortest) {
            const auto value = parseNumber(text);
            if (!value || formatFixed(*value, decimals) != text) return false;
        }
        if (!inside(row, col)) return false;
        NumberType& type = numberTypes_[static_cast<std::size_t>(decimals)];
        type.decimals = decimals;
        const CellRef ref{col + 1, row};
        target_->setCellType({ref.col, ref.row, ref.col, ref.row}, type);
        target_->setText(ref, text);
        lastRow_ = std::max(lastRow_, static_cast<int>(row));
        lastCol_ = std::max(lastCol_, static_cast<int>(col));
        return true;
    }
    void keepResult(std::string value) {
        result_ = std::move(value);
        hasResult_ = true;
        resultIsNumber_ = false;
    }

    Sheet* target_;
    const SharedStrings& strings_;
    const Styles& styles_;
    int lastRow_ = 0;
    int lastCol_ = -1;
    std::vector<LateString> lateStrings_;
    struct FormattedCell {
        ss::row_t row;
        ss::col_t col;
        std::size_t xf;
    };
    std::vector<FormattedCell> formattedCells_;
    std::vector<std::pair<ss::range_t, std::size_t>> formattedRanges_;
    std::vector<ss::range_t> merges_;
    struct ColumnWidth {
        ss::col_t col;
        double width;
        orcus::length_unit_t unit;
    };
    std::vector<ColumnWidth> widths_;
    ss::row_t formulaRow_ = 0;
    ss::col_t formulaCol_ = 0;
    std::string result_;
    bool hasResult_ = false;
    bool resultIsNumber_ = false;
    std::array<NumberType, 16> numberTypes_{};
};

class Factory final : public iface::import_factory {
public:
    Factory(Sheet& target, std::string sheetName, bool datesByFormat)
        : target_(target), wanted_(std::move(sheetName)), datesByFormat_(datesByFormat) {}

    iface::import_global_settings* get_global_settings() override { return &settings_; }
    iface::import_shared_strings* get_shared_strings() override { return &strings_; }
    iface::import_styles* get_styles() override { return &styles_; }
    iface::import_reference_resolver* get_reference_resolver(ss::formula_ref_context_t) override { return &resolver_; }
    iface::import_sheet* append_sheet(ss::sheet_t index, std::string_view name) override {
        const bool chosen = !found_ && (wanted_.empty() ? index == 0 : sameNameFolded(name, wanted_));
        if (chosen) found_ = true;
        sheets_.push_back({std::string(name), std::make_unique<SheetAdapter>(chosen ? &target_ : nullptr, strings_, styles_)});
        sheets_.back().adapter->datesByFormat = datesByFormat_;
        if (chosen) chosen_ = sheets_.back().adapter.get();
        return sheets_.back().adapter.get();
    }
    iface::import_sheet* get_sheet(std::string_view name) override {
        for (auto& sheet : sheets_)
            if (sheet.name == name) return sheet.adapter.get();
        return nullptr;
    }
    iface::import_sheet* get_sheet(ss::sheet_t index) override {
        return index >= 0 && static_cast<std::size_t>(index) < sheets_.size() ? sheets_[index].adapter.get() : nullptr;
    }
    void finalize() override {}

    SheetAdapter* chosen() const { return chosen_; }
    long long originDays() const { return settings_.originDays; }

private:
    struct NamedSheet {
        std::string name;
        std::unique_ptr<SheetAdapter> adapter;
    };
    Sheet& target_;
    std::string wanted_;
    bool datesByFormat_;
    bool found_ = false;
    SheetAdapter* chosen_ = nullptr;
    GlobalSettings settings_;
    SharedStrings strings_;
    Styles styles_;
    A1Resolver resolver_;
    std::vector<NamedSheet> sheets_;
};

// Cells of CSV text onto the adapter: row by row, as the file's parser for this format would call it.
class CsvCells {
public:
    CsvCells(SheetAdapter& sheet, const CsvLayout& layout) : sheet_(sheet), layout_(layout) {}
    void begin_parse() {}
    void end_parse() {}
    void begin_row() { col_ = 0; }
    void end_row() { ++row_; }
    void cell(const char* p, std::size_t n, bool) {
        const std::string_view text(p, n);
        if (n > 0) {
            if (layout_.decimalComma && decimalCommaNumber(text, number_)) {
                sheet_.set_auto(row_, col_, number_);
            } else {
                sheet_.set_auto(row_, col_, text);
            }
        }
        ++col_;
    }

private:
    SheetAdapter& sheet_;
    const CsvLayout& layout_;
    ss::row_t row_ = 0;
    ss::col_t col_ = 0;
    std::string number_;
};
void replaceAll(std::string& text, std::string_view from, std::string_view to) {
    for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
}

struct OdsMerge {
    int sheet;
    ss::range_t range;
};

// The value of attribute `name` inside the tag text; 1 when absent or not a positive number.
long long countAttribute(std::string_view tag, std::string_view name) {
    const std::size_t at = tag.find(name);
    if (at == std::string_view::npos) return 1;
    std::size_t i = at + name.size();
    while (i < tag.size() && (tag[i] == '=' || tag[i] == '"' || tag[i] == '\'')) ++i;
    long long n = 0;
    for (; i < tag.size() && std::isdigit(static_cast<unsigned char>(tag[i])); ++i) n = std::min(n * 10 + (tag[i] - '0'), 100000000LL);
    return n > 0 ? n : 1;
}

// The merges of a content.xml: cells with table:number-columns-spanned or -rows-spanned, by position.
std::vector<OdsMerge> odsMerges(std::string_view xml) {
    std::vector<OdsMerge> merges;
    int sheet = -1;
    long long row = 0, col = 0, rowRepeat = 1;
    for (std::size_t at = xml.find('<'); at != std::string_view::npos; at = xml.find('<', at + 1)) {
        const std::size_t end = xml.find('>', at);
        if (end == std::string_view::npos) break;
        const std::string_view tag = xml.substr(at, end - at + 1);
        const bool closing = tag.size() > 1 && tag[1] == '/';
        const bool selfClosing = tag.size() > 2 && tag[tag.size() - 2] == '/';
        const auto named = [&](std::string_view name) {
            const std::size_t n = closing ? 2 : 1;
            return tag.substr(n, name.size()) == name && tag.size() > n + name.size() &&
                   (tag[n + name.size()] == ' ' || tag[n + name.size()] == '>' || tag[n + name.size()] == '/');
        };
        if (named("table:table")) {
            if (!closing) {
                ++sheet;
                row = 0;
            }
        } else if (named("table:table-row")) {
            if (!closing) {
                col = 0;
                rowRepeat = countAttribute(tag, "table:number-rows-repeated");
            }
            if (closing || selfClosing) row += rowRepeat;
        } else if (!closing && (named("table:table-cell") || named("table:covered-table-cell"))) {
            const long long cols = countAttribute(tag, "table:number-columns-spanned");
            const long long rows = countAttribute(tag, "table:number-rows-spanned");
            if ((cols > 1 || rows > 1) && row <= kMaxRows && col < kMaxCols)
                merges.push_back({sheet, {{static_cast<ss::row_t>(row), static_cast<ss::col_t>(col)},
                                          {static_cast<ss::row_t>(std::min<long long>(row + rows - 1, kMaxRows)),
                                           static_cast<ss::col_t>(std::min<long long>(col + cols - 1, kMaxCols - 1))}}});
            col += countAttribute(tag, "table:number-columns-repeated");
        }
        at = end;
    }
    return merges;
}

// The ODS parser of this liborcus skips the cells a merge covers (table:covered-table-cell) without
// counting them, so every cell right of a merge would move left. The workbook is handed on with those
// cells as empty cells, and the merges (which it does not report either) are read from the spanned
// cells' attributes.
std::string odsWithCoveredCellsCounted(std::string_view bytes, std::vector<OdsMerge>& merges) {
    orcus::zip_archive_stream_blob stream(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    orcus::zip_archive archive(&stream);
    archive.load();
    std::vector<std::pair<std::string, std::string>> entries;
    std::vector<unsigned char> buffer;
    bool found = false;
    for (std::size_t i = 0; i < archive.get_file_entry_count(); ++i) {
        const std::string name(archive.get_file_entry_name(i));
        if (name != "mimetype" && name != "content.xml" && name != "styles.xml") continue;
        buffer.clear();
        if (!archive.read_file_entry(name, buffer)) throw std::runtime_error("zip entry");
        std::string data(buffer.begin(), buffer.end());
        if (name == "content.xml") {
            found = true;
            merges = odsMerges(data);
            replaceAll(data, "<table:covered-table-cell", "<table:table-cell");
            replaceAll(data, "</table:covered-table-cell>", "</table:table-cell>");
        }
        entries.emplace_back(name, std::move(data));
    }
    if (!found) throw std::runtime_error("no content");
    return zipStored(entries);
}
}  // namespace

bool importWorkbook(WorkbookFormat format, std::string_view bytes, const std::string& sheetName, Sheet& sheet) {
    // The sheet is not yet the caller's: it may fill to the grid's limits and is cut at the end.
    if (!sheet.setRowCount(kMaxRows) || !sheet.setColCount(kMaxCols)) return false;
    Factory factory(sheet, sheetName, format == WorkbookFormat::xlsx);
    try {
        if (format == WorkbookFormat::xlsx) {
            orcus::orcus_xlsx reader(&factory);
            reader.read_stream(bytes);
        } else {
            std::vector<OdsMerge> merges;
            const std::string repaired = odsWithCoveredCellsCounted(bytes, merges);
            orcus::orcus_ods reader(&factory);
            reader.read_stream(repaired);
            for (const OdsMerge& merge : merges)
                if (auto* sheet = factory.get_sheet(merge.sheet)) sheet->get_sheet_properties()->set_merge_cell_range(merge.range);
        }
    } catch (...) {
        return false;  // a corrupt, encrypted or foreign file: the reader's exceptions all mean "cannot read"
    }
    SheetAdapter* chosen = factory.chosen();
    if (!chosen || chosen->tooLarge) return false;
    chosen->finish(factory.originDays());
    return true;
}

bool importCsv(std::string_view text, const CsvLayout& layout, Sheet& sheet) {
    if (!sheet.setRowCount(kMaxRows) || !sheet.setColCount(kMaxCols)) return false;
    SharedStrings strings;
    Styles styles;
    SheetAdapter adapter(&sheet, strings, styles);
    CsvCells cells(adapter, layout);
    orcus::csv::parser_config config;
    config.delimiters = std::string(1, layout.separator);
    config.text_qualifier = '"';
    config.trim_cell_value = false;
    try {
        orcus::csv_parser<CsvCells> parser(text.data(), text.size(), cells, config);
        parser.parse();
    } catch (...) {
        return false;
    }
    if (adapter.tooLarge) return false;
    adapter.finish(0);
    return true;
}

}  // namespace vtl::grid
