#pragma once

#include <string>

// A program name or path as every report shows it, the dialog's lists among them. Names are
// data, not layout: a name that holds a control character, a line or paragraph separator or a
// character that turns the direction of text is shown in double quotes with C-style escapes
// ("A\r\nB"), so it can neither make two lines (or two list entries) nor reach the terminal as a
// command. So is a name that starts with a double quote, so that a quoted name is never mistaken
// for a plain one, and a name that starts or ends with a space. Any other name is shown as it is.
std::u16string PrintableName(const std::u16string& name);

// The name in double quotes with C-style escapes, whatever it holds: for a front end whose own
// layout a plain name could pass for.
std::u16string QuotedName(const std::u16string& name);
