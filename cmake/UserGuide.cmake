# The user guide docs/guide.md and the pictures beside it are installed with the shipped data
# (share/listrion/help), where the Help menu opens them: rendered to HTML when python3-markdown
# is at hand, else as the Markdown itself.
set(LISTRION_GUIDE_SOURCE ${PROJECT_SOURCE_DIR}/docs/guide.md)
set(LISTRION_HELP_DESTINATION ${CMAKE_INSTALL_DATADIR}/listrion/help)
# The system's Python first: python3-markdown is a Debian package.
find_program(LISTRION_PYTHON3 python3 HINTS /usr/bin)
set(markdown_missing 1)
if(LISTRION_PYTHON3)
    execute_process(COMMAND ${LISTRION_PYTHON3} -c "import markdown"
                    RESULT_VARIABLE markdown_missing OUTPUT_QUIET ERROR_QUIET)
endif()
if(markdown_missing)
    message(STATUS "python3-markdown not found: the user guide is installed as Markdown")
    install(FILES ${LISTRION_GUIDE_SOURCE} DESTINATION ${LISTRION_HELP_DESTINATION})
else()
    set(guide_html ${CMAKE_BINARY_DIR}/help/guide.html)
    add_custom_command(
        OUTPUT ${guide_html}
        COMMAND ${LISTRION_PYTHON3} ${PROJECT_SOURCE_DIR}/cmake/render-guide.py
                ${LISTRION_GUIDE_SOURCE} ${guide_html}
        DEPENDS ${LISTRION_GUIDE_SOURCE} ${PROJECT_SOURCE_DIR}/cmake/render-guide.py
        COMMENT "Rendering the user guide")
    add_custom_target(listrion_guide ALL DEPENDS ${guide_html})
    install(FILES ${guide_html} DESTINATION ${LISTRION_HELP_DESTINATION})
endif()
install(DIRECTORY ${PROJECT_SOURCE_DIR}/docs/ DESTINATION ${LISTRION_HELP_DESTINATION}
        FILES_MATCHING PATTERN "*.png" PATTERN "screenshots" EXCLUDE)
