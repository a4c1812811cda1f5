# One place for the warning flags of our own code. Third-party headers come in as system
# includes, so warnings apply to what we write only. Warnings are errors where the presets and CI
# ask for it (ORVANE_WERROR): a user building with a newer compiler is not stopped by a new one.
option(ORVANE_WERROR "Treat warnings in our code as errors" OFF)

add_library(orvane_warnings INTERFACE)
target_compile_options(orvane_warnings INTERFACE
    -Wall -Wextra -Wpedantic -Wshadow -Wold-style-cast -Wnon-virtual-dtor -Woverloaded-virtual
    $<$<BOOL:${ORVANE_WERROR}>:-Werror>
    # g++ 12 reports impossible overlaps inside std::string at -O2/-O3 (a known false positive of
    # that release); keep it visible without failing optimised builds.
    $<$<AND:$<BOOL:${ORVANE_WERROR}>,$<CXX_COMPILER_ID:GNU>>:-Wno-error=restrict>)

# The toolkit-free code also checks implicit narrowing: bytes and numbers meet there.
add_library(orvane_strict_warnings INTERFACE)
target_link_libraries(orvane_strict_warnings INTERFACE orvane_warnings)
target_compile_options(orvane_strict_warnings INTERFACE -Wconversion -Wsign-conversion)
