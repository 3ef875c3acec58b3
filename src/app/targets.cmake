# The viewer itself: orvex.exe, and its resources, which the Windows tests
# link too so that the real menus and dialogs exist in their process.
enable_language(RC)

find_program(ORVEX_PYTHON NAMES python3 REQUIRED)
set(ORVEX_IMAGE_DIR ${CMAKE_BINARY_DIR}/images)
set(ORVEX_IMAGES
    ${ORVEX_IMAGE_DIR}/toolbar.bmp ${ORVEX_IMAGE_DIR}/list100.bmp ${ORVEX_IMAGE_DIR}/list101.bmp
    ${ORVEX_IMAGE_DIR}/AALOGO.ico ${ORVEX_IMAGE_DIR}/REPLACE.ico ${ORVEX_IMAGE_DIR}/cursor111.cur)
add_custom_command(
    OUTPUT ${ORVEX_IMAGES}
    COMMAND ${ORVEX_PYTHON} ${CMAKE_SOURCE_DIR}/src/resources/make_images.py
            ${CMAKE_SOURCE_DIR}/src/resources/images.txt ${ORVEX_IMAGE_DIR}
    DEPENDS ${CMAKE_SOURCE_DIR}/src/resources/make_images.py
            ${CMAKE_SOURCE_DIR}/src/resources/images.txt
    COMMENT "Drawing the images")
add_custom_target(orvex_images DEPENDS ${ORVEX_IMAGES})

add_library(orvex_resources OBJECT ${CMAKE_SOURCE_DIR}/src/resources/orvex.rc)
target_include_directories(orvex_resources PRIVATE ${CMAKE_SOURCE_DIR}/src/resources
                           ${ORVEX_IMAGE_DIR} ${CMAKE_SOURCE_DIR}/docs)
set_source_files_properties(${CMAKE_SOURCE_DIR}/src/resources/orvex.rc PROPERTIES
    OBJECT_DEPENDS "${ORVEX_IMAGES};${CMAKE_SOURCE_DIR}/src/resources/resource_ids.h;${CMAKE_SOURCE_DIR}/src/resources/interpret.rc;${CMAKE_SOURCE_DIR}/src/resources/print.rc;${CMAKE_SOURCE_DIR}/src/resources/appearance.rc;${CMAKE_SOURCE_DIR}/docs/help.txt")
add_dependencies(orvex_resources orvex_images)

# Whatever links the Win32 layer gets the resources with it.
target_sources(orvex_win INTERFACE $<TARGET_OBJECTS:orvex_resources>)
add_dependencies(orvex_win orvex_resources)

add_executable(orvex WIN32 ${CMAKE_SOURCE_DIR}/src/app/orvex_entry_win.cpp)
target_link_libraries(orvex PRIVATE orvex_win)
target_link_options(orvex PRIVATE -mwindows)
set_target_properties(orvex PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
