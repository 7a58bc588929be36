// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QWidget;

namespace ribodex {

// Lifts every override cursor (the wait cursor of a device operation) for its lifetime and
// puts the same number of wait cursors back afterwards, so a dialog shown in the middle of
// device work gets the normal arrow. UI thread only.
class CursorLift {
public:
    CursorLift();
    ~CursorLift();
    CursorLift(const CursorLift&) = delete;
    CursorLift& operator=(const CursorLift&) = delete;

private:
    int lifted = 0;
};

// The wait cursor (an override cursor) for its lifetime, for work on the UI thread that
// needs no device; message boxes shown meanwhile lift it (CursorLift). UI thread only.
class BusyCursor {
public:
    BusyCursor();
    ~BusyCursor();
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

// The program's message boxes: title "Quillcast Ribodex", owner parent (may be null),
// exclamation icon with OK, question icon with Yes and No; the wait cursor lifted while
// shown. Modal; UI thread only.
void ShowMessageBox(QWidget* parent, const QString& text);
bool AskYesNoBox(QWidget* parent, const QString& text);

}  // namespace ribodex
