#include "vtlbase/cutstock/dlg_csp2_data.h"

#include <algorithm>
#include <unordered_set>

void DlgCSP2List::rowsOf(int profileId, Vtl_Array<Vtl_StringArray>& profileRows) const {
    Vtl_Array<Vtl_StringArray> found;
    const int n = std::min(rowOwners.length(), rows.length());
    for (int i = 0; i < n; ++i)
        if (rowOwners[i] == profileId) found.append(rows[i]);
    profileRows = std::move(found);
}

void DlgCSP2List::removeRowsOf(int profileId) {
    // One pass that keeps the other profiles' rows in order; rows without an owner entry are kept too.
    AcArray<int> owners;
    Vtl_Array<Vtl_StringArray> kept;
    for (int i = 0; i < rows.length(); ++i) {
        const int owner = i < rowOwners.length() ? rowOwners[i] : -1;
        if (owner == profileId) continue;
        owners.append(owner);
        kept.append(std::move(rows[i]));
    }
    rowOwners = std::move(owners);
    rows = std::move(kept);
}

void DlgCSP2List::replaceRowsOf(int profileId, const Vtl_Array<Vtl_StringArray>& profileRows) {
    removeRowsOf(profileId);
    for (const Vtl_StringArray& row : profileRows) {
        rowOwners.append(profileId);
        rows.append(row);
    }
}

void DlgCSP2List::replaceRowsOf(std::vector<Block> blocks) {
    std::unordered_set<int> replaced;
    for (const Block& b : blocks) replaced.insert(b.first);
    AcArray<int> owners;
    Vtl_Array<Vtl_StringArray> kept;
    for (int i = 0; i < rows.length(); ++i) {
        const int owner = i < rowOwners.length() ? rowOwners[i] : -1;
        if (replaced.count(owner)) continue;
        owners.append(owner);
        kept.append(std::move(rows[i]));
    }
    for (Block& b : blocks)
        for (Vtl_StringArray& row : b.second) {
            owners.append(b.first);
            kept.append(std::move(row));
        }
    rowOwners = std::move(owners);
    rows = std::move(kept);
}

int DlgCSP2List::countOf(int profileId) const {
    int count = 0;
    for (int i = 0; i < std::min(rowOwners.length(), rows.length()); ++i)
        if (rowOwners[i] == profileId) ++count;
    return count;
}

DlgCSP2List& DlgCSP2Data::list(int number) {
    return number == 1 ? list1 : number == 2 ? list2 : list3;
}

const DlgCSP2List& DlgCSP2Data::list(int number) const {
    return number == 1 ? list1 : number == 2 ? list2 : list3;
}

int DlgCSP2Data::indexOfProfile(int id) const {
    for (int i = 0; i < profileIds.length(); ++i)
        if (profileIds[i] == id) return i;
    return -1;
}

int DlgCSP2Data::nextProfileId() const {
    if (profileIds.isEmpty()) return 1;
    return *std::max_element(profileIds.begin(), profileIds.end()) + 1;
}

int DlgCSP2Data::addProfile(const Vtl_String& name) {
    const int id = nextProfileId();
    profileIds.append(id);
    profileNames.append(name);
    return id;
}

bool DlgCSP2Data::removeProfile(int id) {
    const int at = indexOfProfile(id);
    if (at < 0) return false;
    for (int n = 1; n <= kLists; ++n) list(n).removeRowsOf(id);
    profileIds.removeAt(at);
    if (at < profileNames.length()) profileNames.removeAt(at);
    return true;
}
