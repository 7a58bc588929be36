// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/frame/elided_label.h"

#include <algorithm>

#include <QEvent>
#include <QHelpEvent>
#include <QPainter>
#include <QStyle>
#include <QToolTip>

namespace ribodex {

ElidedLabel::ElidedLabel(const QString& text, QWidget* parent) : QLabel(text, parent)
{
    setTextFormat(Qt::PlainText);
    setWordWrap(false);
    // The layout may give it less than its text; minimumSizeHint says how little.
    setSizePolicy(QSizePolicy::Preferred, sizePolicy().verticalPolicy());
}

QSize ElidedLabel::minimumSizeHint() const
{
    const QSize whole = QLabel::minimumSizeHint();
    const QMargins frame = contentsMargins();
    // Room for a short start of the text and the ellipsis, no more than the whole text takes.
    const int least = fontMetrics().horizontalAdvance(QStringLiteral("XXXX\u2026")) + frame.left() + frame.right() +
                      2 * margin() + 2 * frameWidth();
    return {std::min(whole.width(), least), whole.height()};
}

bool ElidedLabel::Elided() const
{
    return Shown() != text();
}

QString ElidedLabel::Shown() const
{
    const int room = contentsRect().width() - 2 * margin();
    return fontMetrics().elidedText(text(), Qt::ElideRight, std::max(room, 0));
}

void ElidedLabel::paintEvent(QPaintEvent* event)
{
    QFrame::paintEvent(event);
    QPainter painter(this);
    const QRect area = contentsRect().marginsRemoved(QMargins(margin(), margin(), margin(), margin()));
    style()->drawItemText(&painter, area, int(alignment()), palette(), isEnabled(), Shown(), foregroundRole());
}

void ElidedLabel::resizeEvent(QResizeEvent* event)
{
    QLabel::resizeEvent(event);
    update();
}

bool ElidedLabel::event(QEvent* event)
{
    // The whole text for the user who points at a cut one; nothing when it shows whole.
    if (event->type() == QEvent::ToolTip && toolTip().isEmpty()) {
        if (Elided())
            QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), text(), this);
        else
            QToolTip::hideText();
        return true;
    }
    return QLabel::event(event);
}

}  // namespace ribodex
