#include "app/CopyPasteCommands.h"

#include <new>
#include <optional>

#include "app/Clipboard.h"
#include "document/Colour.h"
#include "editor/ClipboardCommands.h"
#include "editor/ItemCommands.h"
#include "export/ItemClipboardData.h"
#include "import/SvgReader.h"
#include "persist/ItemClipboard.h"

namespace twk {
namespace {

// A copy of nothing (no selection, or refused) leaves the clipboard as it
// was.
void PutOnClipboard(Clipboard& clipboard, const TWKFILE& picked) {
  if (picked.CData.empty()) return;
  clipboard.Put(ItemClipboardData(picked));
}

// Copies of many items may not fit in memory: the command then does
// nothing (a cut leaves its items in place) and says so.
template <typename Command>
void UnlessOutOfMemory(const Asking& ask, const QString& title, Command command) {
  try {
    command();
  } catch (const std::bad_alloc&) {
    ask.dialogs.ShowMessage(ask.owner, title, QStringLiteral("Not enough memory for the items."), MessageIcon::kError);
  }
}

// An SVG picture another program offers: as image/svg+xml, or as plain
// text that is an SVG document. Empty when there is none.
std::string SvgOnClipboard(Clipboard& clipboard) {
  std::string svg = clipboard.Get(kSvgMimeType);
  if (!svg.empty()) return svg;
  svg = clipboard.Get("text/plain");
  return LooksLikeSvg(svg) ? svg : std::string();
}

}  // namespace

void CopyItemsCommand(EditorSession& editor, Clipboard& clipboard, const Asking& ask) {
  UnlessOutOfMemory(ask, QStringLiteral("Copy"), [&] { PutOnClipboard(clipboard, CopySelected(editor)); });
}

void CutItemsCommand(EditorSession& editor, Clipboard& clipboard, const Asking& ask) {
  // The items go only once they are on the clipboard.
  UnlessOutOfMemory(ask, QStringLiteral("Cut"), [&] {
    PutOnClipboard(clipboard, CopySelected(editor));
    DeleteSelected(editor);
  });
}

void PasteItemsCommand(EditorSession& editor, Clipboard& clipboard, const Asking& ask) {
  bool pasted = true;
  QString problem;  // what one message says after the paste
  MessageIcon icon = MessageIcon::kWarning;
  UnlessOutOfMemory(ask, QStringLiteral("Paste"), [&] {
    // Text from any program: what the reader does not take whole is ignored
    // without a word, as is a clipboard without items.
    const std::optional<TWKFILE> items = ItemsFromClipboardText(clipboard.Get(kItemsMimeType));
    if (items) {
      pasted = PasteItems(editor, items->CData);
      return;
    }
    // The items of an SVG picture, read onto the 16 x 16 drawing area with
    // the tool colour as currentColor.
    const std::string svg = SvgOnClipboard(clipboard);
    if (svg.empty()) return;
    SvgReadOptions options;
    options.currentColor = WithAlpha(editor.state().CurRGB, 255);
    const SvgRead read = ReadSvgText(svg, options);
    if (!read.ok) {
      problem = QStringLiteral("Can't paste the SVG picture:\r\n") + QString::fromStdString(read.error);
      icon = MessageIcon::kError;
      return;
    }
    pasted = PasteItems(editor, read.doc.CData);
    if (pasted && !read.leftOut.empty())
      problem = QStringLiteral("Not everything in the SVG picture could come in.\r\nLeft out: ") +
                QString::fromStdString(read.leftOut);
  });
  if (!pasted) {
    problem = QStringLiteral("Can't paste: the drawing would hold more than ") + QString::number(kDocumentItemCeiling) +
              QStringLiteral(" items.");
    icon = MessageIcon::kError;
  }
  if (!problem.isEmpty()) ask.dialogs.ShowMessage(ask.owner, QStringLiteral("Paste"), problem, icon);
}

}  // namespace twk
