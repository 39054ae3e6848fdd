#include "gui_test_support.h"
#include "parameter_dlg.h"
#include "resource.h"
#include "scratch_directory.h"

#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTest>

#include <filesystem>

namespace {

const std::string kPlan25 = "AC#1,D-ABCD,25%,WEEK,IFR,0/08:00:00,@0/09:00:00,350,F,123,EDDF";
const std::string kPlan40 = "AC#2,D-ABCE,40%,WEEK,IFR,0/08:00:00,@0/09:00:00,350,F,124,EDDF";
const std::string kPlanVfr = "AC#3,D-EFGH,10%,WEEK,VFR,0/10:00:00,@0/11:00:00,45,F,125,EDDM";

template <typename T>
T* Control(QWidget* dialog, int id)
{
    for (QWidget* child : dialog->findChildren<QWidget*>()) {
        CWnd* owner = OwnerOf(child);
        if (owner && owner->GetPeer() && owner->GetPeer()->controlId == id)
            return qobject_cast<T*>(child);
    }
    return nullptr;
}

// Pastes a full path into the open-file dialog's name field and confirms it
// with Enter; typed key by key, each "/" would navigate into a folder.
void ChooseFile(QWidget* modal, const std::string& path)
{
    auto* name = modal->findChild<QLineEdit*>("fileNameEdit");
    name->setText(QString::fromStdString(path));
    QTest::keyClick(name, Qt::Key_Return);
}

// Replaces an edit control's text the way a user does: select all, then
// type, or paste what the test keyboard cannot type.
void Retype(QLineEdit* edit, const QString& text)
{
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(edit, Qt::Key_Delete);
    bool typeable = true;
    for (const QChar c : text)
        typeable = typeable && c.unicode() >= 32 && c.unicode() < 128;
    if (typeable)
        QTest::keyClicks(edit, text);
    else
        edit->insert(text);
}

void StartFromTheMenu()
{
    QTRY_VERIFY(MainWidget()->isActiveWindow());
    QTest::keyClick(MainWidget(), Qt::Key_S, Qt::AltModifier);
}

}  // namespace

class CommandsTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<ScratchDirectory> m_dir;
    std::string m_input;

private slots:
    void init()
    {
        StartProgram();
        m_dir = std::make_unique<ScratchDirectory>();
        m_input = m_dir->Write("plans.txt", kPlan25 + "\r\n" + kPlan40 + "\r\n" + kPlanVfr + "\r\n");
    }
    void cleanup()
    {
        m_dir.reset();
        QCOMPARE(EndProgram(), 0);
    }

    void wholeReduceFromTheMenu()
    {
        bool sawBlueBackdrop = false;
        WhenModal(ModalOfType<QFileDialog>(), [&](QWidget* modal) {
            QCOMPARE(g_screen, static_cast<int>(SCREEN_CHOOSE_FILE));
            QCOMPARE(qobject_cast<QFileDialog*>(modal)->nameFilters(), QStringList{"TextFiles (*.txt)"});
            WhenModal(TitledModal("Parameter"), [&](QWidget* dialog) {
                sawBlueBackdrop = g_screen == SCREEN_PARAMETERS;
                Retype(Control<QLineEdit>(dialog, IDC_PERCENTAGE), "25");
                Retype(Control<QLineEdit>(dialog, IDC_AIRPORT), "eddf");
                auto* type = Control<QListWidget>(dialog, IDC_TYPE_LIST);
                type->setFocus();
                QTest::keyClick(type, Qt::Key_Down);
                QTest::mouseClick(Control<QPushButton>(dialog, IDOK), Qt::LeftButton);
            });
            ChooseFile(modal, m_input);
        });
        StartFromTheMenu();

        QVERIFY(sawBlueBackdrop);
        QCOMPARE(g_screen, static_cast<int>(SCREEN_DONE));
        const std::string output = m_dir->PathOf("plans_25%_EDDF_IFR.txt");
        QCOMPARE(g_inputPath, m_input);
        QCOMPARE(g_outputFileName, output);
        QCOMPARE(ScratchDirectory::Read(output), kPlan25 + "\r\n");
        const QSize client = ClientWidget()->contentsRect().size();
        const QPoint nameLine(client.width() / 2 - 260, client.height() / 2 - 20);
        QTRY_VERIFY(HasInk(ShownClientImage(), QRect(nameLine, QSize(60, 20))));
    }

    void enterRunsAtOnceWithTheDefaults()
    {
        WhenModal(ModalOfType<QFileDialog>(), [&](QWidget* modal) {
            WhenModal(TitledModal("Parameter"), [](QWidget* dialog) { QTest::keyClick(dialog, Qt::Key_Return); });
            ChooseFile(modal, m_input);
        });
        StartFromTheMenu();
        QCOMPARE(g_screen, static_cast<int>(SCREEN_DONE));
        QCOMPARE(ScratchDirectory::Read(m_dir->PathOf("plans_30%_.txt")), kPlan25 + "\r\n" + kPlanVfr + "\r\n");
    }

    void entriesAreCutToTheirLimits_data()
    {
        QTest::addColumn<QString>("percentage");
        QTest::addColumn<QString>("airport");
        QTest::addColumn<QString>("outputName");
        QTest::newRow("long percentage") << "1000" << "#" << "plans_100%_.txt";
        QTest::newRow("long airport") << "30" << "KJFKX" << "plans_30%_KJFK.txt";
        QTest::newRow("multi-byte airport") << "30" << "\u00e4\u00f6\u00fc\u00dfx" << "plans_30%_\u00e4\u00f6\u00fc\u00df.txt";
        QTest::newRow("empty airport") << "30" << "" << "plans_30%_.txt";
    }

    void entriesAreCutToTheirLimits()
    {
        QFETCH(QString, percentage);
        QFETCH(QString, airport);
        QFETCH(QString, outputName);
        WhenModal(ModalOfType<QFileDialog>(), [&](QWidget* modal) {
            WhenModal(TitledModal("Parameter"), [&](QWidget* dialog) {
                Retype(Control<QLineEdit>(dialog, IDC_PERCENTAGE), percentage);
                Retype(Control<QLineEdit>(dialog, IDC_AIRPORT), airport);
                QTest::keyClick(dialog, Qt::Key_Return);
            });
            ChooseFile(modal, m_input);
        });
        StartFromTheMenu();
        QCOMPARE(g_screen, static_cast<int>(SCREEN_DONE));
        QCOMPARE(QString::fromStdString(g_outputFileName), QString::fromStdString(m_dir->PathOf(outputName.toStdString())));
        QVERIFY(std::filesystem::exists(g_outputFileName));
    }

    void cancellingEitherDialogShowsTheFailureScreen_data()
    {
        QTest::addColumn<int>("how");
        QTest::newRow("file dialog") << 0;
        QTest::newRow("Abbrechen") << 1;
        QTest::newRow("Esc") << 2;
        QTest::newRow("close box") << 3;
    }

    void cancellingEitherDialogShowsTheFailureScreen()
    {
        QFETCH(int, how);
        g_outputFileName = "earlier";
        WhenModal(ModalOfType<QFileDialog>(), [&](QWidget* modal) {
            if (how == 0) {
                QTest::keyClick(modal, Qt::Key_Escape);
                return;
            }
            WhenModal(TitledModal("Parameter"), [&](QWidget* dialog) {
                if (how == 1)
                    QTest::mouseClick(Control<QPushButton>(dialog, IDCANCEL), Qt::LeftButton);
                else if (how == 2)
                    QTest::keyClick(dialog, Qt::Key_Escape);
                else
                    dialog->close();
            });
            ChooseFile(modal, m_input);
        });
        StartFromTheMenu();
        QCOMPARE(g_screen, static_cast<int>(SCREEN_FAILED));
        QCOMPARE(g_outputFileName, std::string("earlier"));
        QVERIFY(!std::filesystem::exists(m_dir->PathOf("plans_30%_.txt")));
    }

    void missingTypedFileShowsTheFailureScreen()
    {
        const std::string missing = m_dir->PathOf("missing.txt");
        WhenModal(ModalOfType<QFileDialog>(), [&](QWidget* modal) {
            WhenModal(TitledModal("Parameter"), [](QWidget* dialog) { QTest::keyClick(dialog, Qt::Key_Return); });
            ChooseFile(modal, missing);
        });
        StartFromTheMenu();
        QCOMPARE(g_inputPath, missing);
        QCOMPARE(g_screen, static_cast<int>(SCREEN_FAILED));
        QVERIFY(!std::filesystem::exists(m_dir->PathOf("missing_30%_.txt")));
    }

    void parameterDialogOpensWithItsDefaults()
    {
        CParameterDlg dialog;
        INT_PTR result = 0;
        WhenModal(TitledModal("Parameter"), [&](QWidget* modal) {
            QCOMPARE(Control<QLineEdit>(modal, IDC_PERCENTAGE)->text(), QString("30"));
            QCOMPARE(Control<QLineEdit>(modal, IDC_AIRPORT)->text(), QString("#"));
            auto* ok = Control<QPushButton>(modal, IDOK);
            QVERIFY(ok->isDefault());
            QCOMPARE(QApplication::focusWidget(), ok);
            QCOMPARE(Control<QPushButton>(modal, IDCANCEL)->text(), QString("Abbrechen"));
            QCOMPARE(modal->findChildren<QLabel*>().size(), 3);

            auto* type = Control<QListWidget>(modal, IDC_TYPE_LIST);
            QStringList entries;
            for (int row = 0; row < type->count(); ++row)
                entries << type->item(row)->text();
            QCOMPARE(entries, (QStringList{"#", "IFR", "VFR"}));
            QCOMPARE(dialog.SendDlgItemMessage(IDC_TYPE_LIST, LB_GETCURSEL), 0);
            QVERIFY(type->height() < 2 * type->sizeHintForRow(0));
            type->setFocus();
            const QStringList steps = {"IFR", "VFR", "VFR"};
            for (const QString& expected : steps) {
                QTest::keyClick(type, Qt::Key_Down);
                QCOMPARE(type->currentItem()->text(), expected);
                QVERIFY(type->visualItemRect(type->currentItem()).intersects(type->viewport()->rect()));
            }
            QTest::keyClick(type, Qt::Key_Up);
            QCOMPARE(type->currentItem()->text(), QString("IFR"));

            // The scroll arrows step the view one entry at a time.
            QScrollBar* bar = type->verticalScrollBar();
            QVERIFY(bar->isVisible());
            bar->setValue(0);
            QStyleOptionSlider arrows;
            arrows.initFrom(bar);
            arrows.orientation = Qt::Vertical;
            arrows.minimum = bar->minimum();
            arrows.maximum = bar->maximum();
            arrows.sliderPosition = arrows.sliderValue = bar->value();
            arrows.singleStep = bar->singleStep();
            arrows.pageStep = bar->pageStep();
            const QRect down = bar->style()->subControlRect(QStyle::CC_ScrollBar, &arrows, QStyle::SC_ScrollBarAddLine, bar);
            QTest::mouseClick(bar, Qt::LeftButton, {}, down.center());
            QCOMPARE(type->itemAt(2, 2)->text(), QString("IFR"));

            // Centred over the main window, sized from its template in dialog units.
            const QPoint offCentre = modal->frameGeometry().center() - MainWidget()->frameGeometry().center();
            QVERIFY(offCentre.manhattanLength() <= 2);
            const QFontMetrics metrics(modal->font());
            const int baseX = (metrics.horizontalAdvance("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz") / 26 + 1) / 2;
            QCOMPARE(modal->width(), (185 * baseX + 2) / 4);
            QCOMPARE(ok->x(), (35 * baseX + 2) / 4);
            QCOMPARE(ok->y(), (92 * metrics.height() + 4) / 8);
            QTest::keyClick(modal, Qt::Key_Escape);
        });
        result = dialog.DoModal();
        QCOMPARE(result, static_cast<INT_PTR>(IDCANCEL));
    }

    void typeListAlwaysKeepsAnEntrySelected()
    {
        CParameterDlg dialog;
        WhenModal(TitledModal("Parameter"), [&](QWidget* modal) {
            auto* type = Control<QListWidget>(modal, IDC_TYPE_LIST);
            const QPoint selected = type->visualItemRect(type->item(0)).center();
            QTest::mouseClick(type->viewport(), Qt::LeftButton, Qt::ControlModifier, selected);
            QCOMPARE(dialog.SendDlgItemMessage(IDC_TYPE_LIST, LB_GETCURSEL), 0);
            type->setFocus();
            QTest::keyClick(type, Qt::Key_Space, Qt::ControlModifier);
            QCOMPARE(dialog.SendDlgItemMessage(IDC_TYPE_LIST, LB_GETCURSEL), 0);
            QTest::keyClick(type, Qt::Key_Down);
            QTest::keyClick(type, Qt::Key_Space, Qt::ControlModifier);
            QCOMPARE(dialog.SendDlgItemMessage(IDC_TYPE_LIST, LB_GETCURSEL), 1);
            QTest::keyClick(modal, Qt::Key_Escape);
        });
        QCOMPARE(dialog.DoModal(), static_cast<INT_PTR>(IDCANCEL));
    }

    void textsEndAtAPastedNul()
    {
        WhenModal(ModalOfType<QFileDialog>(), [&](QWidget* modal) {
            WhenModal(TitledModal("Parameter"), [&](QWidget* dialog) {
                Retype(Control<QLineEdit>(dialog, IDC_PERCENTAGE), QString("10") + QChar(u'\0') + "0");
                QTest::keyClick(dialog, Qt::Key_Return);
            });
            ChooseFile(modal, m_input);
        });
        StartFromTheMenu();
        QCOMPARE(g_screen, static_cast<int>(SCREEN_DONE));
        QCOMPARE(g_outputFileName, m_dir->PathOf("plans_10%_.txt"));
        QCOMPARE(ScratchDirectory::Read(g_outputFileName), kPlanVfr + "\r\n");
    }

    void destroyingAModalDialogEndsIt()
    {
        CParameterDlg dialog;
        WhenModal(TitledModal("Parameter"), [&](QWidget*) { QVERIFY(dialog.DestroyWindow()); });
        QCOMPARE(dialog.DoModal(), static_cast<INT_PTR>(IDCANCEL));
        QVERIFY(!dialog.GetPeer());
    }

    void fileDialogReadsFilterStrings()
    {
        using Pairs = std::vector<std::pair<std::string, std::string>>;
        QCOMPARE(CFileDialog::ParseFilter("TextFiles (*.txt)|*.txt||"), (Pairs{{"TextFiles (*.txt)", "*.txt"}}));
        QCOMPARE(CFileDialog::ParseFilter("Plans|*.txt;*.dat|All|*.*||"),
                 (Pairs{{"Plans", "*.txt;*.dat"}, {"All", "*.*"}}));
        QCOMPARE(CFileDialog::ParseFilter("Plans|*.txt"), (Pairs{{"Plans", "*.txt"}}));
        QCOMPARE(CFileDialog::ParseFilter(""), Pairs{});
        QCOMPARE(CFileDialog::ParseFilter(nullptr), Pairs{});
    }

    void infoReplacesTheResultScreen()
    {
        g_screen = SCREEN_DONE;
        QTRY_VERIFY(MainWidget()->isActiveWindow());
        QTest::keyClick(MainWidget(), Qt::Key_I, Qt::AltModifier);
        QCOMPARE(g_screen, static_cast<int>(SCREEN_INFO));
        QTRY_COMPARE(ShownClientImage().pixel(5, 5), qRgb(181, 118, 0));
    }

    void closeAsksFirst_data()
    {
        QTest::addColumn<bool>("confirm");
        QTest::newRow("OK") << true;
        QTest::newRow("Cancel") << false;
    }

    void closeAsksFirst()
    {
        QFETCH(bool, confirm);
        QString question;
        QString title = "unset";
        WhenModal(ModalOfType<QMessageBox>(), [&](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            question = box->text();
            title = box->windowTitle();
            QCOMPARE(box->standardButtons(), QMessageBox::Ok | QMessageBox::Cancel);
            QCOMPARE(box->icon(), QMessageBox::NoIcon);
            QTest::mouseClick(box->button(confirm ? QMessageBox::Ok : QMessageBox::Cancel), Qt::LeftButton);
        });
        QTRY_VERIFY(MainWidget()->isActiveWindow());
        QTest::keyClick(MainWidget(), Qt::Key_C, Qt::AltModifier);
        QCOMPARE(question, QString("Programm beenden?"));
        QCOMPARE(title, QString());
        QCOMPARE(AfxGetMainWnd() == nullptr, confirm);
    }
};

QTEST_MAIN(CommandsTest)
#include "commands_test.moc"
