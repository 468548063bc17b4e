target_sources(skerra_devices PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/NmeaChecksum.cpp
  ${CMAKE_CURRENT_LIST_DIR}/NmeaSentenceParser.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SerialLineAssembler.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CorrectionRelay.cpp
  ${CMAKE_CURRENT_LIST_DIR}/QtSerialLink.cpp
  ${CMAKE_CURRENT_LIST_DIR}/THalvekSerialGPS.cpp
)
