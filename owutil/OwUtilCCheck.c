/* Compiles the plain-function header as C, so that it stays usable from C. */
#include "owutil/OwUtilC.h"

typedef int OwUtilCHeaderCompiles;
