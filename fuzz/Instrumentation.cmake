# A fuzz build instruments everything it compiles, the libraries included,
# for libFuzzer's coverage and for the address and undefined-behaviour
# sanitizers; undefined behaviour stops the run as a crash does.
if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "QUORVANE_FUZZ needs clang: configure with -DCMAKE_CXX_COMPILER=clang++")
endif()
add_compile_options(-g -fno-omit-frame-pointer
    -fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined)
add_link_options(-fsanitize=address,undefined)
