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

QImage ContactSheet::Scene(const QImage& outer, const QImage& inner, const std::vector<std::vector<QImage>>& skins)
{
    // Settled cells of a well 6 columns wide, bottom rows first; 0 is empty.
    const int stack[5][6] = {
        {0, 0, 0, 0, 0, 0},
        {0, 0, 0, 5, 0, 0},
        {2, 0, 0, 6, 4, 0},
        {3, 1, 7, 6, 2, 5},
        {4, 3, 1, 2, 7, 6},
    };
    const int columns = 6;
    const int rows = 5;
    const int gap = 40;
    const QSize cell = skins.front().front().size();
    const int wellWidth = columns * cell.width();
    const int wellHeight = rows * cell.height();
    QImage scene(int(skins.size()) * (wellWidth + gap) + gap, wellHeight + 2 * gap, QImage::Format_RGB32);
    QPainter painter(&scene);
    painter.fillRect(scene.rect(), QBrush(outer));
    for (size_t s = 0; s < skins.size(); ++s) {
        const int left = gap + int(s) * (wellWidth + gap);
        const int top = gap;
        painter.fillRect(left - 5, top - 5, wellWidth + 11, wellHeight + 11, QColor(192, 192, 192));
        painter.setPen(QColor(255, 255, 255));
        painter.drawLine(left - 6, top + wellHeight + 6, left - 6, top - 6);
        painter.drawLine(left - 6, top - 6, left + wellWidth + 6, top - 6);
        painter.setPen(QColor(128, 128, 128));
        painter.drawLine(left + wellWidth + 6, top - 6, left + wellWidth + 6, top + wellHeight + 6);
        painter.drawLine(left + wellWidth + 6, top + wellHeight + 6, left - 6, top + wellHeight + 6);
        painter.setBrushOrigin(left, top);
        painter.fillRect(left, top, wellWidth, wellHeight, QBrush(inner));
        for (int r = 0; r < rows; ++r)
            for (int c = 0; c < columns; ++c)
                if (stack[r][c] != 0)
                    painter.drawImage(QRect(left + c * cell.width(), top + r * cell.height(), cell.width(), cell.height()),
                                      skins[s][size_t(stack[r][c] - 1)]);
    }
    return scene;
}
