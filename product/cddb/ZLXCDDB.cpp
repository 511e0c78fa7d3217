// The disc information library. Its lookup service is not here yet, so nothing is ever
// initialised and releasing is always safe, however often it is called.
#include "ZLXCDDB.h"

ZLXCDDB_API void ZLXCDDBReleaseInterface(void) {}
