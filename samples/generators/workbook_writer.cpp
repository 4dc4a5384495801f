#include "workbook_writer.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>

#include "file/zip_stored.h"

namespace vtl::samples {
namespace {

std::string xmlEscape(const std::string& s) {
    std::string out;
    for (const char c : s) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        default: out += c;
        }
    }
    return out;
}

std::string number(double v) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.17g", v);
    // The shortest of the usual precisions that reads back exactly.
    for (int precision = 1; precision <= 17; ++precision) {
        char shorter[64];
        std::snprintf(shorter, sizeof shorter, "%.*g", precision, v);
        if (std::strtod(shorter, nullptr) == v) return shorter;
    }
    return buffer;
}

std::string columnName(int col) {
    std::string name;
    for (++col; col > 0; col = (col - 1) / 26) name.insert(name.begin(), static_cast<char>('A' + (col - 1) % 26));
    return name;
}

long long daysFromCivil(int y, int m, int d) {
    y -= m <= 2 ? 1 : 0;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const long long yoe = y - era * 400;
    const long long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    return era * 146097 + yoe * 365 + yoe / 4 - yoe / 100 + doy - 719468;
}

constexpr const char* kXmlHead = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n";
}  // namespace

std::string writeXlsx(const std::vector<WorkbookSheet>& sheets) {
    std::vector<std::pair<std::string, std::string>> parts;
    std::string types = std::string(kXmlHead) +
        "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
        "<Default Extension=\"rels\" ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
        "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
        "<Override PartName=\"/xl/workbook.xml\" ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml\"/>"
        "<Override PartName=\"/xl/styles.xml\" ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.styles+xml\"/>"
        "<Override PartName=\"/xl/sharedStrings.xml\" ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.sharedStrings+xml\"/>";
    std::string workbook = std::string(kXmlHead) +
        "<workbook xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
        "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\"><sheets>";
    std::string workbookRels = std::string(kXmlHead) +
        "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">";
    std::vector<std::string> strings;
    std::map<std::string, std::size_t> stringIds;
    std::vector<std::pair<std::string, std::string>> sheetParts;
    for (std::size_t s = 0; s < sheets.size(); ++s) {
        const WorkbookSheet& sheet = sheets[s];
        const std::string n = std::to_string(s + 1);
        types += "<Override PartName=\"/xl/worksheets/sheet" + n +
                 ".xml\" ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml\"/>";
        workbook += "<sheet name=\"" + xmlEscape(sheet.name) + "\" sheetId=\"" + n + "\" r:id=\"rId" + n + "\"/>";
        workbookRels += "<Relationship Id=\"rId" + n +
                        "\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet\" "
                        "Target=\"worksheets/sheet" + n + ".xml\"/>";
        std::string xml = std::string(kXmlHead) +
            "<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">";
        if (!sheet.widths.empty()) {
            xml += "<cols>";
            for (std::size_t c = 0; c < sheet.widths.size(); ++c)
                xml += "<col min=\"" + std::to_string(c + 1) + "\" max=\"" + std::to_string(c + 1) + "\" width=\"" +
                       number(sheet.widths[c]) + "\" customWidth=\"1\"/>";
            xml += "</cols>";
        }
        xml += "<sheetData>";
        for (std::size_t r = 0; r < sheet.rows.size(); ++r) {
            xml += "<row r=\"" + std::to_string(r + 1) + "\">";
            for (std::size_t c = 0; c < sheet.rows[r].size(); ++c) {
                const WorkbookCell& cell = sheet.rows[r][c];
                const std::string ref = columnName(static_cast<int>(c)) + std::to_string(r + 1);
                switch (cell.kind) {
                case WorkbookCell::Kind::empty: break;
                case WorkbookCell::Kind::text: {
                    auto [it, added] = stringIds.try_emplace(cell.text, strings.size());
                    if (added) strings.push_back(cell.text);
                    xml += "<c r=\"" + ref + "\" t=\"s\"><v>" + std::to_string(it->second) + "</v></c>";
                    break;
                }
                case WorkbookCell::Kind::number: xml += "<c r=\"" + ref + "\"><v>" + number(cell.number) + "</v></c>"; break;
                case WorkbookCell::Kind::date:
                    xml += "<c r=\"" + ref + "\" s=\"1\"><v>" +
                           std::to_string(daysFromCivil(cell.year, cell.month, cell.day) - daysFromCivil(1899, 12, 30)) +
                           "</v></c>";
                    break;
                case WorkbookCell::Kind::formula:
                    xml += "<c r=\"" + ref + "\"><f>" + xmlEscape(cell.text) + "</f><v>" + number(cell.number) + "</v></c>";
                    break;
                }
            }
            xml += "</row>";
        }
        xml += "</sheetData>";
        if (!sheet.merges.empty()) {
            xml += "<mergeCells count=\"" + std::to_string(sheet.merges.size()) + "\">";
            for (const WorkbookMerge& m : sheet.merges)
                xml += "<mergeCell ref=\"" + columnName(m.col) + std::to_string(m.row + 1) + ":" +
                       columnName(m.col + m.cols - 1) + std::to_string(m.row + m.rows) + "\"/>";
            xml += "</mergeCells>";
        }
        xml += "</worksheet>";
        sheetParts.emplace_back("xl/worksheets/sheet" + n + ".xml", std::move(xml));
    }
    const std::string stylesId = std::to_string(sheets.size() + 1);
    const std::string stringsId = std::to_string(sheets.size() + 2);
    workbookRels += "<Relationship Id=\"rId" + stylesId +
                    "\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/styles\" Target=\"styles.xml\"/>"
                    "<Relationship Id=\"rId" + stringsId +
                    "\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/sharedStrings\" "
                    "Target=\"sharedStrings.xml\"/></Relationships>";
    types += "</Types>";
    workbook += "</sheets></workbook>";
    std::string shared = std::string(kXmlHead) + "<sst xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" count=\"" +
                         std::to_string(strings.size()) + "\" uniqueCount=\"" + std::to_string(strings.size()) + "\">";
    for (const std::string& t : strings) shared += "<si><t xml:space=\"preserve\">" + xmlEscape(t) + "</t></si>";
    shared += "</sst>";
    const std::string styles = std::string(kXmlHead) +
        "<styleSheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">"
        "<fonts count=\"1\"><font><sz val=\"11\"/><name val=\"Calibri\"/></font></fonts>"
        "<fills count=\"1\"><fill><patternFill patternType=\"none\"/></fill></fills>"
        "<borders count=\"1\"><border><left/><right/><top/><bottom/><diagonal/></border></borders>"
        "<cellStyleXfs count=\"1\"><xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"0\"/></cellStyleXfs>"
        "<cellXfs count=\"2\"><xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"0\" xfId=\"0\"/>"
        "<xf numFmtId=\"14\" fontId=\"0\" fillId=\"0\" borderId=\"0\" xfId=\"0\" applyNumberFormat=\"1\"/></cellXfs>"
        "</styleSheet>";
    parts.emplace_back("[Content_Types].xml", types);
    parts.emplace_back("_rels/.rels", std::string(kXmlHead) +
        "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
        "<Relationship Id=\"rId1\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument\" "
        "Target=\"xl/workbook.xml\"/></Relationships>");
    parts.emplace_back("xl/workbook.xml", workbook);
    parts.emplace_back("xl/_rels/workbook.xml.rels", workbookRels);
    for (auto& part : sheetParts) parts.push_back(std::move(part));
    parts.emplace_back("xl/styles.xml", styles);
    parts.emplace_back("xl/sharedStrings.xml", shared);
    return grid::zipStored(parts);
}

std::string writeOds(const std::vector<WorkbookSheet>& sheets) {
    std::string content = std::string(kXmlHead) +
        "<office:document-content xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\" "
        "xmlns:table=\"urn:oasis:names:tc:opendocument:xmlns:table:1.0\" "
        "xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\" "
        "xmlns:of=\"urn:oasis:names:tc:opendocument:xmlns:of:1.2\" office:version=\"1.2\">"
        "<office:body><office:spreadsheet>";
    for (const WorkbookSheet& sheet : sheets) {
        content += "<table:table table:name=\"" + xmlEscape(sheet.name) + "\">";
        for (std::size_t r = 0; r < sheet.rows.size(); ++r) {
            content += "<table:table-row>";
            for (std::size_t c = 0; c < sheet.rows[r].size(); ++c) {
                const WorkbookCell& cell = sheet.rows[r][c];
                std::string spans;
                bool covered = false;
                for (const WorkbookMerge& m : sheet.merges) {
                    const int row = static_cast<int>(r), col = static_cast<int>(c);
                    if (m.row == row && m.col == col) {
                        spans = " table:number-columns-spanned=\"" + std::to_string(m.cols) +
                                "\" table:number-rows-spanned=\"" + std::to_string(m.rows) + "\"";
                    } else if (row >= m.row && row < m.row + m.rows && col >= m.col && col < m.col + m.cols) {
                        covered = true;
                    }
                }
                if (covered) {
                    content += "<table:covered-table-cell/>";
                    continue;
                }
                switch (cell.kind) {
                case WorkbookCell::Kind::empty: content += "<table:table-cell" + spans + "/>"; break;
                case WorkbookCell::Kind::text:
                    content += "<table:table-cell office:value-type=\"string\"" + spans + "><text:p>" + xmlEscape(cell.text) +
                               "</text:p></table:table-cell>";
                    break;
                case WorkbookCell::Kind::number:
                    content += "<table:table-cell office:value-type=\"float\" office:value=\"" + number(cell.number) + "\"" +
                               spans + "><text:p>" + number(cell.number) + "</text:p></table:table-cell>";
                    break;
                case WorkbookCell::Kind::date: {
                    char iso[32];
                    std::snprintf(iso, sizeof iso, "%04d-%02d-%02d", cell.year, cell.month, cell.day);
                    content += std::string("<table:table-cell office:value-type=\"date\" office:date-value=\"") + iso + "\"" +
                               spans + "><text:p>" + iso + "</text:p></table:table-cell>";
                    break;
                }
                case WorkbookCell::Kind::formula:
                    content += "<table:table-cell table:formula=\"of:=" + xmlEscape(cell.text) +
                               "\" office:value-type=\"float\" office:value=\"" + number(cell.number) + "\"" + spans +
                               "><text:p>" + number(cell.number) + "</text:p></table:table-cell>";
                    break;
                }
            }
            content += "</table:table-row>";
        }
        content += "</table:table>";
    }
    content += "</office:spreadsheet></office:body></office:document-content>";
    const std::string manifest = std::string(kXmlHead) +
        "<manifest:manifest xmlns:manifest=\"urn:oasis:names:tc:opendocument:xmlns:manifest:1.0\" manifest:version=\"1.2\">"
        "<manifest:file-entry manifest:full-path=\"/\" manifest:media-type=\"application/vnd.oasis.opendocument.spreadsheet\"/>"
        "<manifest:file-entry manifest:full-path=\"content.xml\" manifest:media-type=\"text/xml\"/>"
        "</manifest:manifest>";
    return grid::zipStored({{"mimetype", "application/vnd.oasis.opendocument.spreadsheet"},
                      {"content.xml", content},
                      {"META-INF/manifest.xml", manifest}});
}

}  // namespace vtl::samples
