#include "app/HelpWindow.h"

#include "resources/BuiltInImages.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

THelpWindow::THelpWindow(QWidget* parent)
    : QWidget(parent, Qt::Window)
{
    setWindowTitle(QStringLiteral("Pelmo 2000 Help"));
    setWindowIcon(QIcon(BuiltInImages::IconPath(32)));
    resize(720, 620);

    Pages = new QTextBrowser(this);
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
    connect(Pages, &QTextBrowser::backwardAvailable, back, &QPushButton::setEnabled);
    connect(Pages, &QTextBrowser::forwardAvailable, forward, &QPushButton::setEnabled);
    connect(Pages, &QTextBrowser::sourceChanged, this, [this] {
        setWindowTitle(QStringLiteral("Pelmo 2000 Help - ") + Pages->documentTitle());
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
    show();
    raise();
    activateWindow();
}
