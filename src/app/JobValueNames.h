#pragma once
// Every value a build job may write, in the order it writes them. The writer program
// reads exactly these; track names follow the pattern below for tracks 1 to 99.
constexpr const char* kJobValueNames[] = {
    "ZLXBuildSourceCDDrive",     "ZLXBuildDestinationFile",   "ZlxBuildCompressionType",
    "ZlxBuildCompressionLevel",  "ZlxBuildReadFUA",           "ZlxBuildRAWDataType",
    "ZlxBuildRAWAudioType",      "ZlxBuildSectorSize",        "ZlxBuildSectorType",
    "ZlxBuildZLXType",           "ZlxBuildCDType",            "ZlxBuildSkipRange",
    "ZlxBuildAudioRecordMode",   "ZlxBuildCreateCustomCD",    "ZlxBuildFastReadMethod",
    "ZlxBuildReadSZQ",           "ZlxBuildFastErrorSkip",     "ZlxBuildAutoCreateFolder",
    "ZlxBuildEjectAfterBuild",   "ZlxBuildChangeZLXLabel",    "ZlxBuildInsertIntoNet",
    "ZlxBuildDynamicErrorHandling", "ZLXBuildZLXLabel",       "ZlxBuildDescription",
    "ZlxBuildTimesToValidate",   "ZlxBuildInfoText",          "ZlxBuildPassword",
    "ZlxBuildStartProgram",      "ZlxBuildStartPath",         "ZlxBuildAutoInsertDrive",
    "ZlxBuildHotkeyVirtualCode", "ZlxBuildHotkeyModifiers",   "ZlxBuildAudioArtist",
    "ZlxBuildAudioRecord",       "ZlxBuildNameOfAudioTrack*", "ZlxBuildTrackOrder",
    "ZlxBuildMaxReadSpeed",      "ZlxBuildSelReadSpeed",      "ZlxBuildDynamicReadSpeed",
    "ZlxBuildAudioFileFormat",   "ZlxBuildACMSettings",       "ZlxBuildAcmFormatTag",
    "ZlxBuildAcmAvgBytesPerSec", "ZlxBuildAcmBlockAlign",     "ZlxBuildAcmChannels",
    "ZlxBuildAcmSamplesPerSec",  "ZlxBuildAcmBitsPerSample",  "ZlxBuildAcmSize",
    "ZlxBuildAcmData",           "ZlxBuildTOC",               "ZlxBuildWriteZQCFile",
    "ZlxBuildZQCFileName",       "ZLXBuildDataReady"};
constexpr const char* kTrackNamePrefix = "ZlxBuildNameOfAudioTrack";
constexpr int kMaxTracks = 99;
// Binary values (everything else is text).
constexpr const char* kJobBinaryValues[] = {"ZlxBuildAcmData", "ZlxBuildTOC"};
