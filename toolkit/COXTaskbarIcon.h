#pragma once
// An icon in the desktop's notification area (task tray) with a tool tip.
class COXTaskbarIcon {
};
