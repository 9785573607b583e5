#pragma once
// The main frame's status bar with its indicator panes.
class COXStatusBar {
};
