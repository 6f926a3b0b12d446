#pragma once

#include <QImage>
#include <QString>
#include <vector>

struct NamedGlyph
{
    QString Name;
    QImage Image; // 16 x 16, transparent background
};

// The 16 x 16 pictures of the flat buttons and menu items: the game commands, help, and
// one per game mode showing its pieces.
class GlyphArt
{
public:
    static constexpr int Size = 16;
    // Empty if a picture's pixel rows are malformed.
    static std::vector<NamedGlyph> All();

private:
    static QImage NewGame();
    static QImage Pause();
    static QImage HighScores();
    static QImage Preferences();
    static QImage Exit();
    static QImage Help();
    static QImage Mode(const QString& name);
};
