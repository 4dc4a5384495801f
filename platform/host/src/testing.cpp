#include "host/testing.h"

#include "host_internal.h"

namespace vtl::host::testing {
void reset() {
    detail::resetMainWindow();
    detail::resetCommandLine();
    detail::resetRegistry();
}
}  // namespace vtl::host::testing
