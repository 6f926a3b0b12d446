#include "pictures/PictureLimits.h"
#include "pictures/PictureLoader.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QImageWriter>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <cstdlib>

#include <jpeglib.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{

class PictureFiles : public ::testing::Test
{
protected:
    QString Path(const QString& name) const { return Folder.filePath(name); }

    // A picture of one colour written by Qt's own writer under the given name.
    QString Save(const QString& name, const char* format, QSize size, QRgb colour) const
    {
        QImage image(size, QImage::Format_RGB32);
        image.fill(colour);
        const QString path = Path(name);
        EXPECT_TRUE(image.save(path, format, 100));
        return path;
    }

    static QByteArray Read(const QString& path)
    {
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        return file.readAll();
    }

    QString Write(const QString& name, const QByteArray& bytes) const
    {
        QFile file(Path(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return Path(name);
    }

    // A JPEG whose frame header announces another size than its data holds.
    QString JpegAnnouncing(const QString& name, int width, int height) const
    {
        QByteArray bytes = Read(Save(QStringLiteral("small.jpg"), "JPEG", {16, 16}, qRgb(10, 20, 30)));
        const qsizetype frame = bytes.indexOf(QByteArray("\xFF\xC0", 2));
        EXPECT_GT(frame, 0);
        bytes[frame + 5] = static_cast<char>(height >> 8);
        bytes[frame + 6] = static_cast<char>(height & 0xff);
        bytes[frame + 7] = static_cast<char>(width >> 8);
        bytes[frame + 8] = static_cast<char>(width & 0xff);
        return Write(name, bytes);
    }

    QTemporaryDir Folder;
};

bool Near(QRgb a, QRgb b)
{
    return std::abs(qRed(a) - qRed(b)) <= 6 && std::abs(qGreen(a) - qGreen(b)) <= 6 &&
           std::abs(qBlue(a) - qBlue(b)) <= 6;
}

TEST_F(PictureFiles, JpegExtensionInAnyCaseIsDecoded)
{
    for (const QString& name : {QStringLiteral("mixed.Jpeg"), QStringLiteral("upper.JPG"), QStringLiteral("lower.jpeg")})
    {
        const QString written = Save(QStringLiteral("plain.jpg"), "JPEG", {40, 30}, qRgb(200, 40, 90));
        const QString path = Path(name);
        ASSERT_TRUE(QFile::rename(written, path));

        QImage picture;
        ASSERT_TRUE(TPictureLoader::Load(path, picture)) << name.toStdString();
        EXPECT_EQ(picture.size(), QSize(40, 30));
        EXPECT_TRUE(Near(picture.pixel(0, 0), qRgb(200, 40, 90)));
        EXPECT_TRUE(Near(picture.pixel(39, 29), qRgb(200, 40, 90)));
        EXPECT_FALSE(picture.hasAlphaChannel());
    }
}

TEST_F(PictureFiles, GreyAndProgressiveJpegsDecode)
{
    QImage grey(24, 20, QImage::Format_Grayscale8);
    grey.fill(qRgb(150, 150, 150));
    ASSERT_TRUE(grey.save(Path(QStringLiteral("grey.jpg")), "JPEG", 100));

    QImage colour(24, 20, QImage::Format_RGB32);
    colour.fill(qRgb(30, 90, 220));
    QImageWriter writer(Path(QStringLiteral("progressive.jpg")), "JPEG");
    writer.setProgressiveScanWrite(true);
    writer.setQuality(100);
    ASSERT_TRUE(writer.write(colour));

    QImage picture;
    ASSERT_TRUE(TPictureLoader::Load(Path(QStringLiteral("grey.jpg")), picture));
    EXPECT_EQ(picture.size(), QSize(24, 20));
    EXPECT_TRUE(Near(picture.pixel(5, 5), qRgb(150, 150, 150)));
    ASSERT_TRUE(TPictureLoader::Load(Path(QStringLiteral("progressive.jpg")), picture));
    EXPECT_EQ(picture.size(), QSize(24, 20));
    EXPECT_TRUE(Near(picture.pixel(23, 19), qRgb(30, 90, 220)));
}

// A JPEG of one pixel of one ink mix (cyan, magenta, yellow, black), as print software writes it:
// plain CMYK, the inverted CMYK of Adobe's writers (with their marker), or YCCK.
void WriteInkJpeg(const QString& path, std::array<JSAMPLE, 4> inks, J_COLOR_SPACE space, bool adobe)
{
    std::FILE* file = std::fopen(QFile::encodeName(path).constData(), "wb");
    ASSERT_NE(file, nullptr);
    jpeg_compress_struct info{};
    jpeg_error_mgr error{};
    info.err = jpeg_std_error(&error);
    jpeg_create_compress(&info);
    jpeg_stdio_dest(&info, file);
    info.image_width = 1;
    info.image_height = 1;
    info.input_components = 4;
    info.in_color_space = JCS_CMYK;
    jpeg_set_defaults(&info);
    jpeg_set_colorspace(&info, space);
    jpeg_set_quality(&info, 100, TRUE);
    info.write_Adobe_marker = adobe;
    jpeg_start_compress(&info, TRUE);
    for (JSAMPLE& ink : inks)
        ink = adobe ? 255 - ink : ink;
    JSAMPROW row = inks.data();
    jpeg_write_scanlines(&info, &row, 1);
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    std::fclose(file);
}

TEST_F(PictureFiles, CmykAndYcckJpegsDecodeToTheirColours)
{
    struct TInkCase
    {
        const char* Name;
        std::array<JSAMPLE, 4> Inks;
        J_COLOR_SPACE Space;
        bool Adobe;
        QRgb Expected;
    };
    const TInkCase cases[] = {
        {"red.jpg", {0, 255, 255, 0}, JCS_CMYK, false, qRgb(255, 0, 0)},
        {"red-adobe.jpg", {0, 255, 255, 0}, JCS_CMYK, true, qRgb(255, 0, 0)},
        {"grey.jpg", {0, 0, 0, 128}, JCS_CMYK, false, qRgb(127, 127, 127)},
        {"dark-teal-adobe.jpg", {255, 0, 0, 102}, JCS_CMYK, true, qRgb(0, 153, 153)},
        {"yellow-ycck.jpg", {0, 0, 255, 51}, JCS_YCCK, true, qRgb(204, 204, 0)},
    };
    for (const TInkCase& c : cases)
    {
        SCOPED_TRACE(c.Name);
        const QString path = Path(QString::fromLatin1(c.Name));
        WriteInkJpeg(path, c.Inks, c.Space, c.Adobe);
        QImage picture;
        ASSERT_TRUE(TPictureLoader::Load(path, picture));
        EXPECT_TRUE(Near(picture.pixel(0, 0), c.Expected)) << std::hex << picture.pixel(0, 0);
    }
}

// A pipe would block the open until a writer comes; a device or a folder is no picture either.
TEST_F(PictureFiles, OnlyRegularFilesAreOpened)
{
    ASSERT_EQ(mkfifo(QFile::encodeName(Path(QStringLiteral("pipe.jpg"))).constData(), 0600), 0);
    ASSERT_EQ(symlink("/dev/zero", QFile::encodeName(Path(QStringLiteral("zero.bmp"))).constData()), 0);
    ASSERT_TRUE(QDir(Folder.path()).mkdir(QStringLiteral("folder.ico")));
    for (const char* name : {"pipe.jpg", "zero.bmp", "folder.ico"})
    {
        QImage picture;
        EXPECT_FALSE(TPictureLoader::Load(Path(QString::fromLatin1(name)), picture)) << name;
    }
}

TEST_F(PictureFiles, BitmapIsReadExactly)
{
    QImage image(5, 3, QImage::Format_RGB32);
    image.fill(qRgb(1, 2, 3));
    image.setPixel(4, 2, qRgb(250, 128, 7));
    ASSERT_TRUE(image.save(Path(QStringLiteral("t.BMP")), "BMP"));

    QImage picture;
    ASSERT_TRUE(TPictureLoader::Load(Path(QStringLiteral("t.BMP")), picture));
    EXPECT_EQ(picture.convertToFormat(QImage::Format_RGB32), image);
}

TEST_F(PictureFiles, IconKeepsItsTransparentParts)
{
    QImage image(16, 16, QImage::Format_ARGB32);
    image.fill(qRgba(0, 0, 0, 0));
    image.setPixel(8, 8, qRgba(255, 0, 0, 255));
    ASSERT_TRUE(image.save(Path(QStringLiteral("i.ico")), "ICO"));

    QImage picture;
    ASSERT_TRUE(TPictureLoader::Load(Path(QStringLiteral("i.ico")), picture));
    EXPECT_EQ(picture.size(), QSize(16, 16));
    EXPECT_TRUE(picture.hasAlphaChannel());
    EXPECT_EQ(qAlpha(picture.pixel(0, 0)), 0);
    EXPECT_EQ(picture.pixel(8, 8), qRgba(255, 0, 0, 255));
}

TEST_F(PictureFiles, UnreadablePicturesFailCleanly)
{
    const QString jpeg = Save(QStringLiteral("whole.jpg"), "JPEG", {64, 48}, qRgb(0, 200, 0));
    const QByteArray bytes = Read(jpeg);
    QFile::copy(jpeg, Path(QStringLiteral("same.jpe")));
    QFile::copy(jpeg, Path(QStringLiteral("jpeg-inside.bmp")));
    Save(QStringLiteral("p.png"), "PNG", {8, 8}, qRgb(1, 1, 1));

    const QString failing[] = {
        Path(QStringLiteral("same.jpe")),                     // not an extension the loader knows
        Write(QStringLiteral("cut.jpg"), bytes.left(bytes.size() / 2)), // truncated
        Write(QStringLiteral("empty.jpg"), QByteArray()),
        Write(QStringLiteral("noise.jpeg"), QByteArray(300, '\x5a')),
        Path(QStringLiteral("jpeg-inside.bmp")),              // the extension decides the format
        Path(QStringLiteral("p.png")),
        Write(QStringLiteral("m.emf"), QByteArray(64, '\0')),
        Write(QStringLiteral("m.wmf"), QByteArray(64, '\0')),
        Path(QStringLiteral("missing.bmp")),
        Path(QStringLiteral("missing.jpg")),
        QString(),
    };
    for (const QString& path : failing)
    {
        QImage picture;
        EXPECT_FALSE(TPictureLoader::Load(path, picture)) << path.toStdString();
    }
}

TEST_F(PictureFiles, OversizedJpegIsRefused)
{
    const QString failing[] = {
        JpegAnnouncing(QStringLiteral("wide.jpg"), 20000, 16),
        JpegAnnouncing(QStringLiteral("tall.jpg"), 16, 16385),
        JpegAnnouncing(QStringLiteral("many.jpg"), 10000, 7000),
    };
    for (const QString& path : failing)
    {
        QImage picture;
        EXPECT_FALSE(TPictureLoader::Load(path, picture)) << path.toStdString();
        EXPECT_TRUE(picture.isNull());
    }
}

// Real pictures just past the side limit decode fine elsewhere but are turned away here.
TEST_F(PictureFiles, PicturesWiderThanTheLimitAreRefused)
{
    struct TCase
    {
        const char* Name;
        const char* Format;
        QSize Size;
        bool Loads;
    };
    const TCase cases[] = {
        {"edge.jpg", "JPEG", {16384, 8}, true},
        {"over.jpg", "JPEG", {16385, 8}, false},
        {"edge.bmp", "BMP", {8, 16384}, true},
        {"over.bmp", "BMP", {8, 16385}, false},
    };
    for (const TCase& c : cases)
    {
        const QString path = Save(QString::fromLatin1(c.Name), c.Format, c.Size, qRgb(9, 9, 9));
        QImage picture;
        EXPECT_EQ(TPictureLoader::Load(path, picture), c.Loads) << c.Name;
        EXPECT_EQ(picture.size(), c.Loads ? c.Size : QSize(0, 0)) << c.Name;
    }
}

TEST(PictureLimits, SidesAndAreaHaveCeilings)
{
    EXPECT_TRUE(TPictureLimits::Allowed(16384, 3906));
    EXPECT_FALSE(TPictureLimits::Allowed(16385, 10));
    EXPECT_FALSE(TPictureLimits::Allowed(10, 16385));
    EXPECT_FALSE(TPictureLimits::Allowed(10000, 6401));
    EXPECT_TRUE(TPictureLimits::Allowed(10000, 6400));
    EXPECT_FALSE(TPictureLimits::Allowed(0, 10));
}

} // namespace
