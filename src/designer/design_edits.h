#pragma once
// The edits of the designer's surface as commands of the undo history: each knows the state before and
// after, applies itself through DesignAccess and puts the selection back as it was on either side.
#include <optional>
#include <string>
#include <vector>

#include "designer/design_access.h"
#include "designer/edit_history.h"

namespace vtl::designer {

// Merge ids: a run of arrow-key moves or sizes of one selection, typing into one property field.
enum EditMerge { kArrowMove = 1, kArrowSize = 2, kTypingContents = 3, kTypingList = 4 };

class DesignEdit : public EditCommand {
public:
    void redo() final;
    void undo() final;

protected:
    DesignEdit(Vtl_DlgDesignerData& design, std::vector<int> selectionBefore, std::vector<int> selectionAfter);
    virtual void apply(bool forward) = 0;
    Vtl_DlgDesignerData& design_;
    std::vector<int> selectionBefore_, selectionAfter_;
};

// Controls moved or sized: each one's rectangle before and after, in pixels.
struct RectChange {
    int index = 0;
    RECT before{};
    RECT after{};
};

class GeometryEdit : public DesignEdit {
public:
    // The selection stays as it is on both sides.
    GeometryEdit(Vtl_DlgDesignerData& design, std::vector<RectChange> changes, std::vector<int> selection,
                 int merge = kNoMerge);
    int mergeId() const override { return merge_; }
    // A following edit of the same controls continues this one: its end state becomes this one's.
    bool mergeWith(const EditCommand& next) override;

private:
    void apply(bool forward) override;
    std::vector<RectChange> changes_;
    int merge_;
};

// The type, contents and lists of one control.
class PropertiesEdit : public DesignEdit {
public:
    PropertiesEdit(Vtl_DlgDesignerData& design, int index, Vtl_DesignerControl before, Vtl_DesignerControl after,
                   int merge);
    int mergeId() const override { return merge_; }
    bool mergeWith(const EditCommand& next) override;

private:
    void apply(bool forward) override;
    int index_;
    Vtl_DesignerControl before_, after_;
    int merge_;
};

// Controls added (a new one, copies) or, as its reverse, removed.
class InsertEdit : public DesignEdit {
public:
    InsertEdit(Vtl_DlgDesignerData& design, std::vector<PlacedControl> controls, std::vector<int> selectionBefore);

private:
    void apply(bool forward) override;
    std::vector<PlacedControl> controls_;
};

class RemoveEdit : public DesignEdit {
public:
    RemoveEdit(Vtl_DlgDesignerData& design, std::vector<PlacedControl> controls);

private:
    void apply(bool forward) override;
    std::vector<PlacedControl> controls_;
};

// The design's picture file replaced (or made): the bytes it had, if any, and the bytes it gets.
class PictureEdit : public DesignEdit {
public:
    PictureEdit(Vtl_DlgDesignerData& design, std::optional<std::string> before, std::string after,
                std::vector<int> selection);

private:
    void apply(bool forward) override;
    std::optional<std::string> before_;
    std::string after_;
};

}  // namespace vtl::designer
