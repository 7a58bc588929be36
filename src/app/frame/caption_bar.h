// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPixmap>
#include <QStyle>
#include <QWidget>
#include <optional>

class QPainter;

namespace ribodex {

struct CaptionLayout;

// The painted title bar of a frameless top-level window: in the active state a fade from
// black at the left to the active caption colour, which fills the right sixth; inactive the
// plain inactive caption colour; on it the window's small icon, its title in white bold with
// an ellipsis, and the minimise, maximise/restore and close buttons. Each state is drawn
// once into a pixmap, kept until the size, palette, font, title, icon or maximised state
// changes; a repaint copies that pixmap and nothing else, but for a caption button held
// down, which it draws pressed over it.
//
// As a title bar: dragging the bar starts the window system's move, a double click
// maximises or restores, the buttons minimise, maximise/restore and close the window; a
// button shows pressed while the left button is held on it, and a release outside it does
// nothing. A right click on the bar or a click on its icon asks for the window menu. When
// the window system cannot move the window, MoveUnavailable is emitted (the owner then gives
// the window its system title bar back). The bar belongs to window(); UI thread only.
class CaptionBar : public QWidget {
    Q_OBJECT

public:
    explicit CaptionBar(QWidget* parent);

    void SetActive(bool active);
    bool IsActive() const { return active; }
    // Drops both pixmaps; the next paint draws the current state anew (title, icon and
    // maximised state are read from the window then).
    void Invalidate();

    // The caption colours: active from the palette's highlight, inactive from its inactive
    // dark shade (Qt reports no window manager caption colour on this platform), darkened
    // until the white title reads well on it (ReadableInactiveCaption).
    QColor ActiveColour() const;
    QColor InactiveColour() const;
    // The title as painted: the window title and one blank, cut with an ellipsis to fit.
    QString ShownTitle() const;
    // Where the window menu opens when asked for from the keyboard: below the icon, global.
    QPoint MenuCorner() const;
    // Height of the bar and side of a caption button, from the title font.
    int ButtonSize() const;
    int PixmapsBuilt() const { return pixmapsBuilt; }

    // Whether position (in the bar) is on the close button.
    bool CloseButtonAt(const QPoint& position) const { return ButtonAt(position) == Button::Close; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    void MoveUnavailable();
    // At global, the top-left corner for the menu.
    void WindowMenuRequested(const QPoint& global);

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    enum class Button { None, Minimize, Maximize, Close };
    CaptionLayout Layout() const;  // of the bar's current size, with all three buttons
    Button ButtonAt(const QPoint& position) const;
    QRect ButtonRect(Button button) const;
    QStyle::StandardPixmap Glyph(Button button) const;
    Button ShownPressed() const;  // the pressed button while the pointer is over it
    void DrawButton(QPainter& painter, const QRect& box, QStyle::StandardPixmap glyph, bool sunken);
    QFont TitleFont() const;
    QPixmap Build(bool active);
    void ToggleMaximized();

    bool active = false;
    QPixmap pixmaps[2];  // 0 inactive, 1 active; null when not built for the current state
    Button pressed = Button::None;
    bool pressedInside = false;
    std::optional<QPoint> dragFrom;  // a left press on the bar itself, not yet a move
    int pixmapsBuilt = 0;
};

}  // namespace ribodex
