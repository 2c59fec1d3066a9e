/* Stand-in for the support library header that generated headers include. */
#include "PalmOsTools.h"
