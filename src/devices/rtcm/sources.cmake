# RTCM 3 decoding: frames, CRC-24Q, station messages, ECEF to WGS84, message names.
target_sources(skerra_devices PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/Crc24q.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RTCM3FrameScanner.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RTCM3StationMessages.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RTCM3BaseStation.cpp
  ${CMAKE_CURRENT_LIST_DIR}/EcefToWgs84.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RTCMMessageName.cpp
)
