#pragma once

#include <QImage>
#include <QSize>

class TMetafileBytes;
class TMetafileCanvas;

// Windows metafiles (".wmf"), with or without the placeable header that gives their size.
// Records in 16-bit words; most of them list their parameters last to first.
class TWmfPlayer
{
public:
    static bool IsWmf(TMetafileBytes file);
    static bool Play(TMetafileBytes file, QImage& picture);

private:
    struct TLayout;
    static bool ReadLayout(TMetafileBytes& file, TLayout& layout);
    static bool PlayRecord(TMetafileCanvas& canvas, uint16_t function, TMetafileBytes& record);
};
