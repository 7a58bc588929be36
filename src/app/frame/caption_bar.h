#pragma once

#include <QPixmap>
#include <QWidget>
#include <optional>

namespace ribodex {

struct CaptionLayout;

// The painted title bar of a frameless top-level window: in the active state a fade from
// black at the left to the active caption colour, which fills the right sixth; inactive the
// plain inactive caption colour; on it the window's small icon, its title in white bold with
// an ellipsis, and the minimise, maximise/restore and close buttons. Each state is drawn
// once into a pixmap, kept until the size, palette, font, title, icon or maximised state
// changes; a repaint copies that pixmap and nothing else.
//
// As a title bar: dragging the bar starts the window system's move, a double click
// maximises or restores, the buttons minimise, maximise/restore and close the window. When
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
    // dark shade (Qt reports no window manager caption colour on this platform).
    QColor ActiveColour() const;
    QColor InactiveColour() const;
    // The title as painted: the window title and one blank, cut with an ellipsis to fit.
    QString ShownTitle() const;
    // Height of the bar and side of a caption button, from the title font.
    int ButtonSize() const;
    int PixmapsBuilt() const { return pixmapsBuilt; }

    // Whether position (in the bar) is on the close button.
    bool CloseButtonAt(const QPoint& position) const { return ButtonAt(position) == Button::Close; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    void MoveUnavailable();

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    enum class Button { None, Minimize, Maximize, Close };
    CaptionLayout Layout() const;  // of the bar's current size, with all three buttons
    Button ButtonAt(const QPoint& position) const;
    QFont TitleFont() const;
    QPixmap Build(bool active);
    void ToggleMaximized();

    bool active = false;
    QPixmap pixmaps[2];  // 0 inactive, 1 active; null when not built for the current state
    Button pressed = Button::None;
    std::optional<QPoint> dragFrom;  // a left press on the bar itself, not yet a move
    int pixmapsBuilt = 0;
};

}  // namespace ribodex
