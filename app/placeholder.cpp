#include "appinfo.h"
