#include "scores/dialog/NameDialog.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>
#include <QVBoxLayout>

std::optional<QString> TNameDialog::Ask(QWidget* parent, const QString& current)
{
    QDialog dialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    dialog.setWindowTitle(QStringLiteral("High Scores"));
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(new QLabel(QStringLiteral("Enter your name"), &dialog));
    auto* edit = new QLineEdit(&dialog);
    edit->setMaxLength(MaxLength);
    edit->setText(current.left(MaxLength));
    edit->selectAll();
    edit->setMinimumWidth(260);
    layout->addWidget(edit);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    // Selected once the dialog is up: showing it can move the focus and drop a selection made earlier.
    QTimer::singleShot(0, edit, [edit] {
        edit->setFocus(Qt::ActiveWindowFocusReason);
        edit->selectAll();
    });
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return edit->text();
}
