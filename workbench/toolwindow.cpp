// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "toolwindow.h"

#include <QCloseEvent>
#include <QFrame>
#include <QIcon>
#include <QLabel>
#include <QVBoxLayout>
#include <QMdiArea>
#include <QVariant>

#include "rerezorinterface.h"

ToolWindow::ToolWindow(QWidget* tool, QWidget* parent)
    : QMdiSubWindow(parent)
    , m_tool(tool)
{
    setAttribute(Qt::WA_DeleteOnClose, false);
    if (!tool)
        return;
    setWidget(tool);
    if (auto* reRezor = qobject_cast<ReRezorInterface*>(tool))
        setWindowTitle(reRezor->toolsName());
    else
        setWindowTitle(tool->windowTitle());
    const QString iconPath = tool->property("dpWindowIcon").toString();
    if (!iconPath.isEmpty())
        setWindowIcon(QIcon(iconPath));
    setWindowFlags(flagsFor(tool->property("dpWindowFlags").toUInt()));
}

ToolWindow::~ToolWindow() = default;

QWidget* ToolWindow::tool() const
{
    return m_tool;
}

Qt::WindowFlags ToolWindow::flagsFor(uint toolFlags)
{
    // Only a sub-window type makes sense inside the area; the tool chooses the decoration.
    const Qt::WindowFlags hints = Qt::WindowFlags(toolFlags) & ~Qt::WindowFlags(Qt::WindowType_Mask);
    Qt::WindowFlags flags = Qt::SubWindow;
    if (hints)
        flags |= hints | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                 | Qt::WindowCloseButtonHint;
    return flags;
}

void ToolWindow::setNotice(const QString& text)
{
    if (text.isEmpty()) {
        if (m_notice)
            m_notice->hide();
        return;
    }
    if (!m_notice) {
        // The tool dimmed behind it, the text on a plain box in the middle.
        m_notice = new QFrame(this);
        m_notice->setObjectName(QStringLiteral("notice"));
        m_notice->setAttribute(Qt::WA_TransparentForMouseEvents);
        m_notice->setStyleSheet(QStringLiteral("#notice { background: rgba(255, 255, 255, 170); }"
                                               "QLabel { background: white; color: #a00000; font-weight: bold; "
                                               "border: 2px solid #a00000; padding: 12px; }"));
        auto* label = new QLabel(m_notice);
        label->setObjectName(QStringLiteral("lblNotice"));
        label->setWordWrap(true);
        label->setAlignment(Qt::AlignCenter);
        auto* layout = new QVBoxLayout(m_notice);
        layout->setContentsMargins(24, 24, 24, 24);
        layout->addWidget(label, 0, Qt::AlignCenter);
    }
    auto* label = m_notice->findChild<QLabel*>();
    label->setText(text);
    label->setMaximumWidth(qMax(200, width() * 4 / 5));
    m_notice->setGeometry(contentsRect());
    m_notice->show();
    m_notice->raise();
}

QString ToolWindow::notice() const
{
    return m_notice && !m_notice->isHidden() ? m_notice->findChild<QLabel*>()->text() : QString();
}

void ToolWindow::resizeEvent(QResizeEvent* event)
{
    QMdiSubWindow::resizeEvent(event);
    if (m_notice) {
        m_notice->setGeometry(contentsRect());
        m_notice->findChild<QLabel*>()->setMaximumWidth(qMax(200, width() * 4 / 5));
    }
}

void ToolWindow::activateWindow()
{
    if (isMinimized())
        showNormal();
    else
        show();
    raise();
    if (QMdiArea* area = mdiArea())
        area->setActiveSubWindow(this);
    setFocus();
    QMdiSubWindow::activateWindow();
}

void ToolWindow::hide()
{
    QMdiSubWindow::hide();
}

void ToolWindow::showEvent(QShowEvent* event)
{
    QMdiSubWindow::showEvent(event);
    m_shown = true;
    if (m_closeAfterShow) {
        m_closeAfterShow = false;
        close();
    }
}

void ToolWindow::hideEvent(QHideEvent* event)
{
    m_shown = false;
    QMdiSubWindow::hideEvent(event);
    // A minimised main window hides its children spontaneously; they stay active.
    if (!event->spontaneous())
        deactivate();
}

void ToolWindow::closeEvent(QCloseEvent* event)
{
    // The window's children are shown before the window gets its own show event; a close
    // in between comes from the tool's first show.
    if (isVisible() && !m_shown) {
        m_closeAfterShow = true;
        event->ignore();
        return;
    }
    // The base class would close the tool widget as well, which would keep it hidden the
    // next time the window is shown.
    event->accept();
}

void ToolWindow::changeEvent(QEvent* event)
{
    QMdiSubWindow::changeEvent(event);
    if (event->type() == QEvent::ParentChange)
        watchArea();
}

// An area that becomes visible activates its current window, hidden or not. A hidden window
// must not be the active one: it would take the keyboard focus and hide the real one.
void ToolWindow::watchArea()
{
    QMdiArea* area = mdiArea();
    if (area == m_area)
        return;
    if (m_area)
        disconnect(m_area, &QMdiArea::subWindowActivated, this, nullptr);
    m_area = area;
    if (!area)
        return;
    connect(area, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow* window) {
        if (window == this && isHidden())
            deactivate();
    });
}

void ToolWindow::deactivate()
{
    QMdiArea* area = mdiArea();
    if (area && area->activeSubWindow() == this)
        area->setActiveSubWindow(nullptr);
}
