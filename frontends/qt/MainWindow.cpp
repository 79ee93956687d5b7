#include "MainWindow.h"

#include "Keys.h"
#include "PictureBox.h"
#include "core/shell/Window.h"
#include "core/shell/Words.h"

#include <QFile>
#include <QIcon>
#include <QKeyEvent>
#include <QScreen>
#include <QStyle>

namespace tilzo {

MainWindow::MainWindow(Random& random, Dialogs& dialogs, HighScores::Folders folders)
    : form(*this, random, std::move(folders))
    , picBox(new PictureBox(this))
    , dialogs_(dialogs)
{
    setWindowTitle(QString::fromUtf8(words::WindowTitle));
    setWindowIcon(QIcon(QStringLiteral(":/icons/tilzo.png")));
    setFixedSize(WindowInnerSize.width, WindowInnerSize.height);
    picBox->setGeometry(0, 0, PictureBoxFirstSize.width, PictureBoxFirstSize.height);
    connect(picBox, &PictureBox::pressed, this,
            [this](int button, int shift, Point at) { form.picBox_MouseDown(button, shift, at.x, at.y); });
    connect(picBox, &PictureBox::painting, this, [this] { form.picBox_Paint(); });
    setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size(), screen()->availableGeometry()));
}

void MainWindow::resizeEvent(QResizeEvent*)
{
    form.Form_Resize();
}

void MainWindow::keyPressEvent(QKeyEvent* event)
{
    if (!event->isAutoRepeat())
        form.Form_KeyDown(keyCode(event->key()));
}

void MainWindow::keyReleaseEvent(QKeyEvent* event)
{
    // A held key repeats its release; only the real one acts.
    if (!event->isAutoRepeat())
        form.Form_KeyUp(keyCode(event->key()), shiftMask(event->modifiers()));
}

std::string MainWindow::askName()
{
    return dialogs_.askName(nullptr).toStdString();
}

void MainWindow::showError(const std::string& text, const std::string& title)
{
    // A box over a window not yet shown would open off where the player looks.
    dialogs_.showError(isVisible() ? this : nullptr, QString::fromStdString(text),
                       QString::fromStdString(title));
}

std::string MainWindow::bitmapBits(Bitmap bitmap)
{
    QFile file(QStringLiteral(":/bitmaps/%1").arg(int(bitmap)));
    constexpr qint64 FileHeaderSize = 14;
    if (!file.open(QIODevice::ReadOnly) || !file.seek(FileHeaderSize))
        throw DrawError("bitmap " + std::to_string(int(bitmap)) + " cannot be loaded");
    return file.readAll().toStdString();
}

void MainWindow::fitPictureBox()
{
    picBox->setGeometry(0, 0, width(), height());
}

void MainWindow::present(const Surface& frame)
{
    picBox->present(frame);
}

void MainWindow::quit()
{
    setEnabled(false);
    emit quitRequested();
}

} // namespace tilzo
