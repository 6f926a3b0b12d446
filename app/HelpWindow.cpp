#include "app/HelpWindow.h"

#include "app/HelpBrowser.h"

#include "resources/BuiltInImages.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QTextBrowser>
#include <QVBoxLayout>

THelpWindow::THelpWindow(QWidget* parent, const TSettings& settings)
    : QWidget(parent, Qt::Window)
{
    setWindowTitle(QStringLiteral("Pelmo 2000 Help"));
    setWindowIcon(QIcon(BuiltInImages::IconPath(32)));
    resize(720, 620);

    Pages = new THelpBrowser(settings, this);
    Pages->setOpenExternalLinks(true);
    Pages->setFocusPolicy(Qt::StrongFocus);

    auto* contents = new QPushButton(QStringLiteral("&Contents"), this);
    auto* back = new QPushButton(QStringLiteral("&Back"), this);
    auto* forward = new QPushButton(QStringLiteral("&Forward"), this);
    auto* close = new QPushButton(QStringLiteral("Close"), this);
    for (QPushButton* button : {contents, back, forward, close})
        button->setAutoDefault(false);
    back->setEnabled(false);
    forward->setEnabled(false);
    connect(contents, &QPushButton::clicked, this, &THelpWindow::ShowContents);
    connect(back, &QPushButton::clicked, Pages, &QTextBrowser::backward);
    connect(forward, &QPushButton::clicked, Pages, &QTextBrowser::forward);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    new QShortcut(QKeySequence(Qt::Key_Escape), this, this, &QWidget::close);
    connect(Pages, &QTextBrowser::backwardAvailable, back, &QPushButton::setEnabled);
    connect(Pages, &QTextBrowser::forwardAvailable, forward, &QPushButton::setEnabled);
    connect(Pages, &QTextBrowser::sourceChanged, this, [this] {
        const QString title = QStringLiteral("Pelmo 2000 Help");
        const QString page = Pages->documentTitle();
        setWindowTitle(page == title ? title : title + QStringLiteral(" - ") + page);
    });

    auto* bar = new QHBoxLayout;
    bar->addWidget(contents);
    bar->addWidget(back);
    bar->addWidget(forward);
    bar->addStretch();
    bar->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(Pages);
}

void THelpWindow::ShowContents()
{
    Pages->setSource(QUrl(BuiltInImages::HelpPage(QStringLiteral("index"))));
    if (!isVisible())
        if (const QScreen* screen = parentWidget() ? parentWidget()->screen() : nullptr)
        {
            QRect place(QPoint(), size().boundedTo(screen->availableGeometry().size() * 9 / 10));
            place.moveCenter(screen->availableGeometry().center());
            setGeometry(place);
        }
    show();
    raise();
    activateWindow();
}

void THelpWindow::Refresh()
{
    Pages->reload();
}
