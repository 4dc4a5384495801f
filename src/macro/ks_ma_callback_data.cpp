#include "vtlui/ks_ma_callback_data.h"

KsMACallBackData::KsMACallBackData() = default;

KsMACallBackData::KsMACallBackData(const KsMACallBackData& other)
    : groupName(other.groupName),
      flag(other.flag),
      windowHandle(other.windowHandle),
      moduleName(other.moduleName),
      objectIds(other.objectIds),
      macro_(other.macro_ ? std::make_unique<MacroData>(*other.macro_) : nullptr) {}

KsMACallBackData& KsMACallBackData::operator=(const KsMACallBackData& other) {
    // The copy is made before the old macro goes, so assigning a record to itself keeps its macro.
    std::unique_ptr<MacroData> copy = other.macro_ ? std::make_unique<MacroData>(*other.macro_) : nullptr;
    groupName = other.groupName;
    flag = other.flag;
    windowHandle = other.windowHandle;
    moduleName = other.moduleName;
    objectIds = other.objectIds;
    macro_ = std::move(copy);
    return *this;
}

KsMACallBackData::~KsMACallBackData() = default;

void KsMACallBackData::initDataClass(const MacroData& macro) {
    if (!macro_) macro_ = std::make_unique<MacroData>(macro);
}
