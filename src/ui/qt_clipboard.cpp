#include "ui/qt_clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace zrk {

QString ClipMimeType(const std::string& format) {
  return QStringLiteral("application/x-qt-windows-mime;value=\"%1\"").arg(QString::fromStdString(format));
}

void TQtClipboard::PutText(const std::string& utf8) { QGuiApplication::clipboard()->setText(QString::fromStdString(utf8)); }

std::optional<std::string> TQtClipboard::GetText() {
  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  if (!data || !data->hasText()) return std::nullopt;
  return data->text().toStdString();
}

void TQtClipboard::PutBlock(const std::string& format, const std::vector<uint8_t>& data) {
  auto* mime = new QMimeData;
  mime->setData(ClipMimeType(format), QByteArray(reinterpret_cast<const char*>(data.data()), qsizetype(data.size())));
  QGuiApplication::clipboard()->setMimeData(mime);
}

std::optional<std::vector<uint8_t>> TQtClipboard::GetBlock(const std::string& format) {
  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  const QString type = ClipMimeType(format);
  if (!data || !data->hasFormat(type)) return std::nullopt;
  const QByteArray bytes = data->data(type);
  return std::vector<uint8_t>(bytes.begin(), bytes.end());
}

} // namespace zrk
