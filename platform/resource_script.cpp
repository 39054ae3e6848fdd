#include "resource_script.h"

#include "constants.h"

#include <cctype>
#include <cstdlib>
#include <utility>

namespace {

// The names a script may use without defining them: what afxres.h and
// windows.h provide on Windows.
const std::map<std::string, long>& PredefinedSymbols()
{
    static const std::map<std::string, long> symbols = {
        {"WS_OVERLAPPED", WS_OVERLAPPED}, {"WS_POPUP", WS_POPUP}, {"WS_CHILD", WS_CHILD},
        {"WS_MINIMIZE", WS_MINIMIZE}, {"WS_VISIBLE", WS_VISIBLE}, {"WS_DISABLED", WS_DISABLED},
        {"WS_MAXIMIZE", WS_MAXIMIZE}, {"WS_CAPTION", WS_CAPTION}, {"WS_BORDER", WS_BORDER},
        {"WS_DLGFRAME", WS_DLGFRAME}, {"WS_VSCROLL", WS_VSCROLL}, {"WS_HSCROLL", WS_HSCROLL},
        {"WS_SYSMENU", WS_SYSMENU}, {"WS_THICKFRAME", WS_THICKFRAME}, {"WS_GROUP", WS_GROUP},
        {"WS_TABSTOP", WS_TABSTOP}, {"WS_MINIMIZEBOX", WS_MINIMIZEBOX}, {"WS_MAXIMIZEBOX", WS_MAXIMIZEBOX},
        {"WS_OVERLAPPEDWINDOW", WS_OVERLAPPEDWINDOW}, {"WS_EX_CLIENTEDGE", WS_EX_CLIENTEDGE},
        {"DS_SETFONT", DS_SETFONT}, {"DS_MODALFRAME", DS_MODALFRAME}, {"DS_CENTER", DS_CENTER},
        {"BS_PUSHBUTTON", BS_PUSHBUTTON}, {"BS_DEFPUSHBUTTON", BS_DEFPUSHBUTTON},
        {"SS_LEFT", SS_LEFT}, {"SS_CENTER", SS_CENTER}, {"SS_RIGHT", SS_RIGHT},
        {"ES_LEFT", ES_LEFT}, {"ES_AUTOHSCROLL", ES_AUTOHSCROLL},
        {"LBS_NOTIFY", LBS_NOTIFY}, {"LBS_SORT", LBS_SORT}, {"LBS_NOINTEGRALHEIGHT", LBS_NOINTEGRALHEIGHT},
        {"IDOK", IDOK}, {"IDCANCEL", IDCANCEL}, {"IDABORT", IDABORT}, {"IDC_STATIC", IDC_STATIC},
        {"LANG_NEUTRAL", LANG_NEUTRAL}, {"LANG_ENGLISH", LANG_ENGLISH}, {"LANG_GERMAN", LANG_GERMAN},
        {"SUBLANG_NEUTRAL", SUBLANG_NEUTRAL}, {"SUBLANG_DEFAULT", SUBLANG_DEFAULT},
        {"SUBLANG_ENGLISH_US", SUBLANG_ENGLISH_US}, {"SUBLANG_GERMAN", SUBLANG_GERMAN},
        {"VS_VERSION_INFO", VS_VERSION_INFO}, {"VS_FFI_FILEFLAGSMASK", VS_FFI_FILEFLAGSMASK},
        {"VOS_NT_WINDOWS32", VOS_NT_WINDOWS32}, {"VOS__WINDOWS32", VOS__WINDOWS32},
        {"VFT_APP", VFT_APP}, {"VFT2_UNKNOWN", VFT2_UNKNOWN},
    };
    return symbols;
}

struct ControlKind {
    const char* keyword;
    const char* className;
    bool hasText;
    DWORD defaultStyle;
};

constexpr ControlKind kControlKinds[] = {
    {"LTEXT", "STATIC", true, SS_LEFT | WS_GROUP},
    {"RTEXT", "STATIC", true, SS_RIGHT | WS_GROUP},
    {"CTEXT", "STATIC", true, SS_CENTER | WS_GROUP},
    {"PUSHBUTTON", "BUTTON", true, BS_PUSHBUTTON | WS_TABSTOP},
    {"DEFPUSHBUTTON", "BUTTON", true, BS_DEFPUSHBUTTON | WS_TABSTOP},
    {"EDITTEXT", "EDIT", false, ES_LEFT | WS_BORDER | WS_TABSTOP},
    {"LISTBOX", "LISTBOX", false, LBS_NOTIFY | WS_BORDER},
};

struct Token {
    enum Kind { Identifier, Number, String, Punctuation, End } kind = End;
    std::string text;
    long value = 0;
    int line = 0;
};

class Tokenizer {
public:
    Tokenizer(const std::function<std::optional<std::string>(const std::string&)>& readInclude,
              std::map<std::string, long>& symbols)
        : m_readInclude(readInclude), m_symbols(symbols)
    {
    }

    // Appends the tokens of `text`, following #include and taking #define.
    bool Tokenize(const std::string& text, std::vector<Token>& tokens, std::string& error)
    {
        int line = 1;
        std::size_t i = 0;
        bool lineStart = true;
        while (i < text.size()) {
            const char c = text[i];
            if (c == '\n') {
                ++line;
                ++i;
                lineStart = true;
                continue;
            }
            if (std::isspace(static_cast<unsigned char>(c))) {
                ++i;
                continue;
            }
            if (text.compare(i, 2, "//") == 0) {
                i = text.find('\n', i);
                i = i == std::string::npos ? text.size() : i;
                continue;
            }
            if (text.compare(i, 2, "/*") == 0) {
                const std::size_t end = text.find("*/", i + 2);
                for (std::size_t k = i; k < std::min(end, text.size()); ++k)
                    line += text[k] == '\n';
                i = end == std::string::npos ? text.size() : end + 2;
                continue;
            }
            if (c == '#' && lineStart) {
                std::size_t end = text.find('\n', i);
                end = end == std::string::npos ? text.size() : end;
                if (!Directive(text.substr(i + 1, end - i - 1), line, tokens, error))
                    return false;
                i = end;
                continue;
            }
            lineStart = false;
            Token token;
            token.line = line;
            if (c == '"') {
                token.kind = Token::String;
                ++i;
                while (true) {
                    if (i >= text.size() || text[i] == '\n') {
                        error = "line " + std::to_string(line) + ": unterminated string";
                        return false;
                    }
                    if (text[i] == '"' && i + 1 < text.size() && text[i + 1] == '"') {
                        token.text += '"';
                        i += 2;
                    } else if (text[i] == '"') {
                        ++i;
                        break;
                    } else if (text[i] == '\\' && i + 1 < text.size()) {
                        const char e = text[i + 1];
                        token.text += e == 'n' ? '\n' : e == 't' ? '\t' : e;
                        i += 2;
                    } else {
                        token.text += text[i++];
                    }
                }
            } else if (std::isdigit(static_cast<unsigned char>(c))) {
                token.kind = Token::Number;
                char* end = nullptr;
                token.value = static_cast<long>(std::strtoul(text.c_str() + i, &end, 0));
                i = static_cast<std::size_t>(end - text.c_str());
                while (i < text.size() && (text[i] == 'L' || text[i] == 'l' || text[i] == 'U' || text[i] == 'u'))
                    ++i;
            } else if (std::isalpha(static_cast<unsigned char>(c)) || c == '_') {
                token.kind = Token::Identifier;
                while (i < text.size() && (std::isalnum(static_cast<unsigned char>(text[i])) || text[i] == '_'))
                    token.text += text[i++];
            } else {
                token.kind = Token::Punctuation;
                token.text = std::string(1, c);
                ++i;
            }
            tokens.push_back(std::move(token));
        }
        return true;
    }

private:
    bool Directive(const std::string& body, int line, std::vector<Token>& tokens, std::string& error)
    {
        std::vector<Token> words;
        std::map<std::string, long> none;
        std::string ignored;
        Tokenizer plain([](const std::string&) { return std::optional<std::string>(); }, none);
        if (!plain.Tokenize(body, words, ignored) || words.empty())
            return true;
        if (words[0].text == "include" && words.size() > 1 && words[1].kind == Token::String) {
            if (const auto included = m_readInclude(words[1].text)) {
                if (!Tokenize(*included, tokens, error)) {
                    error = words[1].text + ", " + error;
                    return false;
                }
            }
        } else if (words[0].text == "define" && words.size() > 2 && words[1].kind == Token::Identifier) {
            long value = 0;
            bool negative = false;
            for (std::size_t k = 2; k < words.size(); ++k) {
                if (words[k].kind == Token::Number) {
                    value = words[k].value;
                } else if (words[k].text == "-") {
                    negative = true;
                } else if (words[k].kind == Token::Identifier && m_symbols.count(words[k].text)) {
                    value = m_symbols[words[k].text];
                } else if (words[k].text != "(" && words[k].text != ")") {
                    error = "line " + std::to_string(line) + ": cannot read #define " + words[1].text;
                    return false;
                }
            }
            m_symbols[words[1].text] = negative ? -value : value;
        }
        return true;
    }

    const std::function<std::optional<std::string>(const std::string&)>& m_readInclude;
    std::map<std::string, long>& m_symbols;
};

class Parser {
public:
    Parser(std::vector<Token> tokens, ResourceScript& script) : m_tokens(std::move(tokens)), m_script(script)
    {
        m_tokens.push_back(Token{Token::End, "end of script", 0, m_tokens.empty() ? 1 : m_tokens.back().line});
    }

    bool ParseScript()
    {
        while (Peek().kind != Token::End) {
            if (Accept("LANGUAGE")) {
                if (!Language(m_language))
                    return false;
                continue;
            }
            long id = 0;
            if (!Value(id))
                return false;
            const Token type = Next();
            bool parsed = false;
            if (type.text == "MENU")
                parsed = Menu(static_cast<int>(id));
            else if (type.text == "DIALOG" || type.text == "DIALOGEX")
                parsed = Dialog(static_cast<int>(id), type.text == "DIALOGEX");
            else if (type.text == "ICON")
                parsed = Icon(static_cast<int>(id));
            else if (type.text == "VERSIONINFO")
                parsed = Version();
            else
                return Fail(type, "unsupported resource type " + type.text);
            if (!parsed)
                return false;
        }
        return true;
    }

    const std::string& Error() const { return m_error; }

private:
    const Token& Peek() const { return m_tokens[m_position]; }
    Token Next()
    {
        const Token& token = m_tokens[m_position];
        if (token.kind != Token::End)
            ++m_position;
        return token;
    }

    bool Is(const char* text) const { return Peek().kind != Token::String && Peek().text == text; }
    bool Accept(const char* text)
    {
        if (!Is(text))
            return false;
        ++m_position;
        return true;
    }
    bool Fail(const Token& at, const std::string& message)
    {
        if (m_error.empty())
            m_error = "line " + std::to_string(at.line) + ": " + message;
        return false;
    }
    bool Expect(const char* text)
    {
        return Accept(text) || Fail(Peek(), std::string("expected ") + text + " before " + Peek().text);
    }
    bool Begin() { return Accept("BEGIN") || Accept("{") || Fail(Peek(), "expected BEGIN before " + Peek().text); }
    bool AtEnd() const { return Is("END") || Is("}"); }
    bool AcceptEnd() { return Accept("END") || Accept("}"); }
    void AcceptComma() { Accept(","); }

    bool String(std::string& text)
    {
        if (Peek().kind != Token::String)
            return Fail(Peek(), "expected a string before " + Peek().text);
        text = Next().text;
        return true;
    }

    // A number, a symbol or a parenthesised sum or bitwise or of those.
    bool Value(long& value)
    {
        bool negative = Accept("-");
        long term = 0;
        if (Accept("(")) {
            if (!Expression(term) || !Expect(")"))
                return false;
        } else if (Peek().kind == Token::Number) {
            term = Next().value;
        } else if (Peek().kind == Token::Identifier) {
            const Token name = Next();
            const auto& predefined = PredefinedSymbols();
            if (const auto own = m_script.symbols.find(name.text); own != m_script.symbols.end())
                term = own->second;
            else if (const auto known = predefined.find(name.text); known != predefined.end())
                term = known->second;
            else
                return Fail(name, "unknown name " + name.text);
        } else {
            return Fail(Peek(), "expected a number before " + Peek().text);
        }
        value = negative ? -term : term;
        return true;
    }

    bool Expression(long& value)
    {
        if (!Value(value))
            return false;
        while (Is("|") || Is("+")) {
            const bool isOr = Next().text == "|";
            long term = 0;
            if (!Value(term))
                return false;
            value = isOr ? (value | term) : (value + term);
        }
        return true;
    }

    // A style list applied to defaults: "NOT X" removes X, anything else adds.
    bool Style(DWORD& style)
    {
        do {
            const bool remove = Accept("NOT");
            long term = 0;
            if (!Value(term))
                return false;
            style = remove ? (style & ~static_cast<DWORD>(term)) : (style | static_cast<DWORD>(term));
        } while (Accept("|"));
        return true;
    }

    bool Integers(std::initializer_list<int*> targets)
    {
        bool first = true;
        for (int* target : targets) {
            if (!first && !Expect(","))
                return false;
            first = false;
            long value = 0;
            if (!Value(value))
                return false;
            *target = static_cast<int>(value);
        }
        return true;
    }

    bool Language(int& language)
    {
        long primary = 0;
        long sub = 0;
        if (!Value(primary) || !Expect(",") || !Value(sub))
            return false;
        language = MAKELANGID(static_cast<int>(primary), static_cast<int>(sub));
        return true;
    }

    // Flags like GRAYED or CHECKED change only how an item looks at start.
    void SkipMenuOptions()
    {
        static const char* const kOptions[] = {"CHECKED", "GRAYED", "HELP", "INACTIVE", "MENUBARBREAK", "MENUBREAK"};
        while (true) {
            bool skipped = Accept(",");
            for (const char* option : kOptions)
                skipped = Accept(option) || skipped;
            if (!skipped)
                return;
        }
    }

    bool MenuItems(std::vector<MenuItemResource>& items)
    {
        if (!Begin())
            return false;
        while (!AtEnd()) {
            MenuItemResource item;
            if (Accept("MENUITEM")) {
                if (Accept("SEPARATOR")) {
                    item.separator = true;
                } else {
                    long id = 0;
                    if (!String(item.text) || !Expect(",") || !Value(id))
                        return false;
                    item.id = static_cast<UINT>(id);
                    SkipMenuOptions();
                }
            } else if (Accept("POPUP")) {
                if (!String(item.text))
                    return false;
                SkipMenuOptions();
                if (!MenuItems(item.popup))
                    return false;
            } else {
                return Fail(Peek(), "expected MENUITEM or POPUP before " + Peek().text);
            }
            items.push_back(std::move(item));
        }
        return AcceptEnd();
    }

    bool Menu(int id)
    {
        MenuResource menu;
        menu.language = m_language;
        if (Accept("LANGUAGE") && !Language(menu.language))
            return false;
        if (!MenuItems(menu.items))
            return false;
        m_script.menus[id] = std::move(menu);
        return true;
    }

    bool Control(DialogControlResource& control)
    {
        const Token keyword = Next();
        if (keyword.text == "CONTROL") {
            long id = 0;
            if (!String(control.text) || !Expect(",") || !Value(id) || !Expect(","))
                return false;
            control.id = static_cast<int>(id);
            if (Peek().kind == Token::String || Peek().kind == Token::Identifier)
                control.className = Next().text;
            control.style = WS_CHILD | WS_VISIBLE;
            if (!Expect(",") || !Style(control.style) || !Expect(",")
                || !Integers({&control.x, &control.y, &control.cx, &control.cy}))
                return false;
        } else {
            const ControlKind* kind = nullptr;
            for (const ControlKind& candidate : kControlKinds)
                kind = keyword.text == candidate.keyword ? &candidate : kind;
            if (!kind)
                return Fail(keyword, "unsupported control " + keyword.text);
            control.className = kind->className;
            control.style = WS_CHILD | WS_VISIBLE | kind->defaultStyle;
            if (kind->hasText && (!String(control.text) || !Expect(",")))
                return false;
            if (!Integers({&control.id, &control.x, &control.y, &control.cx, &control.cy}))
                return false;
            if (Accept(",") && !Style(control.style))
                return false;
        }
        long exStyle = 0;
        if (Accept(",") && !Expression(exStyle))
            return false;
        control.exStyle = static_cast<DWORD>(exStyle);
        return true;
    }

    bool Dialog(int id, bool extended)
    {
        DialogResource dialog;
        dialog.language = m_language;
        dialog.style = WS_POPUP | WS_BORDER | WS_SYSMENU;
        if (!Integers({&dialog.x, &dialog.y, &dialog.cx, &dialog.cy}))
            return false;
        long helpId = 0;
        if (extended && Accept(",") && !Value(helpId))
            return false;
        while (!Is("BEGIN") && !Is("{")) {
            const Token option = Next();
            long value = 0;
            if (option.text == "STYLE") {
                dialog.style = 0;
                if (!Style(dialog.style))
                    return false;
            } else if (option.text == "EXSTYLE") {
                if (!Expression(value))
                    return false;
                dialog.exStyle = static_cast<DWORD>(value);
            } else if (option.text == "CAPTION") {
                if (!String(dialog.caption))
                    return false;
                dialog.style |= WS_CAPTION;
            } else if (option.text == "FONT") {
                if (!Integers({&dialog.fontPointSize}) || !Expect(",") || !String(dialog.fontFace))
                    return false;
                while (Accept(","))
                    if (!Value(value))
                        return false;
            } else if (option.text == "LANGUAGE") {
                if (!Language(dialog.language))
                    return false;
            } else {
                return Fail(option, "unsupported dialog option " + option.text);
            }
        }
        if (!Begin())
            return false;
        while (!AtEnd()) {
            if (Peek().kind == Token::End)
                return Fail(Peek(), "dialog without END");
            DialogControlResource control;
            if (!Control(control))
                return false;
            dialog.controls.push_back(std::move(control));
        }
        AcceptEnd();
        m_script.dialogs[id] = std::move(dialog);
        return true;
    }

    bool Icon(int id)
    {
        if (Peek().kind != Token::String && Peek().kind != Token::Identifier)
            return Fail(Peek(), "expected the icon's file name");
        m_script.icons[id] = Next().text;
        return true;
    }

    bool VersionNumbers(std::array<WORD, 4>& version)
    {
        int parts[4] = {};
        if (!Integers({&parts[0], &parts[1], &parts[2], &parts[3]}))
            return false;
        for (int k = 0; k < 4; ++k)
            version[static_cast<std::size_t>(k)] = static_cast<WORD>(parts[k]);
        return true;
    }

    bool VersionBlock(VersionResource& version, const std::string& outer)
    {
        if (!Begin())
            return false;
        while (!AtEnd()) {
            if (Accept("BLOCK")) {
                std::string name;
                if (!String(name))
                    return false;
                if (outer == "StringFileInfo")
                    version.stringBlock = name;
                if (!VersionBlock(version, name))
                    return false;
            } else if (Accept("VALUE")) {
                std::string key;
                if (!String(key))
                    return false;
                while (Accept(",")) {
                    if (Peek().kind == Token::String) {
                        version.strings[key] = Next().text;
                    } else {
                        long value = 0;
                        if (!Expression(value))
                            return false;
                        if (key == "Translation")
                            version.translation.push_back(static_cast<DWORD>(value));
                    }
                }
            } else {
                return Fail(Peek(), "expected BLOCK or VALUE before " + Peek().text);
            }
        }
        return AcceptEnd();
    }

    bool Version()
    {
        VersionResource version;
        version.language = m_language;
        while (!Is("BEGIN") && !Is("{")) {
            const Token statement = Next();
            long value = 0;
            if (statement.text == "FILEVERSION") {
                if (!VersionNumbers(version.fileVersion))
                    return false;
            } else if (statement.text == "PRODUCTVERSION") {
                if (!VersionNumbers(version.productVersion))
                    return false;
            } else if (statement.kind == Token::Identifier && statement.text.rfind("FILE", 0) == 0) {
                if (!Expression(value))
                    return false;
            } else {
                return Fail(statement, "unsupported version statement " + statement.text);
            }
        }
        if (!VersionBlock(version, ""))
            return false;
        m_script.version = std::move(version);
        return true;
    }

    std::vector<Token> m_tokens;
    std::size_t m_position = 0;
    ResourceScript& m_script;
    int m_language = 0;
    std::string m_error;
};

}  // namespace

ResourceScriptResult ParseResourceScript(
    const std::string& text, const std::function<std::optional<std::string>(const std::string&)>& readInclude)
{
    ResourceScriptResult result;
    std::vector<Token> tokens;
    Tokenizer tokenizer(readInclude, result.script.symbols);
    if (!tokenizer.Tokenize(text, tokens, result.error))
        return result;
    Parser parser(std::move(tokens), result.script);
    if (!parser.ParseScript())
        result.error = parser.Error();
    return result;
}
