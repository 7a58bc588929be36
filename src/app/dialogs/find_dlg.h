// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace ribodex {

// What the find dialog shows and hands back: the frame's remembered search.
struct FindDlgData {
    QString findWhat;
    bool matchWholeField = false;
    bool matchCase = false;
    bool searchDown = true;
};

// "Find": the text, Match whole field only, Match case and the direction Up/Down, with
// Find Next and Cancel. Modeless and one-shot: Find Next accepts, Cancel, Esc and the
// close button reject, and either way the owner reads Data() once the dialog finished.
// Find Next is enabled only while there is a text. UI thread only.
class CFindDlg : public QDialog {
    Q_OBJECT

public:
    CFindDlg(const FindDlgData& data, QWidget* parent = nullptr);

    FindDlgData Data() const;
    QLineEdit* FindWhatEdit() const { return findWhatEdit; }
    QCheckBox* WholeFieldBox() const { return wholeFieldBox; }
    QCheckBox* MatchCaseBox() const { return matchCaseBox; }
    QRadioButton* UpButton() const { return upButton; }
    QRadioButton* DownButton() const { return downButton; }
    QPushButton* FindNextButton() const { return findNextButton; }

private:
    QLineEdit* findWhatEdit = nullptr;
    QCheckBox* wholeFieldBox = nullptr;
    QCheckBox* matchCaseBox = nullptr;
    QRadioButton* upButton = nullptr;
    QRadioButton* downButton = nullptr;
    QPushButton* findNextButton = nullptr;
};

}  // namespace ribodex
