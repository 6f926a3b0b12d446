#include "app/ButtonColumn.h"

#include "app/ColumnCaption.h"
#include "app/FlatButton.h"
#include "app/Fonts.h"
#include "app/FormTumbla.h"
#include "app/GameMenus.h"
#include "app/ModeGlyphs.h"
#include "resources/BuiltInImages.h"

#include <QAction>

namespace
{
const char* const ModeButtonNames[ModeCount] = {"SingleButton",  "DuoButton", "TrioButton", "ColumnButton",
                                                "QuartetButton", "RowButton", "PelmoButton"};

QString Glyph(const char* name)
{
    return BuiltInImages::GlyphPath(QLatin1String(name));
}

TFlatButton* AddButton(QWidget& client, TFormTumbla& window, const char* name, const QString& caption,
                       const char* glyph, QPoint position, const QAction* twin, void (TFormTumbla::*handler)())
{
    auto* button = new TFlatButton(&client, caption, Glyph(glyph), position);
    button->setObjectName(QLatin1String(name));
    // A menu item without a hint reports its caption as its tooltip; the button then has none.
    if (!twin->statusTip().isEmpty())
        button->setToolTip(twin->statusTip());
    QObject::connect(button, &QToolButton::clicked, &window, handler);
    return button;
}
} // namespace

TButtonColumn BuildButtonColumn(QWidget& client, TFormTumbla& window, const TGameMenus& menus)
{
    TButtonColumn column;
    const QFont labelFont = SansFont(15, true);
    MakeColumnCaption(client, QStringLiteral("Game"), labelFont, {16, 12});
    AddButton(client, window, "SpeedButton1", QStringLiteral("New game"), "newgame", {16, 35}, menus.NewMenu,
              &TFormTumbla::NewMenuClick);
    column.SpeedPause = AddButton(client, window, "SpeedPause", QStringLiteral("Pause"), "pause", {16, 62},
                                  menus.PauseMenu, &TFormTumbla::PauseMenuClick);
    AddButton(client, window, "SpeedButton6", QStringLiteral("High scores"), "highscores", {16, 88},
              menus.HiScoresMenu, &TFormTumbla::HiScoresMenuClick);
    AddButton(client, window, "SpeedButton2", QStringLiteral("Preferences"), "preferences", {16, 114},
              menus.Preferences1, &TFormTumbla::Preferences1Click);
    AddButton(client, window, "SpeedButton4", QStringLiteral("Exit"), "exit", {16, 140}, menus.Keluar1,
              &TFormTumbla::Keluar1Click);

    MakeColumnCaption(client, QStringLiteral("Mode"), labelFont, {16, 188});
    for (int m = 1; m <= ModeCount; ++m)
    {
        auto* button = new TFlatButton(&client, QString::fromLatin1(ModePreset(m).ButtonCaption),
                                       Glyph(ModeGlyphs[m - 1]), {16, 208 + 26 * (m - 1)});
        button->setObjectName(QLatin1String(ModeButtonNames[m - 1]));
        QObject::connect(button, &QToolButton::clicked, &window, [&window, m] { window.ModeClick(m); });
        column.ModeButtons[m - 1] = button;
    }
    return column;
}
