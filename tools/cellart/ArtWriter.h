#pragma once

#include <QImage>
#include <QString>

// Writes the generated pictures and reads each one back to prove it survives the round trip.
class ArtWriter
{
public:
    explicit ArtWriter(QString root) : Root(std::move(root)) {}

    bool Palettised(const QString& relativePath, const QImage& indexed, int bitsPerPixel);
    bool TrueColourBmp(const QString& relativePath, const QImage& image);
    bool Png(const QString& relativePath, const QImage& image);
    bool Raw(const QString& relativePath, const QByteArray& bytes);
    QString Path(const QString& relativePath) const;

    int Written() const { return Count; }

private:
    bool Prepare(const QString& relativePath);
    bool ReadsBackAs(const QString& relativePath, const QImage& expected);

    QString Root;
    int Count = 0;
};
