#include "library/library_widgets.h"

#include <QFile>
#include <QLineEdit>
#include <QPushButton>

namespace zrk {

QPushButton* DialogButton(QWidget* parent, const char* name, const QString& text) {
  auto* b = new QPushButton(text, parent);
  b->setObjectName(name);
  b->setAutoDefault(false);
  return b;
}

QLineEdit* NameEdit(QWidget* parent) {
  auto* e = new QLineEdit(parent);
  e->setObjectName("E");
  e->setMaxLength(MaxLibraryNameLength);
  return e;
}

std::filesystem::path ToPath(const QString& path) { return std::filesystem::path(QFile::encodeName(path).toStdString()); }

QString FromPath(const std::filesystem::path& path) { return QFile::decodeName(QByteArray::fromStdString(path.string())); }

} // namespace zrk
