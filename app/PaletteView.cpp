#include "app/PaletteView.h"

#include <QColor>

#include "app/ImageCanvas.h"
#include "app/ImageConversion.h"
#include "document/Colour.h"
#include "render/Image.h"
#include "render/Palette.h"

namespace twk {

PaletteView::PaletteView(CONFIG& config, EditorState& state, ImageCanvas& strip, ScreenScale scale, Asking ask)
    : config_(config), state_(state), strip_(strip), scale_(scale), ask_(ask) {
  strip_.onRelease = [this](Qt::MouseButton button, QPoint p) { OnRelease(button, p.x()); };
}

void PaletteView::Default(std::mt19937::result_type seed) {
  std::mt19937 random(seed);
  DefaultPalette(config_.Palette, state_.CurRGB, random);
}

void PaletteView::Draw() {
  std::unique_ptr<Image> strip = Image::NewTransparent(strip_.width(), strip_.height());
  if (!strip) return;
  DrawPalette(*strip, config_.Palette, state_.CurRGB, scale_.x, scale_.y);
  strip_.setImage(ToQImage(*strip));
}

void PaletteView::OnRelease(int button, int x) {
  const int slot = PaletteSlotAt(static_cast<float>(x), static_cast<float>(strip_.width()));
  // A release beyond either end of the strip has no slot and does nothing.
  if (slot < 0 || slot >= static_cast<int>(config_.Palette.size())) return;
  std::int32_t& entry = config_.Palette[static_cast<std::size_t>(slot)];
  if (button == Qt::LeftButton) {
    state_.CurRGB = entry;
    Draw();
  } else if (button == Qt::RightButton) {
    QColor chosen;
    if (!ask_.dialogs.ChooseColour(ask_.owner, QColor(RedOf(entry), GreenOf(entry), BlueOf(entry)), chosen)) return;
    entry = PackRGBA(chosen.red(), chosen.green(), chosen.blue(), 0);
    state_.CurRGB = entry;
    Draw();
  }
}

}  // namespace twk
