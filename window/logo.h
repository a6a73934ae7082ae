#pragma once

#include <QPixmap>

// The program's logo: a small ER diagram (an entity, a relationship and a key attribute), drawn
// `side` pixels square.
QPixmap productLogo(int side);
