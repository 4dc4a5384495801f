#pragma once
// Marks what libvtlui.so exports; everything else of the module stays hidden.
#define VTLUI_API __attribute__((visibility("default")))
