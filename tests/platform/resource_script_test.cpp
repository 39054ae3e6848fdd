#include "constants.h"
#include "orvanta_version.h"
#include "resource_script.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace {

std::optional<std::string> ReadResourceFile(const std::string& name)
{
    std::ifstream file(std::string(ORVANTA_RESOURCE_FOLDER) + "/" + name);
    if (!file)
        return std::nullopt;
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

ResourceScript ProgramScript()
{
    const ResourceScriptResult result = ParseResourceScript(*ReadResourceFile("orvanta.rc"), ReadResourceFile);
    EXPECT_EQ(result.error, "");
    return result.script;
}

constexpr int kGerman = MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN);

TEST(ProgramResources, MenuHasTheThreePlainCommands)
{
    const ResourceScript script = ProgramScript();
    ASSERT_EQ(script.menus.count(101), 1u);
    const MenuResource& menu = script.menus.at(101);
    EXPECT_EQ(menu.language, kGerman);
    ASSERT_EQ(menu.items.size(), 3u);
    const std::pair<const char*, UINT> expected[] = {{"&Start", 40001}, {"&Info", 40002}, {"&Close", 40003}};
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(menu.items[i].text, expected[i].first);
        EXPECT_EQ(menu.items[i].id, expected[i].second);
        EXPECT_FALSE(menu.items[i].IsPopup());
    }
}

TEST(ProgramResources, ParameterDialogTemplate)
{
    const ResourceScript script = ProgramScript();
    ASSERT_EQ(script.dialogs.count(102), 1u);
    const DialogResource& dialog = script.dialogs.at(102);
    EXPECT_EQ(dialog.language, kGerman);
    EXPECT_EQ(dialog.caption, "Parameter");
    EXPECT_EQ(dialog.fontPointSize, 8);
    EXPECT_EQ(dialog.fontFace, "MS Sans Serif");
    EXPECT_EQ(std::make_tuple(dialog.x, dialog.y, dialog.cx, dialog.cy), std::make_tuple(0, 0, 185, 131));
    EXPECT_EQ(dialog.style, DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU);

    const DWORD child = WS_CHILD | WS_VISIBLE;
    const struct {
        const char* className;
        const char* text;
        int id, x, y, cx, cy;
        DWORD style;
    } expected[] = {
        {"BUTTON", "OK", 1, 35, 92, 50, 14, child | BS_DEFPUSHBUTTON | WS_TABSTOP},
        {"BUTTON", "Abbrechen", 2, 101, 92, 50, 14, child | BS_PUSHBUTTON | WS_TABSTOP},
        {"STATIC", "Display Percentage : ", -1, 24, 18, 68, 8, child | SS_LEFT | WS_GROUP},
        {"STATIC", "Type (IFR / VFR) : ", -1, 25, 65, 80, 11, child | SS_LEFT | WS_GROUP},
        {"STATIC", "Airport (ICAO Code) : ", -1, 25, 41, 77, 11, child | SS_LEFT | WS_GROUP},
        {"LISTBOX", "", 1000, 109, 63, 45, 11,
         child | LBS_NOTIFY | LBS_SORT | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_BORDER | WS_TABSTOP},
        {"EDIT", "", 1002, 108, 17, 28, 12, child | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP},
        {"EDIT", "", 1003, 108, 40, 28, 12, child | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP},
    };
    ASSERT_EQ(dialog.controls.size(), std::size(expected));
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        SCOPED_TRACE(testing::Message() << "control " << i);
        const DialogControlResource& control = dialog.controls[i];
        EXPECT_EQ(control.className, expected[i].className);
        EXPECT_EQ(control.text, expected[i].text);
        EXPECT_EQ(control.id, expected[i].id);
        EXPECT_EQ(std::make_tuple(control.x, control.y, control.cx, control.cy),
                  std::make_tuple(expected[i].x, expected[i].y, expected[i].cx, expected[i].cy));
        EXPECT_EQ(control.style, expected[i].style);
    }
}

TEST(ProgramResources, IconAndVersionRecord)
{
    const ResourceScript script = ProgramScript();
    EXPECT_EQ(script.icons.at(103), "orvanta.ico");
    ASSERT_TRUE(script.version);
    const VersionResource& version = *script.version;
    EXPECT_EQ(version.language, kGerman);
    // The record follows the project's version.
    const std::array<WORD, 4> project{ORVANTA_VERSION_MAJOR, ORVANTA_VERSION_MINOR, ORVANTA_VERSION_PATCH,
                                      ORVANTA_VERSION_TWEAK};
    EXPECT_EQ(version.fileVersion, project);
    EXPECT_EQ(version.productVersion, project);
    const std::string spelled = std::to_string(project[0]) + ", " + std::to_string(project[1]) + ", "
                              + std::to_string(project[2]) + ", " + std::to_string(project[3]);
    EXPECT_EQ(version.strings.at("FileVersion"), spelled);
    EXPECT_EQ(version.strings.at("ProductVersion"), spelled);
    EXPECT_EQ(version.stringBlock, "040704b0");
    EXPECT_EQ(version.translation, (std::vector<DWORD>{0x407, 1200}));
    for (const char* field : {"FileDescription", "InternalName", "ProductName"})
        EXPECT_EQ(version.strings.at(field), "Orvanta") << field;
    EXPECT_EQ(version.strings.at("OriginalFilename"), "Orvanta.exe");
}

TEST(ResourceScriptReader, ReadsTheSyntaxVariantsOfOtherScripts)
{
    const std::string text = R"(
        #define IDM_FILE 200 /* a comment */
        1 MENU
        {
            POPUP "&File"
            {
                MENUITEM "&Open", IDM_FILE, GRAYED
                MENUITEM SEPARATOR
                MENUITEM "Say ""hi""", (IDM_FILE + 1)
            }
        }
        2 DIALOGEX 10, 20, 100, 50
        STYLE WS_POPUP | WS_CAPTION
        CAPTION "Two"
        FONT 9, "Segoe UI", 400, 0, 0x1
        BEGIN
            EDITTEXT 7, 1, 2, 3, 4, ES_AUTOHSCROLL | NOT WS_BORDER
            CONTROL "Custom", 8, "BUTTON", BS_DEFPUSHBUTTON | WS_TABSTOP, 5, 6, 7, 8, WS_EX_CLIENTEDGE
        END
    )";
    const ResourceScriptResult result = ParseResourceScript(text, [](const std::string&) { return std::nullopt; });
    ASSERT_EQ(result.error, "");
    const MenuItemResource& popup = result.script.menus.at(1).items.at(0);
    EXPECT_EQ(popup.text, "&File");
    ASSERT_EQ(popup.popup.size(), 3u);
    EXPECT_EQ(popup.popup[0].id, 200u);
    EXPECT_TRUE(popup.popup[1].separator);
    EXPECT_EQ(popup.popup[2].text, "Say \"hi\"");
    EXPECT_EQ(popup.popup[2].id, 201u);

    const DialogResource& dialog = result.script.dialogs.at(2);
    EXPECT_EQ(dialog.fontFace, "Segoe UI");
    EXPECT_EQ(dialog.controls.at(0).style, WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL | WS_TABSTOP);
    EXPECT_EQ(dialog.controls.at(1).className, "BUTTON");
    EXPECT_EQ(dialog.controls.at(1).exStyle, WS_EX_CLIENTEDGE);
    EXPECT_EQ(std::make_tuple(dialog.controls.at(1).x, dialog.controls.at(1).cy), std::make_tuple(5, 8));
}

TEST(ResourceScriptReader, ReportsWhatIsWrongAndWhere)
{
    const struct {
        const char* text;
        const char* error;
    } cases[] = {
        {"1 MENU\nBEGIN\n  MENUITEM \"&Open, 1\nEND", "line 3: unterminated string"},
        {"1 DIALOG 0, 0, 10, 10\nBEGIN\n  COMBOBOX 5, 1, 1, 1, 1\nEND", "line 3: unsupported control COMBOBOX"},
        {"1 MENU\nBEGIN\n  MENUITEM \"&Open\", IDM_MISSING\nEND", "line 3: unknown name IDM_MISSING"},
        {"1 BITMAP \"a.bmp\"", "line 1: unsupported resource type BITMAP"},
        {"1 MENU\nBEGIN\n  MENUITEM \"&Open\", 1\n", "line 3: expected MENUITEM or POPUP before end of script"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ParseResourceScript(c.text, [](const std::string&) { return std::nullopt; }).error, c.error);
    }
}

}  // namespace
