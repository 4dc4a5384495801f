# vtl_embed_resources(<target> <symbol> <files...>)
# Compiles the given resource files (dialog templates, bitmaps, icons) into <target> as a table returned by
# `std::span<const vtl::win::EmbeddedFile> <symbol>()`. Templates are checked while embedding, so a
# malformed template fails the build with its file and line.
function(vtl_embed_resources target symbol)
  set(out ${CMAKE_CURRENT_BINARY_DIR}/${symbol}.cpp)
  add_custom_command(
    OUTPUT ${out}
    COMMAND vtl_embed ${out} ${symbol} ${ARGN}
    DEPENDS vtl_embed ${ARGN}
    WORKING_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR}
    COMMENT "Embedding resources ${symbol}"
    VERBATIM)
  target_sources(${target} PRIVATE ${out})
endfunction()
