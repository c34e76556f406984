// The page base: finishing closes the host window before the report.

#include <QtTest>

#include "basesettings.h"

class Page : public BaseSettings
{
    Q_OBJECT
public:
    using BaseSettings::BaseSettings;

private slots:
    void currentAxisChanged() override {}
};

class TestBaseSettings : public QObject
{
    Q_OBJECT

private slots:
    void finish();
};

void TestBaseSettings::finish()
{
    QStringList reports;
    QWidget window; // window -> tool -> page, as the host and the tool instance build it
    auto* page = new Page(new QWidget(&window));
    window.show();
    // The page, and the connection with it, go before the locals the lambda points to.
    connect(page, &BaseSettings::executed, page, [out = &reports, w = &window](bool applied, const QString& fragment) {
        *out << QString("%1 [%2] window %3").arg(applied).arg(fragment, w->isVisible() ? "open" : "closed");
    });
    page->finish(true, "  SAP 140, 0, 8  //Comment\n");
    QCOMPARE(reports, QStringList{"1 [  SAP 140, 0, 8  //Comment\n] window closed"});
    // Only the window is closed; tool and page stay shown inside it.
    QVERIFY(!page->parentWidget()->isHidden() && !page->isHidden());
}

QTEST_MAIN(TestBaseSettings)
#include "tst_basesettings.moc"
