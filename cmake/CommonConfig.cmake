# One interface target carries the language level, warnings and floating-point
# rules; every library and executable links it.
add_library(tarnwick_options INTERFACE)
target_compile_features(tarnwick_options INTERFACE cxx_std_20)
# The figures the program stores depend on exact 32/64-bit rounding: no fused
# multiply-add, no fast-math, no host-specific instruction sets.
target_compile_options(tarnwick_options INTERFACE -ffp-contract=off -fno-fast-math)
# Warnings of a well-kept Qt code base. Qt's own headers come in as system
# headers and stay quiet.
target_compile_options(tarnwick_options INTERFACE
    -Wall -Wextra
    -Wnon-virtual-dtor
    -Wold-style-cast
    -Woverloaded-virtual
    -Wcast-qual
    -Wmissing-declarations
    -Wundef)
if(TARNWICK_WERROR)
    target_compile_options(tarnwick_options INTERFACE -Werror)
endif()
# Text never silently changes encoding: every conversion between bytes and
# strings is written out, and so are URLs made from strings.
target_compile_definitions(tarnwick_options INTERFACE
    QT_NO_CAST_FROM_ASCII
    QT_NO_CAST_TO_ASCII
    QT_NO_CAST_FROM_BYTEARRAY
    QT_NO_URL_CAST_FROM_STRING
    QT_NO_NARROWING_CONVERSIONS_IN_CONNECT
    QT_NO_CONTEXTLESS_CONNECT
    QT_USE_QSTRINGBUILDER
    QT_NO_FOREACH)
# The shipped programs check buffer sizes where the compiler can see them and
# guard the stack. Fortification needs the optimiser, so Debug builds go
# without; the sanitizer build has checks of its own.
if(NOT TARNWICK_SANITIZE)
    set(tarnwick_optimised "$<CONFIG:Release,RelWithDebInfo,MinSizeRel>")
    target_compile_options(tarnwick_options INTERFACE
        "$<${tarnwick_optimised}:-U_FORTIFY_SOURCE>"
        "$<${tarnwick_optimised}:-D_FORTIFY_SOURCE=2>"
        "$<${tarnwick_optimised}:-fstack-protector-strong>")
endif()
if(TARNWICK_SANITIZE)
    target_compile_options(tarnwick_options INTERFACE -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
    target_link_options(tarnwick_options INTERFACE -fsanitize=address,undefined)
endif()

# Core numerics are checked for silent widening and narrowing.
add_library(tarnwick_strict_float INTERFACE)
target_compile_options(tarnwick_strict_float INTERFACE -Wdouble-promotion -Wfloat-conversion -Wconversion -Wno-sign-conversion)
