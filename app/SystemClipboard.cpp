#include <QByteArray>
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include "app/Clipboard.h"

namespace twk {
namespace {

class DesktopClipboard : public Clipboard {
 public:
  void Put(const std::vector<ClipboardEntry>& entries) override {
    auto* data = new QMimeData;
    for (const ClipboardEntry& entry : entries) {
      data->setData(QString::fromStdString(entry.mimeType),
                    QByteArray(entry.bytes.data(), static_cast<qsizetype>(entry.bytes.size())));
    }
    QGuiApplication::clipboard()->setMimeData(data);  // the clipboard owns it
  }

  std::string Get(const std::string& mimeType) override {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    const QString kind = QString::fromStdString(mimeType);
    if (!data || !data->hasFormat(kind)) return {};
    const QByteArray bytes = data->data(kind);
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
  }
};

}  // namespace

Clipboard& SystemClipboard() {
  static DesktopClipboard clipboard;
  return clipboard;
}

}  // namespace twk
