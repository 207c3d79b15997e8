# The .deb (cmake --build build --target package -> build/dorori_<version>_<arch>.deb). Its program
# is a build of its own that keeps the word list in the user's data folder whoever runs it, so a
# system-wide install never writes beside itself. Everything it holds is the "deb" component, left
# out of a plain cmake --install.

set(DORORI_HOME_PAGE "https://dorori.example.org/")
set(package_dir ${CMAKE_BINARY_DIR}/package)

add_executable(dorori_packaged app/main.cpp)
target_link_libraries(dorori_packaged PRIVATE dorori_app)
add_dependencies(dorori_packaged dorori_plots)
target_compile_definitions(dorori_packaged PRIVATE DORORI_TABLE_FOLDER_RULE=AlwaysInHome)
# Relocations resolved and then made read-only at start, as Debian builds its programs.
target_link_options(dorori_packaged PRIVATE -Wl,-z,relro,-z,now)
set_target_properties(dorori_packaged PROPERTIES OUTPUT_NAME dorori RUNTIME_OUTPUT_DIRECTORY ${package_dir}/bin)
install(TARGETS dorori_packaged RUNTIME DESTINATION bin COMPONENT deb EXCLUDE_FROM_ALL)
# The plots module, which the program finds from /usr/bin as ../lib/<multiarch>/dorori.
install(TARGETS dorori_plots LIBRARY DESTINATION ${DORORI_PACKAGED_MODULE_DIR} COMPONENT deb EXCLUDE_FROM_ALL)
# The program finds them from its own folder, /usr/bin, as ../share/dorori/wordlists.
install(FILES ${DORORI_GRADED_LISTS} DESTINATION share/dorori/wordlists COMPONENT deb EXCLUDE_FROM_ALL)

foreach(size 16 22 32 48)
  install(FILES ${CMAKE_SOURCE_DIR}/res/mainicon_${size}.png
    DESTINATION share/icons/hicolor/${size}x${size}/apps RENAME dorori.png COMPONENT deb EXCLUDE_FROM_ALL)
endforeach()
install(FILES ${CMAKE_SOURCE_DIR}/res/mainicon.svg DESTINATION share/icons/hicolor/scalable/apps RENAME dorori.svg
  COMPONENT deb EXCLUDE_FROM_ALL)

set(DORORI_PROGRAM dorori)
configure_file(${CMAKE_SOURCE_DIR}/res/dorori.desktop.in ${package_dir}/${DORORI_APP_ID}.desktop @ONLY)
configure_file(${CMAKE_SOURCE_DIR}/res/package/metainfo.xml.in ${package_dir}/${DORORI_APP_ID}.metainfo.xml @ONLY)
install(FILES ${package_dir}/${DORORI_APP_ID}.desktop DESTINATION share/applications COMPONENT deb EXCLUDE_FROM_ALL)
install(FILES ${package_dir}/${DORORI_APP_ID}.metainfo.xml DESTINATION share/metainfo COMPONENT deb EXCLUDE_FROM_ALL)

# The manual page and the changelog are compressed as Debian keeps them: no name or time stamp inside.
execute_process(COMMAND date -u -R -d ${DORORI_RELEASE_DATE}
  OUTPUT_VARIABLE DORORI_CHANGELOG_DATE OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
configure_file(${CMAKE_SOURCE_DIR}/res/package/dorori.1.in ${package_dir}/dorori.1 @ONLY)
configure_file(${CMAKE_SOURCE_DIR}/res/package/changelog.in ${package_dir}/changelog @ONLY)
foreach(doc dorori.1 changelog)
  add_custom_command(OUTPUT ${package_dir}/${doc}.gz
    COMMAND gzip -9nc ${package_dir}/${doc} > ${package_dir}/${doc}.gz
    DEPENDS ${package_dir}/${doc} VERBATIM)
endforeach()
add_custom_target(dorori_package_docs ALL DEPENDS ${package_dir}/dorori.1.gz ${package_dir}/changelog.gz)
install(FILES ${package_dir}/dorori.1.gz DESTINATION share/man/man1 COMPONENT deb EXCLUDE_FROM_ALL)
install(FILES ${package_dir}/changelog.gz ${CMAKE_SOURCE_DIR}/res/package/copyright
  DESTINATION share/doc/dorori COMPONENT deb EXCLUDE_FROM_ALL)

set(CPACK_GENERATOR DEB)
set(CPACK_INSTALL_CMAKE_PROJECTS "${CMAKE_BINARY_DIR};DoRori;deb;/")
set(CPACK_PACKAGE_NAME dorori)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR})
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_CONTACT "DoRori 开发小组 <dorori@dorori.example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "English-Chinese learning dictionary")
set(CPACK_PACKAGE_DESCRIPTION "A small dictionary for learning English words with a word list of your own:\n\
lookup as you type, a dictation drill, maintenance with import and export of\n\
word lists, and settings. The word list is kept in the user's home folder.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${DORORI_HOME_PAGE})
# The libraries come from the binary; the font the forms are drawn with, the voice data and the
# libraries loaded when first needed (the synthesizer, the sound device, the speller, the JPEG
# decoder) do not.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
  "fonts-wqy-zenhei, espeak-ng-data, libespeak-ng1, libasound2, libhunspell-1.7-0, libjpeg62-turbo")
# Without the toolkit's Wayland plugin a Wayland-only session cannot start the program, and others
# run it blurred through the X server. Without the speller's dictionary the lookup still offers
# the stored words spelt nearly alike, only without the speller's help.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland, hunspell-en-us")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
include(CPack)
