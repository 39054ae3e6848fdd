// Takes the pictures of README.md from the real program, offscreen: the main
// window, the "Parameter" dialog over its blue backdrop, and the result of a
// reduce of the example file. Usage: readme_pictures EXAMPLE_FILE OUTPUT_FOLDER
#include "gui_test_support.h"

#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QPainter>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace {

bool Save(QWidget* window, const QString& path)
{
    return window->grab().save(path);
}

}  // namespace

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: readme_pictures EXAMPLE_FILE OUTPUT_FOLDER\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[2]);
    // A folder of the user's own, so that the result names a path like theirs.
    const char* home = std::getenv("HOME");
    const std::filesystem::path work = std::filesystem::path(home ? home : ".") / "Flugsimulator-Beispiel";
    if (!std::filesystem::create_directory(work)) {
        std::fprintf(stderr, "%s is in the way; move it and try again\n", work.string().c_str());
        return 1;
    }
    const std::string input = (work / "flightplans.txt").string();
    std::filesystem::copy_file(argv[1], input, std::filesystem::copy_options::overwrite_existing);

    StartProgram();
    bool saved = Save(MainWidget(), folder + "/main-window.png");

    WhenModal(ModalOfType<QFileDialog>(), [&](QWidget* fileDialog) {
        WhenModal(TitledModal("Parameter"), [&](QWidget* dialog) {
            // The dialog over the main window, as the user sees it.
            QPixmap picture = MainWidget()->grab();
            QPainter painter(&picture);
            painter.drawPixmap(dialog->frameGeometry().topLeft() - MainWidget()->frameGeometry().topLeft(),
                               dialog->grab());
            painter.end();
            saved = picture.save(folder + "/parameter-dialog.png") && saved;
            QMetaObject::invokeMethod(dialog, "accept");
        });
        auto* name = fileDialog->findChild<QLineEdit*>("fileNameEdit");
        name->setText(QString::fromStdString(input));
        QMetaObject::invokeMethod(fileDialog, "accept");
    });
    AfxGetMainWnd()->SendMessage(WM_COMMAND, 40001);
    saved = Save(MainWidget(), folder + "/result.png") && saved;

    EndProgram();
    std::filesystem::remove_all(work);
    if (!saved)
        std::fprintf(stderr, "could not write the pictures to %s\n", argv[2]);
    return saved ? 0 : 1;
}
