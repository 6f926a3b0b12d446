#include "app/Dialogs.h"
#include "app/FormAbout.h"

#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <gtest/gtest.h>

namespace
{
QImage Glyph(const QAbstractButton& button)
{
    return button.icon().pixmap(16).toImage();
}

QImage OkGlyph(const QWidget& widget)
{
    return widget.style()->standardIcon(QStyle::SP_DialogOkButton).pixmap(16).toImage();
}

// Wide enough for "Pelmo 2000" beside a window manager's icon and three title buttons.
TEST(Dialogs, MessageBoxesKeepTheirTextsShowTheTitleWholeAndGiveOkItsGlyph)
{
    struct Case
    {
        QMessageBox::Icon Icon;
        QString Text;
        QString Details;
        QMessageBox::StandardButtons Buttons;
    };
    const Case cases[] = {
        {QMessageBox::Information, "Game over", "", QMessageBox::Ok},
        {QMessageBox::Critical, "Cannot play MIDI file.", "/music/x.mid\nnot a MIDI file", QMessageBox::Ok},
        {QMessageBox::Question, "Do you really want to exit Pelmo 2000?", "", QMessageBox::Yes | QMessageBox::No},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.Text.toStdString());
        const auto box = TDialogs::MessageBox(nullptr, c.Icon, c.Text, c.Details, c.Buttons);
        box->show();
        EXPECT_EQ(std::make_tuple(box->windowTitle(), box->text(), box->icon(), box->detailedText()),
                  std::make_tuple(QString("Pelmo 2000"), c.Text, c.Icon, c.Details));
        EXPECT_GE(box->width(), 280);
        if (const QAbstractButton* ok = box->button(QMessageBox::Ok))
            EXPECT_EQ(Glyph(*ok), OkGlyph(*box));
        box->hide();
    }
}

TEST(Dialogs, TheAboutBoxOpensCentredOnTheScreenWithTheOkGlyph)
{
    TFormAbout about(nullptr);
    about.show();
    EXPECT_LE((about.frameGeometry().center() - about.screen()->availableGeometry().center()).manhattanLength(), 2);
    const auto buttons = about.findChildren<QPushButton*>();
    ASSERT_EQ(buttons.size(), 1);
    EXPECT_EQ(Glyph(*buttons[0]), OkGlyph(about));
}
} // namespace
