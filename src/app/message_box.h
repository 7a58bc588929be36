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

// The program's message boxes: title "Quillcast Ribodex", owner parent (may be null),
// exclamation icon with OK, question icon with Yes and No; the wait cursor lifted while
// shown. Modal; UI thread only.
void ShowMessageBox(QWidget* parent, const QString& text);
bool AskYesNoBox(QWidget* parent, const QString& text);

}  // namespace ribodex
