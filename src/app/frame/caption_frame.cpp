// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/frame/caption_frame.h"

#include <QApplication>
#include <QEvent>
#include <QMainWindow>
#include <QMouseEvent>
#include <QPainter>
#include <QShortcut>
#include <QWindow>
#include <qdrawutil.h>

#include <functional>

#include "app/frame/caption_bar.h"
#include "app/frame/window_menu.h"
#include "core/shell/caption_layout.h"

namespace ribodex {

namespace {

constexpr int kBorder = 4;       // the classic sizing border
constexpr int kCornerGrip = 16;  // diagonal resizing this far along each side of a corner

Qt::CursorShape CursorFor(unsigned edges)
{
    switch (edges) {
    case LeftEdge:
    case RightEdge: return Qt::SizeHorCursor;
    case TopEdge:
    case BottomEdge: return Qt::SizeVerCursor;
    case TopEdge | LeftEdge:
    case BottomEdge | RightEdge: return Qt::SizeFDiagCursor;
    case TopEdge | RightEdge:
    case BottomEdge | LeftEdge: return Qt::SizeBDiagCursor;
    default: return Qt::ArrowCursor;
    }
}

}  // namespace

// One side of the frame: a transparent strip that shows the resize cursor of the edges under
// the mouse and starts the window system's resize on a press.
class EdgeGrip : public QWidget {
public:
    explicit EdgeGrip(QWidget* window) : QWidget(window)
    {
        setMouseTracking(true);
        setAttribute(Qt::WA_NoSystemBackground);
    }

    std::function<void()> onRefused;

protected:
    void mouseMoveEvent(QMouseEvent* event) override { setCursor(CursorFor(EdgesAt(event->position()))); }

    void mousePressEvent(QMouseEvent* event) override
    {
        const unsigned edges = EdgesAt(event->position());
        if (event->button() != Qt::LeftButton || edges == NoEdge)
            return;
        QWindow* handle = window()->windowHandle();
        if ((handle == nullptr || !handle->startSystemResize(Qt::Edges(edges))) && onRefused)
            onRefused();
    }

private:
    unsigned EdgesAt(const QPointF& position) const
    {
        const QPoint at = mapTo(window(), position.toPoint());
        return ResizeEdgesAt(at.x(), at.y(), window()->width(), window()->height(), kBorder, kCornerGrip);
    }
};

bool CaptionFrame::PlatformCanMoveFrameless(const QString& platformName)
{
    // offscreen: no window system at all; the caption is still what the window shows (tests,
    // screenshots), and a refused move falls back like anywhere else.
    static const QStringList desktops = {QStringLiteral("xcb"), QStringLiteral("wayland"),
                                         QStringLiteral("wayland-egl"), QStringLiteral("offscreen")};
    return desktops.contains(platformName);
}

CaptionFrame::CaptionFrame(QMainWindow* window) : QObject(window), window(window), bar(new CaptionBar(window))
{
    setObjectName(QStringLiteral("captionFrame"));
    window->setWindowFlag(Qt::FramelessWindowHint, true);
    for (EdgeGrip*& grip : grips) {
        grip = new EdgeGrip(window);
        grip->onRefused = [this] { UseSystemTitleBar(); };
    }
    connect(bar, &CaptionBar::MoveUnavailable, this, &CaptionFrame::UseSystemTitleBar);
    menu = new WindowMenu(window);
    connect(menu, &WindowMenu::MoveUnavailable, this, &CaptionFrame::UseSystemTitleBar);
    connect(bar, &CaptionBar::WindowMenuRequested, menu, &WindowMenu::PopupAt);
    menuKey = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_Space), window, this,
                            [this] { menu->PopupAt(bar->MenuCorner()); });
    // A floating toolbar or dock of this window that takes the focus leaves the caption
    // active; the window itself hears of no change then, so follow the application's focus.
    connect(qApp, &QGuiApplication::focusWindowChanged, this, [this] { bar->SetActive(CaptionShowsActive()); });
    window->installEventFilter(this);
    Arrange();
}

int CaptionFrame::BorderWidth() const
{
    return window->isMaximized() || window->isFullScreen() ? 0 : kBorder;
}

void CaptionFrame::Arrange()
{
    const int border = BorderWidth();
    const int captionHeight = bar->ButtonSize();
    window->setContentsMargins(border, border + captionHeight, border, border);
    bar->setGeometry(border, border, qMax(0, window->width() - 2 * border), captionHeight);
    const int w = window->width(), h = window->height();
    const QRect sides[] = {{0, 0, w, border}, {0, h - border, w, border}, {0, 0, border, h}, {w - border, 0, border, h}};
    for (std::size_t i = 0; i < grips.size(); ++i) {
        grips[i]->setGeometry(sides[i]);
        grips[i]->setVisible(border > 0);
        grips[i]->raise();
    }
}

void CaptionFrame::PaintFrame()
{
    if (BorderWidth() == 0)
        return;
    QPainter painter(window);
    const QRect outer = window->rect();
    const QRegion frame = QRegion(outer) - QRegion(outer.adjusted(kBorder, kBorder, -kBorder, -kBorder));
    painter.setClipRegion(frame);
    painter.fillRect(outer, window->palette().window());
    qDrawWinPanel(&painter, outer, window->palette(), false);
}

bool CaptionFrame::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != window || !painted)
        return false;
    switch (event->type()) {
    case QEvent::Resize:
    case QEvent::Show:
    case QEvent::FontChange:  // the caption's height follows the font
    case QEvent::StyleChange:
        Arrange();
        break;
    case QEvent::WindowStateChange:
        Arrange();
        bar->Invalidate();  // maximise and restore glyphs swap
        break;
    case QEvent::ActivationChange:
        bar->SetActive(CaptionShowsActive());
        break;
    case QEvent::WindowTitleChange:
    case QEvent::WindowIconChange:
        bar->Invalidate();
        break;
    case QEvent::Paint:
        PaintFrame();
        break;
    default:
        break;
    }
    return false;
}

bool CaptionFrame::CaptionShowsActive() const
{
    if (window->isActiveWindow())
        return true;
    const QWidget* active = QApplication::activeWindow();
    // Its own floating windows only: a dialog in front of it is another window's turn.
    if (active == nullptr || active->windowType() != Qt::Tool)
        return false;
    for (const QWidget* owner = active->parentWidget(); owner != nullptr; owner = owner->parentWidget())
        if (owner == window)
            return true;
    return false;
}

void CaptionFrame::UseSystemTitleBar()
{
    if (!painted)
        return;
    painted = false;
    menuKey->setEnabled(false);  // the window system's own menu takes the key now
    bar->hide();
    for (EdgeGrip* grip : grips)
        grip->hide();
    window->setContentsMargins(0, 0, 0, 0);
    // Changing the flags of a shown window hides it; show it again where it was. move(), not
    // setGeometry(): a top-level's pos() is that of its frame, so the outer corner stays put
    // and a stored placement still waiting for the frame margins keeps its meaning.
    const QPoint position = window->pos();
    const QSize size = window->size();
    const bool visible = window->isVisible();
    const Qt::WindowStates states = window->windowState();
    window->setWindowFlag(Qt::FramelessWindowHint, false);
    window->resize(size);
    window->move(position);
    window->setWindowState(states);
    if (visible)
        window->show();
}

}  // namespace ribodex
