// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "translations.h"

#include <QLibraryInfo>
#include <QTranslator>

namespace {

const char* const ResourceDirectory = ":/translations";
const char* const WorkbenchCatalogue = "workbench";
const char* const QtCatalogue = "qtbase";

// Only the catalogues for these are written; English is the texts of the sources.
QLocale localeOf(const QString& language)
{
    if (language == QLatin1String("de"))
        return QLocale(QLocale::German, QLocale::Germany);
    return QLocale(QLocale::English, QLocale::UnitedStates);
}

// True when the locale's user-interface languages ask for German. English needs no catalogue,
// and a language nobody translated is shown in English without a complaint.
bool wantsGerman(const QLocale& locale)
{
    const QStringList languages = locale.uiLanguages();
    for (const QString& language : languages) {
        if (language == QLatin1String("C") || language.startsWith(QLatin1String("en")))
            return false;
        if (language.startsWith(QLatin1String("de")))
            return true;
    }
    return false;
}

} // namespace

Translations::Translations()
    : m_locale(QLocale::system())
{
    // The workbench's catalogue sits in a static library; this keeps it in the program.
    Q_INIT_RESOURCE(workbench_translations);
}

Translations::~Translations()
{
    for (QTranslator* translator : qAsConst(m_translators)) {
        QCoreApplication::removeTranslator(translator);
        delete translator;
    }
}

QStringList Translations::languages()
{
    return {QStringLiteral("de"), QStringLiteral("en")};
}

bool Translations::setLanguage(const QString& language)
{
    if (language.isEmpty()) {
        m_locale = QLocale::system();
        m_error.clear();
        return true;
    }
    if (!languages().contains(language)) {
        m_error = tr("unknown language \"%1\" for --lang; choose one of: %2")
                      .arg(language, languages().join(QStringLiteral(", ")));
        return false;
    }
    m_locale = localeOf(language);
    m_error.clear();
    return true;
}

QLocale Translations::locale() const
{
    return m_locale;
}

QString Translations::errorString() const
{
    return m_error;
}

void Translations::installApplication()
{
    // Numbers, in the workbench and the pages, and the plug-in's localised pictures follow the
    // interface language.
    QLocale::setDefault(m_locale);
    install(QString::fromLatin1(WorkbenchCatalogue), QString::fromLatin1(ResourceDirectory));
    install(QString::fromLatin1(QtCatalogue), QLibraryInfo::location(QLibraryInfo::TranslationsPath));
}

void Translations::installPlugin(const QString& catalogue)
{
    install(catalogue, QString::fromLatin1(ResourceDirectory));
}

QStringList Translations::missing() const
{
    return m_missing;
}

bool Translations::install(const QString& catalogue, const QString& directory)
{
    auto* translator = new QTranslator;
    // Other languages than German read English, with its plural forms.
    const QLocale texts = wantsGerman(m_locale) ? m_locale : QLocale(QLocale::English);
    if (!translator->load(texts, catalogue, QStringLiteral("_"), directory)) {
        delete translator;
        if (wantsGerman(m_locale))
            m_missing.append(tr("no German translation \"%1\" in %2").arg(catalogue, directory));
        return false;
    }
    QCoreApplication::installTranslator(translator);
    m_translators.append(translator);
    return true;
}
