#pragma once
// Vtl_DlgDesignerData: a designed dialog (its controls, background picture and file) bound to one host
// dialog window. Files live below getDesignerRootFolder(): name N is the control file N + ".txt" with the
// picture N + ".bmp" beside it; N may hold sub-folders ("Sub\Name").
#include <memory>
#include <unordered_map>
#include <vector>

#include "gfx/handles.h"
#include "host/ac_array.h"
#include "gfx/mask.h"
#include "vtlbase/vtl_array.h"
#include "vtlbase/vtl_string.h"
#include "vtlbase/vtl_string_array.h"
#include "vtlui/export.h"
#include "vtlui/vtl_designer_control.h"
#include "win/types.h"

class CControlRect;
class CDC;
class CDialog;
class CPaintDC;
class CWnd;

namespace vtl::designer {
class DesignSurface;
struct DesignAccess;
}  // namespace vtl::designer

// What handleTabKey tells the host dialog.
enum Vtl_TabMsgHandle {
    Vtl_TabHandled = 0,       // the focus moved within the designed dialog
    Vtl_TabNotHandled = 1,    // the dialog treats the key
    Vtl_TabAfterLast = 2,     // Tab on the last control: move on past the designed dialog
    Vtl_TabBeforeFirst = 3,   // Shift+Tab on the first control: move back before it
};

class VTLUI_API Vtl_DlgDesignerData {
public:
    // The resource ids handed to controls unless initialize gives another range.
    static constexpr int kFirstControlId = 33000;
    static constexpr int kLastControlId = 33099;

    Vtl_DlgDesignerData();
    // Bound to one window, so never copied: a copy starts empty and assignment changes nothing.
    Vtl_DlgDesignerData(const Vtl_DlgDesignerData&);
    Vtl_DlgDesignerData& operator=(const Vtl_DlgDesignerData&);
    virtual ~Vtl_DlgDesignerData();

    // Binds the object to its dialog with the id range and mode. In design mode it also sets up the editing
    // surface (selection, undo history), records the ids of the five property fields and fills the type
    // list with the 31 type captions. False (nothing changed) for a null dialog.
    bool initialize(CDialog* dialog, int firstId, int lastId, int typeListId, int contentsLabelId,
                    int contentsFieldId, int listLabelId, int listFieldId, bool designMode);
    bool isInitialised() const { return initialised_; }
    bool isDesignMode() const { return designMode_; }

    // Loads the design at `path` (which must lie below the designer root) and, when asked, its picture.
    // False, with the object unchanged, for a missing file or a path outside the root.
    bool readFromFile(const Vtl_String& path, bool withImage);
    // Writes the design to `path`: a ".txt" file below the designer root (a link inside the root that leads
    // out of it does not count as inside), carrying the picture of the current name to the new one. False,
    // with nothing written, for any other path or a failed write.
    bool writeToFile(const Vtl_String& path);
    // The design's name: its path below the designer root without extension ("Sub\Name").
    const Vtl_String& getName() const { return name_; }

    // Gives the control the lowest free id of the range (0 when none is free), appends a copy and answers
    // the id. The object keeps count of the ids it handed out: a control's id is not changed from outside.
    int append(Vtl_DesignerControl& control);
    // Loads the picture at `path` at its own size with white as transparent. A missing file or one that
    // does not load leaves the previous picture and size.
    void attachBitmap(const Vtl_String& path);
    bool hasImage() const { return imageWidth_ > 0 && imageHeight_ > 0; }
    HBITMAP getImage() const { return image_; }
    const vtl::gfx::Mask& getMask() const { return mask_; }

    int getNrControls() const { return controls_.length(); }
    const Vtl_DesignerControl* getControl(const int& index) const;
    Vtl_DesignerControl* getControlWrite(const int& index);
    Vtl_DesignerControl* getControlFromRes(const int& resourceId);
    bool findCtrlFromResource(const int& resourceId, int& index) const;
    void removeControl(const int& index);
    // The contents of every type-2 control in list order (names cleared first).
    void getAllCtrlNames(Vtl_StringArray& names) const;
    bool findEditCtrlWithContents(Vtl_String contents, int& index) const;

    // The picture's size, 0 x 0 before initialize.
    void getImageSize(int& width, int& height) const;
    CDialog* getDlgPtr() const;

    // Pixels to fractions of the reference size and back. The reference is the picture's size; in design
    // mode without a picture it is the design surface's size (setDesignSurface), else the dialog's client
    // size. With no reference at all a fraction is 0 and a pixel value 0, so nothing is ever divided by 0;
    // pixel values are clamped to +-32767.
    double pixelsToFactor(bool horizontal, double value) const;
    double factorToPixels(bool horizontal, double value) const;

    double getTopLeftX(const Vtl_DesignerControl& control) const;
    double getTopLeftY(const Vtl_DesignerControl& control) const;
    double getBottomRightX(const Vtl_DesignerControl& control) const;
    double getBottomRightY(const Vtl_DesignerControl& control) const;
    void setTopLeftX(Vtl_DesignerControl& control, double pixels) const;
    void setTopLeftY(Vtl_DesignerControl& control, double pixels) const;
    void setBottomRightX(Vtl_DesignerControl& control, double pixels) const;
    void setBottomRightY(Vtl_DesignerControl& control, double pixels) const;
    double getWidth(const Vtl_DesignerControl& control) const;
    double getHeight(const Vtl_DesignerControl& control) const;
    // Keeps the left edge and moves the right one.
    void setWidth(Vtl_DesignerControl& control, double pixels) const;
    // Keeps the bottom edge and moves the top one.
    void setHeight(Vtl_DesignerControl& control, double pixels) const;

    // ---- run time: windows, background, values ----
    // Assigns the tab order (run time), removes the drawn windows and draws every control in list order.
    void redrawAllControls();
    // Destroys every drawn window.
    void removeAllDrawnCtrls();
    // Creates the child window of one control over the picture. False before initialize, when the dialog
    // is gone, and at run time when the design has no picture (its controls would have no size).
    bool drawControl(Vtl_DesignerControl& control);
    int getNrDrawnControls() const { return static_cast<int>(drawnControls_.size()); }
    // Paints the background picture (white transparent) at the client origin; in design mode over the
    // button face. Always 0.
    int OnEraseBkgnd(CDC* dc);

    bool getCtrlValue(const int& resourceId, Vtl_String& value);
    bool setCtrlValue(const int& resourceId, const Vtl_String& value);
    bool setCtrlReadOnly(const int& resourceId, const bool& readOnly);

    bool isADynControl(const int& resourceId) const;
    bool getDynControlType(const int& resourceId, Vtl_ControlType& type) const;
    bool isTypeBoltCount(const int& resourceId) const;
    bool getFocusedDynControl(int& resourceId) const;

    // ---- flexible buttons (type 30) ----
    void getFlexBtnsGroups(Vtl_StringArray& groups) const;
    bool getFlexBtnsInGroup(const Vtl_String& group, AcArray<int>& all, AcArray<int>& marked) const;
    bool findFlexButton(const Vtl_String& group, const Vtl_String& name, int& index) const;
    bool getAllFlexVarsOfGroup(const Vtl_String& group, Vtl_StringArray& names) const;
    bool getFlexBtnGroupName(const int& resourceId, Vtl_String& group, Vtl_String& name) const;
    // Set: a status of 2 counts as 0 (the caller's variable changes too), then the check state is set.
    bool getSetFlexBtnStatus(const bool& set, const int& index, int& status);
    bool getFlexBtnStatus(const int& index, int& status);
    bool setFlexBtnStatus(const Vtl_String& group, const Vtl_String& name, const int& status);
    bool hideAllFlexBtns(const Vtl_String& group);

    // ---- tab order and focus ----
    // Tab orders 1, 2, ... row by row in reading order over the enabled controls that are not types 0, 1.
    void sortAllControls();
    // first: the control with tab order 1; else the one with the highest. False when none is editable.
    bool setFocusToCtrl(bool first);
    bool handleTabKey(const int& key, Vtl_TabMsgHandle& result);

    // ---- design mode: the editing surface. Every operation does nothing (false, -1) outside design mode.
    // Every change of the design is one step of the undo history. ----

    // The part of the dialog's client area that holds the design; nothing is moved or sized out of it.
    // Without a picture its size is the reference of all fractions.
    void setDesignSurface(const RECT& surface);
    // A press of the left button at `point` (client coordinates) with the mouse-key flags: selects (Shift
    // adds, Ctrl toggles), drags the selection, resizes the current control by a handle of the selection,
    // or draws a rubber band that selects the controls wholly inside it.
    bool OnLButtonDown(UINT flags, CPoint point);
    // 1 when a tracker under the cursor set the cursor shape, else 0.
    int OnSetCursor(UINT hitTest, UINT message);
    // Draws the frame and handles of every selected control.
    bool OnPaint(CPaintDC& dc);
    // The current control: the selected one when exactly one is selected; -1 otherwise.
    int getCurSel() const;
    // The selected controls' indices, ascending.
    std::vector<int> getSelection() const;
    // Selects exactly these controls (indices; bad ones ignored).
    bool selectIndices(const std::vector<int>& indices);

    // A new control of `type` showing UI text 171, at 0.2 / 0.2 of the reference, 30 x 18 pixels; selected.
    bool addNewControl(Vtl_ControlType type);
    bool removeCurControls();
    // Copies of the selected controls 20 pixels right and down; the copies become the selection.
    bool copyCurCtrls();
    // Asks for a width (horizontal) or height in pixels and gives it to every selected control.
    bool changeCtrlSize(bool horizontal);
    // Right edge = left edge + pixels (horizontal) or bottom edge = top edge + pixels, on the stored
    // control only; a bad index is ignored.
    void changeCtrlSize(int index, bool horizontal, double pixels);
    // Align bottoms: every selected control takes the bottom edge of the leftmost one.
    bool outlineCurCtrls();
    // Place beside: with exactly two selected, the right one moves directly right of the left one.
    bool stickRightCurCtrls();
    // Moves the selected controls by dx, dy pixels (the arrow keys), kept on the surface.
    bool moveCurCtrls(int dx, int dy);
    // Makes the selected controls dw, dh pixels larger (Shift and the arrow keys); at least 1 x 1 pixel.
    bool resizeCurCtrls(int dw, int dh);

    // The property fields: filled from a control (blank and disabled for a bad index) and taken back.
    void updateProps(const int& index);
    void updatePropsOfCurSel();
    void readProps(const int& index);
    // After a change of the type list or a property field: with exactly one control selected, its
    // properties take the fields (one step of the history, typing into one field merging into one step).
    void propsOfCurSelUpdated();

    // The picture at `path` (a loadable bitmap) becomes the design's: copied to the design's own picture
    // file (root + name + ".bmp"; nothing is copied onto itself) and attached. The design must have a name.
    // False, with nothing changed, when the picture does not load or cannot be written.
    bool attachPicture(const Vtl_String& path);

    // The undo history. Modified = the design differs from what was last read or saved.
    bool undo();
    bool redo();
    bool canUndo() const;
    bool canRedo() const;
    bool isModified() const;
    // Marks the design as saved (not modified) as it stands, or as read: the history starts anew.
    void setUnmodified(bool forgetHistory);

protected:
    bool selectCtrls(const AcArray<int>& resourceIds);
    bool findMostLeftCtrl(AcArray<int> resourceIds, int& index);
    // Each control's rectangle from its window (client coordinates / reference size); only when every
    // control is drawn.
    bool getSizeFromAllControls();
    bool getSizeFromControl(const int& index);

    bool getCheckValue(Vtl_DesignerControl& control, Vtl_String& value);
    bool setCheckValue(Vtl_DesignerControl& control, const Vtl_String& value);
    bool getSetCheckValue(bool set, Vtl_DesignerControl& control, Vtl_String& value);
    bool getComboValue(Vtl_DesignerControl& control, Vtl_String& value);
    bool setComboValue(Vtl_DesignerControl& control, const Vtl_String& value);
    bool getSetComboValue(bool set, Vtl_DesignerControl& control, Vtl_String& value);
    bool FillDesCombo(CDialog* dialog, Vtl_DesignerControl& control);
    bool setBtnIcon(Vtl_DesignerControl* control, int unused);
    bool findDrawnCtrlFromResource(const int& resourceId, int& index, CControlRect*& drawn) const;
    bool getCtrlPtr(const int& index, CWnd*& window) const;
    bool findCtrlWithTabOrder(const int& order, int& index) const;
    bool containsEditableCtrls() const;
    bool setFocusToCtrl(const int& index);

private:
    friend struct vtl::designer::DesignAccess;

    int referenceSize(bool horizontal) const;
    int freeResourceId();
    void noteIdTaken(int id);
    void noteIdFreed(int id);
    void forgetIds();

    bool initialised_ = false;
    bool propUpdateInProgress_ = false;
    HWND dialog_;
    HICON flexBtnIcon_;
    std::vector<std::unique_ptr<CControlRect>> drawnControls_;
    std::unique_ptr<vtl::designer::DesignSurface> surface_;  // design mode only: selection tracker, history
    HBITMAP image_;
    vtl::gfx::Mask mask_;
    int imageWidth_ = 0;
    int imageHeight_ = 0;
    int firstId_ = kFirstControlId;
    int lastId_ = kLastControlId;
    bool designMode_ = false;
    int typeListId_ = 0;
    int contentsLabelId_ = 0;
    int contentsFieldId_ = 0;
    int listLabelId_ = 0;
    int listFieldId_ = 0;
    Vtl_String name_;
    bool flag_ = true;  // kept for the file's owners; not read here
    Vtl_Array<Vtl_DesignerControl> controls_{0, 8};
    std::unordered_map<int, int> idUses_;  // resource id -> how many controls have it (0 not counted)
    int lowestFreeIdHint_ = kFirstControlId;  // no id of the range below it is free
};
