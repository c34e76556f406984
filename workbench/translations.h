// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QCoreApplication>
#include <QList>
#include <QLocale>
#include <QString>
#include <QStringList>

class QTranslator;

// The language of the user interface: chosen from the command line or the system, and the
// translators for it: the workbench's own, Qt's (standard buttons and dialogs) and the
// plug-in's, which the plug-in carries in its resources. The translators stay installed as
// long as this object lives.
class Translations
{
    Q_DECLARE_TR_FUNCTIONS(Translations)
public:
    Translations();
    ~Translations();
    Translations(const Translations&) = delete;
    Translations& operator=(const Translations&) = delete;

    // The languages --lang accepts.
    static QStringList languages();

    // Empty for the system's language, else one of languages(); false (errorString() tells
    // why) for anything else, and the choice stays as it was.
    bool setLanguage(const QString& language);
    QLocale locale() const;
    QString errorString() const;

    // The workbench's and Qt's translations, and the language's number format as the default
    // locale; before the first window is made.
    void installApplication();
    // The plug-in's translation, from the plug-in's resources: after the plug-in is loaded,
    // before its tools are made. The name is the catalogue's, "genericv7" for
    // ":/translations/genericv7_de.qm".
    void installPlugin(const QString& catalogue);
    // Translations the chosen language should have but that were not found, one line each.
    QStringList missing() const;

private:
    bool install(const QString& catalogue, const QString& directory);

    QLocale m_locale;
    QString m_error;
    QStringList m_missing;
    QList<QTranslator*> m_translators;
};
