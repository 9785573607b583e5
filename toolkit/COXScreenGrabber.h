#pragma once
// Captures a window's client area or a dragged rectangle of the screen as a bitmap.
class COXScreenGrabber {
};
