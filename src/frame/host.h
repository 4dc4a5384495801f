#pragma once
// The module's view of the CAD host.
#include "host/loader.h"
#include "host/main_window.h"
