#pragma once
// The body of every exported function runs inside guardExport: no exception leaves the module. What was
// thrown is reported on the host's command line and the function answers its failure result.
#include <exception>
#include <type_traits>

namespace vtl::ui {

// Prints "*Error* <function> failed: <what>" on the host's command line; never throws.
void reportExportFailure(const char* function, const char* what) noexcept;

template <class Result, class Body>
Result guardExport(const char* function, Result failure, Body&& body) noexcept {
    try {
        return body();
    } catch (const std::exception& e) {
        reportExportFailure(function, e.what());
    } catch (...) {
        reportExportFailure(function, "an unknown error");
    }
    return failure;
}

template <class Body>
void guardExport(const char* function, Body&& body) noexcept {
    try {
        body();
    } catch (const std::exception& e) {
        reportExportFailure(function, e.what());
    } catch (...) {
        reportExportFailure(function, "an unknown error");
    }
}

}  // namespace vtl::ui
