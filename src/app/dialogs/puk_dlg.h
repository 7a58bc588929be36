// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

#include "core/session/user_interface.h"

class QCheckBox;
class QLabel;
class QLineEdit;

namespace ribodex {

// "PUK": the prompt, the PUK with the tries left below it (only where data knows them), the
// new PIN and its confirmation (each at most 20 characters) and "Save:". OK is disabled while
// the PUK box is empty (as in CPinDlg) and closes only when the new PIN and the confirmation are equal
// byte for byte; otherwise message 161, both emptied, focus on the new PIN, dialog open,
// the PUK kept. Cancel leaves data unchanged.
class CPukDlg : public QDialog {
    Q_OBJECT

public:
    CPukDlg(const QString& prompt, const PukDialogData& data, QWidget* parent = nullptr);

    PukDialogData Data() const;
    QLineEdit* PukEdit() const { return pukEdit; }
    QLineEdit* PinEdit() const { return pinEdit; }
    QLineEdit* ConfirmEdit() const { return confirmEdit; }
    QCheckBox* SaveBox() const { return saveBox; }

public slots:
    void accept() override;

private:
    QLabel* promptLabel = nullptr;
    QLineEdit* pukEdit = nullptr;
    QLineEdit* pinEdit = nullptr;
    QLineEdit* confirmEdit = nullptr;
    QCheckBox* saveBox = nullptr;
};

}  // namespace ribodex
