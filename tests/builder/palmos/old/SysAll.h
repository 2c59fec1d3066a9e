/* Stand-in: everything the generated code needs is in Pilot.h. */
#include <Pilot.h>
