#pragma once
// Scrolling a view by dragging with the middle (wheel) button held down.
class COXIntelliMouse {
};
