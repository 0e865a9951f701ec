#pragma once
// The program's icon: from the desktop's icon theme once installed, from the build tree before that.

#include <QIcon>

QIcon programIcon();
