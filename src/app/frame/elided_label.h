// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLabel>

namespace ribodex {

// A one-line label of the status bar that never widens the window: it asks for its whole
// text's width but takes less, down to a few characters, and then shows the text cut with
// an ellipsis ("Connecting to the device on "/dev/serial/by-id/usb-…"). text() stays the
// whole text; the tooltip shows it while it is cut. UI thread only.
class ElidedLabel : public QLabel {
    Q_OBJECT

public:
    explicit ElidedLabel(const QString& text = {}, QWidget* parent = nullptr);

    QSize minimumSizeHint() const override;
    // Whether the text is shown cut at the width the label has now.
    bool Elided() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool event(QEvent* event) override;

private:
    QString Shown() const;
};

}  // namespace ribodex
