#include "RecordingDialogs.h"

#include "app/FormTumbla.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/stat.h>

namespace
{

// Values the program never writes, put into the store between two runs as a hand edit would: a
// named pipe as the background once held start-up until something wrote to it, an unknown skin
// drew every cell invisible, and a well with no rows ended every game at once.
TEST(StoredOddities, StartUpReportsOrMendsThemAndTheGamePlays)
{
    QTemporaryDir folder;
    const QString pipe = folder.filePath(QStringLiteral("texture2.bmp"));
    ASSERT_EQ(mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    TRecordingDialogs dialogs;
    {
        TFormTumbla first(&dialogs); // the defaults, edited and stored as it closes
        first.Config().InnerMode = 2;
        first.Config().InnerImage = pipe.toStdString();
        first.Config().BlockPicture = 9;
        first.Config().RowNumber = 0;
    }
    dialogs.Shown.clear();
    TFormTumbla window(&dialogs);
    window.resize(1280, 800);
    window.show();
    EXPECT_EQ(dialogs.Shown, QStringList{QStringLiteral("information: Cannot open ") + pipe});
    EXPECT_EQ(window.Config().InnerMode, 1);
    EXPECT_EQ(window.Config().BlockPicture, 4);
    EXPECT_EQ(window.Config().RowNumber, 17);
    TGameEngine& game = window.Engine();
    game.NewGame();
    for (int tick = 0; tick < 200; ++tick)
        game.TimerTick();
    EXPECT_EQ(game.GameState, gsPlaying);
}

} // namespace
