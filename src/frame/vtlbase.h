#pragma once
// The module's view of the sibling module vtlbase.
#include "vtlbase/resource_override.h"
