#include "views/inspector/InspectorGlobals.h"

int Card_Shape = 0;
