// The main window and the Close question under a real window manager on a
// virtual X display, where frames and titles are the manager's to draw.
#include "gui_test_support.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QProcess>
#include <QTest>
#include <QWindow>

namespace {

// The title the window manager is asked to show for a window.
QString TitleShownFor(QWidget* widget)
{
    QProcess xprop;
    xprop.start("xprop", {"-id", QString::number(widget->winId()), "_NET_WM_NAME"});
    xprop.waitForFinished(10000);
    return QString::fromUtf8(xprop.readAllStandardOutput()).trimmed();
}

}  // namespace

class WindowManagerTest : public QObject {
    Q_OBJECT

private slots:
    void init() { StartProgram(); }
    void cleanup() { QCOMPARE(EndProgram(), 0); }

    void outerFrameIs800x600AtTheTopLeft()
    {
        QMainWindow* window = MainWidget();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        QTRY_VERIFY_WITH_TIMEOUT(!window->windowHandle()->frameMargins().isNull(), 10000);
        QTRY_COMPARE(window->frameGeometry(), QRect(0, 0, 800, 600));
    }

    void closeQuestionHasAnEmptyTitle()
    {
        QString shown = "unread";
        WhenModal(ModalOfType<QMessageBox>(), [&](QWidget* modal) {
            QTRY_VERIFY(QTest::qWaitForWindowExposed(modal));
            shown = TitleShownFor(modal);
            qobject_cast<QMessageBox*>(modal)->button(QMessageBox::Cancel)->click();
        });
        AfxGetMainWnd()->SendMessage(WM_COMMAND, 40003);
        QCOMPARE(shown, QString("_NET_WM_NAME(UTF8_STRING) ="));
        QVERIFY(AfxGetMainWnd());
    }
};

QTEST_MAIN(WindowManagerTest)
#include "window_manager_test.moc"
