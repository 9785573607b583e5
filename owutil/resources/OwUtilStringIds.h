#pragma once
// Ids of the utility library's string table.

enum : unsigned {
    IDS_TIP_DIDYOUKNOW = 106,
    IDS_TIP_FILE_ABSENT = 107,
    IDS_TIP_FILE_ERROR = 108,
    IDS_MEM_NO_BUFFER = 27000,
    IDS_MEM_BAD_INDEX = 27001,
    IDS_MEM_TOO_LARGE = 27002,
    IDS_MEM_NOT_ALLOCATED = 27003,
};
