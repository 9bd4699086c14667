// Definitions of the identifiers that the generated header only declares.
#include <initguid.h>

#include "compositor/com/lumoscope_h.h"
