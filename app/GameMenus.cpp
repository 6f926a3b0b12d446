#include "app/GameMenus.h"

#include "app/GlyphIcon.h"

#include "app/FormTumbla.h"
#include "app/MenuCheckStyle.h"
#include "app/ModeGlyphs.h"
#include "resources/BuiltInImages.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace
{
const char* const ModeMenuNames[ModeCount] = {"SingleMenu",  "DuoMenu", "TrioMenu", "ColumnMenu",
                                              "QuartetMenu", "RowMenu", "PelmoMenu"};

using THandler = void (TFormTumbla::*)();

QAction* AddCommand(QMenu* menu, TFormTumbla& window, const char* name, const char* glyph, const QString& caption,
                    const QString& hint, THandler handler)
{
    const QIcon icon = glyph ? GlyphIcon(BuiltInImages::GlyphPath(QLatin1String(glyph))) : QIcon();
    QAction* action = menu->addAction(icon, caption, &window, handler);
    action->setObjectName(QLatin1String(name));
    action->setToolTip(hint);
    action->setStatusTip(hint);
    return action;
}

void AddSeparator(QMenu* menu, const char* name)
{
    menu->addSeparator()->setObjectName(QLatin1String(name));
}

QMenu* AddMenu(QMenuBar& bar, const char* name, const QString& caption)
{
    QMenu* menu = bar.addMenu(caption);
    menu->setObjectName(QLatin1String(name));
    menu->setToolTipsVisible(true);
    return menu;
}
} // namespace

TGameMenus BuildGameMenus(QMenuBar& bar, TFormTumbla& window)
{
    TGameMenus menus;
    QMenu* game = AddMenu(bar, "GameMenu", QStringLiteral("&Game"));
    menus.NewMenu = AddCommand(game, window, "NewMenu", "newgame", QStringLiteral("&New game"),
                               QStringLiteral("Start a new game"), &TFormTumbla::NewMenuClick);
    menus.NewMenu->setShortcut(QKeySequence(Qt::Key_F2));
    menus.PauseMenu = AddCommand(game, window, "PauseMenu", "pause", QStringLiteral("&Pause"),
                                 QStringLiteral("Pause current game"), &TFormTumbla::PauseMenuClick);
    menus.PauseMenu->setShortcut(QKeySequence(Qt::Key_F3));
    AddSeparator(game, "N1");
    menus.HiScoresMenu = AddCommand(game, window, "HiScoresMenu", "highscores", QStringLiteral("&High scores..."),
                                    QStringLiteral("Display High Scores dialog box"), &TFormTumbla::HiScoresMenuClick);
    AddSeparator(game, "N2");
    menus.Preferences1 = AddCommand(game, window, "Preferences1", "preferences", QStringLiteral("&Preferences..."), {},
                                    &TFormTumbla::Preferences1Click);
    AddSeparator(game, "N4");
    menus.Keluar1 = AddCommand(game, window, "Keluar1", "exit", QStringLiteral("E&xit"),
                               QStringLiteral("Exit from this program"), &TFormTumbla::Keluar1Click);

    QMenu* mode = AddMenu(bar, "ModeMenu", QStringLiteral("&Mode"));
    auto* checkStyle = new TMenuCheckStyle;
    checkStyle->setParent(mode);
    mode->setStyle(checkStyle);
    for (int m = 1; m <= ModeCount; ++m)
    {
        QAction* action = mode->addAction(GlyphIcon(BuiltInImages::GlyphPath(QLatin1String(ModeGlyphs[m - 1]))),
                                          QString::fromLatin1(ModePreset(m).MenuCaption), &window,
                                          [&window, m] { window.ModeClick(m); });
        action->setObjectName(QLatin1String(ModeMenuNames[m - 1]));
        action->setCheckable(true);
        menus.ModeMenus[m - 1] = action;
    }

    QMenu* help = AddMenu(bar, "HelpMenu", QStringLiteral("&Help"));
    AddCommand(help, window, "HelpContentsMenu", "help", QStringLiteral("&Help contents"),
               QStringLiteral("Display the contents of the help file"), &TFormTumbla::HelpContentsMenuClick)
        ->setShortcut(QKeySequence(Qt::Key_F1));
    AddSeparator(help, "N6");
    AddCommand(help, window, "Hollinhomepage1", nullptr, QStringLiteral("Hollin &home page"), {},
               &TFormTumbla::Hollinhomepage1Click);
    AddCommand(help, window, "WebSiteMenu", nullptr, QStringLiteral("&Pelmo 2000 home page"),
               QStringLiteral("Visit Pelmo 2000 Web site on the Internet"), &TFormTumbla::WebSiteMenuClick);
    AddSeparator(help, "N3");
    AddCommand(help, window, "AboutMenu", nullptr, QStringLiteral("&About..."),
               QStringLiteral("Display About dialog box"), &TFormTumbla::Tentang1Click);
    return menus;
}
