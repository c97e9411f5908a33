#pragma once
// Small pieces the library's windows share.

#include <filesystem>

#include <QString>

class QLineEdit;
class QPushButton;
class QWidget;

namespace zrk {

constexpr int MaxLibraryNameLength = 50; // characters typed for a new folder or task name

QPushButton* DialogButton(QWidget* parent, const char* name, const QString& text);
// The name field "E" of the add dialogs.
QLineEdit* NameEdit(QWidget* parent);

// File names are UTF-8 on disk.
std::filesystem::path ToPath(const QString& path);
QString FromPath(const std::filesystem::path& path);

} // namespace zrk
