// A test robot for the Windows build. It starts Orvanta.exe and drives it only
// through the Win32 API, as an assistive tool would: it finds windows, sends
// commands and keys, reads control texts and looks at the pixels on the
// screen. Every check prints one line; the exit status is the number of
// failed checks.
//   robot.exe ORVANTA_EXE WORK_FOLDER EXPECTED_OUTPUT [PICTURE_FOLDER]
//   robot.exe --start-and-close ORVANTA_EXE
// WORK_FOLDER holds flightplans.txt; EXPECTED_OUTPUT is what reducing it with
// 50, EDDF and IFR must write. With PICTURE_FOLDER the robot also saves the
// main window's screens there as BMP files.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

namespace {

int g_failures = 0;

void Check(bool condition, const std::string& what)
{
    std::printf("%s: %s\n", condition ? "ok" : "FAIL", what.c_str());
    std::fflush(stdout);
    g_failures += condition ? 0 : 1;
}

// Polls until the condition holds or ten seconds have passed.
bool WaitFor(const std::function<bool()>& condition)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

std::wstring Widen(const std::string& text)
{
    std::wstring wide(text.size(), L'\0');
    wide.resize(static_cast<std::size_t>(::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                                                wide.data(), static_cast<int>(wide.size()))));
    return wide;
}

std::string Narrow(const std::wstring& text)
{
    std::string narrow(text.size() * 3, '\0');
    narrow.resize(static_cast<std::size_t>(::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                                                  narrow.data(), static_cast<int>(narrow.size()),
                                                                  nullptr, nullptr)));
    return narrow;
}

std::string TextOf(HWND window)
{
    std::wstring text(static_cast<std::size_t>(::SendMessageW(window, WM_GETTEXTLENGTH, 0, 0)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        ::SendMessageW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()))));
    return Narrow(text);
}

std::string ClassOf(HWND window)
{
    wchar_t name[256] = {};
    ::GetClassNameW(window, name, 256);
    return Narrow(name);
}

void SetText(HWND window, const std::string& text)
{
    ::SendMessageW(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(Widen(text).c_str()));
}

std::vector<HWND> TopLevelWindowsOf(DWORD process)
{
    struct Search {
        DWORD process;
        std::vector<HWND> found;
    } search{process, {}};
    ::EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            auto* s = reinterpret_cast<Search*>(data);
            DWORD owner = 0;
            ::GetWindowThreadProcessId(window, &owner);
            if (owner == s->process && ::IsWindowVisible(window))
                s->found.push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::vector<HWND> DescendantsOf(HWND parent)
{
    std::vector<HWND> found;
    ::EnumChildWindows(
        parent,
        [](HWND window, LPARAM data) -> BOOL {
            reinterpret_cast<std::vector<HWND>*>(data)->push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

// The process's visible dialog (class #32770) with that title, waited for.
HWND WaitForDialog(DWORD process, const std::function<bool(const std::string&)>& titleMatches)
{
    HWND dialog = nullptr;
    WaitFor([&] {
        for (HWND window : TopLevelWindowsOf(process)) {
            if (ClassOf(window) == "#32770" && titleMatches(TextOf(window))) {
                dialog = window;
                return true;
            }
        }
        return false;
    });
    return dialog;
}

// What the screen shows of a window's client area.
class Picture {
public:
    explicit Picture(HWND window)
    {
        RECT client{};
        ::GetClientRect(window, &client);
        POINT origin{0, 0};
        ::ClientToScreen(window, &origin);
        Grab(origin.x, origin.y, client.right, client.bottom);
    }
    Picture(int x, int y, int width, int height) { Grab(x, y, width, height); }

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    COLORREF At(int x, int y) const
    {
        const std::uint32_t pixel = m_pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(m_width) + static_cast<std::size_t>(x)];
        return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
    }
    // Whether black text shows anywhere in the rectangle.
    bool HasInk(int left, int top, int width, int height) const
    {
        for (int y = std::max(top, 0); y < std::min(top + height, m_height); ++y) {
            for (int x = std::max(left, 0); x < std::min(left + width, m_width); ++x) {
                const COLORREF c = At(x, y);
                if (std::max({GetRValue(c), GetGValue(c), GetBValue(c)}) < 90)
                    return true;
            }
        }
        return false;
    }
    void SaveBitmap(const std::string& path) const
    {
        BITMAPFILEHEADER file{};
        BITMAPINFOHEADER info = Header();
        const auto bytes = static_cast<DWORD>(m_pixels.size() * 4);
        file.bfType = 0x4D42;
        file.bfOffBits = sizeof file + sizeof info;
        file.bfSize = file.bfOffBits + bytes;
        info.biHeight = m_height;  // bottom-up, as every reader expects
        std::ofstream out(std::filesystem::path(Widen(path)), std::ios::binary);
        out.write(reinterpret_cast<const char*>(&file), sizeof file);
        out.write(reinterpret_cast<const char*>(&info), sizeof info);
        // Opaque throughout: what GDI draws leaves the fourth byte 0, which
        // readers of 32-bit bitmaps may take for transparency.
        std::vector<std::uint32_t> row(static_cast<std::size_t>(m_width));
        for (int y = m_height - 1; y >= 0; --y) {
            for (int x = 0; x < m_width; ++x)
                row[static_cast<std::size_t>(x)] = m_pixels[static_cast<std::size_t>(y * m_width + x)] | 0xFF000000u;
            out.write(reinterpret_cast<const char*>(row.data()), m_width * 4);
        }
    }

private:
    BITMAPINFOHEADER Header() const
    {
        BITMAPINFOHEADER info{};
        info.biSize = sizeof info;
        info.biWidth = m_width;
        info.biHeight = -m_height;
        info.biPlanes = 1;
        info.biBitCount = 32;
        info.biCompression = BI_RGB;
        return info;
    }
    void Grab(int x, int y, int width, int height)
    {
        m_width = std::max(width, 1);
        m_height = std::max(height, 1);
        m_pixels.assign(static_cast<std::size_t>(m_width) * static_cast<std::size_t>(m_height), 0);
        HDC screen = ::GetDC(nullptr);
        HDC memory = ::CreateCompatibleDC(screen);
        HBITMAP bitmap = ::CreateCompatibleBitmap(screen, m_width, m_height);
        HGDIOBJ before = ::SelectObject(memory, bitmap);
        ::BitBlt(memory, 0, 0, m_width, m_height, screen, x, y, SRCCOPY);
        ::SelectObject(memory, before);
        BITMAPINFOHEADER info = Header();
        ::GetDIBits(memory, bitmap, 0, static_cast<UINT>(m_height), m_pixels.data(),
                    reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS);
        ::DeleteObject(bitmap);
        ::DeleteDC(memory);
        ::ReleaseDC(nullptr, screen);
    }

    int m_width = 0;
    int m_height = 0;
    std::vector<std::uint32_t> m_pixels;
};

constexpr COLORREF kGrey = RGB(204, 204, 204);
constexpr COLORREF kAmber = RGB(181, 118, 0);

struct Origin {
    bool centred;
    int x;
    int y;
};

// Text starts where it should: ink right of and below the origin, none just
// above it or just left of it.
bool TextStartsAt(const Picture& picture, const Origin& origin)
{
    const int x = origin.centred ? picture.Width() / 2 + origin.x : origin.x;
    const int y = origin.centred ? picture.Height() / 2 + origin.y : origin.y;
    return picture.HasInk(x, y, 60, 20) && !picture.HasInk(x - 8, y - 8, 68, 8) && !picture.HasInk(x - 8, y, 8, 20);
}

bool ShowsScreen(HWND main, COLORREF background, const std::vector<Origin>& texts)
{
    const Picture picture(main);
    if (picture.At(20, 20) != background)
        return false;
    return std::all_of(texts.begin(), texts.end(), [&](const Origin& origin) { return TextStartsAt(picture, origin); });
}

const std::vector<Origin> kWelcome = {{false, 50, 50}, {true, -300, -120}, {true, -300, -80}, {true, -300, 0}, {true, -300, 40}};
const std::vector<Origin> kDone = {{false, 50, 50}, {true, -260, -60}, {true, -260, -20}};
const std::vector<Origin> kFailed = {{false, 50, 50}, {true, -180, -60}};

bool ShowsFailure(HWND main)
{
    const Picture picture(main);
    return ShowsScreen(main, kGrey, kFailed) && !picture.HasInk(picture.Width() / 2 - 260, picture.Height() / 2 - 60, 60, 20);
}

std::string ReadFile(const std::string& path)
{
    std::ifstream file(std::filesystem::path(Widen(path)), std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

bool FileExists(const std::string& path)
{
    return ::GetFileAttributesW(Widen(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

class Robot {
public:
    Robot(const std::string& program, const std::string& folder, const std::string& expected, const std::string& pictures)
        : m_program(program), m_folder(folder), m_expected(expected), m_pictures(pictures)
    {
    }

    // Only starts the program and ends it through Close, as a check that an
    // installed copy works.
    int StartAndClose()
    {
        if (!Start())
            return 1;
        Check(WaitFor([&] { return ShowsScreen(m_main, kGrey, kWelcome); }), "the welcome screen shows on grey");
        ::PostMessageW(m_main, WM_COMMAND, 40003, 0);
        HWND box = WaitForDialog(m_process.dwProcessId, [](const std::string& title) { return title.empty(); });
        ::PostMessageW(box, WM_COMMAND, IDOK, 0);
        ExpectExitCodeZero();
        std::printf("robot: %d checks failed\n", g_failures);
        return g_failures;
    }

    int Run()
    {
        if (!Start())
            return 1;
        LooksLikeTheDesign();
        ReducesWithChangedSettings();
        FailsWithoutWritingWhenCancelledOrMissing();
        CloseAsksFirst();
        std::printf("robot: %d checks failed\n", g_failures);
        return g_failures;
    }

private:
    bool Start()
    {
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        std::wstring command = L"\"" + Widen(m_program) + L"\"";
        if (!::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &m_process)) {
            Check(false, "Orvanta.exe starts");
            return false;
        }
        ::CloseHandle(m_process.hThread);
        Check(WaitFor([&] {
                  for (HWND window : TopLevelWindowsOf(m_process.dwProcessId)) {
                      if (TextOf(window) == "Reduce Flightplans File")
                          m_main = window;
                  }
                  return m_main != nullptr;
              }),
              "the main window is titled \"Reduce Flightplans File\"");
        return m_main != nullptr;
    }

    void SavePicture(const char* name)
    {
        if (m_pictures.empty())
            return;
        RECT frame{};
        ::GetWindowRect(m_main, &frame);
        Picture(frame.left, frame.top, frame.right - frame.left, frame.bottom - frame.top)
            .SaveBitmap(m_pictures + "\\" + name + ".bmp");
    }

    void LooksLikeTheDesign()
    {
        RECT frame{};
        ::GetWindowRect(m_main, &frame);
        Check(frame.left == 0 && frame.top == 0 && frame.right == 800 && frame.bottom == 600,
              "the window is 800 by 600 at the top left");
        const LONG_PTR style = ::GetWindowLongPtrW(m_main, GWL_STYLE);
        Check((style & WS_OVERLAPPEDWINDOW) == WS_OVERLAPPEDWINDOW, "the frame is an overlapped window");
        Check((::GetWindowLongPtrW(m_main, GWL_EXSTYLE) & WS_EX_CLIENTEDGE) != 0, "the client area has a sunken edge");
        Check(WaitFor([&] { return ShowsIconInTheTitleBar(); }), "the title bar shows the program's icon");

        // Menus live in their own process under Wine, so the robot reads the
        // menu that the window was given from the program file itself, and
        // uses the live one through its keys.
        Check(::GetMenu(m_main) != nullptr, "the window has a menu bar");
        HMODULE file = ::LoadLibraryExW(Widen(m_program).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
        HMENU menu = file ? ::LoadMenuW(file, MAKEINTRESOURCEW(101)) : nullptr;
        std::string items;
        for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
            wchar_t text[64] = {};
            ::GetMenuStringW(menu, static_cast<UINT>(i), text, 64, MF_BYPOSITION);
            if (i > 0)
                items += ' ';
            items += Narrow(text);
            items += ' ';
            items += std::to_string(::GetMenuItemID(menu, i));
            if (::GetSubMenu(menu, i))
                items += " (pop-up)";
        }
        Check(items == "&Start 40001 &Info 40002 &Close 40003", "menu 101 holds " + items);
        if (menu)
            ::DestroyMenu(menu);
        if (file)
            ::FreeLibrary(file);

        Check(WaitFor([&] { return ShowsScreen(m_main, kGrey, kWelcome); }), "the welcome screen shows on grey");
        SavePicture("windows-main-window");

        PressAlt('I');
        std::vector<Origin> information = {{true, -320, -260}};
        for (int y = -200; y <= 200; y += 40)
            information.push_back({true, -320, y});
        Check(WaitFor([&] { return ShowsScreen(m_main, kAmber, information); }), "Alt+I shows the information page on amber");
    }

    // The icon's funnel is yellow, a colour that shows nowhere else near the
    // title bar's left end.
    bool ShowsIconInTheTitleBar() const
    {
        RECT frame{};
        ::GetWindowRect(m_main, &frame);
        const Picture corner(frame.left, frame.top, 24, 24);
        for (int y = 0; y < corner.Height(); ++y) {
            for (int x = 0; x < corner.Width(); ++x) {
                const COLORREF c = corner.At(x, y);
                if (GetRValue(c) > 200 && GetGValue(c) > 200 && GetBValue(c) < 80)
                    return true;
            }
        }
        return false;
    }

    // Presses Alt and the key in the main window, as a user picks a menu item.
    void PressAlt(WORD key)
    {
        ::SetForegroundWindow(m_main);
        INPUT keys[4] = {};
        for (INPUT& input : keys)
            input.type = INPUT_KEYBOARD;
        keys[0].ki.wVk = VK_MENU;
        keys[1].ki.wVk = key;
        keys[2].ki.wVk = key;
        keys[2].ki.dwFlags = KEYEVENTF_KEYUP;
        keys[3].ki.wVk = VK_MENU;
        keys[3].ki.dwFlags = KEYEVENTF_KEYUP;
        ::SendInput(4, keys, sizeof(INPUT));
    }

    // Chooses the file in the open-file dialog by typing its name.
    bool ChooseFile(const std::string& path)
    {
        HWND dialog = WaitForDialog(m_process.dwProcessId, [](const std::string& title) { return title != "Parameter" && !title.empty(); });
        if (!dialog)
            return false;
        HWND name = nullptr;
        for (HWND child : DescendantsOf(dialog)) {
            if (ClassOf(child) == "Edit" && ::IsWindowVisible(child)) {
                name = child;
                break;
            }
        }
        if (!name)
            return false;
        SetText(name, path);
        ::PostMessageW(dialog, WM_COMMAND, IDOK, 0);
        return true;
    }

    HWND OpenParameterDialog(const std::string& path, bool fromTheKeyboard = false)
    {
        if (fromTheKeyboard)
            PressAlt('S');
        else
            ::PostMessageW(m_main, WM_COMMAND, 40001, 0);
        if (!ChooseFile(path))
            return nullptr;
        return WaitForDialog(m_process.dwProcessId, [](const std::string& title) { return title == "Parameter"; });
    }

    bool DialogCloses(HWND dialog)
    {
        return WaitFor([&] { return !::IsWindow(dialog); });
    }

    void ReducesWithChangedSettings()
    {
        HWND dialog = OpenParameterDialog(m_folder + "\\flightplans.txt", true);
        Check(dialog != nullptr, "Alt+S leads through the open-file dialog to the dialog \"Parameter\"");
        if (!dialog)
            return;
        Check(WaitFor([&] { return Picture(m_main).At(20, 20) == RGB(0, 0, 255); }), "the backdrop behind the dialog is blue");
        WaitFor([&] {
            const Picture shown(dialog);
            return shown.HasInk(0, 0, shown.Width(), shown.Height());
        });
        SavePicture("windows-parameter-dialog");
        HWND list = ::GetDlgItem(dialog, 1000);
        std::vector<std::string> entries;
        for (LRESULT i = 0; i < ::SendMessageW(list, LB_GETCOUNT, 0, 0); ++i) {
            wchar_t entry[16] = {};
            ::SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(entry));
            entries.push_back(Narrow(entry));
        }
        Check(TextOf(::GetDlgItem(dialog, 1002)) == "30" && TextOf(::GetDlgItem(dialog, 1003)) == "#"
                  && entries == std::vector<std::string>{"#", "IFR", "VFR"} && ::SendMessageW(list, LB_GETCURSEL, 0, 0) == 0,
              "the dialog opens with 30, # and the list #, IFR, VFR on #");
        Check(TextOf(::GetDlgItem(dialog, IDCANCEL)) == "Abbrechen", "the cancel button reads Abbrechen");

        SetText(::GetDlgItem(dialog, 1002), "50");
        SetText(::GetDlgItem(dialog, 1003), "eddf");
        ::SendMessageW(list, LB_SETCURSEL, 1, 0);
        ::PostMessageW(::GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
        Check(DialogCloses(dialog), "OK closes the dialog");

        const std::string output = m_folder + "\\flightplans_50%_EDDF_IFR.txt";
        Check(WaitFor([&] { return ShowsScreen(m_main, kGrey, kDone); }), "the success screen names the output");
        SavePicture("windows-result");
        const std::string expected = ReadFile(m_expected);
        Check(!expected.empty() && ReadFile(output) == expected,
              "flightplans_50%_EDDF_IFR.txt holds what the Linux engine writes");

        // The dialog reads at most 3 and 4 characters of its fields.
        dialog = OpenParameterDialog(m_folder + "\\flightplans.txt");
        if (dialog) {
            SetText(::GetDlgItem(dialog, 1002), "1000");
            SetText(::GetDlgItem(dialog, 1003), "eddfx");
            ::PostMessageW(::GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
        }
        Check(dialog && DialogCloses(dialog) && WaitFor([&] { return ShowsScreen(m_main, kGrey, kDone); })
                  && FileExists(m_folder + "\\flightplans_100%_EDDF.txt"),
              "1000 and eddfx are read as 100 and EDDF");
    }

    void FailsWithoutWritingWhenCancelledOrMissing()
    {
        ::PostMessageW(m_main, WM_COMMAND, 40001, 0);
        HWND files = WaitForDialog(m_process.dwProcessId, [](const std::string& title) { return title != "Parameter" && !title.empty(); });
        ::PostMessageW(files, WM_COMMAND, IDCANCEL, 0);
        Check(files && WaitFor([&] { return ShowsFailure(m_main); }), "cancelling the open-file dialog shows the failure screen");

        const std::string input = m_folder + "\\flightplans.txt";
        HWND dialog = OpenParameterDialog(input);
        if (dialog)
            ::PostMessageW(::GetDlgItem(dialog, IDCANCEL), BM_CLICK, 0, 0);
        Check(dialog && DialogCloses(dialog) && WaitFor([&] { return ShowsFailure(m_main); })
                  && !FileExists(m_folder + "\\flightplans_30%_.txt"),
              "Abbrechen shows the failure screen and writes nothing");

        dialog = OpenParameterDialog(m_folder + "\\missing.txt");
        if (dialog)
            ::PostMessageW(dialog, WM_COMMAND, IDOK, 0);
        Check(dialog && DialogCloses(dialog) && WaitFor([&] { return ShowsFailure(m_main); })
                  && !FileExists(m_folder + "\\missing_30%_.txt"),
              "a typed missing file shows the failure screen and writes nothing");
    }

    void CloseAsksFirst()
    {
        for (const int answer : {IDCANCEL, IDOK}) {
            if (answer == IDCANCEL)
                PressAlt('C');
            else
                ::PostMessageW(m_main, WM_COMMAND, 40003, 0);
            HWND box = WaitForDialog(m_process.dwProcessId, [](const std::string& title) { return title.empty(); });
            std::string question;
            for (HWND child : box ? DescendantsOf(box) : std::vector<HWND>()) {
                if (ClassOf(child) == "Static" && !TextOf(child).empty())
                    question = TextOf(child);
            }
            Check(question == "Programm beenden?", "Close asks \"Programm beenden?\" under an empty title");
            Check(::GetDlgItem(box, IDOK) && ::GetDlgItem(box, IDCANCEL), "the question offers OK and Cancel");
            ::PostMessageW(box, WM_COMMAND, static_cast<WPARAM>(answer), 0);
            if (answer == IDCANCEL) {
                Check(WaitFor([&] { return !::IsWindow(box); }) && ::IsWindow(m_main), "Cancel keeps the program running");
            }
        }
        ExpectExitCodeZero();
    }

    void ExpectExitCodeZero()
    {
        DWORD exitCode = STILL_ACTIVE;
        const bool ended = ::WaitForSingleObject(m_process.hProcess, 10000) == WAIT_OBJECT_0
                        && ::GetExitCodeProcess(m_process.hProcess, &exitCode);
        Check(ended && exitCode == 0, "OK ends the program with exit code 0");
        ::CloseHandle(m_process.hProcess);
    }

    std::string m_program;
    std::string m_folder;
    std::string m_expected;
    std::string m_pictures;
    PROCESS_INFORMATION m_process{};
    HWND m_main = nullptr;
};

}  // namespace

int wmain(int argc, wchar_t* argv[])
{
    if (argc == 3 && std::wstring(argv[1]) == L"--start-and-close")
        return Robot(Narrow(argv[2]), {}, {}, {}).StartAndClose();
    if (argc < 4) {
        std::fprintf(stderr, "usage: robot ORVANTA_EXE WORK_FOLDER EXPECTED_OUTPUT [PICTURE_FOLDER]\n");
        return 2;
    }
    return Robot(Narrow(argv[1]), Narrow(argv[2]), Narrow(argv[3]), argc > 4 ? Narrow(argv[4]) : std::string()).Run();
}
