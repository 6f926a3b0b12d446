#pragma once

#include <QImage>

class TMetafileBytes;
class TMetafileCanvas;

// Enhanced metafiles (".emf"): 32-bit records, a header that gives the picture's frame in
// hundredths of a millimetre and the reference device it was drawn for.
class TEmfPlayer
{
public:
    static bool IsEmf(TMetafileBytes file);
    static bool Play(TMetafileBytes file, QImage& picture);

private:
    static bool PlayRecord(TMetafileCanvas& canvas, uint32_t type, TMetafileBytes& record);
};
