// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

#include "core/session/user_interface.h"

class QCheckBox;
class QDialogButtonBox;
class QLabel;
class QLineEdit;

namespace ribodex {

// "PIN": the prompt, a password field of at most 20 characters, the tries left (only where
// data knows them) and "Save:". Shows data on opening and hands back what the user typed
// with OK; Cancel leaves data unchanged. OK stays disabled while the PIN box is empty: the
// flow empties it after a refused PIN, and Enter must not send a code the SIM would count
// as another wrong one.
class CPinDlg : public QDialog {
    Q_OBJECT

public:
    CPinDlg(const QString& prompt, const PinDialogData& data, QWidget* parent = nullptr);

    PinDialogData Data() const;
    QLineEdit* PinEdit() const { return pinEdit; }
    QCheckBox* SaveBox() const { return saveBox; }
    QLabel* PromptLabel() const { return promptLabel; }
    QLabel* AttemptsLabel() const { return attemptsLabel; }

private:
    QLabel* promptLabel = nullptr;
    QLabel* attemptsLabel = nullptr;
    QLineEdit* pinEdit = nullptr;
    QCheckBox* saveBox = nullptr;
};

// A password field of the PIN and PUK dialogs: at most 20 characters.
QLineEdit* NewSecretEdit(const char* name, const std::string& text, QWidget* parent);
// "Attempts left: n" of the PIN and PUK dialogs; hidden for a negative (unknown) count.
QLabel* NewAttemptsLabel(int attemptsLeft, QWidget* parent);
// Keeps the OK button of buttons enabled only while edit holds text.
void RequireText(QLineEdit* edit, QDialogButtonBox* buttons);

}  // namespace ribodex
