// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QMdiSubWindow>
#include <QPointer>

class QFrame;
class QMdiArea;

// The window that holds one tool inside the window area.
//
// A tool sizes its window on its first show and closes it again from inside that very show
// event, before the window itself has finished showing. The close is therefore held back
// until the show is complete and then carried out, so the window really ends hidden.
//
// Closing only hides the window (it is never deleted on close) and leaves the tool widget
// itself alone: the tool becomes invisible with its window and visible again with it, so
// its show and hide events, which start and stop its polling, follow the window.
//
// Flags: the tool's "dpWindowFlags" hints are honoured on top of what a sub-window needs,
// a title bar (to move it) and a close button (to put it away; the host reopens it).
class ToolWindow : public QMdiSubWindow
{
    Q_OBJECT
public:
    explicit ToolWindow(QWidget* tool, QWidget* parent = nullptr);
    ~ToolWindow() override;

    QWidget* tool() const;
    // The flags a window gets for the given "dpWindowFlags" value.
    static Qt::WindowFlags flagsFor(uint toolFlags);
    // A notice laid over the tool, which shows through it dimmed and stays usable; an empty
    // text takes it away.
    void setNotice(const QString& text);
    QString notice() const;

public slots:
    // Shows the window, raises it and makes it the active window of the area.
    void activateWindow();
    void hide();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void deactivate();
    void watchArea();

    QPointer<QMdiArea> m_area;

    QPointer<QWidget> m_tool;
    QFrame* m_notice = nullptr;
    bool m_shown = false;         // own show event seen since the last hide
    bool m_closeAfterShow = false; // a close arrived while the window was still showing
};
