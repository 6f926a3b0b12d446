#include "tools/cellart/ContactSheet.h"

#include <QPainter>
#include <algorithm>

QImage ContactSheet::Cells(const std::vector<NamedCell>& cells, int zoom)
{
    // One row per picture size in the order given; a new row whenever the size changes
    // or seven pictures stand in the row.
    std::vector<std::vector<QImage>> rows;
    QSize current;
    for (const NamedCell& cell : cells) {
        if (rows.empty() || cell.Image.size() != current || rows.back().size() == 7) {
            rows.emplace_back();
            current = cell.Image.size();
        }
        rows.back().push_back(cell.Image);
    }
    const int gap = 2 * zoom;
    int width = 0;
    int height = gap;
    for (const auto& row : rows) {
        int rowWidth = gap;
        for (const QImage& image : row)
            rowWidth += image.width() * zoom + gap;
        width = std::max(width, rowWidth);
        height += row.front().height() * zoom + gap;
    }
    QImage sheet(width, height, QImage::Format_RGB32);
    sheet.fill(qRgb(60, 60, 60));
    QPainter painter(&sheet);
    int y = gap;
    for (const auto& row : rows) {
        int x = gap;
        for (const QImage& image : row) {
            painter.drawImage(QRect(x, y, image.width() * zoom, image.height() * zoom), image);
            x += image.width() * zoom + gap;
        }
        y += row.front().height() * zoom + gap;
    }
    return sheet;
}

QImage ContactSheet::Tiled(const QImage& texture)
{
    QImage sheet(texture.width() * 3, texture.height() * 3, QImage::Format_RGB32);
    QPainter painter(&sheet);
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c)
            painter.drawImage(c * texture.width(), r * texture.height(), texture);
    return sheet;
}

QImage ContactSheet::Strip(const std::vector<QImage>& pictures, int zoom, QRgb ground)
{
    const int gap = 4 * zoom;
    int width = gap;
    int height = 0;
    for (const QImage& p : pictures) {
        width += p.width() * zoom + gap;
        height = std::max(height, p.height() * zoom);
    }
    QImage sheet(width, height + 2 * gap, QImage::Format_RGB32);
    sheet.fill(ground);
    QPainter painter(&sheet);
    int x = gap;
    for (const QImage& p : pictures) {
        painter.drawImage(QRect(x, gap, p.width() * zoom, p.height() * zoom), p);
        x += p.width() * zoom + gap;
    }
    return sheet;
}
