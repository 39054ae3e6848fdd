#include "gui_test_support.h"
#include "resource.h"

#include <QScreen>
#include <QTest>

namespace {

constexpr QRgb kGrey = qRgb(204, 204, 204);
constexpr QRgb kBlue = qRgb(0, 0, 255);
constexpr QRgb kAmber = qRgb(181, 118, 0);

// Where a screen's texts start: from the top-left corner, or from the centre
// of the client area.
struct TextOrigin {
    bool centred;
    int x;
    int y;
};

QPoint Resolve(const TextOrigin& origin, const QSize& client)
{
    return origin.centred ? QPoint(client.width() / 2 + origin.x, client.height() / 2 + origin.y)
                          : QPoint(origin.x, origin.y);
}

QPoint CreditOrigin(const QSize& client)
{
    return {client.width() - 200, client.height() - 40};
}

}  // namespace

Q_DECLARE_METATYPE(TextOrigin)

class MainWindowTest : public QObject {
    Q_OBJECT

private slots:
    void init() { StartProgram(); }
    void cleanup() { QCOMPARE(EndProgram(), 0); }

    void opensAt800x600WithTitleIconAndMenu()
    {
        QMainWindow* window = MainWidget();
        QVERIFY(window);
        QTRY_VERIFY(window->isVisible());
        QCOMPARE(window->frameGeometry(), QRect(0, 0, 800, 600));
        QCOMPARE(window->windowTitle(), QString("Reduce Flightplans File"));
        QVERIFY(window->windowIcon().availableSizes().contains(QSize(33, 36)));

        const QList<QAction*> actions = window->menuBar()->actions();
        QCOMPARE(actions.size(), 3);
        const QStringList texts = {"&Start", "&Info", "&Close"};
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(actions[i]->text(), texts[i]);
            QCOMPARE(actions[i]->data().toUInt(), static_cast<UINT>(ID_CMD_START + i));
            QVERIFY(!actions[i]->menu());
        }
        QCOMPARE(ClientWidget()->frameShadow(), QFrame::Sunken);
    }

    void infoKeyShowsTheInformationPage()
    {
        QTRY_VERIFY(MainWidget()->isActiveWindow());
        QTest::keyClick(MainWidget(), Qt::Key_I, Qt::AltModifier);
        QCOMPARE(g_screen, static_cast<int>(SCREEN_INFO));
    }

    void paintsEachScreen_data()
    {
        QTest::addColumn<int>("screen");
        QTest::addColumn<QRgb>("background");
        QTest::addColumn<QList<TextOrigin>>("texts");
        QTest::addColumn<bool>("credit");
        QTest::newRow("welcome") << int(SCREEN_WELCOME) << kGrey
                                 << QList<TextOrigin>{{false, 50, 50}, {true, -300, -120}, {true, -300, -80},
                                                      {true, -300, 0}, {true, -300, 40}}
                                 << true;
        QTest::newRow("choose file") << int(SCREEN_CHOOSE_FILE) << kGrey << QList<TextOrigin>{{false, 50, 50}} << true;
        QTest::newRow("done") << int(SCREEN_DONE) << kGrey
                              << QList<TextOrigin>{{false, 50, 50}, {true, -260, -60}, {true, -260, -20}} << true;
        QTest::newRow("failed") << int(SCREEN_FAILED) << kGrey
                                << QList<TextOrigin>{{false, 50, 50}, {true, -180, -60}} << true;
        QTest::newRow("parameters") << int(SCREEN_PARAMETERS) << kBlue << QList<TextOrigin>{} << false;
        QList<TextOrigin> information;
        for (int y = -260; y <= 200; y += y == -260 ? 60 : 40)
            information.append({true, -320, y});
        QTest::newRow("information") << int(SCREEN_INFO) << kAmber << information << true;
    }

    void paintsEachScreen()
    {
        QFETCH(int, screen);
        QFETCH(QRgb, background);
        QFETCH(QList<TextOrigin>, texts);
        QFETCH(bool, credit);
        g_outputFileName = "/traffic/plans_30%_.txt";
        QVERIFY(ShowScreenAndWait(screen, background));
        const QImage image = ShownClientImage();
        const QSize client = image.size();

        for (const QPoint sample : {QPoint(client.width() - 5, 5), QPoint(5, client.height() - 5), QPoint(20, 20)})
            QCOMPARE(image.pixel(sample), background);
        if (!credit)
            QVERIFY(!HasInk(image, image.rect()));

        QList<QPoint> origins;
        for (const TextOrigin& text : texts)
            origins.append(Resolve(text, client));
        if (credit)
            origins.append(CreditOrigin(client));
        for (const QPoint origin : origins) {
            const QString where = QString("text at %1,%2").arg(origin.x()).arg(origin.y());
            QVERIFY2(HasInk(image, QRect(origin, QSize(60, 20))), qPrintable(where + " is missing"));
            QVERIFY2(!HasInk(image, QRect(origin - QPoint(8, 8), QSize(68, 8))), qPrintable(where + " starts too high"));
            QVERIFY2(!HasInk(image, QRect(origin - QPoint(8, 0), QSize(8, 20))), qPrintable(where + " starts too far left"));
        }
    }

    void resetsAnUnknownScreenToWelcome()
    {
        QVERIFY(ShowScreenAndWait(SCREEN_PARAMETERS, kBlue));
        g_screen = 9;
        AfxGetMainWnd()->Invalidate(TRUE);
        QTRY_VERIFY(HasInk(ShownClientImage(), QRect(50, 50, 60, 20)));
        QCOMPARE(g_screen, static_cast<int>(SCREEN_WELCOME));
        QCOMPARE(ShownClientImage().pixel(20, 20), kGrey);
    }

    void repaintsEverythingWhenEnlarged()
    {
        QMainWindow* window = MainWidget();
        QTRY_VERIFY(window->isVisible());
        window->resize(600, 450);
        QTRY_COMPARE(window->size(), QSize(600, 450));
        QVERIFY(QTest::qWaitForWindowExposed(window));
        const QPoint oldOrigin = ClientWidget()->mapTo(window, QPoint(ClientWidget()->contentsRect().width() / 2 - 300,
                                                                        ClientWidget()->contentsRect().height() / 2 - 120));
        window->resize(800, 600);
        QTRY_COMPARE(window->size(), QSize(800, 600));
        const QPoint newOrigin = ClientWidget()->mapTo(window, QPoint(ClientWidget()->contentsRect().width() / 2 - 300,
                                                                        ClientWidget()->contentsRect().height() / 2 - 120));
        QImage shown;
        QTRY_VERIFY((shown = window->screen()->grabWindow(window->winId()).toImage(),
                     HasInk(shown, QRect(newOrigin, QSize(60, 20)))));
        QVERIFY2(!HasInk(shown, QRect(oldOrigin - QPoint(8, 8), QSize(20, 8))), "stale text above the new one");
        QVERIFY2(!HasInk(shown, QRect(oldOrigin - QPoint(8, 0), QSize(8, 20))), "stale text left of the new one");
    }

    void closeBoxEndsWithoutAsking()
    {
        QTRY_VERIFY(MainWidget()->isVisible());
        bool asked = false;
        WhenModal([](QWidget*) { return true; }, [&asked](QWidget* modal) {
            asked = true;
            modal->close();
        });
        MainWidget()->close();
        QTRY_VERIFY(!AfxGetMainWnd());
        QVERIFY(!asked);
        QCOMPARE(EndProgram(), 1);
    }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
