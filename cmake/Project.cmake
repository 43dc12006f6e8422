# Settings shared by every target of the project.

# The program's texts are written in UTF-8 and stored as code page 936 bytes.
set(QT_CHARSET_FLAGS -finput-charset=UTF-8 -fexec-charset=GBK)
if(CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    # Clang stores narrow literals as UTF-8 only; it builds just the fuzzers, which hold no texts.
    set(QT_CHARSET_FLAGS "")
endif()

option(QT_SANITIZE "Host build with AddressSanitizer and UndefinedBehaviorSanitizer" ON)
option(QT_FUZZ "Build the libFuzzer targets (needs clang)" OFF)

# Where the product lands: dist/ beside the sources unless told otherwise.
set(QT_DIST_DIR "${CMAKE_SOURCE_DIR}/dist" CACHE PATH "Directory that receives QuorvelTimer.exe")

function(qt_target_defaults target)
    target_compile_options(${target} PRIVATE ${QT_CHARSET_FLAGS} -Wall -Wextra)
    target_include_directories(${target} PUBLIC ${CMAKE_SOURCE_DIR})
    if(WIN32)
        target_compile_definitions(${target} PUBLIC WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0501)
        # Doubles in SSE registers: every product and sum is rounded to a double, as on the host.
        target_compile_options(${target} PRIVATE -msse2 -mfpmath=sse)
    elseif(QT_SANITIZE AND NOT QT_FUZZ)
        target_compile_options(${target} PRIVATE -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
        target_link_options(${target} PUBLIC -fsanitize=address,undefined)
    endif()
endfunction()

# A static library of platform-free code, reachable from host tests and fuzzers.
# Every such library is linked into the host test runner.
function(qt_logic_library name)
    add_library(${name} STATIC ${ARGN})
    qt_target_defaults(${name})
    set_property(GLOBAL APPEND PROPERTY QT_LOGIC_LIBRARIES ${name})
endfunction()

# Static linking for every Windows binary: nothing beyond Windows' own DLLs.
# Dead code and symbols are dropped from every Windows binary.
# In a program, an uncaught exception aborts without libstdc++'s verbose message, whose
# demangler alone is 46 KiB (a GUI program has no console to print it on), and the sections are
# page-aligned in the file as well: Wine then maps the image from its file instead of copying it
# into private memory (half a MiB for QuorvelTimer.exe).
function(qt_windows_static target)
    target_link_options(${target} PRIVATE -static -static-libgcc -static-libstdc++ -Wl,--gc-sections -s)
    get_target_property(type ${target} TYPE)
    if(type STREQUAL "EXECUTABLE")
        target_link_options(${target} PRIVATE -Wl,--file-alignment,4096
            -Wl,--defsym,__ZN9__gnu_cxx27__verbose_terminate_handlerEv=_abort)
    endif()
    target_compile_options(${target} PRIVATE -ffunction-sections -fdata-sections)
endfunction()

# The web sites the program links to, fixed when it is built. The defaults lie under the
# reserved .example domain; whoever distributes the program sets its own.
set(QT_OFFICIAL_SITE_HOST "www.quorvel.example" CACHE STRING "Host name of the official site")
set(QT_AD_SITE_HOST "ad.quorvel.example" CACHE STRING "Host name of the advertising page")
add_compile_definitions(QT_OFFICIAL_SITE_HOST="${QT_OFFICIAL_SITE_HOST}" QT_AD_SITE_HOST="${QT_AD_SITE_HOST}")
