#include "settings/dialog/PictureDialog.h"

#include "pictures/PictureLoader.h"

#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QVBoxLayout>

namespace
{
const char* const PictureFilters =
    "All (*.bmp *.ico *.emf *.wmf *.jpg *.jpeg);;Bitmaps (*.bmp);;Icons (*.ico);;"
    "Enhanced Metafiles (*.emf);;Metafiles (*.wmf);;JPEG files (*.jpg *.jpeg)";
}

TPictureDialog::TPictureDialog(QWidget* parent, const QString& startPath)
    : QFileDialog(parent, QStringLiteral("Open"), QString(), QString::fromLatin1(PictureFilters))
{
    // The preview lives among the dialog's own widgets, which only Qt's dialog lets us reach.
    setOption(QFileDialog::DontUseNativeDialog);
    setFileMode(QFileDialog::ExistingFile);
    setDefaultSuffix(QStringLiteral("BMP"));

    auto* box = new QWidget(this);
    auto* column = new QVBoxLayout(box);
    column->setContentsMargins(4, 0, 0, 0);
    PreviewImage = new QLabel(box);
    PreviewImage->setObjectName(QStringLiteral("PicturePreview"));
    PreviewImage->setFixedSize(PreviewSide, PreviewSide);
    PreviewImage->setAlignment(Qt::AlignCenter);
    PreviewImage->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    SizeCaption = new QLabel(box);
    SizeCaption->setAlignment(Qt::AlignCenter);
    column->addWidget(PreviewImage);
    column->addWidget(SizeCaption);
    column->addStretch();
    if (auto* grid = qobject_cast<QGridLayout*>(layout()))
        grid->addWidget(box, 1, grid->columnCount(), grid->rowCount() - 1, 1);

    connect(this, &QFileDialog::currentChanged, this, &TPictureDialog::ShowPreview);
    // A name typed or completed in the file name field shows as soon as it names a file.
    if (auto* name = findChild<QLineEdit*>(QStringLiteral("fileNameEdit")))
        connect(name, &QLineEdit::textChanged, this, [this](const QString& text) {
            const QString path = directory().absoluteFilePath(text);
            if (!text.isEmpty() && QFileInfo(path).isFile())
                ShowPreview(path);
        });
    if (!startPath.isEmpty())
    {
        setDirectory(QFileInfo(startPath).absolutePath());
        selectFile(startPath);
    }
    ShowPreview(startPath);
}

void TPictureDialog::ShowPreview(const QString& path)
{
    QImage picture;
    if (QFileInfo(path).isFile() && TPictureLoader::Load(path, picture))
    {
        // Large pictures shrink to fit, small ones keep their own size; transparent parts show on white.
        const QSize room(PreviewSide - 4, PreviewSide - 4);
        QSize size = picture.size();
        if (size.width() > room.width() || size.height() > room.height())
            size.scale(room, Qt::KeepAspectRatio);
        QImage shown(size.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
        shown.fill(Qt::white);
        QPainter painter(&shown);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(shown.rect(), picture);
        painter.end();
        PreviewImage->setPixmap(QPixmap::fromImage(shown));
        SizeCaption->setText(QStringLiteral("%1 x %2").arg(picture.width()).arg(picture.height()));
        return;
    }
    PreviewImage->setPixmap(QPixmap());
    PreviewImage->setText(QStringLiteral("(None)"));
    SizeCaption->clear();
}
