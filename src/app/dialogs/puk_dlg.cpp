// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/dialogs/puk_dlg.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

#include "app/dialogs/pin_dlg.h"
#include "app/message_box.h"
#include "app/string_table.h"

namespace ribodex {

CPukDlg::CPukDlg(const QString& prompt, const PukDialogData& data, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(tr("PUK"));
    setObjectName(QStringLiteral("IDD_PUK"));

    promptLabel = new QLabel(prompt, this);
    promptLabel->setObjectName(QStringLiteral("IDC_PROMPT"));
    promptLabel->setWordWrap(true);
    pukEdit = NewSecretEdit("IDC_PUK", data.puk, this);
    pinEdit = NewSecretEdit("IDC_PIN", data.newPin, this);
    confirmEdit = NewSecretEdit("IDC_PIN_CONFIRM", data.confirmation, this);
    saveBox = new QCheckBox(tr("Save:"), this);
    saveBox->setObjectName(QStringLiteral("IDC_SAVE_PIN"));
    saveBox->setLayoutDirection(Qt::RightToLeft);
    saveBox->setChecked(data.save != 0);
    pukEdit->setWhatsThis(tr("The PUK of the SIM card, from the papers that came with the card."));
    pinEdit->setWhatsThis(tr("The new PIN that the SIM card gets with the PUK."));
    confirmEdit->setWhatsThis(tr("The new PIN once more, to rule out a typing error."));
    saveBox->setWhatsThis(tr("Remember the new PIN for this port, scrambled in your settings."));

    auto* line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CPukDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CPukDlg::reject);
    RequireText(pukEdit, buttons);

    auto* grid = new QGridLayout(this);
    auto addRow = [&](int row, const QString& text, QLineEdit* edit) {
        auto* label = new QLabel(text, this);
        label->setBuddy(edit);
        grid->addWidget(label, row, 0);
        grid->addWidget(edit, row, 1);
    };
    grid->addWidget(promptLabel, 0, 0, 1, 2);
    addRow(1, tr("PUK:"), pukEdit);
    grid->addWidget(NewAttemptsLabel(data.attemptsLeft, this), 2, 1);
    grid->addWidget(line, 3, 0, 1, 2);
    grid->addWidget(new QLabel(tr("Enter the new PIN."), this), 4, 0, 1, 2);
    addRow(5, tr("PIN:"), pinEdit);
    addRow(6, tr("Confirmation:"), confirmEdit);
    grid->addWidget(saveBox, 7, 0, 1, 2, Qt::AlignLeft | Qt::AlignAbsolute);  // the box mirrors its own alignment
    grid->addWidget(buttons, 8, 0, 1, 2);
    setMinimumWidth(320);
    pukEdit->setFocus();
}

PukDialogData CPukDlg::Data() const
{
    PukDialogData data;
    data.puk = ToCp1252(pukEdit->text().left(20));
    data.newPin = ToCp1252(pinEdit->text().left(20));
    data.confirmation = ToCp1252(confirmEdit->text().left(20));
    data.save = saveBox->isChecked() ? 1 : 0;
    return data;
}

void CPukDlg::accept()
{
    const PukDialogData data = Data();
    if (data.newPin != data.confirmation) {
        ShowMessageBox(this, StringTable::Text(IDS_PIN_MISMATCH));
        pinEdit->clear();
        confirmEdit->clear();
        pinEdit->setFocus();
        return;
    }
    QDialog::accept();
}

}  // namespace ribodex
