#pragma once
// Ids of the utility library's dialog templates and bitmaps.

enum : unsigned {
    IDD_TIP = 1002,
    IDD_DATETIME = 1004,
    IDD_PROGRESS = 1005,
    IDB_LIGHTBULB = 1004,
};
