// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <QLibraryInfo>
#include <QProcess>
#include <QtTest>
#include <QtWidgets>

#include <memory>

#include "childprocess.h"
#include "mainwindow.h"
#include "pluginhost.h"
#include "rerezorinterface.h"
#include "toolwindow.h"
#include "translations.h"

namespace {

// The workbench as main() sets it up: the language and the workbench's translations first,
// the plug-in's after loading it and before its tools are made.
struct Workbench
{
    Translations translations;
    std::unique_ptr<MainWindow> window; // goes before the translations

    explicit Workbench(const QString& language)
    {
        if (!translations.setLanguage(language))
            return;
        translations.installApplication();
        window.reset(new MainWindow);
        if (!window->loadPlugin(GV7_PLUGIN_PATH))
            return;
        translations.installPlugin(QStringLiteral("genericv7"));
        window->show();
        window->createTools();
    }
    QWidget* tool(int id) const { return window->pluginHost()->tool(id); }
    // True once the Start Up tool has wired the pages to the module.
    bool wired() const
    {
        auto* axis = tool(51) ? tool(51)->findChild<QLabel*>("lblCurrentAxis") : nullptr;
        return axis && axis->text().startsWith("Motor / Encoder");
    }
};

// What the user reads on a control of a tool (0: of the main window); "<title>" is the tool's
// window title, "<status>" the message in the tool's status bar, a resource path the caption of
// that picture.
QString shownText(const Workbench& bench, int id, const QString& name)
{
    if (name.startsWith(":/")) {
        QFile picture(name);
        if (!picture.open(QIODevice::ReadOnly))
            return "no picture: " + name;
        static const QRegularExpression caption("<text[^>]*>([^<]*)</text>");
        return caption.match(QString::fromUtf8(picture.readAll())).captured(1);
    }
    QWidget* tool = id ? bench.tool(id) : bench.window.get();
    if (name == "<title>")
        return bench.window->pluginHost()->windowOf(id)->windowTitle();
    if (name == "<status>")
        return tool->findChild<QStatusBar*>()->currentMessage();
    QWidget* widget = tool->findChild<QWidget*>(name);
    QStringList items;
    if (auto* link = qobject_cast<QCommandLinkButton*>(widget))
        return link->text() + " / " + link->description();
    if (auto* button = qobject_cast<QAbstractButton*>(widget))
        return button->text();
    if (auto* label = qobject_cast<QLabel*>(widget))
        return QTextDocumentFragment::fromHtml(label->text()).toPlainText();
    if (auto* combo = qobject_cast<QComboBox*>(widget)) {
        for (int i = 0; i < combo->count(); ++i)
            items << combo->itemText(i);
    } else if (auto* tabs = qobject_cast<QTabWidget*>(widget)) {
        for (int i = 0; i < tabs->count(); ++i)
            items << tabs->tabText(i);
    } else if (auto* menu = qobject_cast<QMenu*>(widget)) {
        const QList<QAction*> actions = menu->actions();
        for (QAction* action : actions)
            items << action->text();
        items.removeAll(QString()); // the separators
    } else {
        return "no shown text: " + name;
    }
    return items.join(" | ");
}

} // namespace

class TestTranslation : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void pageTexts_data();
    void pageTexts();
    void questions_data();
    void questions();
    void commandLine_data();
    void commandLine();
};

void TestTranslation::initTestCase()
{
    QLoggingCategory::setFilterRules("plugins.debLevel.low.debug=false");
}

void TestTranslation::pageTexts_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<int>("tool");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("expected");

    QTest::newRow("de: start-up title") << "de" << 50 << "<title>" << "Inbetriebnahme";
    QTest::newRow("de: start-up axis message") << "de" << 50 << "<status>" << "Umgeschaltet auf: Motor / Encoder 0";
    QTest::newRow("de: motor standby current") << "de" << 51 << "label_13" << "Haltestrom";
    QTest::newRow("de: motor microsteps")
        << "de" << 51 << "cmbMicrosteps"
        << "Vollschritt | Halbschritt | 4 Mikroschritte | 8 Mikroschritte | 16 Mikroschritte | 32 Mikroschritte | "
           "64 Mikroschritte | 128 Mikroschritte | 256 Mikroschritte";
    QTest::newRow("de: encoder direction") << "de" << 52 << "cbReverseEncoderDirection" << "Encoderrichtung umkehren";
    QTest::newRow("de: encoder detection")
        << "de" << 52 << "btnAutoDetection" << "Automatische Erkennung / Achtung: Bewegt den Motor kurzzeitig";
    QTest::newRow("de: closed-loop tabs") << "de" << 53 << "twSettings" << "Stromskalierung | Feldschwächung | Korrektur";
    QTest::newRow("de: closed-loop tolerance")
        << "de" << 53 << "btnAlternativScalerMaxTolerance" << "Alternative / Achsparameter 126 und 125 setzen auf: 51";
    QTest::newRow("de: tools menu")
        << "de" << 0 << "menuTools"
        << "Inbetriebnahme | Motoreinstellungen | Encodereinstellungen | Closed-Loop-Einstellungen | T&uning… | "
           "&Oszilloskop | Fenster &überlappend | Fenster &nebeneinander | Anordnung &zurücksetzen";
    QTest::newRow("de: connection") << "de" << 0 << "lblConnection" << "Simuliertes Modul verbunden";
    QTest::newRow("de: monitor unit") << "de" << 50 << "lblEncoderPositionUnit" << "Inkremente";
    QTest::newRow("de: current scaling picture")
        << "de" << 0 << ":/Images/rcc/Images/CurrentLevelControl.svg" << "Stromniveau";
    QTest::newRow("de: correction picture") << "de" << 0 << ":/Images/rcc/Images/PositionCatchUp.svg" << "Positionsaufholung";

    QTest::newRow("en: correction picture") << "en" << 0 << ":/Images/rcc/Images/PositionCatchUp.svg" << "position catch up";
    QTest::newRow("en: start-up axis message") << "en" << 50 << "<status>" << "Changed: Motor / Encoder 0";
    QTest::newRow("en: tools menu")
        << "en" << 0 << "menuTools"
        << "Start Up | Motor settings | Encoder settings | Closed loop settings | T&uning… | &Scope | "
           "&Cascade windows | &Tile windows | &Reset layout";
}

void TestTranslation::pageTexts()
{
    QFETCH(QString, language);
    QFETCH(int, tool);
    QFETCH(QString, control);
    QFETCH(QString, expected);
    Workbench bench(language);
    QTRY_VERIFY(bench.wired());
    // A page shows some texts only from its second display on, once it is wired.
    if (tool)
        bench.window->pluginHost()->windowOf(tool)->activateWindow();
    QCOMPARE(shownText(bench, tool, control), expected);
}

void TestTranslation::questions_data()
{
    QTest::addColumn<int>("tool");
    QTest::addColumn<QString>("question");

    QTest::newRow("after the motor step") << 51 << "Ist am Motor ein ABN-Encoder angebaut?";
    QTest::newRow("after the encoder step") << 52 << "Soll der Antrieb im Closed-Loop-Betrieb laufen?";
}

// Applying a step makes the start-up page ask for the next; the question is answered No.
void TestTranslation::questions()
{
    QFETCH(int, tool);
    QFETCH(QString, question);
    Workbench bench("de");
    QTRY_VERIFY(bench.wired());
    bench.window->pluginHost()->windowOf(tool)->activateWindow();

    QString asked;
    QStringList buttonTexts;
    QTimer answerer;
    connect(&answerer, &QTimer::timeout, this, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            asked = box->text();
            const QList<QAbstractButton*> buttons = box->buttons();
            for (QAbstractButton* button : buttons)
                buttonTexts << button->text();
            box->button(QMessageBox::No)->click();
        }
    });
    answerer.start(0);
    auto* buttonBox = bench.tool(tool)->findChild<QDialogButtonBox*>("buttonBox");
    buttonBox->button(QDialogButtonBox::Apply)->click();
    QTRY_VERIFY(!asked.isEmpty());
    QCOMPARE(asked, question);
    if (!QFile::exists(QLibraryInfo::location(QLibraryInfo::TranslationsPath) + "/qtbase_de.qm"))
        QSKIP("Qt's German translation (qttranslations5-l10n) is not installed: the standard buttons stay English");
    QCOMPARE(buttonTexts, QStringList({"&Ja", "&Nein"}));
}

void TestTranslation::commandLine_data()
{
    QTest::addColumn<QString>("arguments");
    QTest::addColumn<QString>("system"); // the system's locale
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("output"); // expected in stdout or stderr

    QTest::newRow("--lang de: help") << "--lang de --help" << "C" << 0 << "Abfrageintervall in Millisekunden.";
    QTest::newRow("--lang=en on a German system: help") << "--lang=en --help" << "de_DE" << 0 << "Polling period in milliseconds.";
    QTest::newRow("German system: help") << "--help" << "de_DE" << 0 << "Abfrageintervall in Millisekunden.";
    QTest::newRow("French system: English help") << "--help" << "fr_FR" << 0 << "Polling period in milliseconds.";
    // The run prints the microstep choice as the motor page shows it, and fails on another question.
    QTest::newRow("--lang de: guided run") << "--lang de --auto" << "C" << 0
                                           << "Schritt 1: Motoreinstellungen: Schrittwinkel 1.8°, 256 Mikroschritte.";
    QTest::newRow("--lang de: failed guided run, one language")
        << "--lang de --auto --encoder-resolution 3000" << "C" << 1
        << "die automatische Erkennung fand keine Standard-Encoderauflösung („nicht möglich“)";
    QTest::newRow("--lang de: setup program fault") << "--lang de --apply-program /" << "C" << 2
                                                    << "/: keine reguläre Datei";
    QTest::newRow("--lang de: bad option value") << "--lang de --poll-ms 0" << "C" << 2
                                                 << "--poll-ms erwartet eine ganze Zahl von 1 bis 60000 (ms)";
    QTest::newRow("unknown language") << "--lang fr" << "C" << 2 << "unknown language \"fr\" for --lang; choose one of: de, en";
    QTest::newRow("language missing") << "--lang" << "C" << 2 << "Missing value after '--lang'.";
}

void TestTranslation::commandLine()
{
    QFETCH(QString, arguments);
    QFETCH(QString, system);
    QProcessEnvironment env = childEnvironment();
    env.insert("LC_ALL", system + ".UTF-8");
    QProcess workbench;
    workbench.setProcessEnvironment(env);
    workbench.start(GV7_WORKBENCH_PATH, arguments.split(' '));
    QVERIFY(workbench.waitForFinished(60000));
    const QString printed = QString::fromUtf8(workbench.readAllStandardOutput() + workbench.readAllStandardError());
    QCOMPARE(workbench.exitStatus(), QProcess::NormalExit);
    QFETCH(QString, output);
    QVERIFY2(printed.contains(output), qPrintable(printed));
    QTEST(workbench.exitCode(), "exitCode");
}

QTEST_MAIN(TestTranslation)
#include "tst_translation.moc"
