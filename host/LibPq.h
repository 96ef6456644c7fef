// LibPq: the libpq functions the PostgreSQL connection calls, looked up in
// libpq.so.5 when the first server connection is made, so that runs against
// SQLite files load neither libpq nor the twenty-odd libraries it brings in
// (they took half the command's start-up time). Loaded once, thread-safe;
// the library stays loaded for the life of the process.
#ifndef TARNEL_HOST_LIBPQ_H_
#define TARNEL_HOST_LIBPQ_H_

#include <libpq-fe.h>

struct LibPq {
  decltype(&PQconnectdbParams) connectdbParams;
  decltype(&PQstatus) status;
  decltype(&PQerrorMessage) errorMessage;
  decltype(&PQfinish) finish;
  decltype(&PQsetNoticeProcessor) setNoticeProcessor;
  decltype(&PQtransactionStatus) transactionStatus;
  decltype(&PQexec) exec;
  decltype(&PQresultStatus) resultStatus;
  decltype(&PQresultErrorField) resultErrorField;
  decltype(&PQresultErrorMessage) resultErrorMessage;
  decltype(&PQnfields) nfields;
  decltype(&PQntuples) ntuples;
  decltype(&PQftype) ftype;
  decltype(&PQgetvalue) getvalue;
  decltype(&PQgetlength) getlength;
  decltype(&PQclear) clear;
  decltype(&PQputCopyData) putCopyData;
  decltype(&PQputCopyEnd) putCopyEnd;
  decltype(&PQgetResult) getResult;
  decltype(&PQconsumeInput) consumeInput;
  decltype(&PQreset) reset;
  decltype(&PQsendQueryParams) sendQueryParams;
  decltype(&PQsendPrepare) sendPrepare;
  decltype(&PQsendQueryPrepared) sendQueryPrepared;
  // Pipeline mode (libpq 14 and later); all null with an older libpq.
  decltype(&PQenterPipelineMode) enterPipelineMode;
  decltype(&PQexitPipelineMode) exitPipelineMode;
  decltype(&PQpipelineSync) pipelineSync;

  // Whether this libpq has pipeline mode.
  bool pipelines() const { return enterPipelineMode && exitPipelineMode && pipelineSync; }

  // The functions, loaded on the first call. Throws KvException naming the
  // library and the loader's message when libpq cannot be loaded or lacks
  // one of them (a later call tries again).
  static const LibPq& get();
};

#endif  // TARNEL_HOST_LIBPQ_H_
