// Writes the sample library's section tables (prof\*.pr). Rolled sections (HEA, HEB, HEM, IPE, UPN, UPE,
// equal and unequal angles) are converted from public tables of European sections given as JSON files;
// hollow sections and flat bars are computed from their standard sizes. Run by hand after a change; the
// tables are committed:
//   <build>/bin/vtl_make_section_tables samples/library [folder of HE.json, IPE.json, ...]
// Without the data folder only the computed tables are written.
//
// Units: dimensions in mm, A in cm2, G in kg/m, AL in m2/m, second moments in cm4, section moduli in cm3,
// radii of gyration in cm. Every text is ASCII; lines end in CR LF.
#include <algorithm>
#include <charconv>
#include <cstdio>
#include <tuple>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <numbers>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

namespace {
namespace fs = std::filesystem;
using Row = std::vector<std::string>;

struct Table {
    std::string type;
    std::string shape;  // a shape code, or the drawing of the profile
    std::vector<std::string> values;  // value column names
    std::vector<Row> rows;
};

// The shortest text that reads back as the number ("584", "4.2").
std::string num(double v) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, v);
    return std::string(buffer, result.ptr);
}
// Rounded to `decimals`, trailing zeros dropped.
std::string round(double v, int decimals) {
    const double scale = std::pow(10.0, decimals);
    return num(std::round(v * scale) / scale);
}

// The size columns: name, flag, a display name per language (Dutch, English, French, German).
Row sizeRow(const std::string& name, bool active, const std::string& dutch, const std::string& english) {
    return {name, active ? "1" : "0", dutch, english, english, english};
}

bool write(const fs::path& folder, const Table& table) {
    fs::create_directories(folder);
    const fs::path file = folder / (table.type + ".pr");
    std::ofstream out(file, std::ios::binary);
    auto line = [&](const Row& cells) {
        for (std::size_t i = 0; i < cells.size(); ++i) out << (i ? "\t" : "") << cells[i];
        out << "\r\n";
    };
    line({table.shape});
    Row header = {"SysName", "I/O", "Dutch", "English", "French", "German"};
    header.insert(header.end(), table.values.begin(), table.values.end());
    line(header);
    for (const Row& row : table.rows) line(row);
    if (!out) {
        std::cerr << file << ": cannot be written\n";
        return false;
    }
    std::cout << "wrote " << file.string() << " (" << table.rows.size() << " sizes)\n";
    return true;
}

nlohmann::json load(const fs::path& file) {
    std::ifstream in(file);
    if (!in) throw std::runtime_error(file.string() + ": cannot be read");
    return nlohmann::json::parse(in);
}

double field(const nlohmann::json& entry, const char* name) {
    const auto& v = entry.at(name);
    return v.is_number() ? v.get<double>() : std::stod(v.get<std::string>());
}

// Rolled I sections and channels, in ascending size. `pick` gives the size name of an entry or "".
Table rolled(const nlohmann::json& data, const std::string& type, const char* shape, bool channel,
             const std::function<std::string(const std::string&)>& pick, double inactiveFrom) {
    Table t{type, shape, {}, {}};
    t.values = channel ? std::vector<std::string>{"h", "b", "tw", "tf", "r1", "r2", "d", "A", "G", "AL", "Iy", "Iz",
                                                  "Wy", "Wz", "Wply", "Wplz", "iy", "iz", "It"}
                       : std::vector<std::string>{"h", "b", "tw", "tf", "r", "d", "A", "G", "AL", "Iy", "Iz", "Wy",
                                                  "Wz", "Wply", "Wplz", "iy", "iz", "It"};
    std::vector<std::pair<double, Row>> sized;
    for (const auto& [key, e] : data.items()) {
        const std::string size = pick(key);
        if (size.empty()) continue;
        const std::string display = type + " " + size;
        Row row = sizeRow(size, std::stod(size) < inactiveFrom, display, display);
        for (const char* name : {"h", "b", "tw", "tf"}) row.push_back(num(field(e, name)));
        if (channel) {
            row.push_back(num(field(e, "r_1")));
            row.push_back(num(field(e, "r_2")));
        } else {
            row.push_back(num(field(e, "r")));
        }
        for (const char* name : {"d", "A", "mass_per_metre", "surface_area_per_metre", "I_yy", "I_zz", "W_el_yy",
                                 "W_el_zz", "W_pl_yy", "W_pl_zz", "i_yy", "i_zz", "I_t"})
            row.push_back(num(field(e, name)));
        sized.emplace_back(std::stod(size), std::move(row));
    }
    std::sort(sized.begin(), sized.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    for (auto& s : sized) t.rows.push_back(std::move(s.second));
    return t;
}

// "300x300x35.0" -> "300x300x35"; "100x65x7" stays.
std::string angleName(const std::string& designation) {
    if (designation.size() > 2 && designation.ends_with(".0")) return designation.substr(0, designation.size() - 2);
    return designation;
}

// The digits of `key` between `prefix` and `suffix` ("HE-100-A" with "HE-", "-A" gives "100"); "" otherwise.
std::string sizeBetween(const std::string& key, const std::string& prefix, const std::string& suffix) {
    if (key.size() <= prefix.size() + suffix.size() || !key.starts_with(prefix) || !key.ends_with(suffix)) return "";
    const std::string digits = key.substr(prefix.size(), key.size() - prefix.size() - suffix.size());
    for (char c : digits)
        if (c < '0' || c > '9') return "";
    return digits;
}

Table angles(const nlohmann::json& data, bool equal) {
    Table t{equal ? "L" : "LU", equal ? "2" : "3",
            {"h", "b", "t", "r1", "r2", "ey", "ez", "A", "G", "Iy", "Iz", "Iu", "Iv", "iy", "iz", "iu", "iv", "Wy",
             "Wz", "It"},
            {}};
    struct Sized {
        double h, b, t;
        Row row;
    };
    std::vector<Sized> sized;
    for (const auto& [key, e] : data.items()) {
        const std::string name = angleName(e.at("designation").get<std::string>());
        double h = 0, b = 0, th = 0;
        if (std::sscanf(name.c_str(), "%lfx%lfx%lf", &h, &b, &th) != 3) continue;
        const std::string display = "L " + name;
        // Very thick legs are rarely stocked: listed, but inactive.
        Row row = sizeRow(name, th < 26, display, display);
        row.push_back(num(h));
        row.push_back(num(b));
        row.push_back(num(th));
        row.push_back(num(field(e, "r_1")));
        row.push_back(num(field(e, "r_2")));
        const double ey = equal ? field(e, "c") : field(e, "c_y");
        const double ez = equal ? field(e, "c") : field(e, "c_z");
        row.push_back(round(ey * 10, 1));  // cm to mm
        row.push_back(round(ez * 10, 1));
        for (const char* f : {"A", "mass_per_metre", "I_yy", "I_zz", "I_uu", "I_vv", "i_yy", "i_zz", "i_uu", "i_vv",
                              "W_el_yy", "W_el_zz", "I_t"})
            row.push_back(num(field(e, f)));
        sized.push_back({h, b, th, std::move(row)});
    }
    std::sort(sized.begin(), sized.end(), [](const Sized& a, const Sized& b) {
        return std::tie(a.h, a.b, a.t) < std::tie(b.h, b.b, b.t);
    });
    for (auto& s : sized) t.rows.push_back(std::move(s.row));
    return t;
}

// ---- computed sections ----
constexpr double kPi = std::numbers::pi;
constexpr double kSteelKgPerMm2M = 7850e-6;  // kg per metre for 1 mm2

// Area and second moment about the axis parallel to b of a b x h rectangle with corners of radius r.
struct AreaInertia {
    double a, i;
};
AreaInertia roundedRect(double b, double h, double r) {
    const double spandrel = (1 - kPi / 4) * r * r;
    const double e = r * (10 - 3 * kPi) / (12 - 3 * kPi);  // its centroid from the corner
    const double own = r * r * r * r * (1 - 5 * kPi / 16) - spandrel * e * e;
    const double d = h / 2 - e;
    return {b * h - 4 * spandrel, b * h * h * h / 12 - 4 * (own + spandrel * d * d)};
}

// Hot-finished hollow sections: outer corner radius 1.5 t, inner t.
Row hollowRow(const std::string& name, const std::string& dutch, const std::string& english, double h, double b,
              double t) {
    const auto outerY = roundedRect(b, h, 1.5 * t), innerY = roundedRect(b - 2 * t, h - 2 * t, t);
    const auto outerZ = roundedRect(h, b, 1.5 * t), innerZ = roundedRect(h - 2 * t, b - 2 * t, t);
    const double a = outerY.a - innerY.a;
    const double iy = outerY.i - innerY.i, iz = outerZ.i - innerZ.i;
    // Torsion constant of a thin-walled closed section with mean corner radius 1.25 t.
    const double rc = 1.25 * t;
    const double perimeter = 2 * ((b - t) + (h - t)) - 2 * rc * (4 - kPi);
    const double enclosed = (b - t) * (h - t) - rc * rc * (4 - kPi);
    const double it = t * t * t * perimeter / 3 + 2 * (2 * enclosed * t / perimeter) * enclosed;
    Row row = sizeRow(name, true, dutch, english);
    for (double v : {h, b, t}) row.push_back(num(v));
    row.push_back(round(a / 100, 2));
    row.push_back(round(a * kSteelKgPerMm2M, 2));
    row.push_back(round(iy / 1e4, 1));
    row.push_back(round(iz / 1e4, 1));
    row.push_back(round(iy / (h / 2) / 1e3, 1));
    row.push_back(round(iz / (b / 2) / 1e3, 1));
    row.push_back(round(std::sqrt(iy / a) / 10, 2));
    row.push_back(round(std::sqrt(iz / a) / 10, 2));
    row.push_back(round(it / 1e4, 1));
    return row;
}

std::string mm(double v) { return num(v); }

Table rectangularHollow(bool square) {
    Table t{square ? "SHS" : "RHS", "10", {"h", "b", "t", "A", "G", "Iy", "Iz", "Wy", "Wz", "iy", "iz", "It"}, {}};
    struct Size {
        double h, b;
        std::vector<double> t;
    };
    const std::vector<Size> sizes =
        square ? std::vector<Size>{{40, 40, {2.5, 3, 4}},        {50, 50, {3, 4, 5}},         {60, 60, {3, 4, 5, 6.3}},
                                   {70, 70, {4, 5, 6.3}},        {80, 80, {4, 5, 6.3, 8}},    {90, 90, {4, 5, 6.3}},
                                   {100, 100, {4, 5, 6.3, 8, 10}}, {120, 120, {5, 6.3, 8, 10}}, {140, 140, {5, 6.3, 8, 10}},
                                   {150, 150, {5, 6.3, 8, 10}},  {160, 160, {6.3, 8, 10}},    {180, 180, {6.3, 8, 10, 12.5}},
                                   {200, 200, {6.3, 8, 10, 12.5}}, {250, 250, {8, 10, 12.5}}, {300, 300, {10, 12.5}}}
               : std::vector<Size>{{50, 30, {2.5, 3, 4}},        {60, 40, {3, 4, 5}},         {80, 40, {3, 4, 5}},
                                   {100, 50, {4, 5, 6.3}},       {100, 60, {4, 5, 6.3}},      {120, 60, {4, 5, 6.3}},
                                   {120, 80, {5, 6.3, 8}},       {140, 80, {5, 6.3, 8}},      {150, 100, {5, 6.3, 8, 10}},
                                   {160, 80, {5, 6.3, 8}},       {200, 100, {6.3, 8, 10}},    {250, 150, {6.3, 8, 10, 12.5}},
                                   {300, 200, {8, 10, 12.5}}};
    for (const Size& s : sizes)
        for (double th : s.t) {
            const std::string name = mm(s.h) + "x" + mm(s.b) + "x" + mm(th);
            t.rows.push_back(hollowRow(name, "Koker " + name, (square ? "SHS " : "RHS ") + name, s.h, s.b, th));
        }
    return t;
}

Table circularHollow() {
    Table t{"CHS", "11", {"D", "t", "A", "G", "I", "W", "i", "It"}, {}};
    const std::vector<std::pair<double, std::vector<double>>> sizes = {
        {21.3, {2, 2.6, 3.2}}, {26.9, {2, 2.6, 3.2}},    {33.7, {2.6, 3.2, 4}},  {42.4, {2.6, 3.2, 4}},
        {48.3, {2.6, 3.2, 4, 5}}, {60.3, {2.6, 3.2, 4, 5}}, {76.1, {3.2, 4, 5}},  {88.9, {3.2, 4, 5, 6.3}},
        {114.3, {3.6, 4, 5, 6.3}}, {139.7, {4, 5, 6.3, 8}}, {168.3, {4, 5, 6.3, 8, 10}}, {219.1, {5, 6.3, 8, 10}},
        {273, {6.3, 8, 10, 12.5}}, {323.9, {6.3, 8, 10, 12.5}}};
    for (const auto& [d, thicknesses] : sizes)
        for (double th : thicknesses) {
            const std::string name = mm(d) + "x" + mm(th);
            const double inner = d - 2 * th;
            const double a = kPi / 4 * (d * d - inner * inner);
            const double i = kPi / 64 * (d * d * d * d - inner * inner * inner * inner);
            Row row = sizeRow(name, true, "Buis " + name, "CHS " + name);
            row.push_back(num(d));
            row.push_back(num(th));
            row.push_back(round(a / 100, 2));
            row.push_back(round(a * kSteelKgPerMm2M, 2));
            row.push_back(round(i / 1e4, 1));
            row.push_back(round(i / (d / 2) / 1e3, 2));
            row.push_back(round(std::sqrt(i / a) / 10, 2));
            row.push_back(round(2 * i / 1e4, 1));
            t.rows.push_back(std::move(row));
        }
    return t;
}

Table flatBars() {
    Table t{"FL", "8", {"b", "t", "A", "G", "Iy", "Iz"}, {}};
    const std::vector<std::pair<double, std::vector<double>>> sizes = {
        {20, {3, 4, 5, 6}},          {25, {3, 4, 5, 6, 8}},        {30, {3, 4, 5, 6, 8, 10}},  {40, {4, 5, 6, 8, 10, 12}},
        {50, {5, 6, 8, 10, 12, 15}}, {60, {5, 6, 8, 10, 12, 15}},  {80, {5, 6, 8, 10, 12, 15, 20}},
        {100, {5, 6, 8, 10, 12, 15, 20, 25}}, {120, {6, 8, 10, 12, 15, 20}}, {150, {8, 10, 12, 15, 20, 25}},
        {200, {10, 12, 15, 20, 25, 30}}, {250, {10, 12, 15, 20, 25, 30}}, {300, {10, 12, 15, 20, 25, 30}}};
    for (const auto& [b, thicknesses] : sizes)
        for (double th : thicknesses) {
            const std::string name = mm(b) + "x" + mm(th);
            Row row = sizeRow(name, true, "Strip " + name, "FL " + name);
            row.push_back(num(b));
            row.push_back(num(th));
            row.push_back(round(b * th / 100, 2));
            row.push_back(round(b * th * kSteelKgPerMm2M, 2));
            row.push_back(round(b * th * th * th / 12 / 1e4, 3));  // bending about the wide face
            row.push_back(round(th * b * b * b / 12 / 1e4, 2));
            t.rows.push_back(std::move(row));
        }
    return t;
}

// A cold-formed sigma purlin whose shape is a drawing, to show tables that name a drawing as their shape.
Table sigmaPurlins() {
    Table t{"SIGMA", "SigmaPurlin.dwg", {"h", "b", "t", "A", "G"}, {}};
    for (double h : {140, 170, 200, 240, 300})
        for (double th : {1.5, 2.0, 2.5}) {
            const std::string name = mm(h) + "x" + mm(th);
            const double a = th * (h + 2 * 62.5 + 2 * 20 + 40);  // web, flanges, lips and the sigma folds
            Row row = sizeRow(name, !(h == 300 && th == 1.5), "Sigma " + name, "Sigma " + name);
            for (double v : {h, 62.5, th}) row.push_back(num(v));
            row.push_back(round(a / 100, 2));
            row.push_back(round(a * kSteelKgPerMm2M, 2));
            t.rows.push_back(std::move(row));
        }
    return t;
}
}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::cerr << "usage: vtl_make_section_tables <library folder> [folder of the section data]\n";
        return 2;
    }
    const fs::path prof = fs::path(argv[1]) / "prof";
    bool ok = true;
    try {
        if (argc > 2) {
            const fs::path data = argv[2];
            const auto he = load(data / "HE.json");
            for (const char* series : {"A", "B", "M"}) {
                const auto pick = [&](const std::string& key) { return sizeBetween(key, "HE-", std::string("-") + series); };
                // The heaviest HEM sizes are rarely stocked: listed, but inactive.
                ok &= write(prof, rolled(he, std::string("HE") + series, "1", false, pick,
                                         std::string(series) == "M" ? 650 : 1e9));
            }
            for (const char* type : {"IPE", "UPN", "UPE"}) {
                const auto pick = [&](const std::string& key) { return sizeBetween(key, std::string(type) + "-", ""); };
                const bool channel = std::string(type) == "UPN";
                ok &= write(prof, rolled(load(data / (std::string(type) + ".json")), type, type[0] == 'I' ? "1" : "4",
                                         channel, pick, 1e9));
            }
            ok &= write(prof, angles(load(data / "L_EQUAL.json"), true));
            ok &= write(prof, angles(load(data / "L_UNEQUAL.json"), false));
        }
    } catch (const std::exception& e) {
        std::cerr << e.what() << "\n";
        return 1;
    }
    ok &= write(prof, rectangularHollow(false));
    ok &= write(prof, rectangularHollow(true));
    ok &= write(prof, circularHollow());
    ok &= write(prof, flatBars());
    ok &= write(prof, sigmaPurlins());
    return ok ? 0 : 1;
}
