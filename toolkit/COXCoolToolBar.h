#pragma once
// A flat toolbar whose buttons size themselves to their images and texts.
class COXCoolToolBar {
};
