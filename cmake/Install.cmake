# What `cmake --install` puts where: the program, its private libraries, the
# desktop integration (menu entry, file type, icons, AppStream), the manual page
# and the user's guide. Relative paths only, so any prefix works.
set(data ${PROJECT_SOURCE_DIR}/data)

# The program finds its private libraries through a path relative to itself.
set_target_properties(zembra PROPERTIES INSTALL_RPATH "$ORIGIN/${ZEMBRA_LIBDIR_FROM_BINDIR}")
install(TARGETS zembra RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# The AVI writer is loaded by name from there (platform/InstallLayout.h gives
# the folder); it is private to the program, so no development files go along.
if(TARGET ZembraAviWriter)
  install(TARGETS ZembraAviWriter
    LIBRARY DESTINATION ${ZEMBRA_PRIVATE_LIBDIR}
    RUNTIME DESTINATION ${ZEMBRA_PRIVATE_LIBDIR})
endif()

install(FILES ${data}/${ZEMBRA_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${data}/${ZEMBRA_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${data}/${ZEMBRA_APP_ID}.mime.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
        RENAME ${ZEMBRA_APP_ID}.xml)
install(FILES ${data}/icons/${ZEMBRA_APP_ID}.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
foreach(size 16 22 24 32 48 64 128 256)
  install(FILES ${data}/icons/${size}/${ZEMBRA_APP_ID}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()

# The manual page and the changelog, compressed as Debian wants them.
find_program(GZIP_PROGRAM gzip REQUIRED)
set(man_gz ${PROJECT_BINARY_DIR}/doc/zembra.1.gz)
set(changelog_gz ${PROJECT_BINARY_DIR}/doc/changelog.gz)
add_custom_command(OUTPUT ${man_gz}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/doc
  COMMAND ${GZIP_PROGRAM} -9nc ${PROJECT_SOURCE_DIR}/doc/zembra.1 > ${man_gz}
  DEPENDS ${PROJECT_SOURCE_DIR}/doc/zembra.1 VERBATIM)
add_custom_command(OUTPUT ${changelog_gz}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/doc
  COMMAND ${GZIP_PROGRAM} -9nc ${PROJECT_SOURCE_DIR}/doc/changelog > ${changelog_gz}
  DEPENDS ${PROJECT_SOURCE_DIR}/doc/changelog VERBATIM)
add_custom_target(zembra_docs ALL DEPENDS ${man_gz} ${changelog_gz})
install(FILES ${man_gz} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${PROJECT_SOURCE_DIR}/doc/copyright ${changelog_gz} DESTINATION ${ZEMBRA_DOCDIR})

# The user's guide, which F1 opens. The build tree gets a copy at the same
# place relative to the program, so F1 works there too.
install(DIRECTORY ${PROJECT_SOURCE_DIR}/doc/guide/ DESTINATION ${ZEMBRA_GUIDE_DIR})
add_custom_target(zembra_guide ALL
  COMMAND ${CMAKE_COMMAND} -E copy_directory ${PROJECT_SOURCE_DIR}/doc/guide
          $<TARGET_FILE_DIR:zembra>/${ZEMBRA_GUIDE_FROM_BINDIR}
  COMMENT "Copying the user's guide beside the program")
