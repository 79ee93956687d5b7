#pragma once

#include "core/render/ScaledScreen.h"

#include <QWidget>

namespace tilzo {

// The window's one control: shows the last presented frame stretched over its whole
// area, and reports mouse presses in pixels of that frame.
class PictureBox : public QWidget {
    Q_OBJECT

public:
    explicit PictureBox(QWidget* parent);

    // Copies frame, scaled by nearest pixel, over the whole box, pixel for pixel of the
    // screen at any device pixel ratio. Throws DrawError when it cannot.
    void present(const Surface& frame);
    // What the box shows: the last frame at the box's size in device pixels.
    const Surface& screen() const { return screen_.picture(); }
    // The frame pixel shown under a position in the window (as Qt gives it unrounded).
    Point framePosition(QPointF inWindow) const;

signals:
    void pressed(int button, int shift, Point frame);
    // A paint event: the handler presents the frame again, and the box then shows it.
    void painting();
    void presented();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    ScaledScreen screen_;
    bool painting_ = false;
};

} // namespace tilzo
