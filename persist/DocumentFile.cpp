#include "persist/DocumentFile.h"

#include "persist/RecordFile.h"
#include "persist/RecordXml.h"

namespace twk {
namespace {

// Item access for the document's item list.
struct ItemStoreOps {
  static const void* Item(const ItemStore& items, std::size_t i) { return items.at(static_cast<int>(i)); }
  static void* Append(ItemStore& items) { return items.append(TWKDATA{}); }
};

RecordDescription MakeItemDescription() {
  RecordDescription d;
  d.typeName = "TWKDATA";
  d.fields = {
      ScalarField<&TWKDATA::Name>("Name$"),
      ScalarField<&TWKDATA::Type>("Type"),
      ScalarField<&TWKDATA::DrawMethod>("DrawMethod"),
      ScalarField<&TWKDATA::DrawMethod2>("DrawMethod2"),
      ScalarField<&TWKDATA::DrawWidth>("DrawWidth"),
      ScalarField<&TWKDATA::DrawAngle>("DrawAngle"),
      ScalarField<&TWKDATA::DrawRGBA>("DrawRGBA"),
      ScalarField<&TWKDATA::Visible>("Visible"),
      ScalarField<&TWKDATA::X1>("X1"),
      ScalarField<&TWKDATA::Y1>("Y1"),
      ScalarField<&TWKDATA::X2>("X2"),
      ScalarField<&TWKDATA::Y2>("Y2"),
      ScalarField<&TWKDATA::X3>("X3"),
      ScalarField<&TWKDATA::Y3>("Y3"),
      ScalarField<&TWKDATA::X4>("X4"),
      ScalarField<&TWKDATA::Y4>("Y4"),
  };
  return d;
}

RecordDescription MakeDocumentDescription() {
  RecordDescription d;
  d.typeName = "TWKFILE";
  d.fields = {
      ScalarField<&TWKFILE::TWKW>("TWKW"),
      ScalarField<&TWKFILE::TWKH>("TWKH"),
      ListField<&TWKFILE::CData, ItemStoreOps>("CData", ValueType::kRecord, kItemCeiling, &ItemDescription()),
  };
  d.payloadCeiling = kDocumentPayloadCeiling;
  return d;
}

}  // namespace

const RecordDescription& ItemDescription() {
  static const RecordDescription description = MakeItemDescription();
  return description;
}

const RecordDescription& DocumentDescription() {
  static const RecordDescription description = MakeDocumentDescription();
  return description;
}

ResultCode SaveDocumentFile(const std::string& path, const TWKFILE& doc) {
  return SaveRecordFile(path, DocumentDescription(), doc, Container::kTagged);
}

ResultCode SaveDocumentFileAt(int folder, const std::string& name, const TWKFILE& doc) {
  std::string header, stream;
  const ResultCode encoded = EncodeRecordFile(DocumentDescription(), &doc, Container::kTagged, header, stream);
  if (encoded != ResultCode::kOk) return encoded;
  return ReplaceFileAt(folder, name, header, stream);
}

ResultCode LoadDocumentFile(const std::string& path, TWKFILE& doc) {
  return LoadRecordFile(path, DocumentDescription(), doc, Container::kTagged);
}

ResultCode LoadDocumentFile(const std::string& path, TWKFILE& doc, LoadAccess access) {
  return LoadRecordFile(path, DocumentDescription(), doc, Container::kTagged, access);
}

ResultCode LoadOpenDocumentFile(const FileHandle& file, std::uint64_t size, TWKFILE& doc) {
  return LoadOpenRecordFile(file, size, DocumentDescription(), &doc, Container::kTagged);
}

std::string DocumentToXml(const TWKFILE& doc) { return RecordToXml(DocumentDescription(), &doc); }

bool WriteDocumentXml(const TWKFILE& doc, const XmlSink& sink) { return WriteRecordXml(DocumentDescription(), &doc, sink); }

}  // namespace twk
