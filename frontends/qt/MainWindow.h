#pragma once

#include "Dialogs.h"
#include "core/shell/frmMain.h"

#include <QWidget>

namespace tilzo {

class PictureBox;

// The game's window on Qt: turns the window's events into the game's handlers, and
// shows what they ask for.
class MainWindow : public QWidget, private Frontend {
    Q_OBJECT

public:
    MainWindow(Random& random, Dialogs& dialogs, HighScores::Folders folders);

    frmMain form;
    PictureBox* picBox;

signals:
    void quitRequested();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    std::string askName() override;
    void showError(const std::string& text, const std::string& title) override;
    std::string bitmapBits(Bitmap bitmap) override;
    void fitPictureBox() override;
    void present(const Surface& frame) override;
    void quit() override;

    Dialogs& dialogs_;
};

} // namespace tilzo
