#include "vtlbase/vtl_array.h"

#include "host/command_line.h"

namespace vtl::base {

void reportInvalidIndex(ArrayChange change) {
    acutPrintf(change == ArrayChange::Insert ? "*Error* Invalid index passed to insert.\n"
                                             : "*Error* Invalid index passed to remove.\n");
}

}  // namespace vtl::base
