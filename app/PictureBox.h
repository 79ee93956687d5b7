#pragma once

#include <QImage>
#include <QWidget>

namespace tilzo {

// The window's one control: shows the last presented frame stretched over
// its whole area, and reports mouse presses in its own pixels.
class PictureBox : public QWidget {
    Q_OBJECT

public:
    explicit PictureBox(QWidget* parent);

    void present(const QImage& frame);
    const QImage& presentedFrame() const { return frame_; }

signals:
    void pressed(int button, int shift, double x, double y);
    void presented();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    QImage frame_;
};

} // namespace tilzo
