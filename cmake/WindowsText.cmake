# Texts as a Windows player reads them: Windows line ends, and no Debian file paths, which
# name nothing on Windows. A Debian copyright file points at licence texts and other documents
# by path (/usr/share/common-licenses/GPL-2, /usr/share/doc/PACKAGE/FILE): each such document
# is appended to the text, read from this machine, and the path becomes its name there.

# A name ends before a final dot: "GPL-2." is GPL-2 at the end of a sentence.
set(_skyvane_debian_document
    "/usr/share/(common-licenses|doc/[A-Za-z0-9.+-]+)/[A-Za-z0-9_+-]+([.][A-Za-z0-9_+-]+)*")

# The heading under which <path>'s document is appended: the licence's own name (GPL is a
# link to GPL-3), or the file and its package.
function(_skyvane_document_heading out path)
  file(REAL_PATH "${path}" target)
  if(NOT EXISTS "${target}" OR IS_DIRECTORY "${target}")
    message(FATAL_ERROR "A text refers to ${path}, which is not a file on this machine")
  endif()
  get_filename_component(name "${target}" NAME)
  if(path MATCHES "^/usr/share/doc/([^/]+)/")
    set(name "${name} of ${CMAKE_MATCH_1}")
  endif()
  set(${out} "${name}" PARENT_SCOPE)
endfunction()

# Sets <out> to <text> for Windows: Debian paths replaced, their documents appended, CRLF.
function(skyvane_windows_text out text)
  set(rest "${text}")
  set(body "")
  set(headings "")
  set(appendix "")
  # The leftmost match is also the first place its text occurs, so FIND locates it.
  while(rest MATCHES "${_skyvane_debian_document}")
    set(path "${CMAKE_MATCH_0}")
    string(FIND "${rest}" "${path}" at)
    string(SUBSTRING "${rest}" 0 ${at} before)
    string(LENGTH "${path}" length)
    math(EXPR after "${at} + ${length}")
    string(SUBSTRING "${rest}" ${after} -1 rest)
    _skyvane_document_heading(heading "${path}")
    string(APPEND body "${before}${heading} (at the end of this file)")
    if(NOT heading IN_LIST headings)
      list(APPEND headings "${heading}")
      file(READ "${path}" document)
      string(APPEND appendix "\n------------------------------------------------------------------------------\n"
             "${heading}\n------------------------------------------------------------------------------\n\n"
             "${document}")
    endif()
  endwhile()
  string(APPEND body "${rest}")
  if(NOT appendix STREQUAL "")
    string(APPEND body "\n\n==============================================================================\n"
           "Texts referred to above\n"
           "==============================================================================\n${appendix}")
  endif()
  string(REPLACE "\r\n" "\n" body "${body}")
  string(REPLACE "\n" "\r\n" body "${body}")
  set(${out} "${body}" PARENT_SCOPE)
endfunction()

# Rewritten only when the text changes, so the package step sees an unchanged file as such.
function(skyvane_write_windows_text path text)
  skyvane_windows_text(text "${text}")
  file(WRITE "${path}.new" "${text}")
  file(COPY_FILE "${path}.new" "${path}" ONLY_IF_DIFFERENT)
  file(REMOVE "${path}.new")
endfunction()
