#pragma once
// wndMain: the canvas and the item list side by side, the palette strip below
// them and a bottom bar with the version label and the home page link.
// Fixed size, fitted to its content; title bar with Close only. A document
// or an SVG image dropped on it from a file manager is handed on to open.

#include <QWidget>
#include <functional>

#include "app/ScreenScale.h"

class QFrame;
class QLabel;
class QMenu;

namespace twk {

class HyperLink;
class ImageCanvas;
class ItemList;
class ItemListWidget;
class KeyCommandFilter;
class PreviewWindow;

inline constexpr const char* kVersionText = "v1.0.0.4";
inline constexpr const char* kHomeAddress = "https://tarnwick.example/";
inline constexpr const char* kHomeText = "tarnwick.example";

// The spacing and margins of both windows.
inline constexpr int kBoxSpacing = 5;
inline constexpr int kWindowMargin = 8;
inline constexpr int kContainerMargin = 10;

class MainWindow : public QWidget {
  Q_OBJECT

 public:
  // `items` is the list lstItems shows.
  MainWindow(const LayoutSizes& sizes, ItemList& items);

  ImageCanvas* imgDraw = nullptr;
  ItemListWidget* lstItems = nullptr;
  ImageCanvas* imgPalette = nullptr;
  QFrame* container1 = nullptr;
  QLabel* lblVersion = nullptr;
  HyperLink* lnkHome = nullptr;
  // Made by the program once the command table exists: the item list's
  // popup menu (rebuilt on every right-click), the keys that give commands,
  // and the Preview window (hidden until P shows it).
  QMenu* popupMenu = nullptr;
  KeyCommandFilter* keyCommands = nullptr;
  PreviewWindow* preview = nullptr;

  // The close request (the loop's end); the window is closed afterwards.
  std::function<void()> closing;
  // One local file named *.twk or *.svg was dropped on the window: its
  // path, handed on once the drop has ended.
  std::function<void(const QString& path)> fileDropped;

 protected:
  void closeEvent(QCloseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;
};

// Moves `window` so that it is centred on `over`, or on the primary screen
// when `over` is null.
void CentreWindow(QWidget* window, const QWidget* over);

}  // namespace twk
