// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Parsing and applying a 1000-line setup program on the simulated module, against sending
// the same SAP commands directly through its command handler. Prints medians and the ratio.
//     programbench [--rounds N] [--lines N]
#include <QApplication>
#include <QElapsedTimer>
#include <QStringList>
#include <QTextStream>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "command.h"
#include "commandhandlerinterface.h"
#include "koraparser.h"
#include "programrunner.h"
#include "simulatedmodule.h"

namespace {

struct Setting
{
    int type;
    int value;
    const char* comment;
};

// Writable parameters with values in range, in the style the pages write them.
const Setting Settings[] = {
    {6, 128, "Max. run current"},      {7, 8, "Standby current"},           {140, 8, "256 µsteps"},
    {202, 200, "1.8°"},                {251, 0, "Reverse shaft"},           {210, -8192, "Encoder resolution"},
    {212, 0, "Max. encoder deviation"}, {120, 10000, "CL current upscale delay"}, {121, 100000, "CL current downscale delay"},
    {113, 50, "CL current scaler minimum"}, {114, 255, "CL current scaler maximum"}, {108, 300000, "CL gamma velocity minimum"},
    {109, 1600000, "CL gamma velocity maximum"}, {115, 5000, "CL correction velocity P"}, {116, 400, "CL correction velocity I"},
    {117, 2000, "CL correction velocity I clipping"},
};

struct Line
{
    int type;
    int motor;
    int value;
};

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.at(values.size() / 2);
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv); // the module is a widget, as the host's interfaces are
    int rounds = 41;
    int lines = 1000;
    const QStringList args = app.arguments();
    for (int i = 1; i + 1 < args.size(); i += 2) {
        if (args.at(i) == QLatin1String("--rounds"))
            rounds = qMax(1, args.at(i + 1).toInt());
        else if (args.at(i) == QLatin1String("--lines"))
            lines = qMax(1, args.at(i + 1).toInt());
    }

    QString text;
    std::vector<Line> direct;
    const int count = int(sizeof(Settings) / sizeof(Settings[0]));
    for (int i = 0; i < lines; ++i) {
        const Setting& s = Settings[i % count];
        const int motor = (i / count) % SimulatedDrive::AxisCount;
        if (i % count == 0)
            text += QStringLiteral("//Settings of axis %1\n").arg(motor);
        text += QStringLiteral("  SAP %1, %2, %3  //%4\n").arg(s.type, 3).arg(motor).arg(s.value, 8).arg(QString::fromUtf8(s.comment));
        direct.push_back({s.type, motor, s.value});
    }

    SimulatedModule module;
    module.setManualClock(true);
    CommandHandlerInterface* handler = module.commandHandlerInterface();
    std::vector<double> program;
    std::vector<double> reference;
    std::vector<double> parseOnly;
    for (int round = 0; round < rounds; ++round) {
        QElapsedTimer timer;
        timer.start();
        QList<ProgramError> errors;
        const KoraProgram parsed = KoraParser::parse(text, &errors);
        const qint64 parsedAt = timer.nsecsElapsed();
        ProgramRunner runner(&module);
        const ProgramRunner::Result result = runner.run(parsed);
        program.push_back(timer.nsecsElapsed() / 1e3);
        parseOnly.push_back(parsedAt / 1e3);
        if (!errors.isEmpty() || !result.ok || result.writtenLines.size() != lines) {
            std::fprintf(stderr, "programbench: the program did not run: %s\n",
                         qPrintable(errors.isEmpty() ? result.error.toString() : errors.first().toString()));
            return 1;
        }

        timer.restart();
        const quint8 address = module.moduleAddress();
        for (const Line& line : direct) {
            Command request(address, Command::SetAxisParameter, quint8(line.type), quint8(line.motor), line.value);
            Command reply;
            handler->executeCommand(&request, &reply);
            if (reply.status() != Command::StatusOk)
                return 1;
        }
        reference.push_back(timer.nsecsElapsed() / 1e3);
    }

    const double a = median(program);
    const double b = median(reference);
    QTextStream out(stdout);
    out << "Setup program of " << lines << " SAP lines, " << rounds << " rounds, medians:\n";
    out << QStringLiteral("  parse and apply (check, run)   %1 us   (parsing alone %2 us)\n").arg(a, 0, 'f', 1).arg(median(parseOnly), 0, 'f', 1);
    out << QStringLiteral("  the same SAPs sent directly     %1 us\n").arg(b, 0, 'f', 1);
    out << QStringLiteral("  ratio                           %1x   (target <= 1.2x)\n").arg(a / b, 0, 'f', 2);
    return 0;
}
