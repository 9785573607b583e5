# Installation: `cmake --install build --prefix P` lays out
#   bin/        Lumivu (with its help file Lumivu.chm beside it), lumivu-render, lumivu-thumbnailer
#   lib/        libOwUt and libOwUtil with their sonames (libraries for any client)
#   lib/lumivu/ the private libraries of the platform, raster and framework layers
#   share/      the desktop entry, the MIME package, icons in the hicolor theme,
#               the thumbnailer entry, the AppStream metainfo and the manual pages
# The programs find their libraries through run paths relative to themselves,
# so an installed copy runs wherever the prefix is, without the build tree.
include(GNUInstallDirs)

set(LUMIVU_PRIVATE_LIBDIR ${CMAKE_INSTALL_LIBDIR}/lumivu)
file(RELATIVE_PATH _lib_from_bin /${CMAKE_INSTALL_BINDIR} /${CMAKE_INSTALL_LIBDIR})
file(RELATIVE_PATH _private_from_bin /${CMAKE_INSTALL_BINDIR} /${LUMIVU_PRIVATE_LIBDIR})

# The two libraries a client links carry their version in their soname.
set_target_properties(toolkit owutil PROPERTIES
  VERSION ${PROJECT_VERSION} SOVERSION ${PROJECT_VERSION_MAJOR}
  INSTALL_RPATH "$ORIGIN;$ORIGIN/lumivu")
set_target_properties(platform raster framework PROPERTIES INSTALL_RPATH "$ORIGIN")

install(TARGETS toolkit owutil
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT runtime NAMELINK_COMPONENT development)
install(TARGETS platform raster framework
  LIBRARY DESTINATION ${LUMIVU_PRIVATE_LIBDIR} COMPONENT runtime NAMELINK_SKIP)

if(LUMIVU_GUI)
  set(_programs Lumivu lumivu-render lumivu-thumbnailer)
  set_target_properties(${_programs} PROPERTIES
    INSTALL_RPATH "$ORIGIN/${_lib_from_bin};$ORIGIN/${_private_from_bin}")
  install(TARGETS ${_programs} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT runtime)
  # The viewer opens the help file beside itself; it is there when the build
  # could compile it (chmcmd installed).
  install(FILES ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/Lumivu.chm DESTINATION ${CMAKE_INSTALL_BINDIR}
    COMPONENT runtime OPTIONAL)
endif()

set(_share ${PROJECT_SOURCE_DIR}/share)
set(_icons ${PROJECT_SOURCE_DIR}/viewer/resources/icons)
install(FILES ${_share}/applications/Lumivue.Document.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${_share}/mime/lumivu.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)
install(FILES ${_share}/metainfo/works.orrery.Lumivu.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${_icons}/lumivue.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
  RENAME Lumivue.Document.svg)
if(TARGET lumivu_icons)
  install(DIRECTORY ${CMAKE_BINARY_DIR}/share/icons/hicolor DESTINATION ${CMAKE_INSTALL_DATADIR}/icons
    FILES_MATCHING PATTERN "*.png")
endif()
install(FILES ${_icons}/doc-mj.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/mimetypes
  RENAME image-x-mj.svg)
install(FILES ${_share}/man/lumivu.1 ${_share}/man/lumivu-render.1 ${_share}/man/lumivu-thumbnailer.1
  DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# The thumbnailer entry names the program by its installed path, which is
# known only when installing (--prefix may differ from the configured one).
set(LUMIVU_THUMBNAILER_TYPES
  "image/emf;image/x-emf;application/x-emf;image/wmf;image/x-wmf;application/x-msmetafile;image/vnd.zbrush.pcx;image/x-pcx;image/x-tga;image/x-mj;")
if(LUMIVU_GUI)
  install(CODE "
    set(_prefix \"\${CMAKE_INSTALL_PREFIX}\")
    if(NOT IS_ABSOLUTE \"\${_prefix}\")
      get_filename_component(_prefix \"\${_prefix}\" ABSOLUTE)
    endif()
    set(_program \"\${_prefix}/${CMAKE_INSTALL_BINDIR}/lumivu-thumbnailer\")
    set(_dir \"\$ENV{DESTDIR}\${_prefix}/${CMAKE_INSTALL_DATADIR}/thumbnailers\")
    file(MAKE_DIRECTORY \"\${_dir}\")
    message(STATUS \"Installing: \${_dir}/lumivu.thumbnailer\")
    file(WRITE \"\${_dir}/lumivu.thumbnailer\" \"[Thumbnailer Entry]
TryExec=\${_program}
Exec=\${_program} -s %s %u %o
MimeType=${LUMIVU_THUMBNAILER_TYPES}
X-Lumivu-Thumbnailer=true
\")
  " COMPONENT runtime)
endif()
