#pragma once
// The module's view of the sibling module vtlbase.
#include "vtlbase/resource_override.h"
#include "vtlbase/file_functions.h"
#include "vtlbase/files/file_io.h"
#include "vtlbase/files/paths.h"
#include "vtlbase/properties_list.h"
#include "vtlbase/settings.h"
#include "vtlbase/text_functions.h"
#include "vtlbase/ui_text.h"
#include "vtlbase/vtl_array.h"
#include "vtlbase/vtl_string.h"
#include "vtlbase/vtl_string_array.h"
