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
install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION share/doc/qor-erp)
install(FILES ${PROJECT_SOURCE_DIR}/docs/help/index.html DESTINATION share/qor-erp/help)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME qor-erp)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "客户BOM批次对应表: customer-BOM batch correspondence for the ERP client")
set(CPACK_PACKAGE_DESCRIPTION
    "The host shell qor-erp and the component library QOROrderBatchTrace: ties batches of made-to-order items to sales-order lines and customer BOMs, with a demo company on SQLite.")
set(CPACK_PACKAGE_CONTACT "qor-erp maintainers <maintainers@qor-erp.invalid>")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_STRIP_FILES ON)
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
