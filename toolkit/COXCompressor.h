#pragma once
// Compresses and expands memory buffers.
class COXCompressor {
};
