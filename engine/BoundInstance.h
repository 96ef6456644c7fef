// BoundInstance: the binding of a report over one instance (the cell, LAF,
// 1xEV and instance reports) to the run's active instance, and the entity it
// reports on. Each of those classes holds one and forwards configure,
// instanceId and entityName to it, so that the binding is written once while
// every class keeps its own base. The id is -1 until bind. A small value;
// one report, one thread.
#ifndef TARNEL_ENGINE_BOUNDINSTANCE_H_
#define TARNEL_ENGINE_BOUNDINSTANCE_H_

#include "framework/KvXMLElement.h"
#include "framework/RWEString.h"
#include "framework/TarnelReportInfo.h"

class BoundInstance {
 public:
  // `fixedEntity` is the entity a class reports on whatever its
  // configuration says; null: the configuration root's Entity attribute.
  explicit BoundInstance(const char* fixedEntity = nullptr) : fixedEntity_(fixedEntity) {}

  // Binds to `info`'s active instance.
  void bind(const TarnelReportInfo& info) { id_ = info.activeInstanceId(); }
  // Binds to `info`'s active instance and takes the run's scenario into the
  // report's `scenario`, as the engine's configure does.
  void bind(const TarnelReportInfo& info, RWEString& scenario) {
    bind(info);
    scenario = info.scenario;
  }
  // The bound instance id; -1 before bind.
  int id() const { return id_; }
  // The fixed entity, or the Entity attribute of `config` (empty when absent),
  // read at every call.
  RWEString entity(const KvXMLElement& config) const;

 private:
  const char* fixedEntity_;
  int id_ = -1;
};

#endif  // TARNEL_ENGINE_BOUNDINSTANCE_H_
