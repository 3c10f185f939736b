# Program resources: the two sounds and the icon.
# Every build carries the WAVE data as byte arrays (soundWave(), used by the
# POSIX player and by tests); the Windows program also carries them, with
# the icon, as resources of kveld.exe (ResourcesWin32.cmake).
set(KVELD_RESOURCE_SOURCES)
set(_sound_cpp ${CMAKE_BINARY_DIR}/generated/sound_data.cpp)
set(_sound_files ${PROJECT_SOURCE_DIR}/resources/beep2.wav ${PROJECT_SOURCE_DIR}/resources/notify2.wav)
add_custom_command(
  OUTPUT ${_sound_cpp}
  COMMAND ${CMAKE_COMMAND} -DOUT=${_sound_cpp} -DSOUNDS="${_sound_files}" -P ${PROJECT_SOURCE_DIR}/cmake/EmbedSounds.cmake
  DEPENDS ${_sound_files} ${PROJECT_SOURCE_DIR}/cmake/EmbedSounds.cmake
  COMMENT "Embedding the sounds")
target_sources(kveld_platform PRIVATE ${_sound_cpp})
if(WIN32)
  include(${PROJECT_SOURCE_DIR}/cmake/ResourcesWin32.cmake OPTIONAL)
endif()
