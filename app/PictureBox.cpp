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

void PictureBox::present(const Surface& frame)
{
    if (screen_.size() != size())
        screen_ = Surface(width(), height());
    screen_.copyScaled(rect(), frame, QRect(QPoint(0, 0), frame.size()));
    update();
    emit presented();
}

void PictureBox::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (screen_.isNull())
        painter.fillRect(rect(), Qt::black);
    else
        painter.drawImage(rect(), screen_.image());
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
