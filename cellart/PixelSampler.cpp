#include "cellart/PixelSampler.h"

QImage PixelSampler::Render(int width, int height, int samples, const Shader& shader)
{
    QImage image(width, height, QImage::Format_RGB32);
    const double step = 1.0 / samples;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            ColourTone sum;
            for (int sy = 0; sy < samples; ++sy)
                for (int sx = 0; sx < samples; ++sx)
                    sum = sum + shader(x + (sx + 0.5) * step, y + (sy + 0.5) * step);
            image.setPixel(x, y, (sum * (1.0 / (samples * samples))).ToRgb());
        }
    }
    return image;
}
