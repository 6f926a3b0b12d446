#include "settings/dialog/PickerSize.h"

#include <QComboBox>
#include <QFileDialog>
#include <QHeaderView>
#include <QScreen>
#include <QTreeView>

void TPickerSize::Apply(QFileDialog& picker) const
{
    if (auto* details = picker.findChild<QTreeView*>(QStringLiteral("treeView")))
    {
        // Size, type and date as wide as their texts; the name takes what is left.
        QHeaderView* header = details->header();
        header->setStretchLastSection(false);
        header->setSectionResizeMode(0, QHeaderView::Stretch);
        for (int column = 1; column < header->count(); ++column)
            header->setSectionResizeMode(column, QHeaderView::ResizeToContents);
    }
    if (auto* filters = picker.findChild<QComboBox*>(QStringLiteral("fileTypeCombo")))
        filters->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    QSize size = Size.expandedTo(picker.minimumSizeHint());
    if (const QScreen* screen = picker.screen())
        size = size.boundedTo(screen->availableGeometry().size());
    picker.resize(size);
}

void TPickerSize::Keep(const QFileDialog& picker)
{
    Size = picker.size();
}
