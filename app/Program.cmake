# Lintara itself: main.cpp over the shell, the record windows and the administration windows; the
# program goes into the program folder beside image/, Template/ and Data/.
add_executable(Lintara ${CMAKE_CURRENT_SOURCE_DIR}/main.cpp ${CMAKE_SOURCE_DIR}/dist/icons/icons.qrc)
target_link_libraries(Lintara PRIVATE lintara_shell lintara_records lintara_admin Qt6::Widgets)
set_target_properties(Lintara PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${LINTARA_PROGRAM_DIR})
