#include "frame/check_box_pictures.h"

#include "frame/module.h"
#include "gfx/bitmap.h"
#include "win/gdi.h"

namespace vtl::ui {
namespace {
CheckBoxPictures gPictures;
constexpr int kTicked = 8134;
constexpr int kEmpty = 8136;
}  // namespace

bool loadCheckBoxPictures() {
    KsTempResourceOverride::Scope resources(resourceOverride());
    if (!gPictures.ticked) gPictures.ticked = LoadBitmap(moduleInstance(), kTicked);
    if (!gPictures.empty) gPictures.empty = LoadBitmap(moduleInstance(), kEmpty);
    return gPictures.ticked && gPictures.empty;
}

void releaseCheckBoxPictures() {
    if (gPictures.ticked) DeleteObject(gPictures.ticked);
    if (gPictures.empty) DeleteObject(gPictures.empty);
    gPictures = {};
}

const CheckBoxPictures& checkBoxPictures() { return gPictures; }

}  // namespace vtl::ui
