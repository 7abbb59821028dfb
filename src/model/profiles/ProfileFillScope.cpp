#include "model/profiles/ProfileFillScope.h"

bool Profile_Fill_Running = false;
