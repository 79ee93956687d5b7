#include "Dialogs.h"

#include <QInputDialog>
#include <QMessageBox>

namespace tilzo {

QString ModalDialogs::askName(QWidget* parent)
{
    bool confirmed = false;
    const QString text
        = QInputDialog::getText(parent, QStringLiteral("Tilzo"), QStringLiteral("What is your name?"),
                                QLineEdit::Normal, QStringLiteral("Tilzo"), &confirmed);
    return confirmed ? text : QString();
}

void ModalDialogs::showError(QWidget* parent, const QString& text, const QString& title)
{
    QMessageBox::critical(parent, title, text);
}

} // namespace tilzo
