#pragma once
// A push button drawn flat until the pointer hovers over it.
class COXCoolButton {
};
