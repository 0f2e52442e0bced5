# What a user downloads: one zip with Velloway.exe and the user guide with its pictures (cpack, ZIP).
install(FILES ${PROJECT_SOURCE_DIR}/docs/guide-ja.md DESTINATION .)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/docs/images DESTINATION . FILES_MATCHING PATTERN "*.png")

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME Velloway)
set(CPACK_PACKAGE_VENDOR Velloway)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_FILE_NAME Velloway-${PROJECT_VERSION}-win64)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Velloway: one-click access to shared network folders")
# The user unpacks one folder, Velloway-<version>-win64, holding the exe beside the guide.
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
include(CPack)
