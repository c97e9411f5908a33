#pragma once
// The task's free text as the text window edits it, and the program's own text files beside it
// ("Attributes.txt", "Описание.txt").
//
// The task keeps its text in code page 1251 with CR LF line breaks, as task files have always
// held it; an edit box works in UTF-8 with LF alone. The data files are code page 1251 unless they
// begin with the UTF-8 byte order mark.

#include <string>
#include <string_view>

namespace zrk {

// The text of a data file, as UTF-8 with LF line breaks.
std::string DataFileText(std::string_view bytes);

// Task text (code page 1251, any line breaks) for an edit box.
std::string TextForEditing(std::string_view stored);
// An edit box's text (UTF-8) as the task keeps it: code page 1251, CR LF line breaks.
std::string TextForStoring(std::string_view edited);

// The standard attributes at the head of the text: the attributes, an empty line, then the old
// text; the attributes alone (exactly as the file has them) when the text is empty. Both in the
// edit box's form.
std::string WithAttributes(const std::string& attributes, const std::string& text);

} // namespace zrk
