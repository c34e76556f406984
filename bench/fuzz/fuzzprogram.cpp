// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

// libFuzzer target: arbitrary bytes as a setup-program file, parsed, checked and run on a fresh
// simulated module whose clock only moves when the program waits, then compared with it.
// Besides the sanitizers' findings it aborts when the parts disagree with each other:
// a parse that gives both a program and errors, an error outside the text, a run that fails
// after a clean check without naming a line, or a loop that outlasts the time-out.
#include <QApplication>
#include <QByteArray>

#include <cstdio>
#include <cstdlib>

#include "koraparser.h"
#include "programcomparer.h"
#include "programretargeter.h"
#include "programrunner.h"
#include "simulatedmodule.h"

namespace {

// A loop may wait this long on the module's clock: 20 rounds of the poll period, so that an
// input that loops forever still finishes in milliseconds.
constexpr int LoopTimeout = 1000;

[[noreturn]] void fail(const char* what, const ProgramError& error = ProgramError())
{
    std::fprintf(stderr, "fuzzprogram: %s (%s)\n", what, qPrintable(error.toString()));
    std::abort();
}

void checkErrors(const QByteArray& data, const KoraProgram& program, const QList<ProgramError>& errors)
{
    if (errors.isEmpty() == program.isEmpty())
        fail(errors.isEmpty() ? "no program and no error" : "a program with errors", errors.value(0));
    const int lines = data.count('\n') + 1;
    for (const ProgramError& error : errors) {
        if (error.line < 1 || error.line > lines || error.column < 0 || error.message.isEmpty())
            fail("an error outside the text", error);
    }
    for (const KoraProgram::Instruction& instruction : program.instructions()) {
        if (instruction.line < 1 || instruction.line > lines)
            fail("an instruction outside the text");
        if (instruction.opcode == KoraProgram::Opcode::Jump
            && (instruction.target < 0 || instruction.target > program.size()))
            fail("a jump outside the program");
    }
}

void run(const KoraProgram& program, int motor)
{
    SimulatedModule module;
    module.setManualClock(true);
    ProgramRunner runner(&module);
    runner.setTimeout(LoopTimeout);
    runner.setWait([&module](int milliseconds) { module.advance(milliseconds); });
    const KoraProgram moved = ProgramRetargeter::toMotor(program, motor);
    const bool clean = runner.check(moved).isEmpty();
    const ProgramRunner::Result result = runner.run(moved);
    if (result.ok && !clean)
        fail("a run despite a failed check");
    if (!result.ok && result.error.line == 0)
        fail("a failed run that names no line", result.error);
    if (result.waitedMilliseconds > LoopTimeout)
        fail("a loop outlasted the time-out", result.error);
    if (result.ok) {
        const QList<ProgramComparer::Row> rows = ProgramComparer(&module).compare(moved);
        for (const ProgramComparer::Row& row : rows)
            row.toString();
    }
    result.writtenSummary();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // The module is a widget, as the host's interfaces are. Never destroyed: the leak check at
    // exit would take what the platform plug-in frees with it for leaks.
    static QApplication* app = new QApplication(*argc, *argv);
    Q_UNUSED(app)
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size)
{
    const QByteArray data = QByteArray::fromRawData(reinterpret_cast<const char*>(bytes), int(size));
    QList<ProgramError> errors;
    const KoraProgram program = KoraParser::parseData(data, &errors);
    checkErrors(data, program, errors);
    for (const ProgramError& error : errors)
        error.toString(QStringLiteral("fuzz.kora"));
    if (program.isEmpty())
        return 0;
    for (const KoraProgram::Instruction& instruction : program.instructions())
        KoraProgram::describe(instruction);
    // The program as written, and moved to the last axis as batch commissioning does.
    run(program, program.at(0).motor);
    run(program, 2);
    return 0;
}
