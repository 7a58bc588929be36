// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

#include "core/session/entry_commands.h"

class QDialogButtonBox;
class QGridLayout;
class QLineEdit;

namespace ribodex {

// What the two entry dialogs share: the explanation, "Name:" and "Number:" (no length
// limit) and the OK check: a number that is no dial string once its separators are taken
// out (CleanNumber) shows message 154, puts the
// focus back into the number box and keeps the dialog open. The name goes in and out as
// UTF-8, the number as Windows-1252. The caller shows the dialog and does the device work.
class EntryDlg : public QDialog {
    Q_OBJECT

public:
    EntryFields Fields() const;
    QLineEdit* NameEdit() const { return nameEdit; }
    QLineEdit* NumberEdit() const { return numberEdit; }

public slots:
    void accept() override;

protected:
    EntryDlg(const QString& title, const char* objectName, const QString& explanation,
             const EntryFields& fields, QWidget* parent);
    // Adds a labelled row below the last one, above OK and Cancel, and so also before them
    // in the tab order.
    void AddRow(const QString& label, QWidget* field);
    // The button box puts its buttons into the tab chain again as it lays them out, which
    // it does once more when shown: the chain is set again after that.
    void showEvent(QShowEvent* event) override;

private:
    // The rows from the top, then OK and Cancel.
    void ApplyTabOrder();

    QList<QWidget*> fieldsInOrder;
    QGridLayout* grid = nullptr;
    QDialogButtonBox* buttons = nullptr;
    QLineEdit* nameEdit = nullptr;
    QLineEdit* numberEdit = nullptr;
};

// "New Entry": name, number and "Index (optional):", a box that takes digits only; empty
// asks for the first free location.
class CNewEntryDlg : public EntryDlg {
    Q_OBJECT

public:
    explicit CNewEntryDlg(QWidget* parent = nullptr);

    // The index box as typed: empty, or digits.
    std::string IndexText() const;
    QLineEdit* IndexEdit() const { return indexEdit; }

private:
    QLineEdit* indexEdit = nullptr;
};

// "Edit Entry": name and number of one entry, filled by the caller; the location stays.
class CEditEntryDlg : public EntryDlg {
    Q_OBJECT

public:
    explicit CEditEntryDlg(const EntryFields& fields, QWidget* parent = nullptr);
};

}  // namespace ribodex
