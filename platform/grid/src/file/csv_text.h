#pragma once
// Comma-separated text from other programs: how its bytes are decoded and which separator and decimal sign
// it uses.
//
// Decoding: a UTF-8 byte-order mark, or bytes that are valid UTF-8 throughout, read as UTF-8; anything else
// as Windows-1252. Line ends CR LF, CR and LF all become LF.
// Separator: of tab, ';', ',' and '|', the one found (outside quotes) the same number of times on most of
// the first records; more occurrences break a tie, then that order.
// Decimal sign: a comma when the separator is not one, some cell reads as a number with a decimal comma
// and no cell as a number with a decimal point; such numbers are then stored with '.'.
#include <string>
#include <string_view>

#include "grid/export.h"

namespace vtl::grid {

struct CsvLayout {
    char separator = ',';
    bool decimalComma = false;
};

// The text as UTF-8 with LF line ends (see above).
VTLGRID_API std::string decodeCsvBytes(std::string_view bytes);
// The layout of decoded text.
VTLGRID_API CsvLayout detectCsvLayout(std::string_view text);
// With a decimal comma: "12,5" or "-3,25" as "12.5" and "-3.25"; other cells unchanged. False when the
// cell is not such a number.
VTLGRID_API bool decimalCommaNumber(std::string_view cell, std::string& out);

}  // namespace vtl::grid
