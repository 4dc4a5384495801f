#pragma once
// A cell's type: one of the kinds below, each in its own file under cell_types/. The type decides how
// written text and values are stored and how the stored text reads back as displayed text (content kind
// 0) and as value (content kind 3).
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "grid/export.h"
#include "model/cell_types/button.h"
#include "model/cell_types/check_box.h"
#include "model/cell_types/combo_box.h"
#include "model/cell_types/edit.h"
#include "model/cell_types/number.h"
#include "model/cell_types/picture.h"
#include "model/cell_types/static_text.h"

namespace vtl::grid {

using CellType = std::variant<EditType, StaticTextType, ComboBoxType, CheckBoxType, ButtonType, NumberType,
                              PictureType>;

// The kind number the program queries (1 edit, 2 static text, 3 combo box, 4 button, 5 picture,
// 12 check box, 15 number).
VTLGRID_API int kindOf(const CellType& type);
VTLGRID_API std::string storeText(const CellType& type, std::string_view text);
VTLGRID_API std::string storeValue(const CellType& type, std::string_view value);
VTLGRID_API std::string displayText(const CellType& type, const std::string& stored);
VTLGRID_API std::string valueText(const CellType& type, const std::string& stored);
// The number a cell holds: number cells their number, other cells their value parsed as a decimal.
VTLGRID_API std::optional<double> numericValue(const CellType& type, const std::string& stored);

}  // namespace vtl::grid
