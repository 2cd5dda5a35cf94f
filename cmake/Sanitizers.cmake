# `make sanitize`: everything built with the address and undefined-behaviour
# sanitizers; any report ends the process that made it, undefined behaviour
# as well. Lightly optimised with line tables only, which keeps the build
# short on a small machine and the reports' stack traces readable.
add_compile_options(-O1 -g1 -fno-omit-frame-pointer
    -fsanitize=address,undefined -fno-sanitize-recover=all)
add_link_options(-fsanitize=address,undefined)
