#pragma once

#include "Dialogs.h"
#include "game/Game.h"
#include "render/Graphics.h"
#include "scores/HighScores.h"

#include <QWidget>

namespace tilzo {

class PictureBox;

// The game's one window. It owns all game state and turns the window's
// events into calls on the rules, the score table and the frame.
class frmMain : public QWidget {
    Q_OBJECT

public:
    frmMain(Random& random, Dialogs& dialogs, const QString& programDir, const QString& userDir);

    void Form_Load();
    void Form_KeyUp(int keyCode, int shift);
    void picBox_MouseDown(int button, int shift, double x, double y);
    void blt();

    Game game;
    HighScores scores;
    Graphics graphics;
    QString PlayerName = QString(NameLength, QChar(0));
    bool Initialized = false;
    PictureBox* picBox;

signals:
    void quitRequested();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    void init();
    void Form_Resize();
    void centreOnScreen();

    Random& random_;
    Dialogs& dialogs_;
};

} // namespace tilzo
