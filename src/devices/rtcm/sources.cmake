# RTCM 3 decoding: frames, CRC-24Q, station messages, ECEF to WGS84, message names,
# and the correction-stream report with its day file.
target_sources(skerra_devices PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/Crc24q.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RTCM3FrameScanner.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RTCM3StationMessages.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RTCM3BaseStation.cpp
  ${CMAKE_CURRENT_LIST_DIR}/EcefToWgs84.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RTCMMessageName.cpp
  ${CMAKE_CURRENT_LIST_DIR}/GreatCircle.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TimeZoneText.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RTCMReport.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RTCMReportLog.cpp
)
