#pragma once
// The version block of a module file: product name, versions and legal texts.
class COXVersionInfo {
};
