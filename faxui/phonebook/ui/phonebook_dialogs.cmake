# The phonebook dialog (106, 600), the entry editor and details view (103),
# the new-entry choice (105), the group editor (107) and the group viewer
# (700). The plug-in asks the linker for the dialog procedures it exports
# by name.
add_library(tq_phonebook_dialogs STATIC
  ${CMAKE_CURRENT_LIST_DIR}/src/dialog_resources.cpp
  ${CMAKE_CURRENT_LIST_DIR}/src/entry_dialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/src/entry_properties.cpp
  ${CMAKE_CURRENT_LIST_DIR}/src/group_editor.cpp
  ${CMAKE_CURRENT_LIST_DIR}/src/group_record.cpp
  ${CMAKE_CURRENT_LIST_DIR}/src/group_viewer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/src/phonebook_dialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/src/phonebook_entries.cpp
  ${CMAKE_CURRENT_LIST_DIR}/src/phonebook_lines.cpp
  ${CMAKE_CURRENT_LIST_DIR}/src/selection_form.cpp)
target_include_directories(tq_phonebook_dialogs
  PUBLIC ${CMAKE_CURRENT_LIST_DIR}/include
  PRIVATE ${CMAKE_CURRENT_LIST_DIR}/src ${CMAKE_CURRENT_LIST_DIR}/src/shim)
target_link_libraries(tq_phonebook_dialogs
  PUBLIC tq_phonebook tq_phonebook_ui tq_common tq_user tq_kernel
  PRIVATE tq_faxui_recipients tq_faxui_dialogs tq_faxui_core)
set_target_properties(tq_phonebook_dialogs PROPERTIES
  CXX_VISIBILITY_PRESET hidden VISIBILITY_INLINES_HIDDEN ON POSITION_INDEPENDENT_CODE ON)

foreach(plugin qlfaxui_n qlfaxui_p)
  target_link_libraries(${plugin} PRIVATE tq_phonebook_dialogs)
  target_link_options(${plugin} PRIVATE
    -Wl,--undefined=PhonebookDlgProc -Wl,--undefined=ShowDBInfoDlgProc -Wl,--undefined=EditDBInfoDlgProc
    -Wl,--undefined=NewEntryDlgProc -Wl,--undefined=EditDBGrpDlgProc -Wl,--undefined=ShowDBGrpDlgProc)
endforeach()

add_subdirectory(${CMAKE_CURRENT_LIST_DIR}/tests ${CMAKE_CURRENT_BINARY_DIR}/phonebook_dialogs_tests)
