#pragma once
// Numbers shared by the grid engine, its cell types and the grids built on
// it: built-in cell type ids, extended styles, notification codes.
#include "platform/types/Win32Types.h"

// Built-in cell types; AddCellType hands out the ids after these.
enum : int {
    UGCT_NORMAL = 0,   // text, edited in place
    UGCT_CHECKBOX = 1, // a check box with a caption (the cell's label)
    UGCT_BUILTIN_COUNT = 2,
};

// Extended styles of the check box type.
enum : long {
    UGCT_CHECKBOXFLAT = 0,      // a cross in a flat box
    UGCT_CHECKBOXCHECKMARK = 1, // a check mark in the platform's box
};

// Cell-type notifications (OnCellTypeNotify's msg).
enum : long {
    UGCT_CHECKBOXSET = 53,     // a check box changed state; the cell holds the new state
    UGCT_BUTTONCLICK = 100,    // a cell's button was pressed, before anything drops down
    UGCT_DROPLISTSELECT = 101, // a choice was taken from a drop list; param points at its text
};

// What a cell's value is.
enum : int {
    UGCELLDATA_STRING = 1,
    UGCELLDATA_NUMBER = 2,
};

// Heading positions: column -1 is the side heading, row -1 the top heading.
constexpr int UG_HEADING = -1;
