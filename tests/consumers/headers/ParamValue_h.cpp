// ParamValue.h must compile on its own, as the first and only include.
#include "ParamValue.h"
