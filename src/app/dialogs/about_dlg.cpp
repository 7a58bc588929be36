// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/dialogs/about_dlg.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>

namespace ribodex {

CAboutDlg::CAboutDlg(QWidget* parent)
    // A fixed dialog: a title, the system menu and close, nothing to maximise or resize.
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint)
{
    setWindowTitle(tr("About Ribodex"));
    setObjectName(QStringLiteral("IDD_ABOUT"));

    auto* icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("IDC_ICON"));
    icon->setPixmap(QIcon(QStringLiteral(":/icons/entry32.png")).pixmap(32, 32));
    icon->setAlignment(Qt::AlignTop);

    auto* name = new QLabel(tr("Quillcast Ribodex 1.0"), this);
    name->setObjectName(QStringLiteral("IDC_APP_NAME"));
    name->setTextFormat(Qt::PlainText);
    name->setAlignment(Qt::AlignHCenter | Qt::AlignTop);

    auto* legal = new QLabel(tr("Copyright (C) 2026 the Ribodex developers. Licence: GNU GPL, version 3 or later."), this);
    legal->setObjectName(QStringLiteral("IDC_LEGAL"));
    legal->setTextFormat(Qt::PlainText);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, Qt::Vertical, this);
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* grid = new QGridLayout(this);
    grid->addWidget(icon, 0, 0, 2, 1);
    grid->addWidget(name, 0, 1);
    grid->addWidget(legal, 1, 1);
    grid->addWidget(buttons, 0, 2, 2, 1, Qt::AlignTop);
    grid->setColumnStretch(1, 1);
    grid->setHorizontalSpacing(16);
    setMinimumWidth(380);
    setFixedSize(sizeHint().expandedTo(minimumSize()));
}

}  // namespace ribodex
