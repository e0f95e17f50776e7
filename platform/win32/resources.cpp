// resources.cpp - the reader of a .res image: its resource entries, the dialog
// templates and the dialog initialisation lists in them. Every read is
// bounds-checked: a damaged image is refused whole, never read past its end.
#include "resources.h"

#include <strings.h>

#include <cstdint>
#include <cstdio>
#include <deque>

namespace {

const int RT_DIALOG = 5;
const int RT_DLGINIT = 240;
// A template of the extended kind (DIALOGEX) starts with this version and signature.
const uint32_t DIALOGEX_SIGNATURE = 0xFFFF0001u;

// A position in a block of little-endian bytes that stops, and stays
// stopped, at the first read past the end.
struct Reader {
    const unsigned char *base;
    size_t size;
    size_t at = 0;
    bool ok = true;

    bool has(size_t n) { return ok && (ok = n <= size - at); }
    uint16_t word()
    {
        if (!has(2))
            return 0;
        at += 2;
        return static_cast<uint16_t>(base[at - 2] | base[at - 1] << 8);
    }
    uint32_t dword()
    {
        uint32_t low = word();
        return low | static_cast<uint32_t>(word()) << 16;
    }
    int16_t short_value() { return static_cast<int16_t>(word()); }
    void skip(size_t n)
    {
        if (has(n))
            at += n;
    }
    // To the next multiple of four bytes from the block's start.
    void align() { skip((4 - at % 4) % 4); }

    // A zero-terminated UTF-16 string, as UTF-8.
    std::string text()
    {
        std::string out;
        for (uint32_t c = word(); ok && c != 0; c = word()) {
            if (c >= 0xD800 && c < 0xDC00) {  // a surrogate pair
                uint32_t low = word();
                c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
            }
            if (c < 0x80) {
                out += static_cast<char>(c);
            } else if (c < 0x800) {
                out += static_cast<char>(0xC0 | c >> 6);
                out += static_cast<char>(0x80 | (c & 0x3F));
            } else if (c < 0x10000) {
                out += static_cast<char>(0xE0 | c >> 12);
                out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
                out += static_cast<char>(0x80 | (c & 0x3F));
            } else {
                out += static_cast<char>(0xF0 | c >> 18);
                out += static_cast<char>(0x80 | (c >> 12 & 0x3F));
                out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
                out += static_cast<char>(0x80 | (c & 0x3F));
            }
        }
        return out;
    }

    // A name or an ordinal: 0xFFFF and a number, or a string. ordinal is
    // -1 for a string (and for the empty name, a lone zero word).
    std::string name_or_ordinal(int &ordinal)
    {
        ordinal = -1;
        if (!has(2))
            return {};
        if (base[at] == 0xFF && base[at + 1] == 0xFF) {
            word();
            ordinal = word();
            return {};
        }
        return text();
    }
};

// The system's control classes, by atom or by a name in any case (windres
// writes them in capitals), spelled as Windows spells them.
std::string control_class(int atom, const std::string &name)
{
    static const char *const system_classes[] = {"Button",  "Edit",      "Static",
                                                 "ListBox", "ScrollBar", "ComboBox"};
    if (atom >= 0x80 && atom < 0x80 + 6)
        return system_classes[atom - 0x80];
    for (const char *c : system_classes)
        if (strcasecmp(c, name.c_str()) == 0)
            return c;
    return name;
}

bool read_dialog(Reader r, DialogResource &d)
{
    d.style = r.dword();
    if (d.style == DIALOGEX_SIGNATURE)
        return false;  // our program has none, and Windows reads them differently
    d.ex_style = r.dword();
    int count = r.word();
    d.x = r.short_value();
    d.y = r.short_value();
    d.cx = r.short_value();
    d.cy = r.short_value();
    int ordinal;
    r.name_or_ordinal(ordinal);  // the menu: dialogs here have none
    r.name_or_ordinal(ordinal);  // the window class: the dialog manager's own
    d.caption = r.text();
    d.font_points = 0;
    if (d.style & DS_SETFONT) {
        d.font_points = r.word();
        d.font_name = r.text();
    }
    for (int i = 0; i < count && r.ok; ++i) {
        r.align();
        DialogControlResource c;
        c.style = r.dword();
        c.ex_style = r.dword();
        c.x = r.short_value();
        c.y = r.short_value();
        c.cx = r.short_value();
        c.cy = r.short_value();
        c.id = r.short_value();  // IDC_STATIC's 0xFFFF is -1
        int atom, text_ordinal;
        std::string name = r.name_or_ordinal(atom);
        c.class_name = control_class(atom, name);
        c.text = r.name_or_ordinal(text_ordinal);  // an ordinal names an icon: no text
        r.skip(r.word());                          // creation data
        d.controls.push_back(c);
    }
    return r.ok;
}

bool read_dialog_init(Reader r, std::vector<DialogInitItem> &items)
{
    for (;;) {
        int id = r.word();
        if (!r.ok || id == 0)
            return r.ok;
        DialogInitItem item;
        item.control_id = id;
        item.message = r.word();
        uint32_t length = r.dword();
        if (!r.has(length))
            return false;
        item.data.assign(reinterpret_cast<const char *>(r.base + r.at), length);
        r.skip(length);
        items.push_back(item);
    }
}

// Records are never moved once registered: callers keep pointers to them.
std::deque<DialogResource> &dialogs()
{
    static std::deque<DialogResource> all;
    return all;
}

bool read_res(const unsigned char *res, size_t size, std::deque<DialogResource> &found)
{
    std::vector<std::pair<int, std::vector<DialogInitItem>>> inits;
    Reader r{res, size};
    while (r.ok && r.at < size) {
        size_t entry = r.at;
        uint32_t data_size = r.dword();
        uint32_t header_size = r.dword();
        int type, name;
        r.name_or_ordinal(type);
        r.name_or_ordinal(name);
        r.align();
        r.dword();  // data version
        r.word();   // memory flags
        int language = r.word();
        if (!r.ok || header_size > size - entry || data_size > size - entry - header_size)
            return false;
        Reader data{res + entry + header_size, data_size};
        if (type == RT_DIALOG && name >= 0) {
            DialogResource d{};
            d.id = name;
            d.language = language;
            if (!read_dialog(data, d))
                return false;
            found.push_back(d);
        } else if (type == RT_DLGINIT && name >= 0) {
            inits.push_back({name, {}});
            if (!read_dialog_init(data, inits.back().second))
                return false;
        }
        r.at = entry + header_size + data_size;
        if (r.at < size)
            r.align();
    }
    if (!r.ok)
        return false;
    for (auto &[id, items] : inits)
        for (DialogResource &d : found)
            if (d.id == id)
                d.init = items;
    return true;
}

}  // namespace

bool register_resources(const unsigned char *res, size_t size)
{
    std::deque<DialogResource> found;
    if (!read_res(res, size, found)) {
        fprintf(stderr, "lumivex: the program's resources are damaged; none are read\n");
        return false;
    }
    for (DialogResource &d : found)
        dialogs().push_back(d);
    return true;
}

const DialogResource *find_dialog_resource(int id)
{
    for (const DialogResource &d : dialogs())
        if (d.id == id)
            return &d;
    return nullptr;
}
