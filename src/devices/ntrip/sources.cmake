# NTRIP client: worker thread, request and answer handling, GGA, source table.
target_sources(skerra_devices PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/Base64Encode.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ChunkedDecoder.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CorrectionDropReport.cpp
  ${CMAKE_CURRENT_LIST_DIR}/GGASentence.cpp
  ${CMAKE_CURRENT_LIST_DIR}/NTRIPRequest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/NTRIPResponseHeader.cpp
  ${CMAKE_CURRENT_LIST_DIR}/NTRIPSocket.cpp
  ${CMAKE_CURRENT_LIST_DIR}/NTRIPSourceTable.cpp
  ${CMAKE_CURRENT_LIST_DIR}/NTRIPProfiles.cpp
  ${CMAKE_CURRENT_LIST_DIR}/NTRIPStatusCaptions.cpp
  ${CMAKE_CURRENT_LIST_DIR}/THalvekNTRIPClient.h
  ${CMAKE_CURRENT_LIST_DIR}/THalvekNTRIPClient.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TNTRIPWorkerThread.h
  ${CMAKE_CURRENT_LIST_DIR}/TNTRIPWorkerThread.cpp
)
