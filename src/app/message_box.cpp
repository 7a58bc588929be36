// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/message_box.h"

#include <QApplication>
#include <QGridLayout>
#include <QMessageBox>
#include <QSpacerItem>

#include "app/string_table.h"

namespace ribodex {
namespace {

// A short text makes a narrow box, whose title bar the window manager then cuts to
// "Quil…dex". The box sizes itself when shown and takes no minimum width, but its grid
// takes a spacer row: wide enough for the title in a caption font up to twice as wide as
// ours, and the caption's icon and buttons.
void MakeRoomForTitle(QMessageBox& box)
{
    auto* grid = qobject_cast<QGridLayout*>(box.layout());
    if (grid == nullptr)
        return;
    const int title = box.fontMetrics().horizontalAdvance(box.windowTitle());
    const int width = 2 * title + 6 * box.fontMetrics().height();
    grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Fixed), grid->rowCount(), 0, 1,
                  grid->columnCount());
}

}  // namespace

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
    MakeRoomForTitle(box);
    box.exec();
}

bool AskYesNoBox(QWidget* parent, const QString& text)
{
    CursorLift lift;
    QMessageBox box(QMessageBox::Question, StringTable::Text(AFX_IDS_APP_TITLE), text,
                    QMessageBox::Yes | QMessageBox::No, parent);
    MakeRoomForTitle(box);
    return box.exec() == QMessageBox::Yes;
}

}  // namespace ribodex
