// rc2cpp - our resource compiler for hosts that are not Windows: reads the
// program's resource script and writes the C++ tables that platform/win32
// serves DialogBoxParamA from. One script, two compilers: windres or rc on
// Windows, this one elsewhere.
//
// It knows the part of the script language the program uses: #include and
// #define of integer constants (taken from the headers the script includes,
// so the values are the same ones the Windows build sees), LANGUAGE, DIALOG
// with STYLE, EXSTYLE, CAPTION and FONT and a list of CONTROL statements, and
// resources of a numeric type spelled out as raw data (words, "L" double
// words and strings). Anything else is an error with its line, never guessed.
//
// Usage: rc2cpp script.rc out.cpp [-Idir]...
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Token {
    enum Kind { word, number, string, punct, end } kind;
    std::string text;
    int64_t value = 0;
    bool long_suffix = false;
    std::string where;  // file:line, for errors
};

[[noreturn]] void fail(const std::string &where, const std::string &what)
{
    fprintf(stderr, "%s: error: %s\n", where.c_str(), what.c_str());
    exit(1);
}

std::vector<std::string> include_dirs;
std::map<std::string, std::string> macros;  // name -> replacement text

std::optional<std::string> read_file(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

std::string directory_of(const std::string &path)
{
    size_t slash = path.rfind('/');
    return slash == std::string::npos ? "." : path.substr(0, slash);
}

std::optional<std::string> find_include(const std::string &name, const std::string &from, bool quoted)
{
    std::vector<std::string> dirs;
    if (quoted)
        dirs.push_back(directory_of(from));
    dirs.insert(dirs.end(), include_dirs.begin(), include_dirs.end());
    for (const std::string &d : dirs) {
        std::string p = d + "/" + name;
        if (read_file(p))
            return p;
    }
    return std::nullopt;
}

// Reads a script or header. Preprocessor lines are handled here; what is
// left is returned with comments blanked and line structure kept.
std::string preprocess(const std::string &path, bool header);

void handle_directive(const std::string &line, const std::string &path, int line_no, bool header)
{
    std::string where = path + ":" + std::to_string(line_no);
    std::istringstream in(line.substr(1));
    std::string directive;
    in >> directive;
    if (directive == "include") {
        std::string rest;
        std::getline(in, rest);
        size_t a = rest.find_first_of("\"<");
        if (a == std::string::npos)
            fail(where, "#include needs a file name");
        char close = rest[a] == '"' ? '"' : '>';
        size_t b = rest.find(close, a + 1);
        if (b == std::string::npos)
            fail(where, "#include file name is not closed");
        std::string name = rest.substr(a + 1, b - a - 1);
        std::optional<std::string> found = find_include(name, path, close == '"');
        if (!found) {
            // A header may include system headers we need nothing from.
            if (header)
                return;
            fail(where, "cannot find " + name);
        }
        preprocess(*found, true);
    } else if (directive == "define") {
        std::string name, value;
        in >> name;
        std::getline(in, value);
        if (name.find('(') != std::string::npos)
            return;  // function-like macros are of no use to a resource script
        size_t first = value.find_first_not_of(" \t");
        macros[name] = first == std::string::npos ? "" : value.substr(first);
    } else if (header) {
        return;  // include guards, conditionals for C: a header's own business
    } else {
        fail(where, "#" + directive + " is not supported in a resource script");
    }
}

std::string strip_comments(const std::string &text)
{
    std::string out;
    bool in_block = false;
    for (size_t i = 0; i < text.size(); ++i) {
        if (in_block) {
            if (text.compare(i, 2, "*/") == 0) {
                in_block = false;
                ++i;
                out += "  ";
            } else {
                out += text[i] == '\n' ? '\n' : ' ';
            }
        } else if (text[i] == '"') {
            size_t j = i + 1;
            while (j < text.size() && text[j] != '"' && text[j] != '\n')
                j += text[j] == '\\' ? 2 : 1;
            out += text.substr(i, j - i + 1);
            i = j;
        } else if (text.compare(i, 2, "//") == 0) {
            while (i < text.size() && text[i] != '\n')
                ++i;
            out += '\n';
        } else if (text.compare(i, 2, "/*") == 0) {
            in_block = true;
            ++i;
            out += "  ";
        } else {
            out += text[i];
        }
    }
    return out;
}

std::string preprocess(const std::string &path, bool header)
{
    std::optional<std::string> text = read_file(path);
    if (!text)
        fail(path, "cannot read the file");
    std::istringstream in(strip_comments(*text));
    std::string line, body;
    int line_no = 0;
    while (std::getline(in, line)) {
        ++line_no;
        size_t first = line.find_first_not_of(" \t\r");
        if (first != std::string::npos && line[first] == '#') {
            handle_directive(line.substr(first), path, line_no, header);
            body += "\n";
        } else {
            body += line + "\n";
        }
    }
    return body;
}

// ---- tokens ----

std::vector<Token> tokenize(const std::string &text, const std::string &path)
{
    std::vector<Token> tokens;
    int line = 1;
    size_t i = 0;
    while (i < text.size()) {
        char c = text[i];
        std::string where = path + ":" + std::to_string(line);
        if (c == '\n') {
            ++line;
            ++i;
        } else if (isspace(static_cast<unsigned char>(c))) {
            ++i;
        } else if (isalpha(static_cast<unsigned char>(c)) || c == '_') {
            size_t j = i;
            while (j < text.size() && (isalnum(static_cast<unsigned char>(text[j])) || text[j] == '_'))
                ++j;
            tokens.push_back({Token::word, text.substr(i, j - i), 0, false, where});
            i = j;
        } else if (isdigit(static_cast<unsigned char>(c))) {
            size_t j = i;
            while (j < text.size() && isalnum(static_cast<unsigned char>(text[j])))
                ++j;
            std::string digits = text.substr(i, j - i);
            Token t{Token::number, digits, 0, false, where};
            while (!digits.empty() && (digits.back() == 'L' || digits.back() == 'l' ||
                                       digits.back() == 'U' || digits.back() == 'u')) {
                t.long_suffix |= digits.back() == 'L' || digits.back() == 'l';
                digits.pop_back();
            }
            char *stop = nullptr;
            t.value = static_cast<int64_t>(strtoull(digits.c_str(), &stop, 0));
            if (digits.empty() || *stop)
                fail(where, "bad number " + t.text);
            tokens.push_back(t);
            i = j;
        } else if (c == '"') {
            std::string s;
            size_t j = i + 1;
            for (;;) {
                if (j >= text.size() || text[j] == '\n')
                    fail(where, "string is not closed");
                char d = text[j];
                if (d == '"' && j + 1 < text.size() && text[j + 1] == '"') {
                    s += '"';
                    j += 2;
                } else if (d == '"') {
                    ++j;
                    break;
                } else if (d == '\\' && j + 1 < text.size()) {
                    char e = text[j + 1];
                    j += 2;
                    if (e >= '0' && e <= '7') {
                        int v = e - '0';
                        for (int k = 0; k < 2 && j < text.size() && text[j] >= '0' && text[j] <= '7'; ++k)
                            v = v * 8 + (text[j++] - '0');
                        s += static_cast<char>(v);
                    } else if (e == 'n') {
                        s += '\n';
                    } else if (e == 't') {
                        s += '\t';
                    } else if (e == '\\' || e == '"') {
                        s += e;
                    } else {
                        fail(where, std::string("unknown escape \\") + e);
                    }
                } else {
                    s += d;
                    ++j;
                }
            }
            tokens.push_back({Token::string, s, 0, false, where});
            i = j;
        } else if (c == ',' || c == '|' || c == '(' || c == ')' || c == '-' || c == '+' || c == '{' ||
                   c == '}') {
            tokens.push_back({Token::punct, std::string(1, c), 0, false, where});
            ++i;
        } else {
            fail(where, std::string("unexpected character '") + c + "'");
        }
    }
    tokens.push_back({Token::end, "", 0, false, path + ":" + std::to_string(line)});
    return tokens;
}

// ---- expressions ----

struct Parser {
    std::vector<Token> tokens;
    size_t at = 0;
    int depth = 0;  // of macro expansion, against a macro that names itself

    const Token &peek() const { return tokens[at]; }
    const Token &next() { return tokens[at < tokens.size() - 1 ? at++ : at]; }
    bool is(const char *text) const
    {
        return (peek().kind == Token::punct || peek().kind == Token::word) && peek().text == text;
    }
    void expect(const char *text)
    {
        if (!is(text))
            fail(peek().where, std::string("expected '") + text + "', found '" + peek().text + "'");
        next();
    }
    bool begin_block()
    {
        if (is("BEGIN") || is("{")) {
            next();
            return true;
        }
        return false;
    }
    bool end_block()
    {
        if (is("END") || is("}")) {
            next();
            return true;
        }
        return false;
    }

    int64_t macro_value(const Token &name);

    int64_t primary()
    {
        const Token &t = next();
        if (t.kind == Token::number)
            return t.value;
        if (t.kind == Token::punct && t.text == "-")
            return -primary();
        if (t.kind == Token::punct && t.text == "(") {
            int64_t v = expression();
            expect(")");
            return v;
        }
        if (t.kind == Token::word && macros.count(t.text))
            return macro_value(t);
        fail(t.where, "expected a number, found '" + t.text + "'");
    }

    // Styles combine with | onto what the statement gives by default, and
    // NOT clears bits; + and - for the odd sum.
    int64_t expression(int64_t initial = 0)
    {
        int64_t v = initial;
        char op = '|';
        for (;;) {
            bool clear = is("NOT");
            if (clear)
                next();
            int64_t t = primary();
            if (clear)
                v &= ~t;
            else
                v = op == '|' ? (v | t) : op == '+' ? v + t : v - t;
            if (!is("|") && !is("+") && !is("-"))
                return v;
            op = next().text[0];
        }
    }

    int number_argument()
    {
        int64_t v = expression();
        return static_cast<int>(v);
    }

    std::string string_argument()
    {
        const Token &t = next();
        if (t.kind != Token::string)
            fail(t.where, "expected a string, found '" + t.text + "'");
        return t.text;
    }

    void comma() { expect(","); }
};

int64_t Parser::macro_value(const Token &name)
{
    if (depth > 16)
        fail(name.where, "macro " + name.text + " expands without end");
    Parser inner;
    inner.tokens = tokenize(macros[name.text], name.where + " (" + name.text + ")");
    inner.depth = depth + 1;
    int64_t v = inner.expression();
    if (inner.peek().kind != Token::end)
        fail(name.where, "macro " + name.text + " is not an integer constant");
    return v;
}

// ---- the resources ----

struct Control {
    std::string class_name, text;
    int id;
    uint32_t style, ex_style;
    int x, y, cx, cy;
};

struct Dialog {
    int id, language;
    uint32_t style = 0, ex_style = 0;
    int x, y, cx, cy;
    std::string caption, font_name;
    int font_points = 0;
    std::vector<Control> controls;
};

struct Raw {
    int id, type, language;
    std::vector<unsigned char> data;
};

const uint32_t WS_CHILD_VISIBLE = 0x40000000u | 0x10000000u;
const uint32_t WS_CAPTION_BITS = 0x00C00000u;
const uint32_t DS_SETFONT_BIT = 0x40u;

Dialog parse_dialog(Parser &p, int id, int language)
{
    Dialog d;
    d.id = id;
    d.language = language;
    d.x = p.number_argument();
    p.comma();
    d.y = p.number_argument();
    p.comma();
    d.cx = p.number_argument();
    p.comma();
    d.cy = p.number_argument();
    bool style_given = false;
    while (!p.begin_block()) {
        const Token &t = p.next();
        if (t.text == "STYLE") {
            d.style = static_cast<uint32_t>(p.expression());
            style_given = true;
        } else if (t.text == "EXSTYLE") {
            d.ex_style = static_cast<uint32_t>(p.expression());
        } else if (t.text == "CAPTION") {
            d.caption = p.string_argument();
        } else if (t.text == "FONT") {
            d.font_points = p.number_argument();
            p.comma();
            d.font_name = p.string_argument();
        } else {
            fail(t.where, "'" + t.text + "' is not supported in a DIALOG");
        }
    }
    if (!style_given)
        d.style = 0x80000000u | 0x00800000u | 0x00080000u;  // WS_POPUP | WS_BORDER | WS_SYSMENU
    // As the resource compiler does: a caption brings its bar, a font its flag.
    if (!d.caption.empty())
        d.style |= WS_CAPTION_BITS;
    if (d.font_points)
        d.style |= DS_SETFONT_BIT;
    while (!p.end_block()) {
        const Token &t = p.next();
        if (t.text != "CONTROL")
            fail(t.where, "only CONTROL statements are supported in a DIALOG, found '" + t.text + "'");
        Control c;
        c.text = p.string_argument();
        p.comma();
        c.id = p.number_argument();
        p.comma();
        c.class_name = p.string_argument();
        p.comma();
        c.style = static_cast<uint32_t>(p.expression(WS_CHILD_VISIBLE));
        p.comma();
        c.x = p.number_argument();
        p.comma();
        c.y = p.number_argument();
        p.comma();
        c.cx = p.number_argument();
        p.comma();
        c.cy = p.number_argument();
        c.ex_style = 0;
        if (p.is(",")) {
            p.next();
            c.ex_style = static_cast<uint32_t>(p.expression());
        }
        d.controls.push_back(c);
    }
    return d;
}

Raw parse_raw(Parser &p, int id, int type, int language)
{
    Raw r{id, type, language, {}};
    if (!p.begin_block())
        fail(p.peek().where, "expected BEGIN");
    bool first = true;
    while (!p.end_block()) {
        if (!first)
            p.comma();
        first = false;
        if (p.peek().kind == Token::string) {
            std::string s = p.string_argument();
            r.data.insert(r.data.end(), s.begin(), s.end());
            continue;
        }
        bool is_long = p.peek().kind == Token::number && p.peek().long_suffix;
        uint32_t v = static_cast<uint32_t>(p.expression());
        int bytes = is_long ? 4 : 2;
        for (int b = 0; b < bytes; ++b)
            r.data.push_back(static_cast<unsigned char>(v >> (8 * b)));
    }
    return r;
}

std::string c_string(const std::string &s)
{
    std::string out = "\"";
    for (unsigned char c : s) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20 || c >= 0x7F) {
            char buf[8];
            snprintf(buf, sizeof buf, "\\%03o", c);
            out += buf;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out + "\"";
}

void write_tables(FILE *out, const std::string &source, const std::vector<Dialog> &dialogs,
                  const std::vector<Raw> &raws)
{
    fprintf(out, "// Generated by rc2cpp from %s. Do not edit.\n", source.c_str());
    fprintf(out, "#include \"platform/win32/resources.h\"\n\nnamespace {\n\n");
    for (const Dialog &d : dialogs) {
        fprintf(out, "const DialogControlResource dialog_%d_controls[] = {\n", d.id);
        for (const Control &c : d.controls)
            fprintf(out, "    {%s, %s, %d, 0x%08Xu, 0x%08Xu, %d, %d, %d, %d},\n",
                    c_string(c.class_name).c_str(), c_string(c.text).c_str(), c.id, c.style,
                    c.ex_style, c.x, c.y, c.cx, c.cy);
        fprintf(out, "};\n\n");
    }
    for (const Raw &r : raws) {
        fprintf(out, "const unsigned char raw_%d_%d[] = {", r.id, r.type);
        for (size_t i = 0; i < r.data.size(); ++i)
            fprintf(out, "%s0x%02X,", i % 12 == 0 ? "\n    " : " ", r.data[i]);
        fprintf(out, "\n};\n\n");
    }
    fprintf(out, "const DialogResource dialogs[] = {\n");
    for (const Dialog &d : dialogs)
        fprintf(out,
                "    {%d, %d, 0x%08Xu, 0x%08Xu, %d, %d, %d, %d, %s, %d, %s, dialog_%d_controls, %zu},\n",
                d.id, d.language, d.style, d.ex_style, d.x, d.y, d.cx, d.cy,
                c_string(d.caption).c_str(), d.font_points, c_string(d.font_name).c_str(), d.id,
                d.controls.size());
    if (dialogs.empty())
        fprintf(out, "    {},\n");
    fprintf(out, "};\n\nconst RawResource raws[] = {\n");
    for (const Raw &r : raws)
        fprintf(out, "    {%d, %d, %d, raw_%d_%d, %zu},\n", r.id, r.type, r.language, r.id, r.type,
                r.data.size());
    if (raws.empty())
        fprintf(out, "    {},\n");
    fprintf(out,
            "};\n\nconst ResourceModule module = {dialogs, %zu, raws, %zu};\n"
            "const bool registered = register_resources(&module);\n\n}  // namespace\n",
            dialogs.size(), raws.size());
}

}  // namespace

int main(int argc, char **argv)
{
    if (argc < 3) {
        fprintf(stderr, "usage: rc2cpp script.rc out.cpp [-Idir]...\n");
        return 2;
    }
    for (int i = 3; i < argc; ++i) {
        std::string a = argv[i];
        if (a.rfind("-I", 0) != 0) {
            fprintf(stderr, "rc2cpp: unknown argument %s\n", argv[i]);
            return 2;
        }
        include_dirs.push_back(a.substr(2));
    }
    std::string source = argv[1];
    Parser p;
    p.tokens = tokenize(preprocess(source, false), source);

    std::vector<Dialog> dialogs;
    std::vector<Raw> raws;
    int language = 0;
    while (p.peek().kind != Token::end) {
        if (p.is("LANGUAGE")) {
            p.next();
            int primary = p.number_argument();
            p.comma();
            int sub = p.number_argument();
            language = (sub << 10) | primary;
            continue;
        }
        int id = p.number_argument();
        if (p.is("DIALOG")) {
            p.next();
            dialogs.push_back(parse_dialog(p, id, language));
        } else if (p.peek().kind == Token::number || (p.peek().kind == Token::word && macros.count(p.peek().text))) {
            int type = p.number_argument();
            raws.push_back(parse_raw(p, id, type, language));
        } else {
            fail(p.peek().where, "resource type '" + p.peek().text + "' is not supported");
        }
    }

    FILE *out = fopen(argv[2], "w");
    if (!out) {
        fprintf(stderr, "rc2cpp: cannot write %s\n", argv[2]);
        return 1;
    }
    write_tables(out, source, dialogs, raws);
    return fclose(out) == 0 ? 0 : 1;
}
