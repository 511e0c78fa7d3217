# Tests of the wizard's Windows side, run in-process under Wine. Included from
# CMakeLists.txt for full builds.

# The custom controls and the hard disk dialog. The program's resources are compiled in,
# so templates, strings and icons load from the test executable itself.
file(GLOB zl_controls_test_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/controls/*.cpp)
add_executable(zl5controls_tests ${zl_controls_test_sources} ${CMAKE_SOURCE_DIR}/src/res/zl5build.rc)
target_include_directories(zl5controls_tests PRIVATE ${CMAKE_CURRENT_SOURCE_DIR} ${CMAKE_SOURCE_DIR}/src/res)
target_link_libraries(zl5controls_tests PRIVATE zlwin gtest_main)
zl_strict(zl5controls_tests)
zl_test_headers(zl5controls_tests)
