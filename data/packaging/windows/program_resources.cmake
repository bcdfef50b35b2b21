# The program icon on Windows, rendered at build time from the icon drawing by
# the render tool built for this machine (a Windows program cannot run here):
# compiled into the window as PNGs of every size, and packed with icotool
# into the .exe's resources beside the version and the application manifest.
# Included from app/, where the program is built; the window (ui/) draws the
# same PNGs.
set(BRENNQUIST_HOST_RENDER_ICON "" CACHE FILEPATH
    "brennquist_render_icon built for the build machine (Linux), to draw the .exe icon")
if(NOT EXISTS "${BRENNQUIST_HOST_RENDER_ICON}")
    message(FATAL_ERROR "The Windows build draws its icon with the Linux render tool: set "
        "BRENNQUIST_HOST_RENDER_ICON (scripts/package-windows does).")
endif()
find_program(ICOTOOL icotool REQUIRED)

set(icon_folder ${CMAKE_CURRENT_BINARY_DIR}/windows_icon)
set(pngs)
foreach(size 16 24 32 48 64 128 256)
    set(png ${icon_folder}/${size}.png)
    add_custom_command(OUTPUT ${png}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${icon_folder}
        COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen
                ${BRENNQUIST_HOST_RENDER_ICON} ${BRENNQUIST_ICON} ${size} ${png}
        DEPENDS ${BRENNQUIST_ICON}
        VERBATIM)
    list(APPEND pngs ${png})
    set_source_files_properties(${png} PROPERTIES QT_RESOURCE_ALIAS icon-${size}.png)
endforeach()
qt_add_resources(brennquist_ui brennquist_icon PREFIX /brennquist FILES ${pngs})
# The largest size goes in as PNG, as Windows reads it, which keeps the file small.
list(POP_BACK pngs largest)
set(BRENNQUIST_ICO ${icon_folder}/brennquist.ico)
add_custom_command(OUTPUT ${BRENNQUIST_ICO}
    COMMAND ${ICOTOOL} --create --output=${BRENNQUIST_ICO} ${pngs} --raw=${largest}
    DEPENDS ${pngs} ${largest}
    VERBATIM)
add_custom_target(brennquist_windows_icon DEPENDS ${BRENNQUIST_ICO})

set(BRENNQUIST_MANIFEST ${CMAKE_CURRENT_BINARY_DIR}/brennquist.manifest)
configure_file(${PROJECT_SOURCE_DIR}/data/packaging/windows/brennquist.manifest
    ${BRENNQUIST_MANIFEST} @ONLY)
configure_file(${PROJECT_SOURCE_DIR}/data/packaging/windows/brennquist.rc.in
    ${CMAKE_CURRENT_BINARY_DIR}/brennquist.rc @ONLY)
target_sources(brennquist PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/brennquist.rc)
set_source_files_properties(${CMAKE_CURRENT_BINARY_DIR}/brennquist.rc
    PROPERTIES OBJECT_DEPENDS "${BRENNQUIST_ICO};${BRENNQUIST_MANIFEST}")
add_dependencies(brennquist brennquist_windows_icon)
