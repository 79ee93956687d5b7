#include "PictureBox.h"

#include "InputCodes.h"
#include "render/Graphics.h"

#include <QMouseEvent>
#include <QPainter>

#include <cmath>

namespace tilzo {

PictureBox::PictureBox(QWidget* parent)
    : QWidget(parent)
    , frameSize_(FrameSize)
{
    // Every pixel comes from the frame, so Qt need not clear the background first.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QSize PictureBox::deviceSize() const
{
    return (QSizeF(size()) * devicePixelRatioF()).toSize();
}

void PictureBox::present(const Surface& frame)
{
    const QSize device = deviceSize();
    if (screen_.size() != device)
        screen_ = Surface(device.width(), device.height());
    screen_.copyScaled(QRect(QPoint(0, 0), device), frame, QRect(QPoint(0, 0), frame.size()));
    frameSize_ = frame.size();
    update();
    emit presented();
}

QPoint PictureBox::framePosition(QPointF at) const
{
    const QSize device = deviceSize();
    const QPointF pixel = at * devicePixelRatioF();
    return {nearestPixel(static_cast<int>(std::floor(pixel.x())), device.width(), frameSize_.width()),
            nearestPixel(static_cast<int>(std::floor(pixel.y())), device.height(), frameSize_.height())};
}

void PictureBox::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (screen_.isNull()) {
        painter.fillRect(rect(), Qt::black);
        return;
    }
    QImage shown = screen_.image();  // shares the pixels
    shown.setDevicePixelRatio(devicePixelRatioF());
    painter.drawImage(QPoint(0, 0), shown);
}

void PictureBox::mousePressEvent(QMouseEvent* event)
{
    const QPoint at = framePosition(event->position());
    emit pressed(buttonCode(event->button()), shiftMask(event->modifiers()), at.x(), at.y());
}

// A quick second press arrives as a double click; it is a press like any other.
void PictureBox::mouseDoubleClickEvent(QMouseEvent* event)
{
    mousePressEvent(event);
}

} // namespace tilzo
