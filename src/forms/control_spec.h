#pragma once

#include <string_view>

namespace tavomerix {

// A colour of red, green and blue in 0..255.
struct Colour {
    int red = 0;
    int green = 0;
    int blue = 0;
    friend bool operator==(const Colour&, const Colour&) = default;
};

// The kinds of child control the forms create; the view turns each into a class and styles.
enum class ControlKind {
    DropDownList,       // "ComboBox", drop-down list with a vertical scroll bar
    ReadOnlyLine,       // "Edit", centred, borderless, read-only, no length limit
    CheckBox,           // "Button", automatic check box, left-aligned, vertically centred
    PushButton,         // "Button", push button
    Label,              // "Static", left-aligned text
    FirstOptionButton,  // "Button", option button that starts a group of exclusive ones
    OptionButton,       // "Button", option button of the group started before it
    InputField,         // "Edit", one line, sunken, scrolls horizontally
    OutputBox,          // "Edit", multi-line, read-only, sunken, with scroll bars
    EntryList,          // "ListBox", notifies selections, vertical scroll bar, sunken
};

// Everything a form needs to create one child control: identifier, kind, client
// rectangle in pixels, font specification text, colours (check boxes and buttons keep the
// system's), tooltip ("" for none) and the control's own text.
struct ControlSpec {
    int id = 0;
    ControlKind kind = ControlKind::ReadOnlyLine;
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    std::string_view fontSpec;
    Colour text;
    Colour background;
    std::string_view tooltip;
    std::string_view caption;
};

}  // namespace tavomerix
