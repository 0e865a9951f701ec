#include "data/ui/ProgramIcon.h"

#include "data/ProgramInfo.h"

QIcon programIcon()
{
    return QIcon::fromTheme(QStringLiteral("quorvane"), QIcon(programIconPath()));
}
