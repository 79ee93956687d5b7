#include "Dialogs.h"

#include "core/shell/Words.h"

#include <QInputDialog>
#include <QMessageBox>

namespace tilzo {

QString ModalDialogs::askName(QWidget* parent)
{
    bool confirmed = false;
    const QString text = QInputDialog::getText(parent, QString::fromUtf8(words::Title),
                                               QString::fromUtf8(words::NameQuestion), QLineEdit::Normal,
                                               QString::fromUtf8(words::DefaultName), &confirmed);
    return confirmed ? text : QString();
}

void ModalDialogs::showError(QWidget* parent, const QString& text, const QString& title)
{
    QMessageBox::critical(parent, title, text);
}

} // namespace tilzo
