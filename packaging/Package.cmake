# `make package`: the Debian package of the host shell and its component
# library. The shell lives in /usr/bin, its private libraries and the
# component library in /usr/lib/qor-erp; the package's install script
# registers the component library in the system component registry.
set(QOR_PRIVATE_LIB_DIR lib/qor-erp)

set_target_properties(qor-erp PROPERTIES INSTALL_RPATH "\$ORIGIN/../${QOR_PRIVATE_LIB_DIR}")
set_target_properties(qor_base qor_host QOROrderBatchTrace PROPERTIES INSTALL_RPATH "\$ORIGIN")

install(TARGETS qor-erp RUNTIME DESTINATION bin)
install(TARGETS qor_base qor_host LIBRARY DESTINATION ${QOR_PRIVATE_LIB_DIR})
install(TARGETS QOROrderBatchTrace LIBRARY DESTINATION ${QOR_PRIVATE_LIB_DIR})
install(FILES ${CMAKE_CURRENT_LIST_DIR}/qor-erp.desktop DESTINATION share/applications)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/qor-erp.svg DESTINATION share/icons/hicolor/scalable/apps)
install(FILES ${PROJECT_SOURCE_DIR}/README.md ${CMAKE_CURRENT_LIST_DIR}/debian/copyright DESTINATION share/doc/qor-erp)

# The manual page, written from the program's --help, and the changelog,
# compressed as Debian keeps them (gzip -9n: no name, no time stamp).
set(QOR_MAN_PAGE ${CMAKE_BINARY_DIR}/qor-erp.1)
add_custom_command(
  OUTPUT ${QOR_MAN_PAGE}.gz
  COMMAND ${CMAKE_CURRENT_LIST_DIR}/make-manpage.sh $<TARGET_FILE:qor-erp> ${PROJECT_VERSION} ${QOR_MAN_PAGE}
  COMMAND gzip -9nf ${QOR_MAN_PAGE}
  DEPENDS qor-erp ${CMAKE_CURRENT_LIST_DIR}/make-manpage.sh
  COMMENT "Writing the manual page from --help")
add_custom_command(
  OUTPUT ${CMAKE_BINARY_DIR}/changelog.gz
  COMMAND gzip -9nc ${CMAKE_CURRENT_LIST_DIR}/debian/changelog > ${CMAKE_BINARY_DIR}/changelog.gz
  DEPENDS ${CMAKE_CURRENT_LIST_DIR}/debian/changelog)
add_custom_target(qor_package_docs ALL DEPENDS ${QOR_MAN_PAGE}.gz ${CMAKE_BINARY_DIR}/changelog.gz)
install(FILES ${QOR_MAN_PAGE}.gz DESTINATION share/man/man1)
install(FILES ${CMAKE_BINARY_DIR}/changelog.gz DESTINATION share/doc/qor-erp)

# The binaries go without their debugging symbols and the compiler's
# .comment notes.
install(CODE "
  foreach(binary bin/qor-erp ${QOR_PRIVATE_LIB_DIR}/libqor_base.so ${QOR_PRIVATE_LIB_DIR}/libqor_host.so
                 ${QOR_PRIVATE_LIB_DIR}/QOROrderBatchTrace.so)
    execute_process(COMMAND strip --strip-unneeded --remove-section=.comment
                            \$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/\${binary} COMMAND_ERROR_IS_FATAL ANY)
  endforeach()")
install(FILES ${PROJECT_SOURCE_DIR}/docs/help/index.html DESTINATION share/qor-erp/help)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME qor-erp)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "客户BOM批次对应表: customer-BOM batch correspondence for the ERP client")
set(CPACK_PACKAGE_DESCRIPTION
    "qor-erp is a desktop ERP client for factories that make to order. Its
customer-BOM batch correspondence list ties each batch of an item to the
sales-order line it is made for and to the customer BOM that applies, bans
batches that must no longer be used, and finds, filters, imports, exports
and prints those records.
.
A company is a SQLite file on the desktop, or a PostgreSQL database that
many desktops share; there every user logs in as a role of their own and
the server enforces the rights. A demo company is made on first run.")
set(CPACK_PACKAGE_CONTACT "qor-erp maintainers <maintainers@qor-erp.invalid>")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_STRIP_FILES OFF)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
# Libraries from dpkg-shlibdeps; what is loaded by name at run time is listed
# by hand: Qt's X11 platform plugin, the fonts every window and report uses.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${CMAKE_BINARY_DIR}/platform/base ${CMAKE_BINARY_DIR}/src/host)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-wqy-microhei")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, libqt6svg6")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA
    ${CMAKE_CURRENT_LIST_DIR}/debian/postinst ${CMAKE_CURRENT_LIST_DIR}/debian/prerm
    ${CMAKE_CURRENT_LIST_DIR}/debian/postrm)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
