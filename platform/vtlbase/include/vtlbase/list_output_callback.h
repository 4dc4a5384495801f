#pragma once
// Vtl_ListOutputCallback: the receiver the add-on's list generator feeds a bill of materials to. A feed is
// onStartFeed, then rows (with pages, subtotals and separations as the list asks), then onEndFeed. The
// base accepts every call and does nothing with it; receivers override what they use.
#include "host/error_status.h"
#include "vtlbase/export.h"
#include "vtlbase/vtl_string.h"
#include "vtlbase/vtl_string_array.h"

class VTLBASE_API Vtl_ListOutputCallback {
public:
    Vtl_ListOutputCallback();
    Vtl_ListOutputCallback(const Vtl_ListOutputCallback& other);
    Vtl_ListOutputCallback& operator=(const Vtl_ListOutputCallback& other);
    virtual ~Vtl_ListOutputCallback();

    virtual Acad::ErrorStatus onStartFeed();
    virtual Acad::ErrorStatus onEndFeed();
    virtual Acad::ErrorStatus onNewPage();
    virtual Acad::ErrorStatus onAddRow(const Vtl_StringArray& row);
    // A subtotal: its labels and values, whether it closes the list, and its level.
    virtual Acad::ErrorStatus onAddSubTotals(const Vtl_StringArray& labels, const Vtl_StringArray& values, bool last,
                                             int level);
    // A separation between groups of rows, of the given kind.
    virtual Acad::ErrorStatus onAddSeperation(int kind);

    // The name of the list being fed, set by the generator.
    const Vtl_String& listName() const { return listName_; }
    void setListName(const Vtl_String& name) { listName_ = name; }

private:
    Vtl_String listName_;
};
