#include "framework/ResultDocument.h"

namespace {
const RWEString kRoot("RESULT");
const RWEString kDataset("DATASET");
const RWEString kRow("ROW");
const RWEString kArg("ARG");
const RWEString kClass("Class");
const RWEString kTable1("Table1");
}  // namespace

ResultDocument::ResultDocument()
    : root_(std::make_unique<KvXMLElement>(kRoot)), dataset_(root_->addChild(kDataset)) {}

void ResultDocument::addRow(RWEStringCollection values) {
  KvXMLElement* row = dataset_->addChild(kRow);
  row->setAttribute(kClass, kTable1);
  row->setRowValues(std::move(values));
}

void ResultDocument::addArg(const RWEString& name, const RWEString& value) {
  KvXMLElement* arg = dataset_->addChild(kArg);
  arg->setAttribute("Name", name);
  arg->setAttribute("Value", value);
}

std::unique_ptr<KvXMLElement> ResultDocument::release() {
  dataset_ = nullptr;
  return std::move(root_);
}
