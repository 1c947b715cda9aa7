# The maker's contact lines: the about box and the status bar show them, and the package, the AppStream
# metainfo and the manual pages point to them. The defaults lie under the reserved .example domain, so a
# build nobody has set up can send no player to whoever holds a real name; a packager sets the real ones.
set(VELMORA_CONTACT_NAME "Velmora" CACHE STRING
  "The maker's name: shown with the version in the about box and the status bar, and named as the maker of the package, the metainfo and the manual pages")
set(VELMORA_CONTACT_HOME_PAGE "https://velmora.example/" CACHE STRING
  "The home page, with its http:// or https:// scheme; the metainfo's screenshot is main-window.png there. The about box's link opens it as it stands")
set(VELMORA_CONTACT_MAIL "velmora@velmora.example" CACHE STRING
  "The maker's mail address; the about box's link opens it behind mailto:")
set(VELMORA_CONTACT_CHAT_SERVICE "" CACHE STRING
  "The chat service's name (IRC, Matrix, ...); with VELMORA_CONTACT_CHAT, or both empty for no chat line")
set(VELMORA_CONTACT_CHAT "" CACHE STRING
  "Where to chat on that service (a channel or room); with VELMORA_CONTACT_CHAT_SERVICE, or both empty for no chat line")

# Writes `output`, the C++ source of the contact lines, from forms/Contact.cpp.in. The checks are those
# of any set of lines, so the test program's other lines pass them too.
function(velmora_contact_source output name home_page mail chat_service chat)
  if(NOT home_page MATCHES "^https?://[^/ ]+")
    message(FATAL_ERROR "The home page '${home_page}' does not start with http:// or https:// and a host name")
  endif()
  if(NOT mail MATCHES "^[^@ ]+@[^@ ]+$")
    message(FATAL_ERROR "The mail address '${mail}' is not of the form name@host")
  endif()
  if((chat_service STREQUAL "") AND NOT (chat STREQUAL ""))
    message(FATAL_ERROR "The chat line '${chat}' needs its service's name too")
  endif()
  if(NOT (chat_service STREQUAL "") AND (chat STREQUAL ""))
    message(FATAL_ERROR "The chat service '${chat_service}' needs the place to chat too")
  endif()
  foreach(line name home_page mail chat_service chat)
    string(REPLACE "\\" "\\\\" ${line} "${${line}}")
    string(REPLACE "\"" "\\\"" ${line} "${${line}}")
  endforeach()
  configure_file(${PROJECT_SOURCE_DIR}/forms/Contact.cpp.in ${output} @ONLY)
endfunction()
