// What the main window paints for each screen.
#include "main_frame.h"

#include <string>

namespace {

constexpr COLORREF kBaseGrey = RGB(204, 204, 204);
constexpr COLORREF kParameterBlue = RGB(0, 0, 255);
constexpr COLORREF kInformationAmber = RGB(181, 118, 0);

constexpr const char* kCreditLine = "Orvanta team, 12/2026";

enum class Origin { TopLeft, Centre };
enum class Face { Large, Small };

// One text of a screen; centred texts are placed relative to the middle of
// the client area. A null text stands for the name of the output file.
struct ScreenText {
    Origin origin;
    int x;
    int y;
    Face face;
    const char* text;
};

constexpr ScreenText kWelcome[] = {
    {Origin::TopLeft, 50, 50, Face::Large, "Orvanta, Vs. 2.0"},
    {Origin::Centre, -300, -120, Face::Small, "In order to reduce a flightplans file, <Orvanta.exe>"},
    {Origin::Centre, -300, -80, Face::Small, "needs access to that file in TTools format."},
    {Origin::Centre, -300, 0, Face::Small, "The result of the reduction is written to a text file with the"},
    {Origin::Centre, -300, 40, Face::Small, "changed parameters in its name."},
};

constexpr ScreenText kChooseFile[] = {
    {Origin::TopLeft, 50, 50, Face::Small, "Choose the Flightplans file:"},
};

constexpr ScreenText kDone[] = {
    {Origin::TopLeft, 50, 50, Face::Large, "Orvanta:"},
    {Origin::Centre, -260, -60, Face::Small, "Reducing successfully performed and written to file "},
    {Origin::Centre, -260, -20, Face::Small, nullptr},
};

constexpr ScreenText kFailed[] = {
    {Origin::TopLeft, 50, 50, Face::Large, "Orvanta:"},
    {Origin::Centre, -180, -60, Face::Small, "Reducing could not be performed!"},
};

constexpr ScreenText kInformation[] = {
    {Origin::Centre, -320, -260, Face::Large, "INFO:"},
    {Origin::Centre, -320, -200, Face::Small, "The program <Orvanta.exe> reads each flightplan within a textfile"},
    {Origin::Centre, -320, -160, Face::Small, "with flightplans in TTools format and writes a new textfile containing"},
    {Origin::Centre, -320, -120, Face::Small, "all those flightplans that fulfill the conditions selected in the Dialog"},
    {Origin::Centre, -320, -80, Face::Small, "screen of the program. The following selections are available:"},
    {Origin::Centre, -320, -40, Face::Small, "1. The percentage of traffic display in FS9,"},
    {Origin::Centre, -320, 0, Face::Small, "2. The ICAO airport code wanted to be found in the reduced flightplans file,"},
    {Origin::Centre, -320, 40, Face::Small, "3. The flight type wanted to remain in the reduced flightplans file."},
    {Origin::Centre, -320, 80, Face::Small, "If all airports and/or both types of flight should remain in the reduced"},
    {Origin::Centre, -320, 120, Face::Small, "file, select '#' in the dialog."},
    {Origin::Centre, -320, 160, Face::Small, "The reduced file is named according to the filter properties and overwrites"},
    {Origin::Centre, -320, 200, Face::Small, "a file with the same name."},
};

}  // namespace

void CMainFrame::OnPaint()
{
    CPaintDC dc(this);
    dc.FillSolidRect(m_rectBackground, kBaseGrey);
    GetClientRect(&m_rectClient);
    m_cxClient = m_rectClient.right;
    m_cyClient = m_rectClient.bottom;
    CFont* defaultFont = dc.SelectObject(&m_fontLarge);

    const std::string outputLine = g_outputFileName + " in current directory";
    const auto paint = [&](const auto& texts) {
        for (const ScreenText& line : texts) {
            const bool centred = line.origin == Origin::Centre;
            dc.SelectObject(line.face == Face::Large ? &m_fontLarge : &m_fontSmall);
            dc.TextOut(centred ? m_cxClient / 2 + line.x : line.x, centred ? m_cyClient / 2 + line.y : line.y,
                       line.text ? line.text : outputLine.c_str());
        }
        dc.SelectObject(defaultFont);
        dc.TextOut(m_cxClient - 200, m_cyClient - 40, kCreditLine);
    };

    switch (g_screen) {
    case SCREEN_WELCOME:
        paint(kWelcome);
        break;
    case SCREEN_CHOOSE_FILE:
        paint(kChooseFile);
        break;
    case SCREEN_DONE:
        paint(kDone);
        break;
    case SCREEN_FAILED:
        paint(kFailed);
        break;
    case SCREEN_PARAMETERS:
        dc.FillSolidRect(m_rectBackground, kParameterBlue);
        break;
    case SCREEN_INFO:
        dc.FillSolidRect(m_rectBackground, kInformationAmber);
        paint(kInformation);
        break;
    default:
        g_screen = SCREEN_WELCOME;
        Invalidate(TRUE);
        break;
    }
}
