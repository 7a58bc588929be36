// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/message_box.h"

#include <QApplication>
#include <QMessageBox>

#include "app/string_table.h"

namespace ribodex {

CursorLift::CursorLift()
{
    while (QApplication::overrideCursor() != nullptr) {
        QApplication::restoreOverrideCursor();
        ++lifted;
    }
}

CursorLift::~CursorLift()
{
    for (int i = 0; i < lifted; ++i)
        QApplication::setOverrideCursor(Qt::WaitCursor);
}

BusyCursor::BusyCursor()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

BusyCursor::~BusyCursor()
{
    QApplication::restoreOverrideCursor();
}

void ShowMessageBox(QWidget* parent, const QString& text)
{
    CursorLift lift;
    QMessageBox box(QMessageBox::Warning, StringTable::Text(AFX_IDS_APP_TITLE), text,
                    QMessageBox::Ok, parent);
    box.exec();
}

bool AskYesNoBox(QWidget* parent, const QString& text)
{
    CursorLift lift;
    QMessageBox box(QMessageBox::Question, StringTable::Text(AFX_IDS_APP_TITLE), text,
                    QMessageBox::Yes | QMessageBox::No, parent);
    return box.exec() == QMessageBox::Yes;
}

}  // namespace ribodex
