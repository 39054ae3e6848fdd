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
#include <QScreen>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <functional>
#include <utility>

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

// The client area as the user sees it now: what the window last handed to
// the screen, without painting anything anew. Wait for it with QTRY_*, so
// that the event loop runs the paints a command asked for.
inline QImage ShownClientImage()
{
    QFrame* client = ClientWidget();
    QWidget* window = client->window();
    const QRect area(client->mapTo(window, client->contentsRect().topLeft()), client->contentsRect().size());
    return window->screen()->grabWindow(window->winId(), area.x(), area.y(), area.width(), area.height()).toImage();
}

// Sets the screen as the command handlers do and waits until it is shown.
// Each screen is reached from one of another colour, so that the wait cannot
// end on what was shown before.
inline bool ShowScreenAndWait(int screen, QRgb background)
{
    const int other = screen == SCREEN_PARAMETERS ? SCREEN_INFO : SCREEN_PARAMETERS;
    const QRgb otherBackground = screen == SCREEN_PARAMETERS ? qRgb(181, 118, 0) : qRgb(0, 0, 255);
    for (const auto& [next, colour] : {std::pair{other, otherBackground}, std::pair{screen, background}}) {
        g_screen = next;
        AfxGetMainWnd()->Invalidate(TRUE);
        if (!QTest::qWaitFor([colour = colour] { return ShownClientImage().pixel(20, 20) == colour; }))
            return false;
    }
    return true;
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
            // A failed check inside the answer must not leave the dialog open
            // and the test waiting on it.
            if (auto* dialog = qobject_cast<QDialog*>(modal); dialog && dialog->isVisible() && QTest::currentTestFailed())
                dialog->reject();
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
