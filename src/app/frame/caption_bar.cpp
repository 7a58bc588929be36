// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/frame/caption_bar.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QStyle>
#include <QStyleOptionButton>
#include <QWindow>

#include "core/shell/caption_layout.h"

namespace ribodex {
namespace {

QRect ToQRect(const PixelRect& r) { return QRect(r.left, r.top, r.width, r.height); }

Rgb ToRgb(const QColor& colour)
{
    return Rgb{static_cast<std::uint8_t>(colour.red()), static_cast<std::uint8_t>(colour.green()),
               static_cast<std::uint8_t>(colour.blue())};
}

}  // namespace

CaptionBar::CaptionBar(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("captionBar"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void CaptionBar::SetActive(bool value)
{
    if (active == value)
        return;
    active = value;
    update();
}

void CaptionBar::Invalidate()
{
    pixmaps[0] = QPixmap();
    pixmaps[1] = QPixmap();
    update();
}

QColor CaptionBar::ActiveColour() const
{
    return palette().color(QPalette::Active, QPalette::Highlight);
}

QColor CaptionBar::InactiveColour() const
{
    const Rgb readable = ReadableInactiveCaption(ToRgb(palette().color(QPalette::Inactive, QPalette::Dark)),
                                                 ToRgb(ActiveColour()));
    return QColor(readable.red, readable.green, readable.blue);
}

QFont CaptionBar::TitleFont() const
{
    QFont title = font();
    title.setFamilies({QStringLiteral("Arial"), font().family()});
    title.setBold(true);
    return title;
}

int CaptionBar::ButtonSize() const
{
    return qMax(18, QFontMetrics(TitleFont()).height() + 5);
}

QSize CaptionBar::sizeHint() const { return QSize(200, ButtonSize()); }
QSize CaptionBar::minimumSizeHint() const { return QSize(0, ButtonSize()); }

CaptionLayout CaptionBar::Layout() const
{
    const int size = ButtonSize();
    return LayOutCaption(width(), height(), size, size, true, true);
}

QString CaptionBar::ShownTitle() const
{
    return QFontMetrics(TitleFont()).elidedText(window()->windowTitle() + QLatin1Char(' '), Qt::ElideRight,
                                                Layout().title.width);
}

QPoint CaptionBar::MenuCorner() const
{
    return mapToGlobal(QPoint(0, height()));
}

QStyle::StandardPixmap CaptionBar::Glyph(Button button) const
{
    switch (button) {
    case Button::Minimize: return QStyle::SP_TitleBarMinButton;
    case Button::Maximize:
        return window()->isMaximized() ? QStyle::SP_TitleBarNormalButton : QStyle::SP_TitleBarMaxButton;
    case Button::Close:
    case Button::None: break;
    }
    return QStyle::SP_TitleBarCloseButton;
}

void CaptionBar::DrawButton(QPainter& painter, const QRect& box, QStyle::StandardPixmap glyph, bool sunken)
{
    QStyleOptionButton option;
    option.initFrom(this);
    option.rect = box;
    option.state = QStyle::State_Enabled | (sunken ? QStyle::State_Sunken : QStyle::State_Raised);
    style()->drawPrimitive(QStyle::PE_PanelButtonCommand, &option, &painter, this);
    const int glyphSide = qMax(0, qMin(box.width(), box.height()) - 4);
    // Pressed, the glyph moves one pixel down and right, as on the system's buttons.
    const QPoint shift = sunken ? QPoint(1, 1) : QPoint(0, 0);
    const QRect glyphRect(box.center() - QPoint(glyphSide / 2, glyphSide / 2) + shift, QSize(glyphSide, glyphSide));
    style()->standardIcon(glyph, &option, this).paint(&painter, glyphRect);
}

QPixmap CaptionBar::Build(bool forActive)
{
    ++pixmapsBuilt;
    const qreal ratio = devicePixelRatioF();
    QPixmap pixmap(size() * ratio);
    pixmap.setDevicePixelRatio(ratio);
    QPainter painter(&pixmap);
    if (forActive) {
        for (const CaptionFill& fill : ActiveCaptionFade(width(), ToRgb(ActiveColour())))
            painter.fillRect(fill.left, 0, fill.width, height(),
                             QColor(fill.colour.red, fill.colour.green, fill.colour.blue));
    } else {
        painter.fillRect(rect(), InactiveColour());
    }

    const CaptionLayout layout = Layout();
    window()->windowIcon().paint(&painter, ToQRect(layout.icon));

    const struct {
        PixelRect box;
        QStyle::StandardPixmap glyph;
    } buttons[] = {{layout.minimize, Glyph(Button::Minimize)},
                   {layout.maximize, Glyph(Button::Maximize)},
                   {layout.close, Glyph(Button::Close)}};
    for (const auto& button : buttons)
        DrawButton(painter, ToQRect(button.box), button.glyph, false);

    painter.setFont(TitleFont());
    painter.setPen(Qt::white);
    painter.drawText(ToQRect(layout.title), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, ShownTitle());
    return pixmap;
}

void CaptionBar::paintEvent(QPaintEvent*)
{
    QPixmap& pixmap = pixmaps[active ? 1 : 0];
    if (pixmap.isNull() || pixmap.deviceIndependentSize().toSize() != size())
        pixmap = Build(active);
    QPainter painter(this);
    painter.drawPixmap(0, 0, pixmap);
    if (ShownPressed() != Button::None)
        DrawButton(painter, ButtonRect(pressed), Glyph(pressed), true);
}

QRect CaptionBar::ButtonRect(Button button) const
{
    const CaptionLayout layout = Layout();
    switch (button) {
    case Button::Minimize: return ToQRect(layout.minimize);
    case Button::Maximize: return ToQRect(layout.maximize);
    case Button::Close: return ToQRect(layout.close);
    case Button::None: break;
    }
    return {};
}

CaptionBar::Button CaptionBar::ShownPressed() const
{
    return pressedInside ? pressed : Button::None;
}

void CaptionBar::changeEvent(QEvent* event)
{
    switch (event->type()) {
    case QEvent::PaletteChange:
    case QEvent::FontChange:
    case QEvent::StyleChange:
        Invalidate();
        updateGeometry();
        break;
    default:
        break;
    }
    QWidget::changeEvent(event);
}

void CaptionBar::resizeEvent(QResizeEvent* event)
{
    if (event->size() != event->oldSize())
        Invalidate();
    QWidget::resizeEvent(event);
}

CaptionBar::Button CaptionBar::ButtonAt(const QPoint& position) const
{
    const CaptionLayout layout = Layout();
    if (layout.close.Contains(position.x(), position.y()))
        return Button::Close;
    if (layout.maximize.Contains(position.x(), position.y()))
        return Button::Maximize;
    if (layout.minimize.Contains(position.x(), position.y()))
        return Button::Minimize;
    return Button::None;
}

void CaptionBar::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return QWidget::mousePressEvent(event);
    const QPoint at = event->position().toPoint();
    if (ToQRect(Layout().icon).contains(at)) {
        emit WindowMenuRequested(MenuCorner());
        return;
    }
    pressed = ButtonAt(at);
    pressedInside = pressed != Button::None;
    if (pressed == Button::None)
        dragFrom = at;
    else
        update(ButtonRect(pressed));
}

void CaptionBar::mouseMoveEvent(QMouseEvent* event)
{
    if (pressed != Button::None) {
        const bool inside = ButtonAt(event->position().toPoint()) == pressed;
        if (inside != pressedInside) {
            pressedInside = inside;
            update(ButtonRect(pressed));
        }
        return;
    }
    // The move starts once the mouse really moves: a move started on the press would take
    // the pointer from us and swallow the second click of a double click. The window
    // system anchors the move where it starts, so the few pixels until then are all the
    // window lags behind the pointer.
    constexpr int kMoveThreshold = 3;
    if (!dragFrom || !(event->buttons() & Qt::LeftButton) ||
        (event->position().toPoint() - *dragFrom).manhattanLength() < kMoveThreshold)
        return;
    dragFrom.reset();
    QWindow* handle = window()->windowHandle();
    if (handle == nullptr || !handle->startSystemMove())
        emit MoveUnavailable();
}

void CaptionBar::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const Button released = ButtonAt(event->position().toPoint());
    const Button was = pressed;
    if (was != Button::None)
        update(ButtonRect(was));
    pressed = Button::None;
    pressedInside = false;
    dragFrom.reset();
    if (was == Button::None || released != was)
        return;
    switch (was) {
    case Button::Minimize: window()->showMinimized(); break;
    case Button::Maximize: ToggleMaximized(); break;
    case Button::Close: window()->close(); break;
    case Button::None: break;
    }
}

void CaptionBar::contextMenuEvent(QContextMenuEvent* event)
{
    if (ButtonAt(event->pos()) == Button::None)
        emit WindowMenuRequested(event->reason() == QContextMenuEvent::Mouse ? event->globalPos() : MenuCorner());
}

void CaptionBar::mouseDoubleClickEvent(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    if (event->button() == Qt::LeftButton && ButtonAt(at) == Button::None && !ToQRect(Layout().icon).contains(at))
        ToggleMaximized();
}

void CaptionBar::ToggleMaximized()
{
    if (window()->isMaximized())
        window()->showNormal();
    else
        window()->showMaximized();
}

}  // namespace ribodex
