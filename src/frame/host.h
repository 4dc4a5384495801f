#pragma once
// The module's view of the CAD host.
#include "host/ac_array.h"
#include "host/command_line.h"
#include "host/command_stack.h"
#include "host/dialogs.h"
#include "host/dynamic_linker.h"
#include "host/error_status.h"
#include "host/loader.h"
#include "host/main_window.h"
#include "host/object_id.h"
#include "host/registry.h"
