# Assembles the Resources folder the game reads at run time: the committed pictures, and
# the fonts taken from the Debian packages the set-up installs (no font is committed).
set(SKYVANE_FONT_PACKAGE_FILE "/usr/share/fonts/truetype/humor-sans/Humor-Sans.ttf"
    CACHE FILEPATH "TrueType font shipped as the game's title and score font")
set(SKYVANE_FONT_LICENCE_FILE "/usr/share/doc/fonts-humor-sans/copyright"
    CACHE FILEPATH "Licence of that font")
# The default sans face for system font names where the system offers none: a Windows
# without Arial, Segoe UI or Tahoma, a Linux whose fontconfig finds no font.
set(SKYVANE_DEFAULT_FONT_FILE "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"
    CACHE FILEPATH "TrueType font shipped as the default sans face of the Windows package")
set(SKYVANE_DEFAULT_FONT_LICENCE_FILE "/usr/share/doc/fonts-dejavu-core/copyright"
    CACHE FILEPATH "Licence of that font")
# The engine's statistics display: the same monospaced face on every system.
set(SKYVANE_STATS_FONT_FILE "/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf"
    CACHE FILEPATH "TrueType font shipped as the face of the statistics display")

# Adds commands copying a font and its licence into <destination>/fonts/ as <name>.ttf and
# <name>.LICENSE.txt; appends both outputs to the list variable named by outputs_var.
function(skyvane_ship_font destination name font licence package outputs_var)
  foreach(required IN ITEMS "${font}" "${licence}")
    if(NOT EXISTS "${required}")
      message(FATAL_ERROR "Missing ${required}: install the Debian package ${package} (see README).")
    endif()
  endforeach()
  set(font_out "${destination}/fonts/${name}.ttf")
  set(licence_out "${destination}/fonts/${name}.LICENSE.txt")
  set(copy_licence "${CMAKE_COMMAND}" -E copy_if_different "${licence}" "${licence_out}")
  set(licence_tools "")
  if(WIN32)
    # A Windows player reads it in Notepad, without Debian's /usr/share.
    set(script "${PROJECT_SOURCE_DIR}/cmake/WindowsTextFile.cmake")
    set(copy_licence "${CMAKE_COMMAND}" "-DSOURCE=${licence}" "-DTARGET=${licence_out}" -P "${script}")
    set(licence_tools "${script}" "${PROJECT_SOURCE_DIR}/cmake/WindowsText.cmake")
  endif()
  add_custom_command(OUTPUT "${font_out}" "${licence_out}"
    COMMAND "${CMAKE_COMMAND}" -E make_directory "${destination}/fonts"
    COMMAND "${CMAKE_COMMAND}" -E copy_if_different "${font}" "${font_out}"
    COMMAND ${copy_licence}
    DEPENDS "${font}" "${licence}" ${licence_tools} VERBATIM)
  set(${outputs_var} ${${outputs_var}} "${font_out}" "${licence_out}" PARENT_SCOPE)
endfunction()

function(skyvane_assemble_resources destination)
  file(GLOB pictures CONFIGURE_DEPENDS "${PROJECT_SOURCE_DIR}/resources/*.png")
  set(outputs)
  foreach(picture IN LISTS pictures)
    get_filename_component(name "${picture}" NAME)
    add_custom_command(OUTPUT "${destination}/${name}"
      COMMAND "${CMAKE_COMMAND}" -E copy_if_different "${picture}" "${destination}/${name}"
      DEPENDS "${picture}" VERBATIM)
    list(APPEND outputs "${destination}/${name}")
  endforeach()

  skyvane_ship_font("${destination}" "Marker Felt" "${SKYVANE_FONT_PACKAGE_FILE}" "${SKYVANE_FONT_LICENCE_FILE}"
                    fonts-humor-sans outputs)
  skyvane_ship_font("${destination}" "DejaVuSans" "${SKYVANE_DEFAULT_FONT_FILE}" "${SKYVANE_DEFAULT_FONT_LICENCE_FILE}"
                    fonts-dejavu-core outputs)
  skyvane_ship_font("${destination}" "DejaVuSansMono" "${SKYVANE_STATS_FONT_FILE}" "${SKYVANE_DEFAULT_FONT_LICENCE_FILE}"
                    fonts-dejavu-core outputs)

  add_custom_target(skyvane_resources ALL DEPENDS ${outputs})
endfunction()
