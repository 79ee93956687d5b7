#pragma once

#include "app/Dialogs.h"
#include "app/PictureBox.h"
#include "app/frmMain.h"
#include "game_board.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace tilzo::test {

// Answers the name prompt with a canned reply and records every message box.
class AnsweringDialogs : public Dialogs {
public:
    QString reply = QStringLiteral("Tilzo");
    std::function<void()> onAsk = [] {};
    QStringList boxes;  // "title: text"

    QString askName(QWidget*) override { onAsk(); return reply; }
    void showError(QWidget*, const QString& text, const QString& title) override { boxes << title + QStringLiteral(": ") + text; }
};

// The game window on the offscreen platform, with high.dat in a folder of its own.
class WindowTest : public ::testing::Test {
protected:
    QTemporaryDir programDir;
    QTemporaryDir userDir;
    Random random;
    AnsweringDialogs dialogs;
    std::unique_ptr<frmMain> window;

    void construct() { window = std::make_unique<frmMain>(random, dialogs, programDir.path(), userDir.path()); }

    void start()
    {
        construct();
        window->Form_Load();
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }

    QByteArray scoreBytes() const
    {
        QFile file(programDir.filePath(QStringLiteral("high.dat")));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    int framesDuring(const std::function<void()>& action)
    {
        QSignalSpy spy(window->picBox, &PictureBox::presented);
        action();
        return static_cast<int>(spy.count());
    }

    void press(QPoint at, Qt::MouseButton button = Qt::LeftButton, Qt::KeyboardModifiers mods = {})
    {
        QTest::mouseClick(window->picBox, button, mods, at);
    }

    static QPoint cellCentre(int column, int row) { return {62 + 16 * column, 62 + 16 * row}; }
};

} // namespace tilzo::test
