#pragma once

#include "render/Surface.h"

#include <QWidget>

namespace tilzo {

// The window's one control: shows the last presented frame stretched over
// its whole area, and reports mouse presses in pixels of that frame.
class PictureBox : public QWidget {
    Q_OBJECT

public:
    explicit PictureBox(QWidget* parent);

    // Copies frame, scaled, over the whole box, pixel for pixel of the screen
    // at any device pixel ratio. Throws DrawError when it cannot.
    void present(const Surface& frame);
    // What the box shows: the last frame at the box's size in device pixels.
    const QImage& screen() const { return screen_.image(); }
    // The frame pixel shown under a position in the box.
    QPoint framePosition(QPointF at) const;

signals:
    // x and y are frame pixels.
    void pressed(int button, int shift, double x, double y);
    void presented();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    QSize deviceSize() const;

    Surface screen_;
    QSize frameSize_;
};

} // namespace tilzo
