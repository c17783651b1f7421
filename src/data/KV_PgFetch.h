#pragma once

#include "KV_ColumnStore.h"
#include "KV_SqlParams.h"

class KvSession;

// Runs a query with libpq on the session's connection, binary results parsed straight into
// typed columns. ":NAME" parameters take their values from params (missing ones are null).
// When rows has columns already, the result must have as many and is appended. Inside the
// session's open transaction the query runs under a savepoint, so a failure undoes nothing
// else. *serverBytes: the bytes of the values as the server sent them.
bool KvPgFetch(KvSession *session, const QString &statement, const KvParams &params,
               KvColumnStore &rows, QString *error, size_t *serverBytes = nullptr);

// The field type the client keeps for a server type.
KvFieldType KvFieldTypeForOid(unsigned int typeOid);
