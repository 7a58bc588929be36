// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

namespace ribodex {

// "About Ribodex": the program's icon, "Quillcast Ribodex 1.0", our legal notice with the
// licence and OK (also Enter and Escape). A fixed size, offered no maximise. Shows fixed
// texts and hands nothing back.
class CAboutDlg : public QDialog {
    Q_OBJECT

public:
    explicit CAboutDlg(QWidget* parent = nullptr);
};

}  // namespace ribodex
