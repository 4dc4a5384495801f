#pragma once
// Resources: each binary registers its embedded resource set (dialog templates, bitmaps, icons) under its
// instance handle. A look-up searches the current resource handle first, then every registered binary in
// the order they registered (the module chain).
#include <cstddef>
#include <span>
#include <string>
#include <vector>

#include "win/dialog_template.h"
#include "win/export.h"
#include "win/types.h"

namespace vtl::win {

// One file compiled into a binary by vtl_embed_resources. The name decides its type: "*.dlg" holds dialog
// templates, "<number>.bmp" a bitmap, "<number>.ico" an icon.
struct EmbeddedFile {
    const char* name;
    const unsigned char* data;
    std::size_t size;
};

enum class ResourceType { Bitmap, Icon };

// The instance handle of the binary that holds `address` (its load address).
VTLWIN_API HINSTANCE instanceOfAddress(const void* address);
// Registers a binary's resources; registering the same instance again replaces its set. Throws
// std::runtime_error when a template does not parse.
VTLWIN_API void registerResources(HINSTANCE instance, std::span<const EmbeddedFile> files);
VTLWIN_API void unregisterResources(HINSTANCE instance);
VTLWIN_API bool hasResources(HINSTANCE instance);

// Looks up through the current resource handle, then the chain.
VTLWIN_API const DialogTemplate* findDialogTemplate(int id);
VTLWIN_API std::span<const unsigned char> findResourceData(ResourceType type, int id);
// Every dialog template of every registered binary, in chain order (for inspection and rendering).
VTLWIN_API std::vector<const DialogTemplate*> allDialogTemplates();

}  // namespace vtl::win

// The binary whose resources dialogs are loaded from first; nullptr means the chain alone.
VTLWIN_API HINSTANCE AfxGetResourceHandle();
VTLWIN_API void AfxSetResourceHandle(HINSTANCE instance);
