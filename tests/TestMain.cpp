#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <cstdlib>

#ifdef PELMO_TEST_WIDGETS
#include <QApplication>
using TestApplication = QApplication;
#else
#include <QCoreApplication>
using TestApplication = QCoreApplication;
#endif

int main(int argc, char** argv)
{
    // Headless and silent unless the caller asked otherwise.
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);

    // Always a private settings folder: the real user's store is never read or written.
    QTemporaryDir configHome;
    if (!configHome.isValid())
        return 2;
    setenv("XDG_CONFIG_HOME", configHome.path().toLocal8Bit().constData(), 1);

    TestApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
