// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "koraparser.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QTextCodec>

#include <algorithm>
#include <limits>

namespace {

// ASCII first: programs are almost entirely ASCII, and the Unicode tables cost time per character.
bool isSpace(QChar c)
{
    const ushort u = c.unicode();
    return u == ' ' || u == '\t' || (u >= 0x80 && c.isSpace()) || (u >= '\n' && u <= '\r');
}

bool isIdentifierStart(QChar c)
{
    const ushort u = c.unicode();
    return (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z') || u == '_' || (u >= 0x80 && c.isLetter());
}

bool isIdentifierPart(QChar c)
{
    const ushort u = c.unicode();
    return isIdentifierStart(c) || (u >= '0' && u <= '9') || (u >= 0x80 && c.isLetterOrNumber());
}

// A token of the file as messages echo it: at most 40 characters, so that a megabyte of
// garbage on one line does not come back whole.
QString cut(QStringView token)
{
    const int Shown = 40;
    return token.size() > Shown ? token.left(Shown).toString() + QStringLiteral("…") : token.toString();
}

QString quoted(QStringView token)
{
    return QLatin1Char('\'') + cut(token) + QLatin1Char('\'');
}

// The operands messages name, translated where they are named.
const char* const ParameterNumber = QT_TRANSLATE_NOOP("KoraParser", "parameter number");
const char* const MotorOperand = QT_TRANSLATE_NOOP("KoraParser", "motor");
const char* const ValueOperand = QT_TRANSLATE_NOOP("KoraParser", "value");
const char* const ConditionOperand = QT_TRANSLATE_NOOP("KoraParser", "condition");
const char* const LabelOperand = QT_TRANSLATE_NOOP("KoraParser", "label");

QString operand(const char* what)
{
    return QCoreApplication::translate("KoraParser", what);
}

// What the parser shows of the text it did not expect.
QString shown(QStringView rest)
{
    if (rest.isEmpty())
        return KoraParser::tr("the end of the line");
    int end = 0;
    while (end < rest.size() && !isSpace(rest.at(end)) && rest.at(end) != QLatin1Char(','))
        ++end;
    return quoted(rest.left(qMax(1, end)));
}

// Parses one line; positions are indices into the line, columns are 1-based.
class LineParser
{
public:
    LineParser(QStringView line, int lineNumber, QList<ProgramError>* errors)
        : m_line(line)
        , m_number(lineNumber)
        , m_errors(errors)
    {
    }

    void skipSpace()
    {
        while (m_pos < m_line.size() && isSpace(m_line.at(m_pos)))
            ++m_pos;
    }
    bool atEnd() const { return m_pos >= m_line.size(); }
    void step() { ++m_pos; }
    QChar peek() const { return atEnd() ? QChar() : m_line.at(m_pos); }
    int column() const { return m_pos + 1; }
    QStringView rest() const { return m_line.mid(m_pos); }

    QStringView identifier()
    {
        if (atEnd() || !isIdentifierStart(peek()))
            return QStringView();
        const int start = m_pos;
        while (!atEnd() && isIdentifierPart(peek()))
            ++m_pos;
        return m_line.mid(start, m_pos - start);
    }

    // An integer operand within [minimum, maximum]; what names it in messages.
    bool number(const char* what, qint64 minimum, qint64 maximum, int* value, int* column)
    {
        skipSpace();
        *column = this->column();
        const int start = m_pos;
        if (peek() == QLatin1Char('+') || peek() == QLatin1Char('-'))
            ++m_pos;
        const int digitsStart = m_pos;
        qint64 magnitude = 0;
        bool overflow = false;
        while (!atEnd() && peek() >= QLatin1Char('0') && peek() <= QLatin1Char('9')) {
            // Stops growing once it is far out of any range, so that no digit count overflows.
            if (!overflow)
                magnitude = magnitude * 10 + (peek().unicode() - '0');
            overflow = overflow || magnitude > (qint64(1) << 40);
            ++m_pos;
        }
        if (m_pos == digitsStart || isIdentifierPart(peek())) {
            m_pos = start;
            return fail(*column, KoraParser::tr("expected the %1 (a number), found %2").arg(operand(what), shown(rest())));
        }
        const qint64 result = m_line.at(start) == QLatin1Char('-') ? -magnitude : magnitude;
        if (overflow || result < minimum || result > maximum) {
            return fail(*column, KoraParser::tr("the %1 %2 is out of range (%3 to %4)")
                                     .arg(operand(what), cut(m_line.mid(start, m_pos - start)))
                                     .arg(minimum)
                                     .arg(maximum));
        }
        *value = int(result);
        return true;
    }

    bool comma(const char* before, const char* after)
    {
        skipSpace();
        if (peek() == QLatin1Char(',')) {
            ++m_pos;
            return true;
        }
        return fail(column(), KoraParser::tr("expected ',' between the %1 and the %2, found %3")
                                  .arg(operand(before), operand(after), shown(rest())));
    }

    bool end(const char* after)
    {
        skipSpace();
        if (atEnd())
            return true;
        return fail(column(), KoraParser::tr("unexpected %1 after the %2").arg(shown(rest()), operand(after)));
    }

    bool label(QString* name, int* column)
    {
        skipSpace();
        *column = this->column();
        const QStringView found = identifier();
        if (found.isEmpty())
            return fail(*column, KoraParser::tr("expected a label name, found %1").arg(shown(rest())));
        *name = found.toString();
        return true;
    }

    bool fail(int column, const QString& message)
    {
        m_errors->append({m_number, column, message});
        return false;
    }

private:
    QStringView m_line;
    int m_pos = 0;
    int m_number;
    QList<ProgramError>* m_errors;
};

const qint64 ByteMax = 255;

// Index of the "//" that starts a comment, -1 without one. Written out: the general
// substring search costs more than the rest of the line.
int commentStart(QStringView line)
{
    for (int i = 0; i + 1 < line.size(); ++i) {
        if (line.at(i) == QLatin1Char('/') && line.at(i + 1) == QLatin1Char('/'))
            return i;
    }
    return -1;
}

} // namespace

KoraProgram KoraParser::parse(const QString& text, QList<ProgramError>* errors, int* more)
{
    QList<ProgramError> found;
    int dropped = 0;
    KoraProgram program;
    QHash<QString, int> labels;            // name -> index of the instruction that follows
    QHash<QString, int> labelLines;        // name -> line of its definition
    QString heading;

    const QStringView all(text);
    program.reserve(text.size() / 48); // about one instruction in a line as the pages write it
    for (int start = 0, number = 1; start <= all.size(); ++number) {
        int end = all.indexOf(QLatin1Char('\n'), start);
        if (end < 0)
            end = all.size();
        QStringView line = all.mid(start, end - start);
        start = end + 1;
        if (found.size() >= 2 * ProgramError::Kept)
            ProgramError::keepFirst(&found, &dropped);
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);

        QStringView comment;
        const int slashes = commentStart(line);
        if (slashes >= 0) {
            comment = line.mid(slashes + 2).trimmed();
            line = line.left(slashes);
        }
        LineParser parser(line, number, &found);
        parser.skipSpace();
        if (parser.atEnd()) {
            if (slashes >= 0)
                heading = comment.toString();
            continue;
        }

        int wordColumn = parser.column();
        QStringView word = parser.identifier();
        parser.skipSpace();
        if (!word.isEmpty() && parser.peek() == QLatin1Char(':')) {
            parser.step();
            const QString name = word.toString();
            if (labelLines.contains(name)) {
                parser.fail(wordColumn, tr("the label %1 is already defined on line %2")
                                            .arg(quoted(name))
                                            .arg(labelLines.value(name)));
            } else {
                labelLines.insert(name, number);
                labels.insert(name, program.size());
            }
            parser.skipSpace();
            if (parser.atEnd())
                continue;
            wordColumn = parser.column();
            word = parser.identifier();
        }
        if (word.isEmpty()) {
            parser.fail(wordColumn, tr("expected an instruction or a label, found %1").arg(shown(parser.rest())));
            continue;
        }

        KoraProgram::Instruction instruction;
        instruction.line = number;
        instruction.comment = comment.toString();
        instruction.heading = heading;
        bool ok = false;
        if (word.compare(QLatin1String("SAP"), Qt::CaseInsensitive) == 0) {
            instruction.opcode = KoraProgram::Opcode::SetParameter;
            ok = parser.number(ParameterNumber, 0, ByteMax, &instruction.type, &instruction.typeColumn)
                 && parser.comma(ParameterNumber, MotorOperand)
                 && parser.number(MotorOperand, 0, ByteMax, &instruction.motor, &instruction.motorColumn)
                 && parser.comma(MotorOperand, ValueOperand)
                 && parser.number(ValueOperand, std::numeric_limits<int>::min(), std::numeric_limits<int>::max(),
                                  &instruction.value, &instruction.valueColumn)
                 && parser.end(ValueOperand);
        } else if (word.compare(QLatin1String("GAP"), Qt::CaseInsensitive) == 0) {
            instruction.opcode = KoraProgram::Opcode::GetParameter;
            ok = parser.number(ParameterNumber, 0, ByteMax, &instruction.type, &instruction.typeColumn)
                 && parser.comma(ParameterNumber, MotorOperand)
                 && parser.number(MotorOperand, 0, ByteMax, &instruction.motor, &instruction.motorColumn)
                 && parser.end(MotorOperand);
        } else if (word.compare(QLatin1String("JC"), Qt::CaseInsensitive) == 0) {
            instruction.opcode = KoraProgram::Opcode::Jump;
            parser.skipSpace();
            const int conditionColumn = parser.column();
            const QStringView condition = parser.identifier();
            if (condition.compare(QLatin1String("ZE"), Qt::CaseInsensitive) == 0)
                instruction.condition = KoraProgram::Condition::Zero;
            else if (condition.compare(QLatin1String("NZ"), Qt::CaseInsensitive) == 0)
                instruction.condition = KoraProgram::Condition::NotZero;
            else if (condition.isEmpty())
                parser.fail(conditionColumn, tr("expected a condition (ZE or NZ), found %1").arg(shown(parser.rest())));
            else
                parser.fail(conditionColumn, tr("unknown condition %1 (ZE or NZ)").arg(quoted(condition)));
            ok = instruction.condition != KoraProgram::Condition::Always && parser.comma(ConditionOperand, LabelOperand)
                 && parser.label(&instruction.label, &instruction.typeColumn) && parser.end(LabelOperand);
        } else if (word.compare(QLatin1String("JA"), Qt::CaseInsensitive) == 0) {
            instruction.opcode = KoraProgram::Opcode::Jump;
            ok = parser.label(&instruction.label, &instruction.typeColumn) && parser.end(LabelOperand);
        } else {
            parser.fail(wordColumn, tr("unknown instruction %1 (SAP, GAP, JC or JA)").arg(quoted(word)));
        }
        if (ok)
            program.append(std::move(instruction));
    }

    for (int i = 0; i < program.size(); ++i) {
        KoraProgram::Instruction& instruction = program[i];
        if (instruction.opcode != KoraProgram::Opcode::Jump)
            continue;
        const auto target = labels.constFind(instruction.label);
        if (target == labels.constEnd())
            found.append({instruction.line, instruction.typeColumn,
                          tr("unknown label %1").arg(quoted(instruction.label))});
        else
            instruction.target = *target;
    }
    if (found.isEmpty() && program.isEmpty()) {
        const bool blank = all.trimmed().isEmpty();
        found.append({1, 1, blank ? tr("the program is empty") : tr("the program holds no instruction, only comments and labels")});
    }
    ProgramError::keepFirst(&found, &dropped);
    if (!found.isEmpty())
        program.clear();
    if (errors)
        *errors = found;
    if (more)
        *more = dropped;
    return program;
}

bool KoraParser::decode(const QByteArray& data, QString* text, ProgramError* error)
{
    // Control bytes other than tab, line feed, carriage return and form feed mean binary data.
    int line = 1;
    for (int i = 0; i < data.size(); ++i) {
        const uchar c = uchar(data.at(i));
        if (c == '\n')
            ++line;
        else if ((c < 0x20 && c != '\t' && c != '\r' && c != '\f') || c == 0x7f) {
            *error = {line, 0, tr("not a text file: control byte 0x%1").arg(c, 2, 16, QLatin1Char('0'))};
            return false;
        }
    }
    QTextCodec* utf8 = QTextCodec::codecForName("UTF-8");
    QTextCodec::ConverterState state;
    *text = utf8->toUnicode(data.constData(), data.size(), &state);
    // A sequence cut off at the end is not invalid to the codec, only left over.
    if (state.invalidChars == 0 && state.remainingChars == 0)
        return true;
    // Find the line of the first invalid sequence.
    *error = {0, 0, tr("not a text file: invalid UTF-8")};
    const QList<QByteArray> lines = data.split('\n');
    for (int i = 0; i < lines.size(); ++i) {
        QTextCodec::ConverterState lineState;
        utf8->toUnicode(lines.at(i).constData(), lines.at(i).size(), &lineState);
        if (lineState.invalidChars > 0 || lineState.remainingChars > 0) {
            *error = {i + 1, 0, error->message};
            break;
        }
    }
    text->clear();
    return false;
}

KoraProgram KoraParser::parseData(const QByteArray& data, QList<ProgramError>* errors, int* more)
{
    QString text;
    ProgramError error;
    if (more)
        *more = 0;
    if (!decode(data, &text, &error)) {
        if (errors)
            *errors = {error};
        return KoraProgram();
    }
    return parse(text, errors, more);
}

KoraProgram KoraParser::parseFile(const QString& path, QList<ProgramError>* errors, int* more)
{
    QList<ProgramError> refused;
    // Asked before opening: opening a pipe would wait for a writer, a device never ends.
    const QFileInfo info(path);
    QFile file(path);
    if (info.exists() && !info.isFile())
        refused = {{0, 0, tr("not a regular file: a setup program is read from a plain file")}};
    else if (info.size() > MaxFileSize)
        refused = {{0, 0, tooLarge(info.size())}};
    else if (!file.open(QIODevice::ReadOnly))
        refused = {{0, 0, tr("cannot read the file: %1").arg(file.errorString())}};
    if (refused.isEmpty()) {
        const QByteArray data = file.read(MaxFileSize + 1); // it may have grown since
        if (data.size() <= MaxFileSize)
            return parseData(data, errors, more);
        refused = {{0, 0, tooLarge(data.size())}};
    }
    if (errors)
        *errors = refused;
    if (more)
        *more = 0;
    return KoraProgram();
}

QString KoraParser::tooLarge(qint64 size)
{
    return tr("the file is larger than 1 MiB (%1 bytes): a setup program is a few kilobytes").arg(size);
}
