#pragma once

#include <QString>

// The name the user logged in with, at most 80 characters; "" when the system names none.
QString loginUserName();
