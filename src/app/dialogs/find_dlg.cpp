// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/dialogs/find_dlg.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace ribodex {

CFindDlg::CFindDlg(const FindDlgData& data, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(tr("Find"));
    setObjectName(QStringLiteral("IDD_FIND"));

    findWhatEdit = new QLineEdit(data.findWhat, this);
    findWhatEdit->setObjectName(QStringLiteral("IDC_FIND_WHAT"));
    auto* findWhatLabel = new QLabel(tr("Fi&nd what:"), this);
    findWhatLabel->setBuddy(findWhatEdit);

    // The whole Name or Number must equal the text: there is no word-by-word matching.
    wholeFieldBox = new QCheckBox(tr("Match &whole field only"), this);
    wholeFieldBox->setObjectName(QStringLiteral("IDC_MATCH_WHOLE"));
    wholeFieldBox->setChecked(data.matchWholeField);
    matchCaseBox = new QCheckBox(tr("Match &case"), this);
    matchCaseBox->setObjectName(QStringLiteral("IDC_MATCH_CASE"));
    matchCaseBox->setChecked(data.matchCase);

    auto* direction = new QGroupBox(tr("Direction"), this);
    upButton = new QRadioButton(tr("&Up"), direction);
    upButton->setObjectName(QStringLiteral("IDC_UP"));
    downButton = new QRadioButton(tr("&Down"), direction);
    downButton->setObjectName(QStringLiteral("IDC_DOWN"));
    (data.searchDown ? downButton : upButton)->setChecked(true);
    auto* directionLayout = new QHBoxLayout(direction);
    directionLayout->addWidget(upButton);
    directionLayout->addWidget(downButton);

    findNextButton = new QPushButton(tr("&Find Next"), this);
    findNextButton->setObjectName(QStringLiteral("IDOK"));
    findNextButton->setDefault(true);
    auto* cancelButton = new QPushButton(tr("Cancel"), this);
    cancelButton->setObjectName(QStringLiteral("IDCANCEL"));
    connect(findNextButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    auto enableFindNext = [this] { findNextButton->setEnabled(!findWhatEdit->text().isEmpty()); };
    connect(findWhatEdit, &QLineEdit::textChanged, this, enableFindNext);
    enableFindNext();

    auto* options = new QVBoxLayout;
    options->addWidget(wholeFieldBox);
    options->addWidget(matchCaseBox);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(findNextButton);
    buttons->addWidget(cancelButton);
    buttons->addStretch();

    auto* grid = new QGridLayout(this);
    grid->addWidget(findWhatLabel, 0, 0);
    grid->addWidget(findWhatEdit, 0, 1, 1, 2);
    grid->addLayout(options, 1, 0, 1, 2, Qt::AlignBottom);
    grid->addWidget(direction, 1, 2);
    grid->addLayout(buttons, 0, 3, 2, 1);
    grid->setColumnStretch(1, 1);

    findWhatEdit->selectAll();
    findWhatEdit->setFocus();
}

FindDlgData CFindDlg::Data() const
{
    FindDlgData data;
    data.findWhat = findWhatEdit->text();
    data.matchWholeField = wholeFieldBox->isChecked();
    data.matchCase = matchCaseBox->isChecked();
    data.searchDown = downButton->isChecked();
    return data;
}

}  // namespace ribodex
