// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/frame/program_icon.h"

namespace ribodex {

QIcon ProgramIcon()
{
    QIcon bundled;
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256})
        bundled.addFile(QStringLiteral(":/icons/hicolor/%1.png").arg(size), QSize(size, size));
    return QIcon::fromTheme(QStringLiteral("org.ribodex.Ribodex"), bundled);
}

}  // namespace ribodex
