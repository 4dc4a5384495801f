#pragma once
// UI texts by number from the add-on's language tables: the main table (dialString) and the second table
// (string), in the current language (gMacroLangs), falling back to English. Never empty: a number neither
// table holds gives a visible placeholder, "<UI n>" for the main table and "<UI2 n>" for the second.
#include "vtlbase/export.h"
#include "vtlbase/vtl_string.h"

VTLBASE_API Vtl_String dialString(int number);
VTLBASE_API Vtl_String string(int number);
