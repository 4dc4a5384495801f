#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <string_view>
#include <vector>

#include "designer/control_rect.h"
#include "designer/control_types.h"
#include "designer/design_surface.h"
#include "designer/designer_files.h"
#include "frame/vtlbase.h"
#include "gfx/bitmap.h"
#include "gfx/icon.h"
#include "vtlui/vtl_dlg_designer_data.h"
#include "win/api.h"
#include "win/combo_box.h"
#include "win/dialog.h"

namespace {

namespace files = vtl::base::files;

// No design holds more controls than this; a larger count comes from a corrupt file.
constexpr int kMaxControls = 10000;
constexpr double kMaxPixels = 32767.0;

// One more than the highest control index any control key of the list names ("type12" gives 13), or 0.
int indexBound(const Vtl_PropertiesList& list) {
    static constexpr std::array<std::string_view, 7> kKeys{"type",         "topLeftX", "topLeftY", "bottomRightX",
                                                           "bottomRightY", "contents", "comboList"};
    int bound = 0;
    for (const auto& [key, value] : list.entries()) {
        for (const std::string_view name : kKeys) {
            if (!std::string_view(key).starts_with(name) || key.size() == name.size()) continue;
            const std::string_view digits = std::string_view(key).substr(name.size());
            if (!std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; })) continue;
            if (digits.size() > 9) return kMaxControls;
            bound = std::max(bound, std::stoi(std::string(digits)) + 1);
        }
    }
    return std::min(bound, kMaxControls);
}

}  // namespace

Vtl_DlgDesignerData::Vtl_DlgDesignerData() = default;

Vtl_DlgDesignerData::Vtl_DlgDesignerData(const Vtl_DlgDesignerData&) : Vtl_DlgDesignerData() {}

Vtl_DlgDesignerData& Vtl_DlgDesignerData::operator=(const Vtl_DlgDesignerData&) { return *this; }

Vtl_DlgDesignerData::~Vtl_DlgDesignerData() {
    // The windows go before the tracker that knows them.
    if (surface_) surface_->tracker.clear();
    drawnControls_.clear();
    if (image_) DeleteObject(image_);
    if (flexBtnIcon_) DestroyIcon(flexBtnIcon_);
}

bool Vtl_DlgDesignerData::initialize(CDialog* dialog, int firstId, int lastId, int typeListId, int contentsLabelId,
                                     int contentsFieldId, int listLabelId, int listFieldId, bool designMode) {
    if (dialog == nullptr) return false;
    dialog_ = dialog->GetSafeHwnd();
    firstId_ = firstId;
    lastId_ = lastId;
    lowestFreeIdHint_ = firstId;
    designMode_ = designMode;
    if (designMode) {
        typeListId_ = typeListId;
        contentsLabelId_ = contentsLabelId;
        contentsFieldId_ = contentsFieldId;
        listLabelId_ = listLabelId;
        listFieldId_ = listFieldId;
        if (!surface_) surface_ = std::make_unique<vtl::designer::DesignSurface>();
        // The type list offers the 31 types by their captions, in type order.
        if (auto* typeList = dynamic_cast<CComboBox*>(dialog->GetDlgItem(typeListId))) {
            typeList->ResetContent();
            for (int type = 0; type < vtl::designer::kControlTypeCount; ++type)
                typeList->AddString(vtl::designer::controlTypeCaption(type).c_str());
        }
    }
    initialised_ = true;
    return true;
}

bool Vtl_DlgDesignerData::readFromFile(const Vtl_String& requested, bool withImage) {
    try {
        Vtl_String name;
        Vtl_String path;
        if (!vtl::designer::nameFromPath(requested, name, path)) return false;
        if (!files::fileExists(path.view())) return false;
        Vtl_PropertiesList list;
        if (!list.readFromFile(path)) return false;
        int count = 0;
        list.getProperty("nrOfControls", count);
        // A corrupt count never loops past the controls the file actually describes.
        count = std::clamp(count, 0, indexBound(list));

        name_ = name;
        if (surface_) surface_->tracker.clear();
        drawnControls_.clear();  // no window stays behind for a control that is gone
        controls_.removeAll();
        forgetIds();
        for (int i = 0; i < count; ++i) {
            Vtl_DesignerControl control;
            control.getFromPropList(list, i);
            append(control);
        }
        if (withImage) attachBitmap(changeExtension(path, "bmp"));
        return true;
    } catch (...) {
        return false;
    }
}

bool Vtl_DlgDesignerData::writeToFile(const Vtl_String& requested) {
    try {
        Vtl_String newName;
        Vtl_String path;
        if (!vtl::designer::writableDesignPath(requested, newName, path)) return false;
        std::string error;
        if (!files::createFolder(getPath(path).view(), error)) return false;

        // Saving under a new name carries the picture along; under the same name the picture stays as it is.
        // A picture that cannot be carried fails the save before the design is written.
        if (!name_.isEmpty() && !newName.equal(name_, false)) {
            const Vtl_String picture = vtl::designer::designPath(name_, "bmp");
            if (files::fileExists(picture.view()) &&
                !files::copyFile(picture.view(), changeExtension(path, "bmp").view(), error))
                return false;
        }

        // In the designer the drawn rectangles say where the controls are now (at run time a combo is drawn
        // taller than it is designed, for its list).
        if (designMode_) getSizeFromAllControls();

        Vtl_PropertiesList list;
        list.setProperty("nrOfControls", controls_.length());
        for (int i = 0; i < controls_.length(); ++i) controls_[i].setToPropList(list, i);
        if (!list.writeToFile(path)) return false;
        name_ = newName;
        return true;
    } catch (...) {
        return false;
    }
}

int Vtl_DlgDesignerData::freeResourceId() {
    // No id below the hint is free, and every id tried and found taken raises it: over a whole load the
    // search is linear in the number of controls.
    for (long long id = std::max({lowestFreeIdHint_, firstId_, 1}); id <= lastId_; ++id) {
        if (!idUses_.contains(static_cast<int>(id))) return static_cast<int>(id);
        lowestFreeIdHint_ = static_cast<int>(std::min<long long>(id + 1, lastId_));
    }
    return 0;
}

void Vtl_DlgDesignerData::noteIdTaken(int id) {
    if (id > 0) ++idUses_[id];
}

void Vtl_DlgDesignerData::noteIdFreed(int id) {
    const auto at = idUses_.find(id);
    if (at == idUses_.end()) return;
    if (--at->second <= 0) {
        idUses_.erase(at);
        lowestFreeIdHint_ = std::min(lowestFreeIdHint_, id);
    }
}

void Vtl_DlgDesignerData::forgetIds() {
    idUses_.clear();
    lowestFreeIdHint_ = firstId_;
}

int Vtl_DlgDesignerData::append(Vtl_DesignerControl& control) {
    control.resourceId = freeResourceId();
    noteIdTaken(control.resourceId);
    controls_.append(control);
    return control.resourceId;
}

void Vtl_DlgDesignerData::attachBitmap(const Vtl_String& path) {
    if (!files::fileExists(path.view())) return;
    const HBITMAP bitmap = vtl::gfx::loadBitmapFile(files::resolve(path.view()));
    if (!bitmap) return;  // a picture that does not load keeps the previous one
    const auto size = vtl::gfx::bitmapSize(bitmap);
    const auto pixels = vtl::gfx::bitmapImage(bitmap);
    if (!size || size->cx <= 0 || size->cy <= 0 || !pixels) {
        DeleteObject(bitmap);
        return;
    }
    if (image_) DeleteObject(image_);
    image_ = bitmap;
    mask_ = vtl::gfx::colourMask(*pixels, vtl::gfx::kTransparentWhite);
    imageWidth_ = size->cx;
    imageHeight_ = size->cy;
}

const Vtl_DesignerControl* Vtl_DlgDesignerData::getControl(const int& index) const {
    return index >= 0 && index < controls_.length() ? &controls_[index] : nullptr;
}

Vtl_DesignerControl* Vtl_DlgDesignerData::getControlWrite(const int& index) {
    return index >= 0 && index < controls_.length() ? &controls_[index] : nullptr;
}

Vtl_DesignerControl* Vtl_DlgDesignerData::getControlFromRes(const int& resourceId) {
    int index = 0;
    return findCtrlFromResource(resourceId, index) ? &controls_[index] : nullptr;
}

bool Vtl_DlgDesignerData::findCtrlFromResource(const int& resourceId, int& index) const {
    if (resourceId <= 0) return false;
    for (int i = 0; i < controls_.length(); ++i) {
        if (controls_[i].resourceId == resourceId) {
            index = i;
            return true;
        }
    }
    return false;
}

void Vtl_DlgDesignerData::removeControl(const int& index) {
    if (index < 0 || index >= controls_.length()) return;
    noteIdFreed(controls_[index].resourceId);
    controls_.removeAt(index);
}

void Vtl_DlgDesignerData::getAllCtrlNames(Vtl_StringArray& names) const {
    names.removeAll();
    for (const Vtl_DesignerControl& control : controls_) {
        if (control.type == 2) names.append(control.contents);
    }
}

bool Vtl_DlgDesignerData::findEditCtrlWithContents(Vtl_String contents, int& index) const {
    for (int i = 0; i < controls_.length(); ++i) {
        const Vtl_DesignerControl& control = controls_[i];
        if ((control.type == 2 || control.type == 3) && control.contents == contents) {
            index = i;
            return true;
        }
    }
    return false;
}

void Vtl_DlgDesignerData::getImageSize(int& width, int& height) const {
    width = initialised_ ? imageWidth_ : 0;
    height = initialised_ ? imageHeight_ : 0;
}

CDialog* Vtl_DlgDesignerData::getDlgPtr() const {
    return initialised_ ? dynamic_cast<CDialog*>(CWnd::FromHandle(dialog_)) : nullptr;
}

int Vtl_DlgDesignerData::referenceSize(bool horizontal) const {
    if (hasImage()) return horizontal ? imageWidth_ : imageHeight_;
    // The designer without a picture lays controls out on its surface, or else its client area.
    if (designMode_ && surface_ && !surface_->area.IsRectEmpty())
        return horizontal ? surface_->area.Width() : surface_->area.Height();
    RECT client{};
    if (designMode_ && initialised_ && IsWindow(dialog_) && GetClientRect(dialog_, &client)) {
        return horizontal ? client.right - client.left : client.bottom - client.top;
    }
    return 0;
}

double Vtl_DlgDesignerData::pixelsToFactor(bool horizontal, double value) const {
    const int size = referenceSize(horizontal);
    if (size <= 0) return 0.0;
    const double factor = value / size;
    return std::isfinite(factor) ? factor : 0.0;
}

double Vtl_DlgDesignerData::factorToPixels(bool horizontal, double value) const {
    const int size = referenceSize(horizontal);
    const double pixels = value * size;
    if (size <= 0 || std::isnan(pixels)) return 0.0;
    return std::clamp(pixels, -kMaxPixels, kMaxPixels);
}

double Vtl_DlgDesignerData::getTopLeftX(const Vtl_DesignerControl& c) const { return factorToPixels(true, c.topLeftX); }
double Vtl_DlgDesignerData::getTopLeftY(const Vtl_DesignerControl& c) const { return factorToPixels(false, c.topLeftY); }
double Vtl_DlgDesignerData::getBottomRightX(const Vtl_DesignerControl& c) const {
    return factorToPixels(true, c.bottomRightX);
}
double Vtl_DlgDesignerData::getBottomRightY(const Vtl_DesignerControl& c) const {
    return factorToPixels(false, c.bottomRightY);
}
void Vtl_DlgDesignerData::setTopLeftX(Vtl_DesignerControl& c, double v) const { c.topLeftX = pixelsToFactor(true, v); }
void Vtl_DlgDesignerData::setTopLeftY(Vtl_DesignerControl& c, double v) const { c.topLeftY = pixelsToFactor(false, v); }
void Vtl_DlgDesignerData::setBottomRightX(Vtl_DesignerControl& c, double v) const {
    c.bottomRightX = pixelsToFactor(true, v);
}
void Vtl_DlgDesignerData::setBottomRightY(Vtl_DesignerControl& c, double v) const {
    c.bottomRightY = pixelsToFactor(false, v);
}
double Vtl_DlgDesignerData::getWidth(const Vtl_DesignerControl& c) const { return getBottomRightX(c) - getTopLeftX(c); }
double Vtl_DlgDesignerData::getHeight(const Vtl_DesignerControl& c) const { return getBottomRightY(c) - getTopLeftY(c); }
void Vtl_DlgDesignerData::setWidth(Vtl_DesignerControl& c, double w) const { setBottomRightX(c, getTopLeftX(c) + w); }
void Vtl_DlgDesignerData::setHeight(Vtl_DesignerControl& c, double h) const { setTopLeftY(c, getBottomRightY(c) - h); }
