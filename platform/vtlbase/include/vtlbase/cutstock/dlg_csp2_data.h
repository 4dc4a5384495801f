#pragma once
// DlgCSP2Data: what the cutting-stock dialog edits before bars are cut: the profiles of a job (an id and a
// name each; the name is also the profile's stock folder under "Cutting Stock\") and three lists of rows
// of three cells: list 1 what is to be cut, list 2 the stock in the shop (".shp" files), list 3 what can
// be bought (".buy" files). Every row names the profile it belongs to; the rows of one profile form one
// contiguous block in each list.
#include <utility>
#include <vector>

#include "host/ac_array.h"
#include "vtlbase/export.h"
#include "vtlbase/vtl_array.h"
#include "vtlbase/vtl_string.h"
#include "vtlbase/vtl_string_array.h"

// One of the three lists: the header texts of its grid, the owning profile of each row and the rows.
struct VTLBASE_API DlgCSP2List {
    Vtl_StringArray columnNames;
    AcArray<int> rowOwners;
    Vtl_Array<Vtl_StringArray> rows;

    // The rows of one profile, in list order (the array is replaced).
    void rowsOf(int profileId, Vtl_Array<Vtl_StringArray>& profileRows) const;
    // Removes the profile's rows and appends `profileRows` at the end, owned by it.
    void replaceRowsOf(int profileId, const Vtl_Array<Vtl_StringArray>& profileRows);
    // Several profiles at once, in one pass over the list: the same as replaceRowsOf for each block in order.
    using Block = std::pair<int, Vtl_Array<Vtl_StringArray>>;
    void replaceRowsOf(std::vector<Block> blocks);
    void removeRowsOf(int profileId);
    int countOf(int profileId) const;
};

class VTLBASE_API DlgCSP2Data {
public:
    static constexpr int kLists = 3;

    bool restricted = false;
    AcArray<int> profileIds;
    Vtl_StringArray profileNames;
    DlgCSP2List list1;  // to be cut
    DlgCSP2List list2;  // shop stock (".shp")
    DlgCSP2List list3;  // to be bought (".buy")

    // List 1, 2 or 3.
    DlgCSP2List& list(int number);
    const DlgCSP2List& list(int number) const;

    int profileCount() const { return profileNames.length(); }
    // The position of the profile with this id; -1 when there is none.
    int indexOfProfile(int id) const;
    // The id a new profile gets: the largest id plus one, 1 when there is none.
    int nextProfileId() const;
    // Appends a profile with the next id and answers that id.
    int addProfile(const Vtl_String& name);
    // Removes the profile and its rows from every list; false when there is no such profile.
    bool removeProfile(int id);
};
