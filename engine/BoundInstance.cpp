#include "engine/BoundInstance.h"

namespace {
const RWEString kEntity("Entity");
}  // namespace

RWEString BoundInstance::entity(const KvXMLElement& config) const {
  return fixedEntity_ ? RWEString(fixedEntity_) : config.attribute(kEntity);
}
