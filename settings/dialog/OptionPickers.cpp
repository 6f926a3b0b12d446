#include "settings/dialog/OptionPickers.h"

#include "settings/dialog/PictureDialog.h"
#include "view/ColorRef.h"

#include <QColorDialog>
#include <QFileDialog>

TPickerSize TOptionPickers::MusicPickerSize(QSize(760, 460));
TPickerSize TOptionPickers::PicturePickerSize(QSize(960, 520));

std::optional<QString> TOptionPickers::PickMusicFile(QWidget* parent, const QString& startFolder)
{
    QFileDialog picker(parent, QStringLiteral("Open"), startFolder,
                       QStringLiteral("MIDI files (*.MID)"));
    // Qt's own dialog matches the pattern without regard to case, so "song.mid" is offered too.
    picker.setOption(QFileDialog::DontUseNativeDialog);
    picker.setFileMode(QFileDialog::ExistingFile);
    picker.setDefaultSuffix(QStringLiteral("MID"));
    MusicPickerSize.Apply(picker);
    const int result = picker.exec();
    MusicPickerSize.Keep(picker);
    if (result != QDialog::Accepted || picker.selectedFiles().isEmpty())
        return std::nullopt;
    return picker.selectedFiles().constFirst();
}

std::optional<uint32_t> TOptionPickers::PickColor(QWidget* parent, uint32_t initial)
{
    const QColor colour = QColorDialog::getColor(QColor(RgbFromColorRef(initial)), parent, QStringLiteral("Color"));
    if (!colour.isValid())
        return std::nullopt;
    return uint32_t(colour.red()) | uint32_t(colour.green()) << 8 | uint32_t(colour.blue()) << 16;
}

std::optional<QString> TOptionPickers::PickPicture(QWidget* parent, const QString& startPath)
{
    TPictureDialog picker(parent, startPath);
    PicturePickerSize.Apply(picker);
    const int result = picker.exec();
    PicturePickerSize.Keep(picker);
    if (result != QDialog::Accepted || picker.selectedFiles().isEmpty())
        return std::nullopt;
    return picker.selectedFiles().constFirst();
}
