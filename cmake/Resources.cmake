# Assembles the Resources folder the game reads at run time: the committed pictures, and
# the title font taken from the Debian package the set-up installs (no font is committed).
set(SKYVANE_FONT_PACKAGE_FILE "/usr/share/fonts/truetype/humor-sans/Humor-Sans.ttf"
    CACHE FILEPATH "TrueType font shipped as the game's title and score font")
set(SKYVANE_FONT_LICENCE_FILE "/usr/share/doc/fonts-humor-sans/copyright"
    CACHE FILEPATH "Licence of that font")

function(skyvane_assemble_resources destination)
  foreach(required IN ITEMS "${SKYVANE_FONT_PACKAGE_FILE}" "${SKYVANE_FONT_LICENCE_FILE}")
    if(NOT EXISTS "${required}")
      message(FATAL_ERROR "Missing ${required}: install the Debian package fonts-humor-sans (see README).")
    endif()
  endforeach()

  file(GLOB pictures CONFIGURE_DEPENDS "${PROJECT_SOURCE_DIR}/resources/*.png")
  set(outputs)
  foreach(picture IN LISTS pictures)
    get_filename_component(name "${picture}" NAME)
    add_custom_command(OUTPUT "${destination}/${name}"
      COMMAND "${CMAKE_COMMAND}" -E copy_if_different "${picture}" "${destination}/${name}"
      DEPENDS "${picture}" VERBATIM)
    list(APPEND outputs "${destination}/${name}")
  endforeach()

  add_custom_command(OUTPUT "${destination}/fonts/Marker Felt.ttf" "${destination}/fonts/Marker Felt.LICENSE.txt"
    COMMAND "${CMAKE_COMMAND}" -E make_directory "${destination}/fonts"
    COMMAND "${CMAKE_COMMAND}" -E copy_if_different "${SKYVANE_FONT_PACKAGE_FILE}" "${destination}/fonts/Marker Felt.ttf"
    COMMAND "${CMAKE_COMMAND}" -E copy_if_different "${SKYVANE_FONT_LICENCE_FILE}" "${destination}/fonts/Marker Felt.LICENSE.txt"
    DEPENDS "${SKYVANE_FONT_PACKAGE_FILE}" "${SKYVANE_FONT_LICENCE_FILE}" VERBATIM)
  list(APPEND outputs "${destination}/fonts/Marker Felt.ttf" "${destination}/fonts/Marker Felt.LICENSE.txt")

  add_custom_target(skyvane_resources ALL DEPENDS ${outputs})
endfunction()
