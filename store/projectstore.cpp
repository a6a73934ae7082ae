#include "projectstore.h"
