# The one address users write to. The general halt asks for it ("Please email
# details to ..."), the manual and the manual pages give it, and the packages
# name it as their maintainer. A distribution that builds its own packages
# sets its own with -DKVELD_CONTACT=...
set(KVELD_CONTACT "maintainers@kveld-archive.org" CACHE STRING "The e-mail address users write to")

# A plain address, which the screen's code page and the manual pages carry
# as it is, on a domain that can receive mail: the names kept for examples
# and tests never do.
if(NOT KVELD_CONTACT MATCHES "^[A-Za-z0-9._%+-]+@[A-Za-z0-9-]+(\\.[A-Za-z0-9-]+)+$")
  message(FATAL_ERROR "KVELD_CONTACT \"${KVELD_CONTACT}\" is not a plain e-mail address.")
endif()
string(TOLOWER "${KVELD_CONTACT}" _contact)
if(_contact MATCHES "[@.](example\\.(com|net|org)|example|test|invalid|localhost|local)$")
  message(FATAL_ERROR "KVELD_CONTACT \"${KVELD_CONTACT}\" is on a domain that receives no mail.")
endif()

# The manual pages write the address unbroken (\%) and its hyphens as \- (a
# plain one may print as another character): as a reader can copy it into a
# mail program.
string(REPLACE "-" "\\-" KVELD_CONTACT_ROFF "\\%${KVELD_CONTACT}")
