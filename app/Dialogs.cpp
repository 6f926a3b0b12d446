#include "Dialogs.h"

#include "app/FormAbout.h"
#include "scores/dialog/FormScore.h"
#include "scores/dialog/NameDialog.h"
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
                                 QMessageBox::Yes) == QMessageBox::Yes;
}

std::optional<QString> TDialogs::AskName(QWidget* parent, const QString& current)
{
    return TNameDialog::Ask(parent, current);
}

void TDialogs::ShowScores(TFormScore& scores)
{
    scores.exec();
}

void TDialogs::ShowAbout(QWidget* parent)
{
    TFormAbout about(parent);
    about.exec();
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
