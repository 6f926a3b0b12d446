#pragma once

#include <gtest/gtest.h>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QString>

#include <memory>

// The test main points XDG_CONFIG_HOME at a private folder; everything here stays inside it.
inline QString StoreFolderPath()
{
    return QString::fromLocal8Bit(qgetenv("XDG_CONFIG_HOME")) + QStringLiteral("/Hollin");
}

inline QString StoreFilePath()
{
    return StoreFolderPath() + QStringLiteral("/Pelmo2000.conf");
}

inline void ClearStore()
{
    const QString folder = StoreFolderPath();
    if (QFileInfo(folder).isDir())
    {
        ASSERT_TRUE(QDir(folder).removeRecursively());
    }
    else if (QFileInfo::exists(folder))
    {
        ASSERT_TRUE(QFile::remove(folder));
    }
}

// A second view of the same store, as another program or a hand edit would see it.
inline std::unique_ptr<QSettings> RawStore()
{
    auto store = std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Hollin"),
                                             QStringLiteral("Pelmo2000"));
    store->setFallbacksEnabled(false);
    return store;
}

inline QString RawText(const char* name)
{
    return RawStore()->value(QString::fromLatin1(name)).toString();
}

inline QString StoreFileText()
{
    QFile file(StoreFilePath());
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

// The store keeps what it parsed while the file looks unchanged. Giving the file a new time
// makes the next open parse it again, as the next run of the program would.
inline void ForgetCachedStore()
{
    static qint64 stamp = 946684800;
    QFile file(StoreFilePath());
    ASSERT_TRUE(file.open(QIODevice::ReadWrite | QIODevice::ExistingOnly));
    ASSERT_TRUE(file.setFileTime(QDateTime::fromSecsSinceEpoch(++stamp, Qt::UTC), QFileDevice::FileModificationTime));
}

// A hand-edited store file.
inline void WriteStoreFile(const char* text)
{
    ASSERT_TRUE(QDir().mkpath(StoreFolderPath()));
    QFile file(StoreFilePath());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_GT(file.write(text), 0);
    file.close();
    ForgetCachedStore();
}

// Every test starts and ends with no store at all, as on a first run.
class StoreTest : public ::testing::Test
{
protected:
    void SetUp() override { ClearStore(); }
    void TearDown() override { ClearStore(); }
};
