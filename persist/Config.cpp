#include "persist/Config.h"

#include "persist/RecordFile.h"

namespace twk {

const RecordDescription& ConfigDescription() {
  static const RecordDescription description = [] {
    RecordDescription d;
    d.typeName = "CONFIG";
    d.fields = {
        ScalarField<&CONFIG::valid>("valid"),
        ListField<&CONFIG::Palette, VectorListOps>("Palette", ValueType::kInt32, kPaletteCeiling),
        ScalarField<&CONFIG::RecentFile>("RecentFile$"),
        ScalarField<&CONFIG::RecentExport>("RecentExport"),
        ScalarField<&CONFIG::HideMarks>("HideMarks"),
        ScalarField<&CONFIG::FitEdges>("FitEdges"),
        ScalarField<&CONFIG::OtherSizes>("OtherSizes$"),
        ScalarField<&CONFIG::IconGround>("IconGround"),
    };
    d.payloadCeiling = kConfigPayloadCeiling;
    return d;
  }();
  return description;
}

ResultCode LoadConfiguration(CONFIG& config, const std::string& path) {
  return LoadRecordFile(path, ConfigDescription(), config, Container::kBare);
}

ResultCode SaveConfiguration(const CONFIG& config, const std::string& path) {
  return SaveRecordFile(path, ConfigDescription(), config, Container::kBare);
}

}  // namespace twk
