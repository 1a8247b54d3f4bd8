# The Windows build: the launcher, its stand-in game, and its tests. Built
# on Linux, ctest starts the tests under Wine through tools/wine-run.sh, in a
# Wine prefix of this build tree's own; built on Windows, it starts them
# directly.
enable_language(RC)
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -I${CMAKE_SOURCE_DIR}/resources")

if(CMAKE_CROSSCOMPILING)
    set(YORV_WINE_DIR ${CMAKE_BINARY_DIR}/wine CACHE PATH "Wine prefix and home of this build tree")
    set(YORV_WINE_RUN ${CMAKE_SOURCE_DIR}/tools/wine-run.sh)
    # Set only here: with this project's minimum CMake version add_test
    # would put the emulator before a native build's tests too.
    set(CMAKE_CROSSCOMPILING_EMULATOR ${YORV_WINE_RUN} --prefix ${YORV_WINE_DIR})
endif()

add_compile_options(-ffunction-sections -fdata-sections)
add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601)
# One self-contained executable: the C and C++ runtimes are linked in.
add_link_options(-static -static-libgcc -static-libstdc++ -Wl,--gc-sections)
# The same executable, byte for byte, from every clean build of a commit,
# wherever it is checked out: no link time in the PE header, and source
# paths, were any compiled in, relative to the top of the tree.
add_link_options(-Wl,--no-insert-timestamp)
add_compile_options($<$<COMPILE_LANGUAGE:CXX>:-ffile-prefix-map=${CMAKE_SOURCE_DIR}/=>)

# One library per folder, each linked only to the folders below it:
# core, then ui (the program-wide window plumbing), then AboutBox and
# working side by side, then Main; the entry point alone is left for the
# executable, so that tests can drive the real windows.
add_library(yorv_core STATIC
    core/Catalogue.cpp
    core/FileSystem.cpp
    core/Launcher.cpp
    core/Listing.cpp
    core/RecycleBin.cpp
    core/RecycleBinCheck.cpp
    core/Removal.cpp
    core/SettingsStore.cpp
    core/TextFile.cpp)
target_link_libraries(yorv_core PUBLIC yorv_core_logic advapi32 shell32)

add_library(yorv_ui STATIC
    ui/Application.cpp
    ui/Controls.cpp
    ui/MessageBoxes.cpp
    ui/Modal.cpp
    ui/PlainMessage.cpp
    ui/Window.cpp)
target_link_libraries(yorv_ui PUBLIC yorv_core gdi32 user32 msimg32)

add_library(yorv_about STATIC AboutBox/AboutBox.cpp)
target_link_libraries(yorv_about PUBLIC yorv_ui yorv_core)

add_library(yorv_working STATIC working/working.cpp)
target_link_libraries(yorv_working PUBLIC yorv_ui)

add_library(yorv_main STATIC
    Main/Launch.cpp
    Main/Main.cpp
    Main/Program.cpp
    Main/Remove.cpp)
target_link_libraries(yorv_main PUBLIC yorv_about yorv_working yorv_ui yorv_core)

set(YORV_RESOURCES ${CMAKE_SOURCE_DIR}/resources/YorvFrontEnd.rc)
set_property(SOURCE ${YORV_RESOURCES} APPEND PROPERTY OBJECT_DEPENDS
    ${CMAKE_SOURCE_DIR}/resources/YorvFrontEnd.manifest
    ${CMAKE_SOURCE_DIR}/resources/resource.h)

add_executable(YorvFrontEnd WIN32 Main/WinMain.cpp ${YORV_RESOURCES})
target_link_libraries(YorvFrontEnd PRIVATE yorv_main)
target_link_options(YorvFrontEnd PRIVATE -s)

add_subdirectory(tests/standin)
add_subdirectory(tests/wine)
add_subdirectory(bench)
