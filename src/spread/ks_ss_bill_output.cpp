#include "vtlui/ks_ss_bill_output.h"

KsSSBillOutput::KsSSBillOutput() = default;
KsSSBillOutput::KsSSBillOutput(const KsSSBillOutput& other) = default;
KsSSBillOutput& KsSSBillOutput::operator=(const KsSSBillOutput& other) = default;
KsSSBillOutput::~KsSSBillOutput() = default;

void KsSSBillOutput::init(const Vtl_String&) {}

Acad::ErrorStatus KsSSBillOutput::init(Vtl_String, const Vtl_StringArray&, const AcArray<int>&, const AcArray<int>&) {
    return Acad::eOk;
}

Acad::ErrorStatus KsSSBillOutput::onStartFeed() { return Acad::eOk; }

Acad::ErrorStatus KsSSBillOutput::onAddRow(const Vtl_StringArray&) { return Acad::eOk; }

Acad::ErrorStatus KsSSBillOutput::onEndFeed() {
    // There is no grid to finish the bill in.
    return getSSPointer() ? Acad::eOk : Acad::eInvalidInput;
}
