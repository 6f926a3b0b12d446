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
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    TRun run;
    if (!process.waitForFinished(60000))
    {
        process.kill();
        process.waitForFinished();
        return run;
    }
    run.Output = QString::fromLocal8Bit(process.readAll());
    run.ExitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    return run;
}

QString ReadText(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

const QStringList DataFiles = {"disapp.wav", "drop.wav", "move.wav", "rotate.wav", "pelmo2000.mid", "texture1.bmp",
                               "texture2.bmp"};
const QStringList IconSizes = {"16", "24", "32", "48", "64", "128", "256"};

class InstallTest : public ::testing::Test
{
protected:
    QTemporaryDir Work;
};

TEST_F(InstallTest, InstallsTheGameInAFolderOfItsOwnWithLauncherEntryIconsAndMetainfo)
{
    const QString prefix = Work.filePath("prefix");
    const TRun install = RunTool(PELMO_CMAKE, {"--install", PELMO_BUILD_DIR, "--prefix", prefix});
    ASSERT_EQ(install.ExitCode, 0) << install.Output.toStdString();

    const QString home = prefix + "/lib/pelmo2000/";
    EXPECT_TRUE(QFileInfo(home + "Pelmo2000").isExecutable());
    for (const QString& file : DataFiles)
        EXPECT_TRUE(QFileInfo::exists(home + file)) << file.toStdString();
    const QFileInfo launcher(prefix + "/bin/pelmo2000");
    EXPECT_TRUE(launcher.isSymLink());
    EXPECT_EQ(launcher.symLinkTarget(), QFileInfo(home + "Pelmo2000").canonicalFilePath());
    for (const QString& size : IconSizes)
        EXPECT_TRUE(QFileInfo::exists(prefix + "/share/icons/hicolor/" + size + "x" + size +
                                      "/apps/net.hollin_games.Pelmo2000.png"))
            << size.toStdString();

    const QString entry = prefix + "/share/applications/net.hollin_games.Pelmo2000.desktop";
    const TRun desktop = RunTool("desktop-file-validate", {entry});
    EXPECT_EQ(desktop.ExitCode, 0) << desktop.Output.toStdString();
    EXPECT_TRUE(desktop.Output.isEmpty()) << desktop.Output.toStdString();
    const QString entryText = ReadText(entry);
    EXPECT_TRUE(entryText.contains("\nExec=pelmo2000\n"));
    EXPECT_TRUE(entryText.contains("\nCategories=Game;BlocksGame;\n"));
    EXPECT_TRUE(entryText.contains("\nIcon=net.hollin_games.Pelmo2000\n"));

    const QString metainfo = prefix + "/share/metainfo/net.hollin_games.Pelmo2000.metainfo.xml";
    const TRun appstream = RunTool("appstreamcli", {"validate", "--no-net", metainfo});
    EXPECT_EQ(appstream.ExitCode, 0) << appstream.Output.toStdString();
    const QString metaText = ReadText(metainfo);
    EXPECT_TRUE(metaText.contains("<release version=\"2.1\""));
    EXPECT_TRUE(metaText.contains(QRegularExpression("<screenshot type=\"default\">\\s*<caption>[^<]+</caption>")));
}

TEST_F(InstallTest, DebianPackageDeclaresItsRuntimeDependenciesAndHoldsTheLayoutUnderUsr)
{
    const TRun cpack = RunTool(PELMO_CPACK, {"-G", "DEB", "-B", Work.path(), "--config",
                                         QString(PELMO_BUILD_DIR) + "/CPackConfig.cmake"});
    ASSERT_EQ(cpack.ExitCode, 0) << cpack.Output.toStdString();
    const QStringList debs = QDir(Work.path()).entryList({"pelmo2000_2.1_*.deb"});
    ASSERT_EQ(debs.size(), 1);
    const QString deb = Work.filePath(debs[0]);

    const TRun fields = RunTool("dpkg-deb", {"--field", deb, "Package", "Version", "Section", "Depends"});
    ASSERT_EQ(fields.ExitCode, 0) << fields.Output.toStdString();
    EXPECT_TRUE(fields.Output.contains("Package: pelmo2000\n"));
    EXPECT_TRUE(fields.Output.contains("Version: 2.1\n"));
    EXPECT_TRUE(fields.Output.contains("Section: games\n"));
    for (const char* dependency : {"libqt6widgets6", "qt6-qpa-plugins", "libjpeg62-turbo", "libsdl2-mixer-2.0-0",
                                   "timgm6mb-soundfont | sf2-soundfont-gm"})
        EXPECT_TRUE(fields.Output.contains(dependency)) << dependency;

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
