#include "vtlbase/list_output_callback.h"

Vtl_ListOutputCallback::Vtl_ListOutputCallback() = default;
Vtl_ListOutputCallback::Vtl_ListOutputCallback(const Vtl_ListOutputCallback& other) = default;
Vtl_ListOutputCallback& Vtl_ListOutputCallback::operator=(const Vtl_ListOutputCallback& other) = default;
Vtl_ListOutputCallback::~Vtl_ListOutputCallback() = default;

Acad::ErrorStatus Vtl_ListOutputCallback::onStartFeed() { return Acad::eOk; }
Acad::ErrorStatus Vtl_ListOutputCallback::onEndFeed() { return Acad::eOk; }
Acad::ErrorStatus Vtl_ListOutputCallback::onNewPage() { return Acad::eOk; }
Acad::ErrorStatus Vtl_ListOutputCallback::onAddRow(const Vtl_StringArray&) { return Acad::eOk; }
Acad::ErrorStatus Vtl_ListOutputCallback::onAddSubTotals(const Vtl_StringArray&, const Vtl_StringArray&, bool, int) {
    return Acad::eOk;
}
Acad::ErrorStatus Vtl_ListOutputCallback::onAddSeperation(int) { return Acad::eOk; }
