// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The option texts are made once, at start-up. clazy:excludeall=qstring-allocations
#include "commandline.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>

#include <cmath>
#include <vector>

#include "motorvalues.h"
#include "outputfile.h"
#include "simulateddrive.h"
#include "translations.h"

namespace {

enum class Kind { Flag, Text, Integer, Number, Axes, Ids, Language, Motor };

// One option: its name, help and placeholder, where its value goes and, for numbers, the
// range [minimum, maximum] (above the minimum where the minimum itself is not allowed) and
// the unit its message names.
struct Option
{
    const char* name;
    const char* valueName; // null: a flag
    const char* help;      // context "main"; hidden from the help when null
    Kind kind;
    bool CommandLine::*flag = nullptr;
    QString CommandLine::*text = nullptr;
    int CommandLine::*integer = nullptr;
    double CommandLine::*number = nullptr;
    QList<int> CommandLine::*list = nullptr;
    double minimum = 0.0;
    double maximum = 0.0;
    bool minimumAllowed = true;
    const char* unit = nullptr; // context "CommandLine"
    const MotorValue* motor = nullptr;
};

Option flag(const char* name, const char* help, bool CommandLine::*field)
{
    Option option{name, nullptr, help, Kind::Flag};
    option.flag = field;
    return option;
}

Option text(const char* name, const char* valueName, const char* help, QString CommandLine::*field, Kind kind = Kind::Text)
{
    Option option{name, valueName, help, kind};
    option.text = field;
    return option;
}

Option integer(const char* name, const char* valueName, const char* help, int CommandLine::*field, int minimum,
               int maximum, const char* unit)
{
    Option option{name, valueName, help, Kind::Integer};
    option.integer = field;
    option.minimum = minimum;
    option.maximum = maximum;
    option.unit = unit;
    return option;
}

Option number(const char* name, const char* valueName, const char* help, double CommandLine::*field, double minimum,
              bool minimumAllowed, double maximum, const char* unit)
{
    Option option{name, valueName, help, Kind::Number};
    option.number = field;
    option.minimum = minimum;
    option.minimumAllowed = minimumAllowed;
    option.maximum = maximum;
    option.unit = unit;
    return option;
}

Option list(const char* name, const char* valueName, const char* help, QList<int> CommandLine::*field, Kind kind)
{
    Option option{name, valueName, help, kind};
    option.list = field;
    return option;
}

using C = CommandLine;

const std::vector<Option>& options()
{
    static const std::vector<Option> rows = [] {
        std::vector<Option> all{
            text("plugin", "PATH", QT_TRANSLATE_NOOP("main", "Plug-in library to load."), &C::plugin),
            text("platform", "NAME", nullptr, &C::platform),
            integer("poll-ms", "N", QT_TRANSLATE_NOOP("main", "Polling period in milliseconds."), &C::pollMs, 1, 60000,
                    QT_TRANSLATE_NOOP("CommandLine", "ms")),
            integer("encoder-resolution", "N", QT_TRANSLATE_NOOP("main", "True encoder counts per revolution."),
                    &C::encoderResolution, 0, 1 << 24, QT_TRANSLATE_NOOP("CommandLine", "counts per revolution; 0: no signal")),
            flag("encoder-reversed", QT_TRANSLATE_NOOP("main", "The encoder counts against the shaft."), &C::encoderReversed),
            text("firmware", "NAME", QT_TRANSLATE_NOOP("main", "Module type the firmware reports."), &C::firmware),
            number("time-scale", "F", QT_TRANSLATE_NOOP("main", "Simulated time runs F times as fast."), &C::timeScale, 0.0,
                   false, 1e6, QT_TRANSLATE_NOOP("CommandLine", "times real time")),
            text("screenshot", "FILE", nullptr, &C::screenshot),
            list("open", "ID", nullptr, &C::open, Kind::Ids),
            flag("auto", QT_TRANSLATE_NOOP("main", "Run the guided commissioning headless and print each step; "
                                                   "exit 0 only when the closed loop ends ready."),
                 &C::autoRun),
            text("screenshots", "DIR", QT_TRANSLATE_NOOP("main", "With --auto: save a picture of each page into DIR."),
                 &C::screenshots),
            flag("verbose", QT_TRANSLATE_NOOP("main", "Show the plug-in's debug lines."), &C::verbose),
            text("save-program", "FILE", QT_TRANSLATE_NOOP("main", "With --auto: save the setup program to FILE."),
                 &C::saveProgram),
            text("report", "FILE", QT_TRANSLATE_NOOP("main", "With --auto: write a JSON commissioning report to FILE."),
                 &C::report),
            text("apply-program", "FILE", QT_TRANSLATE_NOOP("main", "Apply the setup program in FILE to the axes."),
                 &C::applyProgram),
            text("check-program", "FILE",
                 QT_TRANSLATE_NOOP("main", "Compare the axes with the setup program in FILE; exit 1 on a difference, "
                                           "2 when the program cannot be used."),
                 &C::checkProgram),
            list("axes", "LIST",
                 QT_TRANSLATE_NOOP("main", "Move a program that addresses one axis to these axes for --apply-program "
                                           "and --check-program (default: the axes the program names)."),
                 &C::axes, Kind::Axes),
            flag("scope", QT_TRANSLATE_NOOP("main", "Open the scope after start-up."), &C::scope),
            text("lang", "LANG", QT_TRANSLATE_NOOP("main", "Language of the user interface: de or en (default: the system's)."),
                 &C::language, Kind::Language),
            number("load", "PERCENT",
                   QT_TRANSLATE_NOOP("main", "Friction load on the motor, against the motion, in percent of its holding torque."),
                   &C::loadPercent, 0.0, true, 1000.0, QT_TRANSLATE_NOOP("CommandLine", "% of the holding torque")),
            number("holding-torque", "NM", QT_TRANSLATE_NOOP("main", "Holding torque of the motor at the maximum current."),
                   &C::holdingTorque, 0.0, false, 1000.0, "N·m"),
            number("inertia", "KGM2", QT_TRANSLATE_NOOP("main", "Inertia of the rotor."), &C::inertia, 0.0, false, 10.0,
                   "kg·m²"),
            flag("compare-open-loop",
                 QT_TRANSLATE_NOOP("main", "With --auto: run the motion test in open loop before the closed loop as well."),
                 &C::compareOpenLoop),
            flag("compare-presets",
                 QT_TRANSLATE_NOOP("main", "After the guided commissioning (implies --auto): compare the closed-loop presets "
                                           "on axis 0 with a test move and print the table."),
                 &C::comparePresets),
            text("compare-picture", "FILE",
                 QT_TRANSLATE_NOOP("main", "With --compare-presets: save the comparison as shown by the scope."),
                 &C::comparePicture),
            flag("tune",
                 QT_TRANSLATE_NOOP("main", "After the guided commissioning (implies --auto): measure axis 0's closed "
                                           "loop on a copy and print the tuner's proposal."),
                 &C::tune),
        };
        for (int i = 0; i < MotorValues::count(); ++i) {
            const MotorValue& row = MotorValues::rows()[i];
            Option option{row.option, row.valueName, row.description, Kind::Motor};
            option.minimum = row.minimum;
            option.maximum = row.maximum;
            option.minimumAllowed = row.minimumAllowed;
            option.unit = row.unit;
            option.motor = &row;
            all.push_back(option);
        }
        return all;
    }();
    return rows;
}

QString number(double value)
{
    return QString::number(value, 'g', 10);
}

// What an option with a range needs, with the range and the unit.
QString rangeMessage(const Option& option)
{
    const QString name = QLatin1String(option.name);
    // The motor values' units are translated with their rows.
    const QString unit = QCoreApplication::translate(option.motor ? "main" : "CommandLine", option.unit);
    if (option.kind == Kind::Integer)
        return CommandLine::tr("--%1 needs a whole number from %2 to %3 (%4)").arg(name, number(option.minimum), number(option.maximum), unit);
    if (option.minimumAllowed)
        return CommandLine::tr("--%1 needs a number from %2 to %3 (%4)").arg(name, number(option.minimum), number(option.maximum), unit);
    return CommandLine::tr("--%1 needs a number above %2, at most %3 (%4)").arg(name, number(option.minimum), number(option.maximum), unit);
}

// The file a path names, for telling whether two paths name one file; a new file by its folder.
QString identity(const QString& path)
{
    const QFileInfo info(path);
    if (info.exists())
        return info.canonicalFilePath();
    const QString folder = QFileInfo(info.absolutePath()).canonicalFilePath();
    return folder.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : folder + QLatin1Char('/') + info.fileName();
}

} // namespace

QString CommandLine::languageOf(const QStringList& arguments)
{
    QString language;
    for (int i = 1; i < arguments.size(); ++i) {
        const QString& arg = arguments.at(i);
        if ((arg == QLatin1String("--lang") || arg == QLatin1String("-lang")) && i + 1 < arguments.size())
            language = arguments.at(++i);
        else if (arg.startsWith(QLatin1String("--lang=")))
            language = arg.mid(7);
    }
    return language;
}

bool CommandLine::refuse(const QString& message)
{
    m_action = Action::Refuse;
    m_text = message;
    return false;
}

CommandLine CommandLine::parse(const QStringList& arguments, const QString& defaultPlugin)
{
    CommandLine line;
    line.plugin = defaultPlugin;
    QCommandLineParser parser;
    // -plugin and -platform as Qt's programs take them, besides --plugin.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(QCoreApplication::translate("main", "Hosts the tools plug-in with a simulated module."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    for (const Option& option : options()) {
        QCommandLineOption entry(QLatin1String(option.name),
                                 option.help ? QCoreApplication::translate("main", option.help) : QString());
        if (option.valueName)
            entry.setValueName(QLatin1String(option.valueName));
        if (option.text == &C::plugin && !defaultPlugin.isEmpty())
            entry.setDefaultValue(defaultPlugin);
        if (option.integer == &C::pollMs)
            entry.setDefaultValue(QStringLiteral("100"));
        if (!option.help)
            entry.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(entry);
    }
    if (!parser.parse(arguments)) {
        line.refuse(parser.errorText());
        return line;
    }
    if (parser.isSet(help) || parser.isSet(QStringLiteral("help-all"))) {
        line.m_action = Action::Help;
        line.m_text = parser.helpText();
        return line;
    }
    if (parser.isSet(version)) {
        line.m_action = Action::Version;
        line.m_text = QCoreApplication::applicationName() + QLatin1Char(' ') + QCoreApplication::applicationVersion() + QLatin1Char('\n');
        return line;
    }
    if (!parser.positionalArguments().isEmpty()) {
        line.refuse(tr("unexpected argument \"%1\": every value belongs to an option (see --help)")
                        .arg(parser.positionalArguments().constFirst().left(80)));
        return line;
    }
    for (const Option& option : options()) {
        const QString name = QLatin1String(option.name);
        if (!parser.isSet(name))
            continue;
        if (!option.valueName) {
            line.*option.flag = true;
            continue;
        }
        const QStringList values = parser.values(name);
        if (values.size() > 1 && option.kind != Kind::Ids) {
            line.refuse(tr("--%1 is given more than once; it takes one value").arg(name));
            return line;
        }
        const QString value = values.constLast();
        if (value.isEmpty() && option.kind != Kind::Language) {
            line.refuse(tr("--%1 is empty: it needs %2").arg(name, QLatin1String(option.valueName)));
            return line;
        }
        bool ok = true;
        switch (option.kind) {
        case Kind::Flag:
            break;
        case Kind::Text:
            line.*option.text = value;
            break;
        case Kind::Language:
            if (!Translations::languages().contains(value)) {
                line.refuse(tr("--lang needs one of: %1").arg(Translations::languages().join(QStringLiteral(", "))));
                return line;
            }
            line.language = value;
            break;
        case Kind::Integer: {
            const int read = value.toInt(&ok);
            if (!ok || read < option.minimum || read > option.maximum) {
                line.refuse(rangeMessage(option));
                return line;
            }
            line.*option.integer = read;
            break;
        }
        case Kind::Number:
        case Kind::Motor: {
            const double read = value.toDouble(&ok);
            if (!ok || !std::isfinite(read) || (option.minimumAllowed ? read < option.minimum : read <= option.minimum)
                || read > option.maximum) {
                line.refuse(rangeMessage(option));
                return line;
            }
            if (option.motor)
                line.motorValues.append({QLatin1String(option.motor->key), read});
            else
                line.*option.number = read;
            break;
        }
        case Kind::Axes: {
            const QStringList parts = value.split(QLatin1Char(','));
            for (const QString& axis : parts) {
                const int read = axis.trimmed().toInt(&ok);
                if (!ok || read < 0 || read >= SimulatedDrive::AxisCount) {
                    line.refuse(tr("--axes needs axis numbers from 0 to %1, separated by commas: '%2' is not one")
                                    .arg(QString::number(SimulatedDrive::AxisCount - 1), axis.left(40)));
                    return line;
                }
                if (line.axes.contains(read)) {
                    line.refuse(tr("--axes names axis %1 twice").arg(read));
                    return line;
                }
                line.axes.append(read);
            }
            break;
        }
        case Kind::Ids:
            for (const QString& id : values) {
                line.open.append(id.toInt(&ok));
                if (!ok) {
                    line.refuse(tr("--open needs a sub-widget id"));
                    return line;
                }
            }
            break;
        }
    }
    if (line.checkCombinations())
        line.checkPaths();
    return line;
}

bool CommandLine::checkCombinations()
{
    comparePresets = comparePresets || !comparePicture.isEmpty();
    autoRun = autoRun || comparePresets || tune;
    const QPair<QString, bool> needAuto[] = {{QStringLiteral("--save-program"), !saveProgram.isEmpty()},
                                             {QStringLiteral("--report"), !report.isEmpty()},
                                             {QStringLiteral("--screenshots"), !screenshots.isEmpty()},
                                             {QStringLiteral("--compare-open-loop"), compareOpenLoop}};
    for (const auto& option : needAuto) {
        if (option.second && !autoRun)
            return refuse(tr("%1 needs --auto").arg(option.first));
    }
    if (!axes.isEmpty() && applyProgram.isEmpty() && checkProgram.isEmpty())
        return refuse(tr("--axes needs --apply-program or --check-program"));
    if (!screenshot.isEmpty() && isHeadless())
        return refuse(tr("--screenshot pictures the window; it does not combine with --auto, --apply-program or "
                         "--check-program"));
    return true;
}

bool CommandLine::checkPaths()
{
    const QPair<QString, QString> outputs[] = {{QStringLiteral("--report"), report},
                                               {QStringLiteral("--save-program"), saveProgram},
                                               {QStringLiteral("--compare-picture"), comparePicture},
                                               {QStringLiteral("--screenshot"), screenshot},
                                               {QStringLiteral("--screenshots"), screenshots}};
    const QPair<QString, QString> inputs[] = {{QStringLiteral("--apply-program"), applyProgram},
                                              {QStringLiteral("--check-program"), checkProgram}};
    for (const auto* output = std::begin(outputs); output != std::end(outputs); ++output) {
        if (output->second.isEmpty())
            continue;
        const QString file = identity(output->second);
        for (const auto* other = output + 1; other != std::end(outputs); ++other) {
            if (!other->second.isEmpty() && identity(other->second) == file)
                return refuse(tr("%1 and %2 name the same file %3: give each its own").arg(output->first, other->first, output->second));
        }
        for (const auto& input : inputs) {
            if (!input.second.isEmpty() && identity(input.second) == file) {
                return refuse(tr("%1 reads %2, which %3 writes: apply or check a saved program in a run of its own")
                                  .arg(input.first, input.second, output->first));
            }
        }
        QString error;
        const bool folder = output->first == QLatin1String("--screenshots");
        if (!(folder ? OutputFile::checkFolder(output->second, &error) : OutputFile::check(output->second, &error)))
            return refuse(error);
    }
    return true;
}
