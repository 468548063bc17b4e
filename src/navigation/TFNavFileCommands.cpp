// The File menu's chart commands.

#include "navigation/TFNav.h"

// The layout file is not written yet: the save does nothing.
void TFNav::Save1Click() {}
