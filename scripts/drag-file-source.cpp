// A stand-in for a file manager in the window checks: a small window titled
// "drag source"; a press in it drags the file named on the command line as a
// file manager does (text/uri-list, copy or move offered, move preferred).
// When the drag ends it prints what the target took: copy, move, link or
// none. Built by the scripts that use it:
//   g++ -std=c++17 -fPIC drag-file-source.cpp $(pkg-config --cflags --libs Qt6Widgets)

#include <QApplication>
#include <QDrag>
#include <QFileInfo>
#include <QMimeData>
#include <QMouseEvent>
#include <QUrl>
#include <QWidget>
#include <cstdio>

namespace {

class DragSource : public QWidget {
 public:
  explicit DragSource(QString path) : path_(std::move(path)) {
    setWindowTitle(QStringLiteral("drag source"));
    resize(120, 120);
  }

 protected:
  void mousePressEvent(QMouseEvent*) override {
    auto* drag = new QDrag(this);
    auto* data = new QMimeData;
    data->setUrls({QUrl::fromLocalFile(path_)});
    drag->setMimeData(data);
    const Qt::DropAction taken = drag->exec(Qt::CopyAction | Qt::MoveAction, Qt::MoveAction);
    const char* word = taken == Qt::CopyAction ? "copy" : taken == Qt::MoveAction ? "move"
                       : taken == Qt::LinkAction ? "link" : "none";
    std::printf("%s\n", word);
    std::fflush(stdout);
  }

 private:
  QString path_;
};

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc != 2) return 2;
  DragSource source(QFileInfo(QString::fromLocal8Bit(argv[1])).absoluteFilePath());
  source.show();
  return QApplication::exec();
}
