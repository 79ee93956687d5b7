#include "PictureBox.h"

#include "Keys.h"

#include <QMouseEvent>
#include <QPainter>

namespace tilzo {

PictureBox::PictureBox(QWidget* parent)
    : QWidget(parent)
{
    // Every pixel comes from the frame, so Qt need not clear the background first.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PictureBox::present(const Surface& frame)
{
    const QSize device = (QSizeF(size()) * devicePixelRatioF()).toSize();
    screen_.show(frame, {device.width(), device.height()});
    // Qt draws only while painting; a paint shows the new picture when its handler is done.
    if (!painting_)
        update();
    emit presented();
}

// Qt rounds a press to whole logical pixels before it reaches a widget, which at a device
// pixel ratio above 1 can name the next device pixel; the window's own position is exact.
Point PictureBox::framePosition(QPointF inWindow) const
{
    const QPointF device = (inWindow - mapTo(window(), QPointF(0, 0))) * devicePixelRatioF();
    return screen_.framePixel(device.x(), device.y());
}

void PictureBox::paintEvent(QPaintEvent*)
{
    painting_ = true;
    emit painting();
    painting_ = false;
    QPainter painter(this);
    const Surface& picture = screen_.picture();
    // Before start-up ends nothing has been presented yet.
    if (picture.isNull()) {
        painter.fillRect(rect(), Qt::black);
        return;
    }
    QImage shown(reinterpret_cast<const uchar*>(picture.pixels()), picture.size().width,
                 picture.size().height, picture.size().width * 4, QImage::Format_RGB32);
    shown.setDevicePixelRatio(devicePixelRatioF());
    painter.drawImage(QPoint(0, 0), shown);
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
