# The Windows program carries its icon, its two sounds and its version
# information as resources (resources/kveld.rc). The tests read them back
# from kveld.exe, so they are built after it.
enable_language(RC)
set(_kveld_rc ${PROJECT_SOURCE_DIR}/resources/kveld.rc)
set_source_files_properties(${_kveld_rc} PROPERTIES OBJECT_DEPENDS
  "${PROJECT_SOURCE_DIR}/resources/kveld.ico;${PROJECT_SOURCE_DIR}/resources/beep2.wav;${PROJECT_SOURCE_DIR}/resources/notify2.wav")
target_sources(kveld PRIVATE ${_kveld_rc})
