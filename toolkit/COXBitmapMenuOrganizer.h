#pragma once
// Shows toolbar images beside the menu items of a frame window.
class COXBitmapMenuOrganizer {
};
