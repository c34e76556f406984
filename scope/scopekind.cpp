// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "scopekind.h"

#include <QRegularExpression>

namespace {

struct Known
{
    const char* name;
    ScopeKind::Kind kind;
    const char* unit;
};

// The polled live values and the drive's fast signals.
const Known KnownSeries[] = {
    {QT_TRANSLATE_NOOP("ScopeKind", "target velocity"), ScopeKind::Velocity, "pps"},
    {QT_TRANSLATE_NOOP("ScopeKind", "measured velocity"), ScopeKind::Velocity, "pps"},
    {QT_TRANSLATE_NOOP("ScopeKind", "rotor velocity"), ScopeKind::Velocity, "pps"},
    {QT_TRANSLATE_NOOP("ScopeKind", "correction velocity"), ScopeKind::Velocity, "pps"},
    {QT_TRANSLATE_NOOP("ScopeKind", "encoder position"), ScopeKind::Position, "counts"},
    {QT_TRANSLATE_NOOP("ScopeKind", "following error"), ScopeKind::Position, "microsteps"},
    {QT_TRANSLATE_NOOP("ScopeKind", "load angle"), ScopeKind::Angle, "deg el"},
    {QT_TRANSLATE_NOOP("ScopeKind", "current amplitude"), ScopeKind::Percent, "%"},
    {QT_TRANSLATE_NOOP("ScopeKind", "current scaler"), ScopeKind::Percent, "%"},
    {QT_TRANSLATE_NOOP("ScopeKind", "position reached"), ScopeKind::Flag, "0/1"},
    {QT_TRANSLATE_NOOP("ScopeKind", "closed loop ready"), ScopeKind::Flag, "0/1"},
    {QT_TRANSLATE_NOOP("ScopeKind", "moving"), ScopeKind::Flag, "0/1"},
};

// The name without a " (motor M)" suffix, and M (0 without it).
QString baseName(const QString& series, int* motor)
{
    static const QRegularExpression suffix(QStringLiteral("^(.*) \\(motor (\\d+)\\)$"));
    const QRegularExpressionMatch match = suffix.match(series);
    *motor = match.hasMatch() ? match.captured(2).toInt() : 0;
    return match.hasMatch() ? match.captured(1) : series;
}

const Known* find(const QString& series)
{
    int motor = 0;
    const QString base = baseName(series, &motor);
    for (const Known& known : KnownSeries) {
        if (base == QLatin1String(known.name))
            return &known;
    }
    return nullptr;
}

} // namespace

ScopeKind::Kind ScopeKind::kindOf(const QString& series)
{
    const Known* known = find(series);
    return known ? known->kind : Other;
}

QString ScopeKind::unitOf(const QString& series)
{
    const Known* known = find(series);
    return known ? QString::fromLatin1(known->unit) : QString();
}

QString ScopeKind::title(Kind kind)
{
    switch (kind) {
    case Velocity:
        return tr("Velocity");
    case Position:
        return tr("Position and following error");
    case Angle:
        return tr("Load angle");
    case Percent:
        return tr("Current and scaler");
    case Flag:
        return tr("Flags");
    case Other:
        break;
    }
    return tr("Other values");
}

QString ScopeKind::displayUnit(const QString& unit)
{
    if (unit == QLatin1String("pps"))
        return tr("pps");
    if (unit == QLatin1String("counts"))
        return tr("counts");
    if (unit == QLatin1String("microsteps"))
        return tr("µsteps");
    if (unit == QLatin1String("deg el"))
        return tr("° el.");
    return unit;
}

QString ScopeKind::displayName(const QString& series)
{
    int motor = 0;
    const QString base = baseName(series, &motor);
    QString shown = base;
    static const QRegularExpression parameter(QStringLiteral("^parameter (\\d+)$"));
    const QRegularExpressionMatch match = parameter.match(base);
    if (match.hasMatch())
        shown = tr("parameter %1").arg(match.captured(1));
    else if (find(base))
        shown = tr(find(base)->name);
    if (series != base)
        shown = tr("%1 (motor %2)").arg(shown).arg(motor);
    return shown;
}

int ScopeKind::decimals(const QString& unit)
{
    if (unit == QLatin1String("counts") || unit == QLatin1String("0/1"))
        return 0;
    if (unit.isEmpty())
        return 3;
    return 1;
}

QString ScopeKind::format(const QString& unit, double value)
{
    QString text = QString::number(value, 'f', decimals(unit));
    // "-0.0" after rounding a tiny negative value.
    if (text.startsWith(QLatin1Char('-')) && text.count(QLatin1Char('0')) == text.size() - 1 - text.count(QLatin1Char('.')))
        text.remove(0, 1);
    if (unit.isEmpty() && text.contains(QLatin1Char('.'))) {
        while (text.endsWith(QLatin1Char('0')))
            text.chop(1);
        if (text.endsWith(QLatin1Char('.')))
            text.chop(1);
    }
    return text;
}
