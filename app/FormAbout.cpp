#include "app/FormAbout.h"

#include "app/WebAddresses.h"
#include "app/WebPage.h"
#include "resources/BuiltInImages.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QVBoxLayout>

namespace
{
// A line that opens a page when clicked: blue, underlined, with a hand cursor.
QLabel* LinkLabel(QWidget* parent, const QString& text, const char* address)
{
    auto* label = new QLabel(QStringLiteral("<a href=\"%1\" style=\"color:#0000ff\">%2</a>")
                                 .arg(QString::fromLatin1(address), text.toHtmlEscaped()),
                             parent);
    label->setTextInteractionFlags(Qt::LinksAccessibleByMouse);
    label->setCursor(Qt::PointingHandCursor);
    QObject::connect(label, &QLabel::linkActivated, [address](const QString&) { OpenWebPage(address); });
    return label;
}
} // namespace

TFormAbout::TFormAbout(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                          Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    setWindowTitle(QStringLiteral("About"));

    auto* panel = new QFrame(this);
    panel->setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
    auto* icon = new QLabel(panel);
    icon->setPixmap(QPixmap(BuiltInImages::IconPath(32)));
    icon->setAlignment(Qt::AlignTop);

    auto* title = new QLabel(QStringLiteral("Pelmo 2000"), panel);
    QFont bold = title->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.3);
    title->setFont(bold);
    Label8 = LinkLabel(panel, QStringLiteral("Hollin Software - www.hollin-games.net"), TWebAddresses::Maker);
    auto* label7 = new QLabel(QStringLiteral("Music: \"Pelmo Theme\", composed for this game by Hollin Sound"), panel);
    Label9 = LinkLabel(panel, QStringLiteral("www.hollin-games.net/sound"), TWebAddresses::Composer);

    auto* lines = new QVBoxLayout;
    lines->setSpacing(4);
    lines->addWidget(title);
    lines->addWidget(new QLabel(QString::fromLatin1(VersionLine), panel));
    lines->addWidget(new QLabel(QStringLiteral("Written by the Pelmo 2000 team at Hollin"), panel));
    lines->addWidget(Label8);
    lines->addSpacing(8);
    lines->addWidget(label7);
    lines->addWidget(Label9);
    auto* panelLayout = new QHBoxLayout(panel);
    panelLayout->setContentsMargins(14, 14, 18, 14);
    panelLayout->setSpacing(14);
    panelLayout->addWidget(icon, 0, Qt::AlignTop);
    panelLayout->addLayout(lines);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setIcon(style()->standardIcon(QStyle::SP_DialogOkButton));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(panel);
    layout->addWidget(ok, 0, Qt::AlignHCenter);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TFormAbout::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (const QScreen* shown = screen())
    {
        QRect place = frameGeometry();
        place.moveCenter(shown->availableGeometry().center());
        move(place.topLeft());
    }
}
