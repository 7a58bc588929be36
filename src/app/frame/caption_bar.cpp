#include "app/frame/caption_bar.h"

#include <QApplication>
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
    return palette().color(QPalette::Inactive, QPalette::Dark);
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

    const bool maximized = window()->isMaximized();
    const struct {
        PixelRect box;
        QStyle::StandardPixmap glyph;
    } buttons[] = {{layout.minimize, QStyle::SP_TitleBarMinButton},
                   {layout.maximize, maximized ? QStyle::SP_TitleBarNormalButton : QStyle::SP_TitleBarMaxButton},
                   {layout.close, QStyle::SP_TitleBarCloseButton}};
    for (const auto& button : buttons) {
        QStyleOptionButton option;
        option.initFrom(this);
        option.rect = ToQRect(button.box);
        option.state = QStyle::State_Enabled | QStyle::State_Raised;
        style()->drawPrimitive(QStyle::PE_PanelButtonCommand, &option, &painter, this);
        const int glyph = qMax(0, qMin(option.rect.width(), option.rect.height()) - 4);
        const QRect glyphRect(option.rect.center() - QPoint(glyph / 2, glyph / 2), QSize(glyph, glyph));
        style()->standardIcon(button.glyph, &option, this).paint(&painter, glyphRect);
    }

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
    QPainter(this).drawPixmap(0, 0, pixmap);
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
    pressed = ButtonAt(event->position().toPoint());
    if (pressed == Button::None)
        dragFrom = event->position().toPoint();
}

void CaptionBar::mouseMoveEvent(QMouseEvent* event)
{
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
    const Button released = ButtonAt(event->position().toPoint());
    const Button was = pressed;
    pressed = Button::None;
    dragFrom.reset();
    if (event->button() != Qt::LeftButton || was == Button::None || released != was)
        return;
    switch (was) {
    case Button::Minimize: window()->showMinimized(); break;
    case Button::Maximize: ToggleMaximized(); break;
    case Button::Close: window()->close(); break;
    case Button::None: break;
    }
}

void CaptionBar::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && ButtonAt(event->position().toPoint()) == Button::None)
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
