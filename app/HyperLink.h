#pragma once
// lnkHome: a short link text in the normal text colour, not underlined; it
// turns blue (0, 0, 255) with a hand pointer while the pointer is over it and
// opens its address when clicked.

#include <QLabel>
#include <QUrl>
#include <functional>

namespace twk {

class HyperLink : public QLabel {
  Q_OBJECT

 public:
  HyperLink(const QString& text, const QUrl& address, QWidget* parent = nullptr);

  const QUrl& address() const { return address_; }
  bool hovered() const { return hovered_; }
  // How the address is opened; QDesktopServices::openUrl by default.
  void setOpener(std::function<void(const QUrl&)> opener) { opener_ = std::move(opener); }

 protected:
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  void SetHovered(bool hovered);

  QUrl address_;
  bool hovered_ = false;
  std::function<void(const QUrl&)> opener_;
};

}  // namespace twk
