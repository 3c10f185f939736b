# Puts the page together: the template with its style, its script and the
# WebAssembly module (a script with the module inside) in their places, so
# that the one file needs nothing else.
#   cmake -DTEMPLATE= -DSTYLE= -DSCRIPT= -DMODULE= -DVERSION= -DOUTPUT= -P assemble.cmake
file(READ ${TEMPLATE} page)
file(READ ${STYLE} style)
file(READ ${SCRIPT} script)
file(READ ${MODULE} module)
foreach(part style script module)
  # Inside a script or style element, "</" followed by the element's name
  # would end it early.
  string(FIND "${${part}}" "</script" at)
  string(FIND "${${part}}" "</style" at2)
  if(NOT at EQUAL -1 OR NOT at2 EQUAL -1)
    message(FATAL_ERROR "The page's ${part} holds a closing tag and cannot be embedded.")
  endif()
endforeach()
string(REPLACE "@KVELD_STYLE@" "${style}" page "${page}")
string(REPLACE "@KVELD_VERSION@" "${VERSION}" page "${page}")
string(REPLACE "@KVELD_MODULE@" "${module}" page "${page}")
string(REPLACE "@KVELD_SCRIPT@" "${script}" page "${page}")
file(WRITE ${OUTPUT} "${page}")
