#include "PictureBox.h"

#include "InputCodes.h"

#include <QMouseEvent>
#include <QPainter>

namespace tilzo {

PictureBox::PictureBox(QWidget* parent)
    : QWidget(parent)
{
    // Every pixel comes from the frame, so Qt need not clear the background first.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PictureBox::present(const QImage& frame)
{
    frame_ = frame;  // shared until the back buffer is drawn on again
    update();
    emit presented();
}

void PictureBox::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (frame_.isNull()) {
        painter.fillRect(rect(), Qt::black);
        return;
    }
    // Nearest-neighbour stretch: the pixels of the frame stay crisp.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(rect(), frame_);
}

void PictureBox::mousePressEvent(QMouseEvent* event)
{
    const QPointF at = event->position();
    emit pressed(buttonCode(event->button()), shiftMask(event->modifiers()), at.x(), at.y());
}

// A quick second press arrives as a double click; it is a press like any other.
void PictureBox::mouseDoubleClickEvent(QMouseEvent* event)
{
    mousePressEvent(event);
}

} // namespace tilzo
