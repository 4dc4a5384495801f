#pragma once
// Settings state (private): what the test reset clears.
namespace vtl::base::settings {
// Forgets the library folder set by the host.
void reset();
}  // namespace vtl::base::settings
