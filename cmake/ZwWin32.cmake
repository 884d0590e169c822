# Windows builds (MinGW-w64): the version resource of the programs and the registry test that
# runs under Wine.

# zw_add_version_resource(target description) gives a program the version information.
function(zw_add_version_resource target description)
    set(ZW_RC_NAME ${target})
    set(ZW_RC_DESCRIPTION ${description})
    set(rc ${CMAKE_BINARY_DIR}/resources/${target}.rc)
    configure_file(${PROJECT_SOURCE_DIR}/resources/zellwerk.rc.in ${rc} @ONLY)
    target_sources(${target} PRIVATE ${rc})
endfunction()

if(WIN32)
    enable_language(RC)
    if(TARGET zellwerk-cli)
        zw_add_version_resource(zellwerk-cli "Zellwerk Kommandozeile")
    endif()
    if(TARGET zellwerk)
        zw_add_version_resource(zellwerk "Zellwerk")
    endif()
    add_subdirectory(${PROJECT_SOURCE_DIR}/tests/win32 ${CMAKE_BINARY_DIR}/tests/win32)
endif()
