#pragma once
// DlgEditLibData: the catalogue of the section library that the section library editor edits: section
// groups and section types, with the names of the library's values tables, drawings and pictures offered
// to them. The catalogue is kept in library folder + "prof\Sections.lib"; the values tables themselves
// (".pr" files beside it) are read and written by their own class.
//
// File: one record a line, cells separated by TAB. "G", id, enabled (1/0), picture, then one name per
// language; "T", active (1/0), picture, group id (-1 none), values table, then one name per language.
#include <vector>

#include "host/ac_array.h"
#include "vtlbase/export.h"
#include "vtlbase/vtl_array.h"
#include "vtlbase/vtl_string.h"
#include "vtlbase/vtl_string_array.h"

class VTLBASE_API SectionGroupArray {
public:
    int length() const { return static_cast<int>(groups_.size()); }
    // The group's name in the current language (English, then the first name given, when that is empty).
    Vtl_String getName(int i) const;
    int getId(int i) const;
    bool getEnabled(int i) const;
    void setEnabled(int i, bool enabled);
    Vtl_String getImage(int i) const;
    void setImage(int i, const Vtl_String& image);
    void getLangs(int i, Vtl_StringArray& names) const;
    void setLangs(int i, const Vtl_StringArray& names);
    // A new enabled group with an unused id and the default name in every language; answers its index.
    int appendNewGrp();
    // Appends a group read from a file (its id kept).
    void appendGroup(int id, bool enabled, const Vtl_String& image, const Vtl_StringArray& names);
    bool removeAt(int i);
    void namesOfAllGroups(Vtl_StringArray& names, AcArray<int>& ids) const;

private:
    struct Group {
        int id = 0;
        bool enabled = true;
        Vtl_String image;
        Vtl_StringArray names;
    };
    bool valid(int i) const { return i >= 0 && i < length(); }
    std::vector<Group> groups_;
};

struct VTLBASE_API SectionType {
    int active = 1;
    Vtl_String picture;
    int groupId = -1;
    Vtl_String table;  // the values table's name, without ".pr"
    Vtl_StringArray names;  // one per language
    // The name in the current language (English, then the table name, when that is empty).
    Vtl_String getName() const;
};

class VTLBASE_API DlgEditLibData {
public:
    Vtl_StringArray drawingNames;  // "User Sections\" drawings, with ".dwg", that can be a table's shape
    Vtl_StringArray tableNames;    // the values tables of "prof\", without ".pr", in natural order
    Vtl_StringArray pictureNames;  // the "icons\" pictures offered to groups and types
    int number = 0;
    SectionGroupArray groups;
    Vtl_Array<SectionType> types;

    // Fills the three name lists from the library folder.
    void GetAvailableFiles();
    // The catalogue file; false (the record unchanged) when it cannot be read or written.
    bool readFromFile();
    bool writeToFile() const;
    static Vtl_String catalogPath();
};
