#pragma once

#include <QString>

class QWidget;

namespace tilzo {

// The modal dialogs the game opens; tests answer them through a subclass.
class Dialogs {
public:
    virtual ~Dialogs() = default;

    // The name prompt: the confirmed text, or an empty text on cancel.
    virtual QString askName(QWidget* parent) = 0;
    // A message box with the critical icon and an OK button.
    virtual void showError(QWidget* parent, const QString& text, const QString& title) = 0;
};

class ModalDialogs final : public Dialogs {
public:
    QString askName(QWidget* parent) override;
    void showError(QWidget* parent, const QString& text, const QString& title) override;
};

} // namespace tilzo
