// Values tables (prof\<type>.pr): read or refused; a table read, written and read again is the same table
// (a carriage return alone inside a cell is written as a space, as the writer keeps every cell on its line).
#include "fuzz_support.h"
#include "vtlui/vtl_prof_values_table.h"

namespace {
Vtl_StringArray asWritten(const Vtl_StringArray& row) {
    Vtl_StringArray out;
    for (int i = 0; i < row.length(); ++i) {
        std::string cell = row[i].str();
        for (char& c : cell)
            if (c == '\t' || c == '\r' || c == '\n') c = ' ';
        out.append(Vtl_String(cell));
    }
    return out;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    vtl::fuzz::writeScratchFile("prof/FUZZ.pr", vtl::fuzz::asText(data, size));
    Vtl_ProfValuesTable table;
    if (!table.readFromFile(Vtl_String("FUZZ.pr"))) return 0;
    if (!table.writeToFile(Vtl_String("AGAIN.pr"))) return 0;  // a character Windows-1252 cannot hold
    Vtl_ProfValuesTable again;
    if (!again.readFromFile(Vtl_String("AGAIN.pr"))) vtl::fuzz::fail("a written table cannot be read");
    // (A file without its two header lines keeps no shape or column names, and gets blank ones when written.)
    if (table.columnNames.length() > 0 && !(again.columnNames == asWritten(table.columnNames)) ||
        (table.columnNames.length() > 0 && !(asWritten(Vtl_StringArray{again.shape}) == asWritten(Vtl_StringArray{table.shape}))))
        vtl::fuzz::fail("the shape or the column names changed when written and read again");
    if (again.rows.length() != table.rows.length()) vtl::fuzz::fail("a table's rows changed when written and read again");
    for (int r = 0; r < table.rows.length(); ++r)
        if (!(again.rows[r] == asWritten(table.rows[r]))) vtl::fuzz::fail("row " + std::to_string(r) + " changed when written and read again");
    return 0;
}
