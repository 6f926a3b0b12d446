#pragma once

#include <QImage>

// The two default background pictures; both tile seamlessly.
class TextureArt
{
public:
    static constexpr int Size = 256;
    // Around the well: dark slate marble with pale veins.
    static QImage OuterMarble();
    // Inside the well: near-black blue with a faint cloud and weave, so cells stand out.
    static QImage InnerDepth();
};
