// One picture file of arbitrary bytes through the background picture loader. The build gives
// each target its extension (PELMO_FUZZ_EXTENSION), so every decoder gets its own corpus.
#include "pictures/PictureLoader.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>

namespace
{

QString PicturePath()
{
    static QTemporaryDir folder(QDir::tempPath() + QStringLiteral("/pelmo-fuzz-XXXXXX"));
    return folder.filePath(QStringLiteral("picture.") + QStringLiteral(PELMO_FUZZ_EXTENSION));
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    // Metafile text needs fonts, so a GUI application, without a screen.
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static QGuiApplication application(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString path = PicturePath();
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            std::abort();
        file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
    }
    QImage picture;
    if (TPictureLoader::Load(path, picture) && (picture.isNull() || picture.width() > 16384 || picture.height() > 16384))
        std::abort(); // a success always brings a picture inside the limits
    return 0;
}
