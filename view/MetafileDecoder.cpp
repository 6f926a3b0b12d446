#include "view/MetafileDecoder.h"

#include "view/EmfPlayer.h"
#include "view/MetafileBytes.h"
#include "view/WmfPlayer.h"

#include <QFile>

bool TMetafileDecoder::Decode(const QString& path, QImage& picture)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > MaxFileBytes)
        return false;
    return DecodeBytes(file.readAll(), picture);
}

bool TMetafileDecoder::DecodeBytes(const QByteArray& bytes, QImage& picture)
{
    const TMetafileBytes file(bytes.constData(), bytes.size());
    if (TEmfPlayer::IsEmf(file))
        return TEmfPlayer::Play(file, picture);
    if (TWmfPlayer::IsWmf(file))
        return TWmfPlayer::Play(file, picture);
    return false;
}
