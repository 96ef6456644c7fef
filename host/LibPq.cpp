#include "host/LibPq.h"

#include <dlfcn.h>

#include <string>

#include "framework/KvException.h"

namespace {
const char kLibrary[] = "libpq.so.5";
const char kCannotLoad[] = "Cannot load the PostgreSQL client library (package libpq5) ";

std::string loaderMessage() {
  const char* message = dlerror();
  return message ? message : "unknown error";
}

template <typename Function>
void bind(void* library, const char* name, Function& function) {
  function = reinterpret_cast<Function>(dlsym(library, name));
  if (!function) throw KvException(kCannotLoad + std::string(kLibrary) + ": " + loaderMessage());
}

// A function that older libpq versions lack: null when missing.
template <typename Function>
void bindOptional(void* library, const char* name, Function& function) {
  function = reinterpret_cast<Function>(dlsym(library, name));
}

const LibPq* load() {
  void* library = dlopen(kLibrary, RTLD_NOW | RTLD_LOCAL);
  if (!library) throw KvException(kCannotLoad + std::string(kLibrary) + ": " + loaderMessage());
  static LibPq pq;
  bind(library, "PQconnectdbParams", pq.connectdbParams);
  bind(library, "PQstatus", pq.status);
  bind(library, "PQerrorMessage", pq.errorMessage);
  bind(library, "PQfinish", pq.finish);
  bind(library, "PQsetNoticeProcessor", pq.setNoticeProcessor);
  bind(library, "PQtransactionStatus", pq.transactionStatus);
  bind(library, "PQexec", pq.exec);
  bind(library, "PQresultStatus", pq.resultStatus);
  bind(library, "PQresultErrorField", pq.resultErrorField);
  bind(library, "PQresultErrorMessage", pq.resultErrorMessage);
  bind(library, "PQnfields", pq.nfields);
  bind(library, "PQntuples", pq.ntuples);
  bind(library, "PQftype", pq.ftype);
  bind(library, "PQgetvalue", pq.getvalue);
  bind(library, "PQgetlength", pq.getlength);
  bind(library, "PQclear", pq.clear);
  bind(library, "PQputCopyData", pq.putCopyData);
  bind(library, "PQputCopyEnd", pq.putCopyEnd);
  bind(library, "PQgetResult", pq.getResult);
  bind(library, "PQconsumeInput", pq.consumeInput);
  bind(library, "PQreset", pq.reset);
  bind(library, "PQsendQueryParams", pq.sendQueryParams);
  bind(library, "PQsendPrepare", pq.sendPrepare);
  bind(library, "PQsendQueryPrepared", pq.sendQueryPrepared);
  bindOptional(library, "PQenterPipelineMode", pq.enterPipelineMode);
  bindOptional(library, "PQexitPipelineMode", pq.exitPipelineMode);
  bindOptional(library, "PQpipelineSync", pq.pipelineSync);
  return &pq;
}
}  // namespace

const LibPq& LibPq::get() {
  static const LibPq* loaded = load();
  return *loaded;
}
