# The installed layout (`cmake --install`, the Debian package) and the
# helpers every module's CMakeLists uses to install its deliverables beside
# their targets:
#   <prefix>/bin                    the programs
#   <prefix>/lib/telequill          plug-ins, resource libraries, faces and the
#                                   project's shared libraries, help pages (links)
#   <prefix>/lib/cups/backend       the fax queue's backend
#   <prefix>/share/telequill        help pages, examples
# Programs and the backend reach the private folder through an RPATH relative
# to the installed file; nothing installed names the build folder.
include(GNUInstallDirs)

set(TELEQUILL_INSTALL_LIBDIR "lib/telequill" CACHE STRING
  "Private folder of the plug-ins and the project's libraries, relative to the prefix")
set(TELEQUILL_INSTALL_BACKENDDIR "lib/cups/backend" CACHE STRING
  "Where CUPS looks for backends, relative to the prefix")
set(TELEQUILL_INSTALL_DATADIR "${CMAKE_INSTALL_DATADIR}/telequill" CACHE STRING
  "Help pages and examples, relative to the prefix")

# The path from one installed folder to another, both relative to the prefix.
function(telequill_relative_path out from to)
  file(RELATIVE_PATH path "/prefix/${from}" "/prefix/${to}")
  set(${out} "${path}" PARENT_SCOPE)
endfunction()

telequill_relative_path(TELEQUILL_BIN_TO_LIB ${CMAKE_INSTALL_BINDIR} ${TELEQUILL_INSTALL_LIBDIR})
telequill_relative_path(TELEQUILL_BACKEND_TO_LIB ${TELEQUILL_INSTALL_BACKENDDIR} ${TELEQUILL_INSTALL_LIBDIR})
telequill_relative_path(TELEQUILL_LIB_TO_DATA ${TELEQUILL_INSTALL_LIBDIR} ${TELEQUILL_INSTALL_DATADIR})

# telequill_install_programs(<target>...)
# Programs into bin, finding the project's libraries in the private folder.
function(telequill_install_programs)
  set_target_properties(${ARGN} PROPERTIES INSTALL_RPATH "$ORIGIN/${TELEQUILL_BIN_TO_LIB}")
  install(TARGETS ${ARGN} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endfunction()

# telequill_install_libraries(<target>...)
# Shared libraries, plug-ins and faces into the private folder, finding each
# other there.
function(telequill_install_libraries)
  set_target_properties(${ARGN} PROPERTIES INSTALL_RPATH "$ORIGIN")
  install(TARGETS ${ARGN} LIBRARY DESTINATION ${TELEQUILL_INSTALL_LIBDIR})
endfunction()

# telequill_install_backend(<target>)
# The CUPS backend, mode 0700: CUPS runs a backend that only root may read
# and run as root, which lets it reach every user's agent.
function(telequill_install_backend target)
  set_target_properties(${target} PROPERTIES INSTALL_RPATH "$ORIGIN/${TELEQUILL_BACKEND_TO_LIB}")
  install(TARGETS ${target} RUNTIME DESTINATION ${TELEQUILL_INSTALL_BACKENDDIR}
    PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)
endfunction()

# telequill_install_help(<file>...)
# Help pages into share/telequill/help, each with a link of its name in the
# private folder: the plug-ins and the Import application look for their
# help file beside the plug-ins.
function(telequill_install_help)
  install(FILES ${ARGN} DESTINATION ${TELEQUILL_INSTALL_DATADIR}/help)
  foreach(file IN LISTS ARGN)
    get_filename_component(name ${file} NAME)
    set(link ${CMAKE_BINARY_DIR}/install-links/${name})
    file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/install-links)
    file(CREATE_LINK ${TELEQUILL_LIB_TO_DATA}/help/${name} ${link} SYMBOLIC)
    install(FILES ${link} DESTINATION ${TELEQUILL_INSTALL_LIBDIR})
  endforeach()
endfunction()
