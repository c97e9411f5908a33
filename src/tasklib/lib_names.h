#pragma once
// The names of a task library: task files "NNN title.zrk" (or "NNN.zrk") and subfolders
// "NNN title", where NNN is a three-digit order number. Names are UTF-8, as on disk.

#include <string>
#include <string_view>
#include <vector>

namespace zrk {

constexpr int MaxLibNumber = 999; // the names hold three digits
constexpr std::string_view TaskExt = ".zrk";
constexpr std::string_view LibraryFolderName = "zrktasks"; // recognised in any letter case

// Three digits followed by the end of the name, a space or ".": the name sorts and shows as
// numbered.
bool IsNumberedName(std::string_view name);
// The number of "NNN title": three digits followed by a space; -1 otherwise. Only these numbers
// count when the next free number is looked for.
int NameNumber(std::string_view name);
// A task file numbered 000: the folder's main task.
bool IsMainTaskName(std::string_view name);
// A task file: the name ends with ".zrk" in any letter case.
bool IsTaskFileName(std::string_view name);

// Sorts names into the library order: numbered names first, each group compared without regard
// to letter case.
void SortLibraryOrder(std::vector<std::string>& names);
// The name with every letter in lower case: names equal without regard to case fold equal.
std::u32string FoldedName(std::string_view name);
// Equal without regard to letter case (Unicode letters included).
bool SameNameNoCase(std::string_view a, std::string_view b);

// The name without a leading number of three digits and a space.
std::string WithoutNumber(std::string_view name);
// The name without any leading digits and the spaces after them: what two entries must not share.
std::string_view WithoutLeadingNumber(std::string_view name);
// A task file's title: the name without its number and without ".zrk".
std::string TaskTitle(std::string_view fileName);
// Exactly three digits: a title that is only a number.
bool IsOnlyNumber(std::string_view title);
// "NNN title" + ext, or "NNN" + ext without a title.
std::string NumberedName(int number, std::string_view title, std::string_view ext);

// The navigator's row for a task: "k. title", "k." for a title that is only a number, and "*"
// or "* title" for the main task.
std::string ListRowText(std::string_view title, int k, bool mainTask);

// Keeps letters and digits (by Unicode) and ~ ` ! № # $ ; % & ^ ( ) _ - + = '; drops a leading
// run of other characters, turns each further run into one space and drops a trailing space.
// An empty result means that no name was given.
std::string CleanName(std::string_view utf8);

} // namespace zrk
