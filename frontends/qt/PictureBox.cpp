#include "PictureBox.h"

#include "Keys.h"

#include <QMouseEvent>
#include <QPainter>

#include <cmath>

namespace tilzo {

PictureBox::PictureBox(QWidget* parent)
    : QWidget(parent)
{
    // Every pixel comes from the frame, so Qt need not clear the background first.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

Size PictureBox::deviceSize() const
{
    const QSize device = (QSizeF(size()) * devicePixelRatioF()).toSize();
    return {device.width(), device.height()};
}

void PictureBox::present(const Surface& frame)
{
    const Size device = deviceSize();
    if (screen_.size() != device)
        screen_ = Surface(device.width, device.height);
    screen_.copyScaled({0, 0, device.width, device.height}, frame,
                       {0, 0, frame.size().width, frame.size().height});
    frameSize_ = frame.size();
    if (painter_) {
        draw(*painter_);
        painter_ = nullptr;
    } else {
        update();
    }
    emit presented();
}

void PictureBox::draw(QPainter& painter) const
{
    const Size size = screen_.size();
    QImage shown(reinterpret_cast<const uchar*>(screen_.pixels()), size.width, size.height, size.width * 4,
                 QImage::Format_RGB32);
    shown.setDevicePixelRatio(devicePixelRatioF());
    painter.drawImage(QPoint(0, 0), shown);
}

// Qt rounds a press to whole logical pixels before it reaches a widget, which at a device
// pixel ratio above 1 can name the next device pixel; the window's own position is exact.
Point PictureBox::framePosition(QPointF inWindow) const
{
    const QPointF device = (inWindow - mapTo(window(), QPointF(0, 0))) * devicePixelRatioF();
    // A press on a device pixel's edge comes back from the ratio a hair short of it.
    const Point pixel{static_cast<int>(std::floor(device.x() + 1e-6)),
                      static_cast<int>(std::floor(device.y() + 1e-6))};
    return shownPixel(pixel, deviceSize(), frameSize_);
}

void PictureBox::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter_ = &painter;
    emit painting();
    // Still set when the handler drew nothing: before start-up ends, or when the frame
    // failed and the last picture stays.
    if (painter_ && screen_.isNull())
        painter.fillRect(rect(), Qt::black);
    else if (painter_)
        draw(painter);
    painter_ = nullptr;
}

void PictureBox::mousePressEvent(QMouseEvent* event)
{
    emit pressed(buttonCode(event->button()), shiftMask(event->modifiers()),
                 framePosition(event->scenePosition()));
}

// A quick second press arrives as a double click; it is a press like any other.
void PictureBox::mouseDoubleClickEvent(QMouseEvent* event)
{
    mousePressEvent(event);
}

} // namespace tilzo
