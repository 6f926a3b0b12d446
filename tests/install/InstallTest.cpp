#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace
{
struct TRun
{
    int ExitCode = -1;
    QString Output;
};

TRun RunTool(const QString& program, const QStringList& arguments)
{
    QProcess process; // kills on the way out a tool that hangs
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    const bool finished = process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit;
    return {finished ? process.exitCode() : -1, QString::fromLocal8Bit(process.readAll())};
}

QString ReadText(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

const QStringList DataFiles = {"disapp.wav", "drop.wav", "move.wav", "rotate.wav", "pelmo2000.mid", "texture1.bmp",
                               "texture2.bmp"};

TEST(InstallTest, InstallsTheGameInAFolderOfItsOwnWithLauncherEntryIconsAndMetainfo)
{
    QTemporaryDir work;
    const QString prefix = work.filePath("prefix");
    const TRun install = RunTool(PELMO_CMAKE, {"--install", PELMO_BUILD_DIR, "--prefix", prefix});
    ASSERT_EQ(install.ExitCode, 0) << install.Output.toStdString();

    const QString home = prefix + "/lib/pelmo2000/";
    EXPECT_TRUE(QFileInfo(home + "Pelmo2000").isExecutable());
    for (const QString& file : DataFiles)
        EXPECT_TRUE(QFileInfo::exists(home + file)) << file.toStdString();
    EXPECT_EQ(QFileInfo(prefix + "/bin/pelmo2000").symLinkTarget(), QFileInfo(home + "Pelmo2000").canonicalFilePath());
    for (const QString size : {"16", "24", "32", "48", "64", "128", "256"})
        EXPECT_TRUE(QFileInfo::exists(prefix + "/share/icons/hicolor/" + size + "x" + size +
                                      "/apps/net.hollin_games.Pelmo2000.png"))
            << size.toStdString();

    const QString entry = prefix + "/share/applications/net.hollin_games.Pelmo2000.desktop";
    const TRun desktop = RunTool("desktop-file-validate", {entry});
    EXPECT_TRUE(desktop.ExitCode == 0 && desktop.Output.isEmpty()) << desktop.Output.toStdString(); // not a hint
    for (const char* line :
         {"\nExec=pelmo2000\n", "\nCategories=Game;BlocksGame;\n", "\nIcon=net.hollin_games.Pelmo2000\n"})
        EXPECT_TRUE(ReadText(entry).contains(line)) << line;

    const QString metainfo = prefix + "/share/metainfo/net.hollin_games.Pelmo2000.metainfo.xml";
    const TRun appstream = RunTool("appstreamcli", {"validate", "--no-net", metainfo});
    EXPECT_EQ(appstream.ExitCode, 0) << appstream.Output.toStdString();
    const QString metaText = ReadText(metainfo);
    EXPECT_TRUE(metaText.contains("<release version=\"2.1\""));
    EXPECT_TRUE(metaText.contains(QRegularExpression("<screenshot type=\"default\">\\s*<caption>[^<]+</caption>")));
}

TEST(InstallTest, DebianPackageDeclaresItsRuntimeDependenciesAndHoldsTheLayoutUnderUsr)
{
    QTemporaryDir work;
    const TRun cpack = RunTool(PELMO_CPACK, {"-G", "DEB", "-B", work.path(), "--config",
                                         QString(PELMO_BUILD_DIR) + "/CPackConfig.cmake"});
    ASSERT_EQ(cpack.ExitCode, 0) << cpack.Output.toStdString();
    const QStringList debs = QDir(work.path()).entryList({"pelmo2000_2.1_*.deb"});
    ASSERT_EQ(debs.size(), 1);
    const QString deb = work.filePath(debs[0]);

    const TRun fields = RunTool("dpkg-deb", {"--field", deb, "Package", "Version", "Section", "Depends"});
    ASSERT_EQ(fields.ExitCode, 0) << fields.Output.toStdString();
    for (const char* field : {"Package: pelmo2000\n", "Version: 2.1\n", "Section: games\n", "libqt6widgets6",
                              "qt6-qpa-plugins", "libjpeg62-turbo", "libsdl2-mixer-2.0-0",
                              "timgm6mb-soundfont | sf2-soundfont-gm"})
        EXPECT_TRUE(fields.Output.contains(field)) << field;

    const TRun contents = RunTool("dpkg-deb", {"--contents", deb});
    ASSERT_EQ(contents.ExitCode, 0);
    QStringList expected = {"./usr/bin/pelmo2000 -> ../lib/pelmo2000/Pelmo2000", "./usr/lib/pelmo2000/Pelmo2000",
                            "./usr/share/applications/net.hollin_games.Pelmo2000.desktop",
                            "./usr/share/metainfo/net.hollin_games.Pelmo2000.metainfo.xml",
                            "./usr/share/icons/hicolor/48x48/apps/net.hollin_games.Pelmo2000.png"};
    for (const QString& file : DataFiles)
        expected << "./usr/lib/pelmo2000/" + file;
    for (const QString& path : expected)
        EXPECT_TRUE(contents.Output.contains(path)) << path.toStdString();
}
} // namespace
