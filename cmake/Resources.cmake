# windres reports no include dependencies: resource scripts are rebuilt whenever any part
# of the resource tree changes. Source properties are per directory, so each directory
# that compiles one of the scripts calls this.
function(zl_resource_depends)
    file(GLOB parts CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/res/*.rc ${CMAKE_SOURCE_DIR}/src/res/*.h
        ${CMAKE_SOURCE_DIR}/src/res/*.manifest ${CMAKE_SOURCE_DIR}/src/res/art/*)
    set_source_files_properties(${CMAKE_SOURCE_DIR}/src/res/zl5build.rc ${CMAKE_SOURCE_DIR}/src/res/language.rc
        PROPERTIES OBJECT_DEPENDS "${parts}")
endfunction()
