#pragma once
// A tree control with per-item queries, expansion and scrolling into view.
class COXTreeCtrl {
};
