#pragma once
// Objects handed to deleteLater, freed once no dispatch to them is in progress.
namespace vtl::win::detail {
void sweepDeferredDeletes();
void deleteAllDeferred();
}  // namespace vtl::win::detail
