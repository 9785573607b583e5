#pragma once
// Keeps a dialog's controls attached to its edges and to each other as it resizes.
class COXLayoutManager {
};
