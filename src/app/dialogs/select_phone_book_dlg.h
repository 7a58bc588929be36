// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QComboBox;

namespace ribodex {

// "Select Phone Book": the memories the device offers (a PhoneBookStorage bit set), by
// their display texts in alphabetical order, the current one preselected. The dialog only
// shows; the caller asked the device before and selects the memory after OK.
class CSelectPhoneBookDlg : public QDialog {
    Q_OBJECT

public:
    CSelectPhoneBookDlg(int offered, int current, QWidget* parent = nullptr);

    // The code of the chosen memory; 0 when the list is empty or nothing is chosen.
    int SelectedCode() const;
    QComboBox* PhoneBookList() const { return phoneBookList; }

private:
    QComboBox* phoneBookList = nullptr;
};

}  // namespace ribodex
