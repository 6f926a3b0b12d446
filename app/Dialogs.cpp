#include "Dialogs.h"

#include "settings/dialog/FormOptions.h"
#include "settings/dialog/OptionPickers.h"

#include <QMessageBox>

void TDialogs::Information(QWidget* parent, const QString& text)
{
    QMessageBox::information(parent, QString::fromLatin1(Title), text, QMessageBox::Ok);
}

void TDialogs::Error(QWidget* parent, const QString& text)
{
    QMessageBox::critical(parent, QString::fromLatin1(Title), text, QMessageBox::Ok);
}

bool TDialogs::Question(QWidget* parent, const QString& text)
{
    return QMessageBox::question(parent, QString::fromLatin1(Title), text, QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::No) == QMessageBox::Yes;
}

std::optional<TPreferences> TDialogs::EditPreferences(QWidget* parent, const TPreferences& now,
                                                      const TDisplayFacts& display)
{
    TOptionPickers pickers;
    TFormOptions form(display, pickers, parent);
    form.Fill(now);
    if (form.exec() != QDialog::Accepted)
        return std::nullopt;
    return form.Chosen();
}
