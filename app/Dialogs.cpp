#include "Dialogs.h"

#include "app/FormAbout.h"
#include "scores/dialog/FormScore.h"
#include "scores/dialog/NameDialog.h"
#include "settings/dialog/FormOptions.h"
#include "settings/dialog/OptionPickers.h"

#include <QGridLayout>
#include <QPushButton>
#include <QSpacerItem>
#include <QStyle>

std::unique_ptr<QMessageBox> TDialogs::MessageBox(QWidget* parent, QMessageBox::Icon icon, const QString& text,
                                                  const QString& details, QMessageBox::StandardButtons buttons)
{
    auto box = std::make_unique<QMessageBox>(icon, QString::fromLatin1(Title), text, buttons, parent);
    box->setDetailedText(details);
    if (QAbstractButton* ok = box->button(QMessageBox::Ok))
        ok->setIcon(box->style()->standardIcon(QStyle::SP_DialogOkButton));
    // QMessageBox sizes itself to its text and ignores a minimum width; a spacer across its grid holds it open.
    if (auto* grid = qobject_cast<QGridLayout*>(box->layout()))
        grid->addItem(new QSpacerItem(MessageBoxWidth, 0, QSizePolicy::Minimum, QSizePolicy::Fixed), grid->rowCount(),
                      0, 1, grid->columnCount());
    return box;
}

void TDialogs::Information(QWidget* parent, const QString& text, const QString& details)
{
    MessageBox(parent, QMessageBox::Information, text, details, QMessageBox::Ok)->exec();
}

void TDialogs::Error(QWidget* parent, const QString& text, const QString& details)
{
    MessageBox(parent, QMessageBox::Critical, text, details, QMessageBox::Ok)->exec();
}

bool TDialogs::Question(QWidget* parent, const QString& text)
{
    const auto box = MessageBox(parent, QMessageBox::Question, text, QString(), QMessageBox::Yes | QMessageBox::No);
    box->setDefaultButton(QMessageBox::Yes);
    return box->exec() == QMessageBox::Yes;
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
