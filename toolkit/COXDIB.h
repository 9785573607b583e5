#pragma once
// A device-independent bitmap: loading, writing, painting, copying and resizing.
class COXDIB {
};
