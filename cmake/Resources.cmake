# Program resources: the two sounds and the icon.
# Windows: a resource script compiled into kveld.exe.
# POSIX: the same WAVE data compiled into the program as byte arrays.
set(KVELD_RESOURCE_SOURCES)
