// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QHash>
#include <QMainWindow>
#include <QPointer>
#include <QString>

class CommandLine;
class PluginHost;
class QActionGroup;
class QLabel;
class QMdiArea;
class QMenu;
class ScopeWindow;
class TuningWindow;
struct MotorValue;
class SimulatedModule;
class TracePoller;
class WindowLayout;

// The workbench: a window area holding the tools of one simulated module, a Tools menu to
// open them and a Module menu to change the simulated hardware.
class MainWindow : public QMainWindow
{
    Q_OBJECT
public:
    static const QString ModuleKey;

    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    // Loads the plug-in; on failure errorString() tells why.
    bool loadPlugin(const QString& path);
    QString errorString() const;
    // (Re)makes the tools for the module and lists them in the Tools menu. Best called once
    // the window is visible, so the tools size their windows against the real area.
    void createTools();

    void setPollPeriod(int milliseconds);
    int pollPeriod() const { return m_pollPeriod; }

    // Hardware settings of the simulated module, also reachable through the Module menu.
    void setModuleConnected(bool connected);
    void setEncoderResolution(int countsPerRevolution);
    void setEncoderReversed(bool reversed);
    void setReducedRange(bool on);
    // The firmware name is read by the tools when they are wired up, so the tools are made
    // again when it changes after they exist.
    void setFirmwareName(const QString& name);
    // The simulated motor: the load in percent of the holding torque (kept when the holding
    // torque changes), the holding torque at the maximum current in N m, the inertia of rotor
    // and load in kg m^2. Values out of range are ignored.
    void setLoadPercent(double percent);
    double loadPercent() const { return m_loadPercent; }
    void setHoldingTorque(double newtonMetres);
    void setInertia(double kilogramSquareMetres);
    // The further motor and load values by their key (MotorValues); unusable values are ignored.
    void setMotorValue(const QString& key, double value);
    double motorValue(const QString& key) const;
    // The module's settings the command line gives; they win over those remembered.
    void applyCommandLine(const CommandLine& line);

    SimulatedModule* module() const { return m_module; }
    PluginHost* pluginHost() const { return m_host; }
    QMdiArea* area() const { return m_area; }
    WindowLayout* windowLayout() const { return m_layout; }
    // Null until the scope is first opened; it records from then on, shown or not.
    ScopeWindow* scope() const;
    // The About box's text for the plug-in's version text, its build date in the interface language.
    static QString aboutText(const QString& versionText);

public slots:
    void openScope();
    // The Tuning window for axis 0, opened once and then brought forward.
    void openTuning();
    TuningWindow* tuning() const;

private slots:
    void updateConnectionState(bool open);
    void chooseCustomResolution();
    void chooseCustomFirmware();
    void showAbout();
    void chooseLoad();
    void chooseHoldingTorque();
    void chooseInertia();
    void rereadClosedLoop();

private:
    static constexpr int ClosedLoopTool = 53; // the plug-in's sub-widget id of the closed-loop step

    void buildModuleMenu();
    void rebuildToolsMenu();
    void updateResolutionChecks();
    void updateFirmwareChecks();
    void buildMotorMenu();
    void applyMotor(double holdingTorque, double inertia);
    void attachScope();
    void chooseMotorValue(const MotorValue* row);

    QMdiArea* m_area;
    SimulatedModule* m_module;
    PluginHost* m_host;
    WindowLayout* m_layout = nullptr;
    QMenu* m_toolsMenu = nullptr;
    QMenu* m_moduleMenu = nullptr;
    QAction* m_connectAction = nullptr;
    QAction* m_reversedAction = nullptr;
    QAction* m_reducedRangeAction = nullptr;
    QAction* m_customResolutionAction = nullptr;
    QAction* m_customFirmwareAction = nullptr;
    QActionGroup* m_resolutionGroup = nullptr;
    QActionGroup* m_firmwareGroup = nullptr;
    QLabel* m_connectionLabel = nullptr;
    QLabel* m_motorLabel = nullptr;
    double m_loadPercent = 0.0;
    QHash<QString, double> m_motorValues; // as set, percentages as such
    int m_pollPeriod = 100;
    bool m_toolsCreated = false;
    QPointer<ScopeWindow> m_scope;
    QPointer<TuningWindow> m_tuning;
    QPointer<TracePoller> m_scopePoller;
};
