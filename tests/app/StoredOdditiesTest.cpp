#include "RecordingDialogs.h"

#include "app/FormTumbla.h"

#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <sys/stat.h>

namespace
{

// Values the program never writes, put into the store between two runs, as a hand edit would.
class StoredOddities : public ::testing::Test
{
protected:
    void SetUp() override { QSettings(QSettings::NativeFormat, QSettings::UserScope, "Hollin", "Pelmo2000").clear(); }

    void RunWith(const std::function<void(TSettings&)>& edit)
    {
        Window = std::make_unique<TFormTumbla>(&Dialogs); // first run: the defaults
        edit(Window->Config());
        Window.reset();
        Dialogs.Shown.clear();
        Window = std::make_unique<TFormTumbla>(&Dialogs);
        Window->resize(1280, 800);
        Window->show();
    }

    TRecordingDialogs Dialogs;
    std::unique_ptr<TFormTumbla> Window;
    QTemporaryDir Folder;
};

// A named pipe as the background once held start-up until something wrote to it.
TEST_F(StoredOddities, APipeAsBackgroundIsReportedAtStartUp)
{
    const QString pipe = Folder.filePath(QStringLiteral("texture2.bmp"));
    ASSERT_EQ(mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    RunWith([&](TSettings& s) {
        s.InnerMode = 2;
        s.InnerImage = pipe.toStdString();
    });
    EXPECT_EQ(Dialogs.Shown.count(QStringLiteral("information: Cannot open ") + pipe), 1);
    EXPECT_EQ(Window->Config().InnerMode, 1);
}

// An unknown skin draws as Number, and a well with no rows takes the mode's own; a new game
// then lasts beyond its first piece.
TEST_F(StoredOddities, AnUnknownSkinAndAnEmptyWellStillPlay)
{
    RunWith([](TSettings& s) {
        s.BlockPicture = 9;
        s.RowNumber = 0;
    });
    EXPECT_EQ(Window->Config().BlockPicture, 4);
    EXPECT_EQ(Window->Config().RowNumber, 17);
    TGameEngine& game = Window->Engine();
    game.NewGame();
    for (int tick = 0; tick < 200; ++tick)
        game.TimerTick();
    EXPECT_EQ(game.GameState, gsPlaying);
}

} // namespace
