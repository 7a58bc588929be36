#pragma once

#include <QDialog>

#include "core/session/user_interface.h"

class QCheckBox;
class QLabel;
class QLineEdit;

namespace ribodex {

// "PIN": the prompt, a password field of at most 20 characters and "Save:". Shows data on
// opening and hands back what the user typed with OK; Cancel leaves data unchanged.
// The connection flow keeps one PinDialogData for its run, so a second prompt opens
// with the first one's entry.
class CPinDlg : public QDialog {
    Q_OBJECT

public:
    CPinDlg(const QString& prompt, const PinDialogData& data, QWidget* parent = nullptr);

    PinDialogData Data() const;
    QLineEdit* PinEdit() const { return pinEdit; }
    QCheckBox* SaveBox() const { return saveBox; }
    QLabel* PromptLabel() const { return promptLabel; }

private:
    QLabel* promptLabel = nullptr;
    QLineEdit* pinEdit = nullptr;
    QCheckBox* saveBox = nullptr;
};

// A password field of the PIN and PUK dialogs: at most 20 characters.
QLineEdit* NewSecretEdit(const char* name, const std::string& text, QWidget* parent);

}  // namespace ribodex
