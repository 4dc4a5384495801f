#pragma once
// The two check-box pictures every grid's check-box cells use: bitmap 8134 (a ticked 13 x 13 box) and
// 8136 (an empty one), loaded from the module's resources when the host initialises the module and kept
// until it unloads it.
#include "win/types.h"

namespace vtl::ui {

struct CheckBoxPictures {
    HBITMAP ticked;
    HBITMAP empty;
};

// Loads both pictures (again only after a release); false when either is missing.
bool loadCheckBoxPictures();
void releaseCheckBoxPictures();
const CheckBoxPictures& checkBoxPictures();

}  // namespace vtl::ui
