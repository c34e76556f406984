// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "modulesettings.h"

#include <QCoreApplication>
#include <QSettings>
#include <QVariant>
#include <QtDebug>

#include <functional>
#include <type_traits>

#include "mainwindow.h"
#include "motorvalues.h"
#include "simulatedmodule.h"
#include "windowlayout.h"

namespace {

struct Setting
{
    const char* key;
    std::function<QVariant(const MainWindow&)> read;
    std::function<bool(MainWindow&, const QVariant&)> apply; // false: the value is not usable
};

// valid: a callable that tells whether a converted value is usable, or nullptr for any.
template<typename T, typename Get, typename Set, typename Valid = std::nullptr_t>
Setting setting(const char* key, Get get, Set set, Valid valid = nullptr)
{
    auto apply = [set, valid](MainWindow& window, const QVariant& saved) {
        QVariant value = saved;
        // A settings file holds text; a bool is only "true" or "false", not any word.
        if constexpr (std::is_same_v<T, bool>) {
            const QString text = value.toString();
            if (text != QLatin1String("true") && text != QLatin1String("false"))
                return false;
        }
        if (!value.convert(qMetaTypeId<T>()))
            return false;
        const T typed = value.value<T>();
        if constexpr (!std::is_same_v<Valid, std::nullptr_t>) {
            if (!valid(typed))
                return false;
        }
        set(window, typed);
        return true;
    };
    return {key, [get](const MainWindow& window) { return QVariant::fromValue<T>(get(window)); }, apply};
}

bool notNegative(int value) { return value >= 0; }
bool notBlank(const QString& text) { return !text.trimmed().isEmpty(); }
bool positive(double value) { return value > 0; }
bool notNegativeNumber(double value) { return value >= 0; }

using W = MainWindow;

// One row per setting. Applied in this order; the firmware before the tools exist costs nothing.
const Setting Settings[] = {
    setting<QString>("firmware", [](const W& w) { return w.module()->nameInFirmware(); }, [](W& w, const QString& v) { w.setFirmwareName(v); }, notBlank),
    setting<int>("encoderResolution", [](const W& w) { return w.module()->trueEncoderResolution(); }, [](W& w, int v) { w.setEncoderResolution(v); }, notNegative),
    setting<bool>("encoderReversed", [](const W& w) { return w.module()->encoderReversed(); }, [](W& w, bool v) { w.setEncoderReversed(v); }),
    setting<bool>("reducedRange", [](const W& w) { return w.module()->reducedRange(); }, [](W& w, bool v) { w.setReducedRange(v); }),
    setting<double>("holdingTorque", [](const W& w) { return w.module()->motor().holdingTorque; }, [](W& w, double v) { w.setHoldingTorque(v); }, positive),
    setting<double>("inertia", [](const W& w) { return w.module()->motor().inertia; }, [](W& w, double v) { w.setInertia(v); }, positive),
    setting<double>("loadPercent", [](const W& w) { return w.loadPercent(); }, [](W& w, double v) { w.setLoadPercent(v); }, notNegativeNumber),
    setting<bool>("connected", [](const W& w) { return w.module()->isDeviceOpen(); }, [](W& w, bool v) { w.setModuleConnected(v); }),
};

const QString Group = QStringLiteral("module");

// The table's rows and then the further motor values.
template<typename F>
void forEachSetting(F f)
{
    for (const Setting& s : Settings)
        f(s);
    for (int i = 0; i < MotorValues::count(); ++i) {
        const MotorValue* row = MotorValues::rows() + i;
        const QString key = QLatin1String(row->key);
        f(setting<double>(row->key, [key](const W& w) { return w.motorValue(key); },
                          [key](W& w, double v) { w.setMotorValue(key, v); }, [row](double v) { return row->accepts(v); }));
    }
}

} // namespace

void ModuleSettings::save(const MainWindow& window, QSettings& settings)
{
    settings.beginGroup(Group);
    forEachSetting([&](const Setting& s) { settings.setValue(QLatin1String(s.key), s.read(window)); });
    settings.endGroup();
}

void ModuleSettings::restore(MainWindow& window, QSettings& settings)
{
    settings.beginGroup(Group);
    forEachSetting([&](const Setting& s) {
        const QString key = QLatin1String(s.key);
        if (!settings.contains(key))
            return;
        const QVariant value = settings.value(key);
        if (!s.apply(window, value))
            qWarning().noquote() << QStringLiteral("Ignoring the saved module setting %1=%2 in %3")
                                        .arg(key, value.toString(), settings.fileName());
    });
    settings.endGroup();
}

void ModuleSettings::keep(MainWindow& window)
{
    auto* settings = new QSettings(&window);
    restore(window, *settings);
    window.windowLayout()->load(*settings);
    QObject::connect(qApp, &QCoreApplication::aboutToQuit, &window, [&window, settings]() {
        save(window, *settings);
        window.windowLayout()->save(*settings);
    });
}
