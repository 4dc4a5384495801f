# vtl_stand_in(<name> EXPORT_MACRO <macro> SOURCES ... DEPENDS ...)
# A stand-in is a shared library with its public headers under include/<name>/ and its own export macro;
# symbols are hidden unless the macro marks them, so each library's face is exactly its headers.
function(vtl_stand_in target)
  cmake_parse_arguments(ARG "" "EXPORT_MACRO;OUTPUT_NAME" "SOURCES;DEPENDS;PRIVATE_DEPENDS" ${ARGN})
  add_library(${target} SHARED ${ARG_SOURCES})
  target_include_directories(${target} PUBLIC ${CMAKE_CURRENT_SOURCE_DIR}/include
                                       PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/src)
  target_compile_definitions(${target} PRIVATE ${ARG_EXPORT_MACRO}_BUILDING=1)
  set_target_properties(${target} PROPERTIES
    CXX_VISIBILITY_PRESET hidden
    VISIBILITY_INLINES_HIDDEN ON
    OUTPUT_NAME ${ARG_OUTPUT_NAME})
  if(ARG_DEPENDS)
    target_link_libraries(${target} PUBLIC ${ARG_DEPENDS})
  endif()
  if(ARG_PRIVATE_DEPENDS)
    target_link_libraries(${target} PRIVATE ${ARG_PRIVATE_DEPENDS})
  endif()
endfunction()
