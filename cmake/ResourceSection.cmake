# The program file's identity: zvresgen writes the resource section (a PE-format resource
# directory with the version block and the main icon, followed by reserved room), and an
# assembly file places it in the ELF section ".rsrc". ZV_RESOURCE_SECTION_OBJECT names
# that assembly file for the program's source list.

set(ZV_RESOURCE_ICON ${PROJECT_SOURCE_DIR}/resources/Zandrovel.ico)
set(ZV_RESOURCE_SECTION_BIN ${CMAKE_BINARY_DIR}/zvrsrc.bin)
set(ZV_RESOURCE_SECTION_ASM ${CMAKE_BINARY_DIR}/zvrsrc_section.S)

# Version text "major.minor.patch.build"; written into the program as FileVersion.
if(PROJECT_VERSION_TWEAK STREQUAL "")
  set(ZV_RESOURCE_VERSION_TEXT "${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${PROJECT_VERSION_PATCH}.0")
else()
  set(ZV_RESOURCE_VERSION_TEXT "${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${PROJECT_VERSION_PATCH}.${PROJECT_VERSION_TWEAK}")
endif()

# Room beyond the program's own resources: a later Build rewrites the directory with any
# accepted icon file (up to 1 MiB), plus slack for the directory and version block.
math(EXPR ZV_RESOURCE_RESERVE "1048576 + 65536")

add_custom_command(
  OUTPUT ${ZV_RESOURCE_SECTION_BIN}
  COMMAND zvresgen ${ZV_RESOURCE_SECTION_BIN} ${ZV_RESOURCE_ICON}
          ${ZV_RESOURCE_VERSION_TEXT} Zandrovel ${ZV_RESOURCE_RESERVE}
  DEPENDS zvresgen ${ZV_RESOURCE_ICON}
  COMMENT "Generating the resource section"
  VERBATIM)

configure_file(${CMAKE_CURRENT_LIST_DIR}/rsrc_section.S.in ${ZV_RESOURCE_SECTION_ASM} @ONLY)
set_source_files_properties(${ZV_RESOURCE_SECTION_ASM} PROPERTIES
  LANGUAGE ASM
  OBJECT_DEPENDS ${ZV_RESOURCE_SECTION_BIN})

set(ZV_RESOURCE_SECTION_OBJECT ${ZV_RESOURCE_SECTION_ASM})
