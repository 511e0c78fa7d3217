# The disc information library's portable part (no windows.h): entries, disc IDs, CD-Text,
# the database and the lookup service. Built into ZLXCDDB.dll and, natively, into the unit
# tests together with the disc model's CD-Text packs they are checked against.
set(ZL_CDDB_PORTABLE_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/DiscId.cpp ${CMAKE_CURRENT_LIST_DIR}/Xmcd.cpp
    ${CMAKE_CURRENT_LIST_DIR}/TextCodec.cpp ${CMAKE_CURRENT_LIST_DIR}/CdText.cpp
    ${CMAKE_CURRENT_LIST_DIR}/DiscRecord.cpp ${CMAKE_CURRENT_LIST_DIR}/DiscDatabase.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CddbService.cpp)
set(ZL_CDDB_DISC_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/../disc/CdTextPacks.cpp ${CMAKE_CURRENT_LIST_DIR}/../disc/CueSheet.cpp
    ${CMAKE_CURRENT_LIST_DIR}/../disc/DiscLayout.cpp ${CMAKE_CURRENT_LIST_DIR}/../disc/SectorData.cpp)
