// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/dialogs/select_phone_book_dlg.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>

#include "app/string_table.h"
#include "core/device/phone_book_storage.h"

namespace ribodex {

CSelectPhoneBookDlg::CSelectPhoneBookDlg(int offered, int current, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(tr("Select Phone Book"));
    setObjectName(QStringLiteral("IDD_SELECT_PHONEBOOK"));

    phoneBookList = new QComboBox(this);
    phoneBookList->setObjectName(QStringLiteral("IDC_PHONEBOOK"));
    for (const PhoneBookStorageInfo& storage : kPhoneBookStorages) {
        if ((offered & storage.code) == 0)
            continue;
        // A sorted list box: by text, as the user reads it, not by code.
        const QString text = StringTable::Text(storage.textId);
        int at = 0;
        while (at < phoneBookList->count() &&
               QString::compare(phoneBookList->itemText(at), text, Qt::CaseInsensitive) < 0)
            ++at;
        phoneBookList->insertItem(at, text, int(storage.code));
    }
    phoneBookList->setCurrentIndex(phoneBookList->findData(current));

    auto* label = new QLabel(tr("Phone Book:"), this);
    label->setBuddy(phoneBookList);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CSelectPhoneBookDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CSelectPhoneBookDlg::reject);

    auto* explanation = new QLabel(tr("Here you can select the phone book you want to use."), this);
    explanation->setWordWrap(true);
    auto* grid = new QGridLayout(this);
    grid->addWidget(explanation, 0, 0, 1, 2);
    grid->addWidget(label, 1, 0);
    grid->addWidget(phoneBookList, 1, 1);
    grid->addWidget(buttons, 2, 0, 1, 2);
    phoneBookList->setMinimumContentsLength(16);
}

int CSelectPhoneBookDlg::SelectedCode() const
{
    return phoneBookList->currentIndex() >= 0 ? phoneBookList->currentData().toInt() : 0;
}

}  // namespace ribodex
