#pragma once
// Windows-1252 byte by byte (private): texts made from single bytes that are not UTF-8 (a Vtl_String from
// older text, a separator given as a char). Whole files are converted by the file layer.
namespace vtl::base {

// The character a Windows-1252 byte stands for. The five bytes the code page leaves undefined (0x81, 0x8D,
// 0x8F, 0x90, 0x9D) map to the control characters of the same number, as Windows does.
char32_t cp1252ToUnicode(unsigned char byte);

}  // namespace vtl::base
