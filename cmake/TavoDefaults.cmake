# Flags every target of ours gets: warnings as errors, UTF-8 sources,
# CP932 narrow literals (the encoding of every text at rest).
set(TAVO_CXX_FLAGS -Wall -Wextra -Werror -finput-charset=UTF-8 -fexec-charset=CP932)
if(CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    # Clang knows no other execution charset than UTF-8; it is used only for the
    # fuzz targets, whose checks do not depend on how literals are encoded.
    set(TAVO_CXX_FLAGS -Wall -Wextra -Werror)
endif()

if(TAVO_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined)
endif()

if(WIN32)
    # Run without extra DLLs on a bare Windows.
    add_link_options(-static -static-libgcc -static-libstdc++)
    # Shipped programs carry no symbols: Wine and Windows map the whole file
    # at start, and an unstripped program starts measurably slower.
    add_link_options($<$<CONFIG:Release>:-s>)
    add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0A00)
endif()

set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
set(CMAKE_LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)

function(tavo_defaults target)
    target_compile_options(${target} PRIVATE ${TAVO_CXX_FLAGS})
    target_include_directories(${target} PRIVATE ${PROJECT_SOURCE_DIR} ${CMAKE_BINARY_DIR}/generated)
endfunction()
