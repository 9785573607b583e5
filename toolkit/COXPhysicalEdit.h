#pragma once
// A numeric edit that shows and converts values in physical units.
class COXPhysicalEdit {
};
