# The wizard sheet and its pages in-process, with the program's own resources. Each page's
# tests live in pages/.
file(GLOB zl_page_test_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/pages/*.cpp)
add_executable(zl5sheet_tests SheetTest.cpp SheetHarness.cpp DriveComboTest.cpp
    controls/WinTestSupport.cpp ${zl_page_test_sources} ${CMAKE_SOURCE_DIR}/src/res/zl5build.rc)
target_include_directories(zl5sheet_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests/unit ${CMAKE_SOURCE_DIR}/src/res
    ${CMAKE_CURRENT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR}/controls)
target_link_libraries(zl5sheet_tests PRIVATE gtest_main zlwin)
zl_strict(zl5sheet_tests)
zl_test_headers(zl5sheet_tests)
