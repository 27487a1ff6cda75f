// Command.h must compile on its own, as the first and only include.
#include "Command.h"
