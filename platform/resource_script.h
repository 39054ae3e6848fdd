// Reads a Windows resource script (.rc): menus, dialog templates, icons and
// the version record, so that one script describes the program on every
// backend.
#pragma once

#include "types.h"

#include <array>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

struct MenuItemResource {
    std::string text;
    UINT id = 0;
    bool separator = false;
    std::vector<MenuItemResource> popup;  // the items of a POPUP entry
    bool IsPopup() const { return !popup.empty(); }
};

struct MenuResource {
    int language = 0;
    std::vector<MenuItemResource> items;
};

struct DialogControlResource {
    std::string className;  // "BUTTON", "STATIC", "EDIT", "LISTBOX" or what CONTROL names
    std::string text;
    int id = 0;
    int x = 0, y = 0, cx = 0, cy = 0;  // dialog units
    DWORD style = 0;
    DWORD exStyle = 0;
};

struct DialogResource {
    int language = 0;
    int x = 0, y = 0, cx = 0, cy = 0;  // dialog units
    DWORD style = 0;
    DWORD exStyle = 0;
    std::string caption;
    int fontPointSize = 0;
    std::string fontFace;
    std::vector<DialogControlResource> controls;
};

struct VersionResource {
    int language = 0;
    std::array<WORD, 4> fileVersion{};
    std::array<WORD, 4> productVersion{};
    std::string stringBlock;                     // like "040704b0": language and code page
    std::map<std::string, std::string> strings;  // FileDescription, ProductName, ...
    std::vector<DWORD> translation;              // language, code page pairs
};

struct ResourceScript {
    std::map<std::string, long> symbols;  // the #define lines of the script and its headers
    std::map<int, MenuResource> menus;
    std::map<int, DialogResource> dialogs;
    std::map<int, std::string> icons;  // file names, as written in the script
    std::optional<VersionResource> version;
};

struct ResourceScriptResult {
    ResourceScript script;
    std::string error;  // empty on success, else "line N: what was wrong"
};

// `readInclude` returns the text of a file named in #include "...", or
// nothing for files it does not provide (system headers such as afxres.h).
ResourceScriptResult ParseResourceScript(
    const std::string& text, const std::function<std::optional<std::string>(const std::string&)>& readInclude);
