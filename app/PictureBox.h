#pragma once

#include "render/Surface.h"

#include <QWidget>

namespace tilzo {

// The window's one control: shows the last presented frame stretched over
// its whole area, and reports mouse presses in its own pixels.
class PictureBox : public QWidget {
    Q_OBJECT

public:
    explicit PictureBox(QWidget* parent);

    // Copies frame, scaled, over the whole box. Throws DrawError when it cannot.
    void present(const Surface& frame);
    // What the box shows: the last frame at the box's size.
    const QImage& screen() const { return screen_.image(); }

signals:
    void pressed(int button, int shift, double x, double y);
    void presented();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    Surface screen_;
};

} // namespace tilzo
