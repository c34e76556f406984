// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QList>
#include <QString>

#include "koraprogram.h"
#include "programerror.h"

// Reads setup programs in the module's command language as the settings pages write them:
//
//     //Motor settings                       comment line
//       SAP 140, 0,        8  //256 µsteps   set axis parameter: type, motor, value
//     WaitInit:                              label (a name and a colon; may precede an instruction)
//       GAP 133, 0                           get axis parameter: type, motor
//        JC  ZE, WaitInit                    jump while the last value read is zero (NZ: non-zero)
//        JA  WaitInit                        jump always
//
// Blank lines and indentation are free, mnemonics and conditions may be written in either
// case, labels are case-sensitive. Parameter number and motor are 0 to 255, a value is any
// 32-bit integer. Every line is parsed even after an error, so the user sees all faults at
// once (the first ProgramError::Kept of them, the rest counted in *more); a program with any
// fault comes back empty. Tokens echoed in messages are cut to 40 characters; the messages are
// in the interface language.
class KoraParser
{
    Q_DECLARE_TR_FUNCTIONS(KoraParser)
public:
    // Setup programs are a few kilobytes; a larger file is not read.
    static constexpr qint64 MaxFileSize = 1 << 20;

    static KoraProgram parse(const QString& text, QList<ProgramError>* errors, int* more = nullptr);
    // The same for file contents: refuses data that is not text (NUL or control bytes,
    // invalid UTF-8) naming the line where it starts.
    static KoraProgram parseData(const QByteArray& data, QList<ProgramError>* errors, int* more = nullptr);
    // Reads and parses a file; a file that cannot be read, is no regular file (a pipe, a
    // device) or is larger than MaxFileSize gives one error without a line.
    static KoraProgram parseFile(const QString& path, QList<ProgramError>* errors, int* more = nullptr);

    // Decodes file contents as UTF-8 text; false with an error on binary data.
    static bool decode(const QByteArray& data, QString* text, ProgramError* error);

private:
    static QString tooLarge(qint64 size);
};
