#include "qt_backend.h"

#include <QApplication>
#include <QFile>
#include <QScreen>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <map>

namespace {

bool g_messageLoopRunning = false;

constexpr const char* kResourceFolder = ":/res/";
constexpr const char* kResourceScript = "app.rc";

QString ResourcePath(const std::string& fileName)
{
    return QString(kResourceFolder) + QString::fromStdString(fileName);
}

std::optional<std::string> ReadResourceFile(const std::string& fileName)
{
    QFile file(ResourcePath(fileName));
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return file.readAll().toStdString();
}

std::map<std::string, WindowClassInfo>& WindowClasses()
{
    static std::map<std::string, WindowClassInfo> classes;
    return classes;
}

void ExplainMissingDisplay(const char* what, const char* program)
{
    std::fprintf(stderr, "Orvanta cannot show its window: %s. Start it on a desktop, or under a virtual display: xvfb-run %s\n",
                 what, program);
}

// Qt ends the process when it cannot reach the window system; say why in one
// line instead of aborting. Its own warnings on the way there say the same.
void ReportMissingDisplay(QtMsgType type, const QMessageLogContext&, const QString&)
{
    if (type == QtFatalMsg) {
        ExplainMissingDisplay("the display could not be opened", qPrintable(QCoreApplication::applicationFilePath()));
        std::_Exit(1);
    }
}

bool HasDisplay()
{
    const auto set = [](const char* name) { return std::getenv(name) && *std::getenv(name); };
    return set("QT_QPA_PLATFORM") || set("DISPLAY") || set("WAYLAND_DISPLAY");
}

}  // namespace

int CWinApp::Run()
{
    if (m_pMainWnd) {
        g_messageLoopRunning = true;
        QApplication::exec();
        g_messageLoopRunning = false;
    }
    return ExitInstance();
}

void AfxEndMessageLoop()
{
    // Qt remembers a quit asked for outside its loop and would end every
    // later modal loop at once; only a running loop may be told to end.
    if (g_messageLoopRunning)
        QCoreApplication::exit(0);
}

HCURSOR CWinApp::LoadStandardCursor(LPCTSTR lpszCursorName) const
{
    static CursorObject arrow{Qt::ArrowCursor};
    return lpszCursorName == IDC_ARROW ? &arrow : nullptr;
}

HICON CWinApp::LoadIcon(UINT nIDResource) const
{
    static std::map<UINT, std::unique_ptr<IconObject>> icons;
    if (auto loaded = icons.find(nIDResource); loaded != icons.end())
        return loaded->second.get();
    const auto& files = AfxGetResourceScript().icons;
    const auto file = files.find(static_cast<int>(nIDResource));
    if (file == files.end())
        return nullptr;
    auto icon = std::make_unique<IconObject>(IconObject{QIcon(ResourcePath(file->second))});
    return (icons[nIDResource] = std::move(icon)).get();
}

LPCTSTR AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor, HBRUSH hbrBackground, HICON hIcon)
{
    char name[96];
    std::snprintf(name, sizeof name, "Afx:%x:%p:%p:%p", nClassStyle, static_cast<void*>(hCursor),
                  static_cast<void*>(hbrBackground), static_cast<void*>(hIcon));
    const auto entry = WindowClasses().try_emplace(name, WindowClassInfo{nClassStyle, hCursor, hbrBackground, hIcon});
    return entry.first->first.c_str();
}

const WindowClassInfo* FindWindowClass(LPCTSTR name)
{
    const auto found = WindowClasses().find(name);
    return found == WindowClasses().end() ? nullptr : &found->second;
}

CWaitCursor::CWaitCursor()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

CWaitCursor::~CWaitCursor()
{
    QApplication::restoreOverrideCursor();
}

int GetSystemMetrics(int nIndex)
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return 0;
    switch (nIndex) {
    case SM_CXSCREEN:
        return screen->geometry().width();
    case SM_CYSCREEN:
        return screen->geometry().height();
    default:
        return 0;
    }
}

const ResourceScript& AfxGetResourceScript()
{
    static const ResourceScript script = [] {
        const std::optional<std::string> text = ReadResourceFile(kResourceScript);
        if (!text) {
            std::fprintf(stderr, "The program's resource script is missing.\n");
            return ResourceScript{};
        }
        ResourceScriptResult result = ParseResourceScript(*text, ReadResourceFile);
        if (!result.error.empty())
            std::fprintf(stderr, "The program's resource script cannot be read: %s\n", result.error.c_str());
        return std::move(result.script);
    }();
    return script;
}

int AfxWinMain(int argc, char* argv[])
{
    if (!HasDisplay()) {
        ExplainMissingDisplay("no desktop was found (DISPLAY and WAYLAND_DISPLAY are not set)",
                              argc > 0 ? argv[0] : "orvanta");
        return 1;
    }
    // A write that meets a file-size limit or a closed pipe must fail as an
    // error that the run reports, not end the program with its work half done.
    std::signal(SIGPIPE, SIG_IGN);
    std::signal(SIGXFSZ, SIG_IGN);
    qInstallMessageHandler(ReportMissingDisplay);
    QApplication application(argc, argv);
    qInstallMessageHandler(nullptr);
    QApplication::setQuitOnLastWindowClosed(false);

    CWinApp* app = AfxGetApp();
    if (!app)
        return 1;
    if (!app->InitInstance())
        return app->ExitInstance();
    return app->Run();
}
