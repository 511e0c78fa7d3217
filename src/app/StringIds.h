#pragma once
// String-table ids the core refers to by name.
enum StringId {
    IDS_SHEET_CAPTION = 102,
    IDS_SOURCE_READ_ERROR = 135,
    IDS_NO_CONFIG_WRITE_ACCESS = 150,
    IDS_CANNOT_START_WRITER = 162,
    IDS_INSERT_SOURCE_CD = 170,
    IDS_LANGUAGE_WRONG_VERSION = 173,
    IDS_APP_NAME = 174,
    IDS_PLAYER_MISSING = 201,
};
