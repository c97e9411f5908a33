#pragma once
// TQtClipboard: the system clipboard for the core (IClipboard). Text goes as Unicode text; the
// private blocks go under MIME types that Qt on Windows maps to the registered clipboard formats
// "ZRKState" and "ZRKFigs" themselves, and that X11 and Wayland carry by the same names, so that
// two running copies of the program exchange them anywhere.

#include <QString>

#include "model/platform.h"

namespace zrk {

// The MIME type under which a registered format travels.
QString ClipMimeType(const std::string& format);

class TQtClipboard final : public IClipboard {
 public:
  void PutText(const std::string& utf8) override;
  std::optional<std::string> GetText() override;
  void PutBlock(const std::string& format, const std::vector<uint8_t>& data) override;
  std::optional<std::vector<uint8_t>> GetBlock(const std::string& format) override;
};

} // namespace zrk
