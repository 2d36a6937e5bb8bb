#include "TUser.h"

TUser CurrentUser;
