# q4p_program_resources(<target> <description> <manifest>)
#
# Gives a program we ship the resources they all carry alike, written from one
# template (cmake/program.rc.in): the product icon, the program's application
# manifest and the version information, with the project's version. The
# calling directory enables the RC language.
function(q4p_program_resources target description manifest)
    set(Q4P_RC_NAME ${target})
    set(Q4P_RC_DESCRIPTION ${description})
    # The program carries its manifest without the comments and indentation
    # that explain it here. (A comment in a manifest must not hold '>'.)
    file(READ ${manifest} text)
    # Its assembly version is the project's, as in the version information.
    string(CONFIGURE "${text}" text @ONLY)
    string(REGEX REPLACE "<!--[^>]*-->" "" text "${text}")
    string(REGEX REPLACE "\n[ \t\n]*" "\n" text "${text}")
    set(Q4P_RC_MANIFEST ${CMAKE_CURRENT_BINARY_DIR}/${target}.manifest)
    file(WRITE ${Q4P_RC_MANIFEST} "${text}")
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${manifest})
    set(script ${CMAKE_CURRENT_BINARY_DIR}/${target}.rc)
    configure_file(${PROJECT_SOURCE_DIR}/cmake/program.rc.in ${script} @ONLY)
    target_sources(${target} PRIVATE ${script})
    # windres looks for the icon and the resource ids in its include folders.
    target_include_directories(${target} PRIVATE ${PROJECT_SOURCE_DIR}/assets)
    set_source_files_properties(${script} PROPERTIES OBJECT_DEPENDS
        "${PROJECT_SOURCE_DIR}/assets/quintara.ico;${PROJECT_SOURCE_DIR}/assets/resource_ids.h;${manifest}")
endfunction()
