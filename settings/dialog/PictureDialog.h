#pragma once

#include <QFileDialog>

class QLabel;

// Qt's own file dialog with a preview beside the list: the selected picture as the game's
// picture loader opens it, with its size, so what the player previews is what the well shows.
class TPictureDialog : public QFileDialog
{
public:
    static constexpr int PreviewSide = 160;

    TPictureDialog(QWidget* parent, const QString& startPath);

    // Shows the file at path, or "(None)" when it is not a picture the game can open.
    void ShowPreview(const QString& path);
    QLabel* Preview() const { return PreviewImage; }
    QLabel* PreviewSize() const { return SizeCaption; }

private:
    QLabel* PreviewImage = nullptr;
    QLabel* SizeCaption = nullptr;
};
