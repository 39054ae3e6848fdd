// Helpers for driving Orvanta's real widgets offscreen.
#pragma once

#include "app_state.h"
#include "main_app.h"
#include "qt_backend.h"

#include <QApplication>
#include <QDialog>
#include <QFrame>
#include <QImage>
#include <QMainWindow>
#include <QMenuBar>
#include <QTimer>

#include <algorithm>
#include <functional>

inline QMainWindow* MainWidget()
{
    CWnd* main = AfxGetMainWnd();
    return main && main->GetPeer() ? qobject_cast<QMainWindow*>(main->GetPeer()->widget.data()) : nullptr;
}

// The frame's client area, where the screens are painted.
inline QFrame* ClientWidget()
{
    CWnd* main = AfxGetMainWnd();
    return main && main->GetPeer() ? qobject_cast<QFrame*>(main->GetPeer()->paintSurface.data()) : nullptr;
}

// The client area as painted now, in client coordinates.
inline QImage ClientImage()
{
    QFrame* client = ClientWidget();
    return client->grab(client->contentsRect()).toImage();
}

inline QAction* MenuAction(UINT id)
{
    for (QAction* action : MainWidget()->menuBar()->actions()) {
        if (action->data().toUInt() == id)
            return action;
    }
    return nullptr;
}

// Whether any near-black pixel shows in the area: the screens paint black
// text on grey, blue or amber.
inline bool HasInk(const QImage& image, const QRect& area)
{
    const QRect clipped = area.intersected(image.rect());
    for (int y = clipped.top(); y <= clipped.bottom(); ++y) {
        for (int x = clipped.left(); x <= clipped.right(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            if (std::max({qRed(pixel), qGreen(pixel), qBlue(pixel)}) < 90)
                return true;
        }
    }
    return false;
}

// The answers to dialogs that have not shown up yet.
inline QList<QPointer<QTimer>>& PendingModalHandlers()
{
    static QList<QPointer<QTimer>> timers;
    return timers;
}

// Calls `action` from the event loop as soon as a visible modal window that
// `matches` is up; meant to answer a dialog that a call about to be made opens.
inline void WhenModal(std::function<bool(QWidget*)> matches, std::function<void(QWidget*)> action)
{
    auto* timer = new QTimer(qApp);
    PendingModalHandlers().append(timer);
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, matches, action] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal && modal->isVisible() && matches(modal)) {
            timer->stop();
            timer->deleteLater();
            action(modal);
        }
    });
    timer->start();
}

inline std::function<bool(QWidget*)> TitledModal(const QString& title)
{
    return [title](QWidget* widget) { return widget->windowTitle() == title; };
}

template <typename T>
std::function<bool(QWidget*)> ModalOfType()
{
    return [](QWidget* widget) { return qobject_cast<T*>(widget) != nullptr; };
}

// Opens a fresh main window as the program does at start.
inline void StartProgram()
{
    g_screen = SCREEN_WELCOME;
    g_inputPath.clear();
    g_outputFileName.clear();
    if (!AfxGetMainWnd())
        theApp.InitInstance();
}

// Closes the main window and tells how many expected dialogs never showed up.
inline int EndProgram()
{
    if (CWnd* main = AfxGetMainWnd())
        main->DestroyWindow();
    int unanswered = 0;
    for (const QPointer<QTimer>& timer : PendingModalHandlers()) {
        if (timer && timer->isActive())
            ++unanswered;
        delete timer;
    }
    PendingModalHandlers().clear();
    return unanswered;
}
