// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QVector>

#include "parameter.h"

// The axis parameters the simulated drive knows, with the host's description of each.
// Every axis has the same catalogue; the scope of the records is "axis" and the module
// replaces it with the scope it was asked for.
class ParameterCatalogue
{
public:
    struct Entry
    {
        Parameter parameter; // parameter.readOnly: set-axis-parameter is refused
    };

    ParameterCatalogue();

    // Null when the number or key is unknown.
    const Entry* find(int number) const;
    const Entry* find(const QString& name) const;

    bool contains(int number) const { return m_byNumber.contains(number); }
    bool isInRange(int number, int value) const;
    QList<int> numbers() const; // ascending
    int size() const { return m_entries.size(); }

private:
    void add(int number, const char* name, const char* caption, const char* comment, const char* unit,
             int minimum, int maximum, int defaultValue, const char* toolTip, bool readOnly = false,
             double scale = 1.0);

    QVector<Entry> m_entries;
    QHash<int, int> m_byNumber;
    QHash<QString, int> m_byName;
};
