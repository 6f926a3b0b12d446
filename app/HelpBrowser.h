#pragma once

#include <QTextBrowser>

struct TSettings;

// The manual's page view: every page it loads names the keys bound at that moment.
class THelpBrowser : public QTextBrowser
{
public:
    THelpBrowser(const TSettings& settings, QWidget* parent);

    QVariant loadResource(int type, const QUrl& name) override;

private:
    const TSettings& Settings;
};
