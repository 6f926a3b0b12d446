#include "pictures/MetafileDecoder.h"

#include "pictures/EmfPlayer.h"
#include "pictures/MetafileBytes.h"
#include "pictures/WmfPlayer.h"

bool TMetafileDecoder::DecodeBytes(const QByteArray& bytes, QImage& picture)
{
    const TMetafileBytes file(bytes.constData(), bytes.size());
    if (TEmfPlayer::IsEmf(file))
        return TEmfPlayer::Play(file, picture);
    if (TWmfPlayer::IsWmf(file))
        return TWmfPlayer::Play(file, picture);
    return false;
}
