# Every target of ours builds with warnings as errors; third-party code (GoogleTest) does not.
function(zl_strict target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Werror -Wshadow -Wnon-virtual-dtor
        $<$<COMPILE_LANGUAGE:CXX>:-Woverloaded-virtual>)
    if(ZL_SANITIZE)
        target_compile_options(${target} PRIVATE -fsanitize=address,undefined -fno-sanitize-recover=all
            -fno-omit-frame-pointer)
        target_link_options(${target} PRIVATE -fsanitize=address,undefined)
    endif()
endfunction()

# Test sources all include GoogleTest (and on Windows windows.h): one precompiled header per
# test program saves parsing them again for every source.
function(zl_test_headers target)
    set(headers <gtest/gtest.h> <string> <vector> <map> <memory> <functional>)
    if(WIN32)
        list(PREPEND headers <windows.h>)
    endif()
    target_precompile_headers(${target} PRIVATE ${headers})
endfunction()
